// Strong solvers for the computer player's complete and fast analysis and for the best-move analysis.
//
// SolveExactStrong returns exactly the value of SolveExact, cut values included, and SolveWinLossFast
// exactly the value of SolveWinLoss (order-dependent as it is), both found with the alpha-beta solver of
// StrongSolver.h as ListOrderSolve.h explains. A list that is not exactly the board's empty squares is solved
// by the list-order solver itself.
//
// Both look at the host's stop request at every node above the last few empty squares (returning a value
// nobody uses once it is set) and let the host process messages at every node with MessageEmpties empty
// squares. They use the caller's transposition table and allocate nothing while they run. With `threads`
// above 1 a position with enough empty squares is solved by that many threads, created for the call and
// sharing the table, for the same value; only the calling thread calls the host.
#pragma once

#include "Board.h"
#include "ExactTable.h"
#include "Search.h"

#include <cstdint>

namespace kalvoro::engine {

// The value of SolveExact(board, list, colour, passed, bound, host), found faster with `table`. With
// `borrowed`, the threads beyond the calling one search only while they hold one of those (ParallelSolve.h).
int SolveExactStrong(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, TExactTable& table, int threads = 1, TIdleThreads* borrowed = nullptr);

// The value of SolveWinLoss(board, list, colour, passed, bound, host), found faster with `table`.
int SolveWinLossFast(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, TExactTable& table, int threads = 1, TIdleThreads* borrowed = nullptr);

// SolveWinLossFast with the part that settles who wins by searching the moves themselves taking over at
// `selfProvingEmpties` empty squares or fewer instead of the usual depth (0: never), so that tests can reach
// every part of the fast search on positions the plain solver settles quickly.
int SolveWinLossFastWith(int selfProvingEmpties, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int bound, ISolverHost& host, TExactTable& table, int threads = 1,
    TIdleThreads* borrowed = nullptr);

// The final disc difference under best play, from the side to move's view (positive: it wins), with the same
// rules as SolveExact. For tests and the benchmark; no stop request, no messages.
int ExactScore(const TBoard& board, int colour, TExactTable& table, int threads = 1);

// ExactScore, adding the calling thread's deep nodes (TStrongSolver::DeepNodes) to `deepNodes`.
int ExactScore(
    const TBoard& board, int colour, TExactTable& table, std::uint64_t& deepNodes, int threads = 1);

} // namespace kalvoro::engine
