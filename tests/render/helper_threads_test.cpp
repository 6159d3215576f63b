#include "render/helper_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace puffel {
namespace {

// Every run has returned when the call does, and helpers are kept and reused
// whether a call asks for more of them or fewer than the last.
TEST(RunWithHelpers, RunsTheJobOnTheCallerAndTheHelpersAndWaitsForAll) {
  for (const int helpers : {0, 3, 1, 6, 2}) {
    std::atomic<int> runs = 0;
    std::atomic<int> finished = 0;
    RunWithHelpers(helpers, [&] {
      ++runs;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      ++finished;
    });
    EXPECT_EQ(finished, runs) << helpers;
    EXPECT_GE(runs, 1);
    EXPECT_LE(runs, helpers + 1);
  }
}

}  // namespace
}  // namespace puffel
