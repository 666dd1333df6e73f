// Strong solvers for the computer player's complete and fast analysis.
//
// SolveExactStrong returns exactly the value of SolveExact, cut values included, but finds it with an
// alpha-beta solver (null-window re-searches, fastest-first and parity move ordering, a transposition table,
// dedicated code for the last empty squares): a node of the list-order solver whose exact value does not beat
// its parent's bound returns the exact value of its first child in list order that reaches the bound, and
// that child is found with null-window tests.
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

// Empties the transposition table, so that a timing starts from nothing known (the benchmark).
void ClearExactTable();

// The value of SolveExact(board, list, colour, passed, bound, host), found faster.
int SolveExactStrong(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host);

// The value of SolveWinLoss(board, list, colour, passed, bound, host), found faster.
int SolveWinLossFast(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host);

// SolveWinLossFast with the part that settles who wins by searching the moves themselves taking over at
// `selfProvingEmpties` empty squares or fewer instead of the usual depth (0: never), so that tests can reach
// every part of the fast search on positions the plain solver settles quickly.
int SolveWinLossFastWith(int selfProvingEmpties, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int bound, ISolverHost& host);

// The final disc difference under best play, from the side to move's view (positive: it wins), with the same
// rules as SolveExact. For tests and the benchmark; no stop request, no messages.
int ExactScore(const TBoard& board, int colour);
