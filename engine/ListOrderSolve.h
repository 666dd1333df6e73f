// The list-order solvers' values, reproduced with the strong solver.
//
// ListOrderExact returns exactly what SolveExact returns for a bound, cut values included. The list-order
// solver changes a node's best only on a child's exact value (a child that does not beat the best returns a
// value that does not either), so a node whose exact value does not beat its parent's bound returns the exact
// value of its first child in list order that reaches the bound, and that child is found with null-window
// tests of the strong solver.
//
// FastWinLossValue returns exactly what SolveWinLoss returns for a bound, order-dependent as that value is.
// Every cut of the win-or-loss search compares against 0 or against a bound that is 0 or beyond, so below a
// bound that lies strictly beyond 0 (Black: above it, White: below it) a node's value is 0 when it is a draw,
// the value of its first winning move in list order when it wins, and the best of all its moves' values,
// each of them a win of the opponent, when it loses. Below a losing node the same holds again and again, so
// its value is the best final score the losing side reaches against the winner's first winning moves: a
// largest value over a tree, whose moves may be tried in any order and which ends once the best found so far
// is -1, as the loser can do no better. Who wins a node is told by the strong solver far from the end; near
// it the search finds that out itself, from the same moves whose values it needs, and asks the strong solver
// only where the floor leaves nothing but the result to find. A node with a bound of exactly 0 (or one on the
// wrong side, as a caller may pass) is searched move by move in list order, as the list-order solver does.
//
// Both look at the host's stop request at every node the strong solver's deep nodes do and above, returning
// a value nobody uses once it is set, and let the host process messages at every node with MessageEmpties
// empty squares. Values are seen from Black's side.
#pragma once

#include "Bitboard.h"
#include "ExactTable.h"
#include "Hosts.h"
#include "SearchOrder.h"
#include "StrongSolver.h"

namespace kalvoro::engine {

// The win-or-loss nodes with this many empty squares or fewer settle who wins by searching their moves
// themselves; above it the strong solver tells each move's result.
constexpr int SelfProvingEmpties = 14;

// The value of SolveExact for `board` with `colour` to move and `bound`, `list` holding exactly its empty
// squares, solved by `solver`; `host` hears BoundNotBeaten as soon as the value is known not to beat the
// bound.
int ListOrderExact(TStrongSolver& solver, ISolverHost& host, const TBitBoard& board, const TSearchOrder& list,
    int colour, int bound);

// The value of SolveWinLoss for the same arguments, the part that searches the moves for their own results
// taking over at `selfProvingEmpties` empty squares or fewer; the strong solves run on `threads` (null: the
// calling thread alone).
int FastWinLossValue(TExactTable& table, ISolverHost& host, int selfProvingEmpties, const TBitBoard& board,
    const TSearchOrder& list, int colour, bool passed, int bound, TSolveThreads* threads = nullptr);

} // namespace kalvoro::engine
