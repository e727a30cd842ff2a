// The end of Qt's global thread pool, on which Qt paints large areas, before the process ends.
#pragma once

#include <chrono>

namespace tarvel::host {

// Waits until the pool's threads have finished their work and, within `bound`, until they have
// left the process too, so that nothing of theirs is still being torn down when the process
// exits. Call while the application still stands.
void endGlobalThreadPool(std::chrono::milliseconds bound);

}  // namespace tarvel::host
