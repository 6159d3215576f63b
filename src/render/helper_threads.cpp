#include "render/helper_threads.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace puffel {

namespace {

class Helpers {
 public:
  ~Helpers() {
    for (const std::unique_ptr<Helper>& helper : helpers_) {
      helper->stop = true;
      wake(*helper, ~uint64_t{0});
    }
    for (const std::unique_ptr<Helper>& helper : helpers_) helper->thread.join();
  }

  void Run(int count, const std::function<void()>& job) {
    const std::lock_guard<std::mutex> lock(mutex_);
    helpers_.reserve(count);  // so that a started thread is always kept
    try {
      while (static_cast<int>(helpers_.size()) < count) {
        auto helper = std::make_unique<Helper>();
        helper->thread = std::thread(&Helpers::serve, this, helper.get());
        helpers_.push_back(std::move(helper));
      }
    } catch (const std::system_error&) {
      // No thread to spare: the job runs on those there are.
    }
    const int used = std::min(count, static_cast<int>(helpers_.size()));
    ++run_;
    job_ = &job;
    finished_ = 0;
    state_.store(run_ << 32, std::memory_order_release);  // opens the run, none joined
    for (int n = 0; n < used; ++n) wake(*helpers_[n], run_);
    try {
      job();
    } catch (...) {
      waitForHelpers();  // they still use what the job uses
      throw;
    }
    waitForHelpers();
  }

 private:
  struct Helper {
    std::thread thread;
    std::atomic<uint64_t> run = 0;  // the last run it was given
    bool stop = false;              // set before the last wake
  };

  // The run's number in the high half of the state, and in the low half the
  // helpers that have joined it, or Closed.
  static constexpr uint64_t Closed = 0xFFFFFFFF;

  static void wake(Helper& helper, uint64_t run) {
    helper.run = run;
    helper.run.notify_one();
  }

  // Closes the run to helpers yet to join it and waits for those that have.
  void waitForHelpers() {
    const int joined = static_cast<int>(state_.exchange(run_ << 32 | Closed) & Closed);
    for (int done = finished_; done != joined; done = finished_) finished_.wait(done);
  }

  // Joins the given run while it is open: a helper that wakes too late for
  // its run, or for a run that has been followed by others, does nothing.
  bool join(uint64_t run) {
    uint64_t state = state_.load(std::memory_order_acquire);
    while (state >> 32 == run && (state & Closed) != Closed) {
      if (state_.compare_exchange_weak(state, state + 1, std::memory_order_acquire)) return true;
    }
    return false;
  }

  void serve(Helper* helper) {
    uint64_t served = 0;
    for (;;) {
      helper->run.wait(served);
      served = helper->run;
      if (helper->stop) return;
      if (!join(served)) continue;
      (*job_)();
      ++finished_;
      finished_.notify_one();
    }
  }

  std::mutex mutex_;  // one run at a time
  std::vector<std::unique_ptr<Helper>> helpers_;
  uint64_t run_ = 0;                            // the number of the latest run
  const std::function<void()>* job_ = nullptr;  // set before the run opens
  std::atomic<uint64_t> state_ = Closed;
  std::atomic<int> finished_ = 0;  // helpers of the run that have returned
};

}  // namespace

void RunWithHelpers(int helpers, const std::function<void()>& job) {
  static Helpers kept;
  if (helpers <= 0) {
    job();
    return;
  }
  kept.Run(helpers, job);
}

}  // namespace puffel
