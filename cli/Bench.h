// The benchmark: the computer player's searches and solvers on fixed positions from real games.
#pragma once

#include <ostream>

namespace kalvoro::cli {

// Prints one line per item (position, mode, nodes, milliseconds, nodes per second) and a total; returns 0.
int RunBench(std::ostream& out, int threads);

} // namespace kalvoro::cli
