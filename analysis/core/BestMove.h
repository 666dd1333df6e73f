// The best move of a position near the end of the game, solved exactly for the analysis window.
//
// BestMoveSearch is a plain minimax over the empty squares in list order with one bound: each child is told
// its parent's best value so far and returns as soon as it finds a reply at least as good for itself. It is
// the endgame solver SolveExact with a host that never stops and processes no messages. The root
// (AnalyseBestMove) gives every move the best value so far as its bound, so the best move and its value are
// exact, while a move that does not beat the best gets the value at which its search stopped: the runner-up
// is the move with the highest such value, which need not be the exact second best. AnalyseBestMove finds
// each of these bounded values with the strong exact solver, which returns exactly what the list-order search
// returns for every bound; BestMoveSearch stays as the plain statement of the rule.

#pragma once

#include "engine/Board.h"
#include "engine/ExactTable.h"

#include <array>
#include <optional>
#include <string>

namespace kalvoro::analysis {

using namespace kalvoro::engine;

// The final disc difference, Black minus White, of `board` with `colour` to move under perfect play of both
// sides, or a cut-off value once the side to move reaches `bound` (Black: value >= bound, White: value <=
// bound). `list` holds the empty squares of `board` (at least one); `passed` tells that the other side has
// just passed. A position in which neither side can move scores its disc difference.
int BestMoveSearch(const TBoard& board, const TSquareList& list, int colour, int bound, bool passed);

struct TScoredSquare {
    TSquare square;
    // From the side to move: its discs minus the opponent's at the end of the game.
    int value = 0;
};

struct TBestMove {
    std::optional<TScoredSquare> best;
    std::optional<TScoredSquare> runnerUp;
};

// Solves every legal move of `colour` on `board` in scan order (row 1 first, columns a to h). Among equal
// values the first move stays best and a later one becomes the runner-up. No best move means a pass.
// Solves with `table`, the caller's transposition table; the first form allocates one for this analysis.
// Each root move's solve runs on `threads` threads when it is big enough to pay; the result does not depend
// on them.
TBestMove AnalyseBestMove(const TBoard& board, int colour, int threads = 1);
TBestMove AnalyseBestMove(const TBoard& board, int colour, TExactTable& table, int threads = 1);

// The three lines of the result dialog: "d3 is Best.", "Evaluation : 16", "Next : c4 (Ev : 4)" (empty when
// there is no runner-up), or "Pass" and two empty lines.
std::array<std::string, 3> BestMoveReport(const TBestMove& result);

} // namespace kalvoro::analysis
