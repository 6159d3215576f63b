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
      wake(*helper);
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
    job_ = &job;
    finished_ = 0;
    joined_.store(0, std::memory_order_release);  // opens the run
    for (int n = 0; n < used; ++n) wake(*helpers_[n]);
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
    std::atomic<uint64_t> calls = 0;  // raised once for every run it is given
    bool stop = false;                // set before the last raise
  };

  static void wake(Helper& helper) {
    ++helper.calls;
    helper.calls.notify_one();
  }

  // Closes the run to helpers yet to join it and waits for those that have.
  void waitForHelpers() {
    const int joined = joined_.exchange(Closed);
    for (int done = finished_; done != joined; done = finished_) finished_.wait(done);
  }

  // Joins the open run, if any: a helper woken for a run that has closed
  // since joins the next one if that is open by then, which does no harm.
  bool join() {
    int joined = joined_.load(std::memory_order_acquire);
    while (joined != Closed) {
      if (joined_.compare_exchange_weak(joined, joined + 1, std::memory_order_acquire)) return true;
    }
    return false;
  }

  void serve(Helper* helper) {
    uint64_t served = 0;
    for (;;) {
      helper->calls.wait(served);
      served = helper->calls;
      if (helper->stop) return;
      if (!join()) continue;
      (*job_)();
      ++finished_;
      finished_.notify_one();
    }
  }

  static constexpr int Closed = -1;

  std::mutex mutex_;  // one run at a time
  std::vector<std::unique_ptr<Helper>> helpers_;
  const std::function<void()>* job_ = nullptr;  // set before the run opens
  std::atomic<int> joined_ = Closed;            // helpers in the open run, or Closed
  std::atomic<int> finished_ = 0;               // helpers of the run that have returned
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
