// Helper threads for the render pass, started when first needed and kept idle
// between passes: waking a waiting thread costs far less than starting one.
#pragma once

#include <functional>

namespace puffel {

// Runs job on the calling thread and at the same time on up to helpers other
// threads, and returns when every run has returned. Fewer helpers run it when
// the system has no thread to spare, and a helper that has not started by the
// time the caller's run returns does not run it at all: on a busy machine a
// helper may wait long for a processor, and the job must not wait for it.
void RunWithHelpers(int helpers, const std::function<void()>& job);

}  // namespace puffel
