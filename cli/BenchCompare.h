// The second part of the benchmark: the plain reference engine against the fast one, in the same run, on the
// same positions, with the ratio of their times and a check that they agree.
#pragma once

#include "engine/Board.h"
#include "engine/ExactTable.h"

#include <ostream>
#include <string>
#include <vector>

namespace kalvoro::cli {

using namespace kalvoro::engine;

struct TBenchPosition {
    std::string name;
    TBoard board;
    int side;
};

// Compares, per position: the mid-game root loops of every level (node counts and root values), complete
// analysis at 14 empty squares, fast analysis at 16 to 18, the best-move analysis at 14, and times a complete
// analysis of `twentyEmpties` (positions with 20 empty squares, fast engine only). The fast solvers use
// `table`, cleared before each timing. Prints one line per item, the median ratio per mode and returns 0 when
// everything agreed, 1 otherwise.
int RunBenchCompare(std::ostream& out, TExactTable& table, const std::vector<TBenchPosition>& midGame,
    const std::vector<TBenchPosition>& endgame, const std::vector<TBenchPosition>& twentyEmpties);

} // namespace kalvoro::cli
