#include "render/helper_threads.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace puffel {

namespace {

// Waking goes through a mutex and condition variables, which cannot miss a
// wake-up on any system; the pass it serves takes about a millisecond, far
// more than a wake.
class Helpers {
 public:
  ~Helpers() {
    {
      const std::lock_guard<std::mutex> lock(state_);
      stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }

  void Run(int count, const std::function<void(int)>& job) {
    const std::lock_guard<std::mutex> oneRun(run_);
    start(count);
    {
      const std::lock_guard<std::mutex> lock(state_);
      ++runNumber_;
      job_ = &job;
      open_ = std::min(count, static_cast<int>(threads_.size()));
      joined_ = 0;
      finished_ = 0;
    }
    wake_.notify_all();
    try {
      job(0);
    } catch (...) {
      waitForHelpers();  // they still use what the job uses
      throw;
    }
    waitForHelpers();
  }

 private:
  // Starts helpers until there are count; with no thread or memory to spare
  // the run makes do with those there are.
  void start(int count) {
    try {
      threads_.reserve(count);  // so that a started thread is always kept
      while (static_cast<int>(threads_.size()) < count)
        threads_.emplace_back(&Helpers::serve, this);
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
  }

  // Closes the run to helpers yet to join it and waits for those that have.
  void waitForHelpers() {
    std::unique_lock<std::mutex> lock(state_);
    open_ = 0;
    const int joined = joined_;
    lock.unlock();
    for (int look = 0; look < ShortWaitLooks && finished_.load() != joined; ++look) {
      std::this_thread::yield();
    }
    lock.lock();
    done_.wait(lock, [&] { return finished_.load() == joined_; });
  }

  void serve() {
    uint64_t served = 0;
    std::unique_lock<std::mutex> lock(state_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || runNumber_ != served; });
      if (stop_) return;
      served = runNumber_;
      // A helper that wakes too late for its run, or beyond the helpers the
      // run asked for, does nothing.
      if (joined_ >= open_) continue;
      const int worker = ++joined_;
      const std::function<void(int)>& job = *job_;
      lock.unlock();
      job(worker);
      lock.lock();
      if (++finished_ == joined_) done_.notify_one();
    }
  }

  std::mutex run_;  // one run at a time
  std::vector<std::thread> threads_;

  std::mutex state_;  // guards what follows
  std::condition_variable wake_;
  std::condition_variable done_;
  uint64_t runNumber_ = 0;
  const std::function<void(int)>* job_ = nullptr;
  int open_ = 0;  // helpers the run can still take, counting those joined
  int joined_ = 0;
  std::atomic<int> finished_ = 0;  // also read without the lock, while waiting
  bool stop_ = false;
};

}  // namespace

void RaisedFlag::Raise() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    raised_ = true;
  }
  raisedChanged_.notify_all();
}

void RaisedFlag::Wait() {
  for (int look = 0; look < ShortWaitLooks && !raised_.load(); ++look) std::this_thread::yield();
  std::unique_lock<std::mutex> lock(mutex_);
  raisedChanged_.wait(lock, [&] { return raised_.load(); });
}

void RunWithHelpers(int helpers, const std::function<void(int worker)>& job) {
  if (helpers <= 0) {
    job(0);
    return;
  }
  static Helpers kept;
  kept.Run(helpers, job);
}

}  // namespace puffel
