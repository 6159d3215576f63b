#include "render/helper_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

namespace puffel {
namespace {

// Every run has returned when the call does, each run has a worker number of
// its own, the calling thread's is 0, and helpers are kept and reused whether
// a call asks for more of them or fewer than the last.
TEST(RunWithHelpers, RunsTheJobOnTheCallerAndTheHelpersAndWaitsForAll) {
  const std::thread::id caller = std::this_thread::get_id();
  for (const int helpers : {0, 3, 1, 6, 2, 6}) {
    std::atomic<int> finished = 0;
    std::mutex seenMutex;
    std::multiset<int> workers;
    bool callerWasZero = false;
    RunWithHelpers(helpers, [&](int worker) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      {
        const std::lock_guard<std::mutex> lock(seenMutex);
        workers.insert(worker);
        if (std::this_thread::get_id() == caller) callerWasZero = worker == 0;
      }
      ++finished;
    });
    EXPECT_EQ(finished, static_cast<int>(workers.size())) << helpers;
    EXPECT_TRUE(callerWasZero) << helpers;
    EXPECT_LE(workers.size(), static_cast<size_t>(helpers + 1));
    EXPECT_EQ(std::set<int>(workers.begin(), workers.end()).size(), workers.size()) << helpers;
    EXPECT_GE(*workers.begin(), 0);
    EXPECT_LE(*workers.rbegin(), helpers);
  }
}

// Many short runs one after the other: a helper's wake-up is never lost, so
// none of them hangs, and a helper too late for its run never runs a later
// run's job twice.
TEST(RunWithHelpers, ManyShortRunsNeitherHangNorRunTwice) {
  for (int run = 0; run < 20000; ++run) {
    std::atomic<int> mask = 0;
    bool twice = false;
    RunWithHelpers(3, [&](int worker) {
      if (mask.fetch_or(1 << worker) & (1 << worker)) twice = true;
    });
    ASSERT_FALSE(twice) << run;
    ASSERT_TRUE(mask & 1) << run;
  }
}

// A job that throws on the calling thread still waits for the helpers that
// run it, and the helpers serve the next call.
TEST(RunWithHelpers, AThrowingCallerRunWaitsForTheHelpers) {
  std::atomic<int> running = 0;
  EXPECT_THROW(RunWithHelpers(2,
                              [&](int worker) {
                                ++running;
                                if (worker == 0) throw std::runtime_error("caller");
                                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                                --running;
                              }),
               std::runtime_error);
  EXPECT_EQ(running, 1);  // only the caller's run, which threw, is left counted
  std::atomic<int> runs = 0;
  RunWithHelpers(2, [&](int) { ++runs; });
  EXPECT_GE(runs, 1);
}

}  // namespace
}  // namespace puffel
