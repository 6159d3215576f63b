#include "export/parallel_tasks.h"

#include <algorithm>
#include <atomic>
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
  RunWithHelpers(helpers, [&]() noexcept {
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
  // The buffers are kept from round to round, so that their memory is reused.
  std::vector<std::string> round(static_cast<size_t>(std::max(FillThreads(), 1)));
  for (size_t first = 0; first < count; first += round.size()) {
    const size_t size = std::min(round.size(), count - first);
    RunTasks(size, [&](size_t n) {
      round[n].clear();
      make(first + n, round[n]);
    });
    for (size_t n = 0; n < size; ++n) use(round[n]);
  }
}

}  // namespace puffel
