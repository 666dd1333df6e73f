// The computer's searches: six mid-game variants over the evaluation terms, and two endgame solvers.
//
// All values are seen from Black's side. Moves are tried in the order of the list of empty squares, each
// child receiving ChildList of its parent's list; each node gets only its parent's best value so far as its
// bound (a one-sided cut), and ties keep the earlier move.
#pragma once

#include "Board.h"
#include "Hosts.h"

#include <array>
#include <cstdint>
#include <optional>

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

// Whether the value SolveExact returned for `searchedBound` is also the one it returns for `bound`. A value
// that does not reach its bound (for `colour`, to move: Black at or above it, White at or below) is the exact
// value, which every bound it does not reach either gives again.
bool ExactValueHoldsFor(int value, int colour, int searchedBound, int bound);

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

// The improvements of a searched node's best value, in the order its moves were tried. A node's bound only
// decides where it stops (its children get its own best as theirs), so the value it returns for another
// bound is the first improvement that reaches that bound, or its last value when none does; ValueForBound
// reads it off. This is how root moves searched at once, each with the best root value known when it started,
// get exactly the values the search in list order gives them.
struct TBestTrace {
    std::array<int, 64> improvements {};
    int count = 0;
    // Whether the node's side seeks the larger value.
    bool maximises = true;
    // Whether the node ended on reaching its bound, before trying all its moves.
    bool cut = false;
    // The value the search returned.
    int value = 0;
};

// The value the traced node returns when searched with `bound`, or nothing when the trace ended at its own
// bound before reaching `bound` (a bound harder to reach than the one it was searched with).
std::optional<int> ValueForBound(const TBestTrace& trace, int bound);

// The bound a traced search starts with, and the one others tighten while it runs (null: none). The live
// bound only ever moves so that the search ends sooner, and its trace answers for every bound from the one it
// started with to the last one it read.
struct TTracedBound {
    int start = 0;
    const TLiveBound* live = nullptr;
};

// The mid-game search of `variant` (Search), on worker threads: it ends at once, returning a value nobody
// uses, as soon as `stop` is set, adds the nodes it visits to `nodes` when given and keeps the trace of its
// own node. With `threads` above 1 the moves of the nodes along its first line are shared out among that
// many threads, for the same value and trace.
int SearchTraced(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, const TTracedBound& bound, const TStopFlag& stop, std::uint64_t* nodes,
    TBestTrace& trace, int threads = 1);

} // namespace kalvoro::engine
