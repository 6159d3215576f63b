#include "export/parallel_tasks.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <vector>

#include "render/helper_threads.h"
#include "render/render_scene.h"

namespace puffel {

void RunTasks(size_t count, const std::function<void(size_t n)>& task) {
  std::atomic<size_t> next = 0;
  std::atomic<bool> failed = false;
  std::exception_ptr failure;
  std::mutex failureMutex;
  const int helpers = static_cast<int>(std::min(count, static_cast<size_t>(FillThreads()))) - 1;
  RunWithHelpers(helpers, [&](int) noexcept {
    for (size_t n = next++; n < count && !failed; n = next++) {
      try {
        task(n);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failureMutex);
        if (!failure) failure = std::current_exception();
        failed = true;
      }
    }
  });
  if (failure) std::rethrow_exception(failure);
}

void RunTasksInOrder(size_t count, const std::function<void(size_t n, std::string& bytes)>& make,
                     const std::function<void(const std::string& bytes)>& use) {
  if (count == 0) return;
  const size_t threads = static_cast<size_t>(std::max(FillThreads(), 1));
  // One buffer more than there are threads, so that this thread can hand one
  // on while every other fills one. Buffers keep their memory for reuse.
  const size_t window = threads + 1;
  std::vector<std::string> buffers(window);
  std::vector<char> ready(window, 0);
  size_t nextMake = 0;
  size_t nextUse = 0;
  bool failed = false;
  std::exception_ptr failure;
  std::mutex mutex;
  std::condition_variable changed;
  const auto fail = [&](std::unique_lock<std::mutex>& lock) {
    lock.lock();
    if (!failure) failure = std::current_exception();
    failed = true;
    changed.notify_all();
  };
  const int helpers = static_cast<int>(std::min(count, threads)) - 1;
  // Only the calling thread hands buffers to use, in order.
  RunWithHelpers(helpers, [&](int worker) noexcept {
    const bool user = worker == 0;
    std::unique_lock<std::mutex> lock(mutex);
    while (!failed && nextUse < count) {
      if (user && ready[nextUse % window]) {
        const size_t n = nextUse;
        lock.unlock();
        try {
          use(buffers[n % window]);
        } catch (...) {
          fail(lock);
          break;
        }
        lock.lock();
        ready[n % window] = 0;
        ++nextUse;
        changed.notify_all();
      } else if (nextMake < count && nextMake < nextUse + window) {
        const size_t n = nextMake++;
        lock.unlock();
        std::string& bytes = buffers[n % window];
        bytes.clear();
        try {
          make(n, bytes);
        } catch (...) {
          fail(lock);
          break;
        }
        lock.lock();
        ready[n % window] = 1;
        changed.notify_all();
      } else if (!user && nextMake == count) {
        break;
      } else {
        changed.wait(lock);
      }
    }
  });
  if (failure) std::rethrow_exception(failure);
}

}  // namespace puffel
