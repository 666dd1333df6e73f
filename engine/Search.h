// The computer's searches: six mid-game variants over the evaluation terms, and two endgame solvers.
//
// All values are seen from Black's side. Moves are tried in the order of the list of empty squares, each
// child receiving ChildList of its parent's list; each node gets only its parent's best value so far as its
// bound (a one-sided cut), and ties keep the earlier move.
#pragma once

#include "Board.h"
#include "Hosts.h"

#include <cstdint>

namespace kalvoro::engine {

// Plies at which the mid-game search scores a position by its leaf value; set by the computer player to the
// thinking level's node depth before it searches, at least 1.
extern int NodeDepthLimit;

// Mid-game searches: the value of `board` with `colour` to move at `depth` plies from the root (the root's
// children are at depth 1), `passed` telling that the other side has just passed, `bound` the parent's best.
int SearchDiscs(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound);
int SearchFewestDiscs(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound);
int SearchMobility(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound);
int SearchMobilityEdges(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound);
int SearchWeighted(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound);
int SearchGraded(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound);

// The final disc difference under best play of both sides. Returns at once (with a value nobody uses) as soon
// as the host reports a stop, and lets the host process messages at every node with MessageEmpties empty
// squares.
int SolveExact(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host);

// Like SolveExact, but every node stops at the first move that wins for its side: the sign of the value is
// exact, a winning value is the first win found rather than the largest.
int SolveWinLoss(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host);

// The six variants, for callers that choose one at run time (the computer player, the benchmark).
enum class TSearchVariant { Discs, FewestDiscs, Mobility, MobilityEdges, Weighted, Graded };

// The named mid-game search of `variant`.
int Search(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour, bool passed,
    int depth, int bound);

// The same searches and solves, adding the number of nodes visited to `nodes` (for the benchmark); values and
// order are exactly those of the plain calls.
int SearchCountingNodes(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, int bound, std::uint64_t& nodes);
int SolveExactCountingNodes(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, std::uint64_t& nodes);
int SolveWinLossCountingNodes(const TBoard& board, const TSquareList& list, int colour, bool passed,
    int bound, ISolverHost& host, std::uint64_t& nodes);

} // namespace kalvoro::engine
