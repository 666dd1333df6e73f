// Strong solvers for the computer player's complete and fast analysis.
//
// In complete analysis only the chosen root move and its value are ever seen, so SolveExactStrong may find
// the final disc difference by any means that gives the same decisions as SolveExact: it solves with an
// alpha-beta window (null-window re-searches, fastest-first and parity move ordering, a transposition table,
// dedicated code for the last empty squares) whose upper end is the parent's bound. Its contract is the part
// of SolveExact's that the root loop relies on: when the exact value is strictly better for the parent than
// `bound` (below it with Black to move, above it with White to move) the exact value is returned, otherwise a
// value that is not better for the parent than `bound`.
//
// SolveWinLossFast returns exactly the value of SolveWinLoss (order-dependent as it is) but reaches it by
// classifying positions as won, drawn or lost with the strong solver and following only the children whose
// values the list-order search would use.
//
// Both look at the host's stop request at every node above the last few empty squares (returning a value
// nobody uses once it is set) and let the host process messages at every node with 12 empty squares. Nothing
// is allocated while they run; the table has a fixed size, allocated once for the program's lifetime.
#pragma once

#include "Board.h"
#include "Search.h"

#include <cstddef>

// The memory of the transposition table shared by the strong solvers.
std::size_t ExactTableBytes();

// See above: the exact value when it beats `bound` for the parent, else a value that does not beat it.
int SolveExactStrong(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host);

// The value of SolveWinLoss(board, list, colour, passed, bound, host), found faster.
int SolveWinLossFast(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host);

// The final disc difference under best play, from the side to move's view (positive: it wins), with the same
// rules as SolveExact. For tests and the benchmark; no stop request, no messages.
int ExactScore(const TBoard& board, int colour);
