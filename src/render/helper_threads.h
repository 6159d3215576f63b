// Helper threads for the render pass and the model export, started when first
// needed and kept idle between runs: waking a waiting thread costs far less
// than starting one.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace puffel {

// Runs job on the calling thread and at the same time on up to helpers other
// threads, and returns when every run has returned. Each run is told its
// worker number: 0 on the calling thread, 1 to helpers on the others, each
// number at most once, so that per-worker state can be made ready by the
// caller beforehand. Fewer helpers run it when the system has no thread or no
// memory to spare (then the job runs on the calling thread alone), and a
// helper that has not started by the time the caller's run returns does not
// run it at all: on a busy machine a helper may wait long for a processor,
// and the job must not wait for it.
//
// The helpers hold no thread-local state with a destructor: the C library
// registers such a destructor when the state is first touched, and aborts
// the process when it cannot get the memory to do so.
void RunWithHelpers(int helpers, const std::function<void(int worker)>& job);

// A flag one thread raises, once, and others wait for. A wait first looks a
// few times, giving the processor away in between, since the waits of a pass
// are mostly short and waking a sleeper is slow; then it sleeps on a condition
// variable, which no raise can slip past.
class RaisedFlag {
 public:
  void Raise();
  void Wait();

 private:
  std::atomic<bool> raised_ = false;
  std::mutex mutex_;
  std::condition_variable raisedChanged_;
};

// How many times a short wait looks before it sleeps.
constexpr int ShortWaitLooks = 64;

}  // namespace puffel
