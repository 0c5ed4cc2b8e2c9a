#pragma once

#include <functional>

namespace bench {

// Runs the benchmarks named on the command line in an application on the offscreen
// platform, after prepare has made what they share.
int runOffscreen(int& argc, char** argv, const std::function<void()>& prepare);
// The same for benchmarks without widgets, in a core application.
int runWithoutWindows(int& argc, char** argv, const std::function<void()>& prepare);

} // namespace bench
