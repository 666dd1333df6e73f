// The benchmark of the exact solver on the ten fixed endgame positions of FfoPositions.h.
#pragma once

#include <ostream>

namespace kalvoro::cli {

// Solves every position exactly with ExactScore on one thread and then on `threads`, the table emptied before
// each, and prints one line per position (name, empty squares, our score, the known score, milliseconds, the
// calling thread's deep nodes, "ok" or "WRONG") and a total; returns 0 when every score agrees, 1 otherwise.
int RunFfoBench(std::ostream& out, int threads);

} // namespace kalvoro::cli
