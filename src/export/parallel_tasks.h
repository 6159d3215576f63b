// Independent pieces of an export's work run side by side.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace puffel {

// Runs task(n) for every n in 0..count-1, on this thread and the render pass's
// helper threads, in no set order, and returns when all have run. When a task
// throws, the tasks not yet started are skipped and the first exception is
// passed on once the others have stopped.
void RunTasks(size_t count, const std::function<void(size_t n)>& task);

// Runs make(n, bytes) for every n in 0..count-1, a few side by side as
// RunTasks does, each into bytes given empty, and hands the bytes to use(bytes)
// in order of n, on this thread. An exception from make or use is passed on.
// Only a few results are held at a time.
void RunTasksInOrder(size_t count, const std::function<void(size_t n, std::string& bytes)>& make,
                     const std::function<void(const std::string& bytes)>& use);

}  // namespace puffel
