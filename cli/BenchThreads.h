// The third part of the benchmark: the computer player with one thread against several, in the same run, on
// the same positions, with the ratio of their times, a check that they chose alike, and how long a stop
// takes.
#pragma once

#include "engine/Board.h"
#include "engine/ExactTable.h"
#include "engine/Levels.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace kalvoro::cli {

using namespace kalvoro::engine;

// A position of a bench game thought about at the Custom level with `row`; `mode` names the search ("N:10").
struct TThreadBenchItem {
    std::string name;
    TBoard board {};
    int side = Black;
    std::vector<std::uint16_t> gameMoves;
    TLevelRow row {};
    std::string mode;
};

// Thinks about every item with one thread and with `threads` (the short ones three times each way, keeping
// the fastest), printing both times, their ratio and whether the root values, the move and the label agree,
// then the median ratio per kind of search; then asks each of `stopItems` to stop `stopAfterMs` into its
// search with `threads` and prints how long the stop took. Returns 0 when everything agreed, 1 otherwise.
int RunThreadBench(std::ostream& out, int threads, const std::vector<TThreadBenchItem>& items,
    const std::vector<TThreadBenchItem>& stopItems, int stopAfterMs, TExactTable& table);

} // namespace kalvoro::cli
