// Pieces of an export made side by side and handed on in order.
#include "export/parallel_tasks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "render/render_scene.h"

namespace puffel {
namespace {

TEST(TasksInOrder, HandEveryResultOnInOrderHoldingOnlyAFew) {
  std::atomic<int> held = 0;
  int mostHeld = 0;
  std::vector<std::string> used;
  const std::thread::id caller = std::this_thread::get_id();
  RunTasksInOrder(
      60,
      [&](size_t n, std::string& bytes) {
        EXPECT_TRUE(bytes.empty());
        ++held;
        // Uneven work, so that later pieces are often done first.
        std::this_thread::sleep_for(std::chrono::microseconds((n * 7919) % 13 * 150));
        bytes = std::to_string(n);
      },
      [&](const std::string& bytes) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        mostHeld = std::max(mostHeld, held.load());
        --held;
        used.push_back(bytes);
      });
  ASSERT_EQ(used.size(), 60u);
  for (size_t n = 0; n < used.size(); ++n) EXPECT_EQ(used[n], std::to_string(n));
  EXPECT_LE(mostHeld, std::max(FillThreads(), 1) + 1);
}

TEST(TasksInOrder, PassOnAFailureAndUseNothingAfterIt) {
  for (const bool inUse : {false, true}) {
    std::vector<std::string> used;
    const auto run = [&] {
      RunTasksInOrder(
          40,
          [&](size_t n, std::string& bytes) {
            if (n == 17 && !inUse) throw std::runtime_error("make");
            bytes = std::to_string(n);
          },
          [&](const std::string& bytes) {
            if (bytes == "17") throw std::runtime_error("use");
            used.push_back(bytes);
          });
    };
    EXPECT_THROW(run(), std::runtime_error);
    // A failed use stops right there; a failed make may stop the hand-on
    // before every earlier piece is used, but never hands on a later one.
    if (inUse) {
      EXPECT_EQ(used.size(), 17u);
    }
    EXPECT_LE(used.size(), 17u);
    for (size_t n = 0; n < used.size(); ++n) EXPECT_EQ(used[n], std::to_string(n));
  }
}

TEST(TasksInOrder, NoTaskUsesNothing) {
  bool called = false;
  RunTasksInOrder(
      0, [&](size_t, std::string&) { called = true; }, [&](const std::string&) { called = true; });
  EXPECT_FALSE(called);
}

}  // namespace
}  // namespace puffel
