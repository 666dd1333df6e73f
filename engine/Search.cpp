// The mid-game search: depth-limited minimax with a one-sided cut, one procedure for all six variants.
//
// A node scores itself by the variant's leaf value when it lies at NodeDepthLimit plies from the root.
// Otherwise it tries its moves in list order, each child getting ChildList of the node's list and the node's
// best value so far as its bound; the value of a move is the child's value plus the node term and the move
// term. A strictly better value replaces the best, and reaching the bound (equality included) ends the node
// at once. A node without moves passes (one ply of the budget) or, right after the other side's pass, scores
// the finished game. The bound handed down includes the parent's node and move terms although the child
// compares its own values against it; the root values of the levels depend on exactly this.
//
// The search runs on bitboards (Bitboard.h): the side's move mask is built once per node and the list is
// walked in its order, trying only the squares in the mask, so the same moves are tried in the same order
// with the same bounds as on the cell board. Mobility over a node's list is the popcount of the move mask,
// the list holding exactly the empty squares. A list that does not (see SearchOrder.h) is searched on the
// cell board by the same procedure.
//
// Nodes are counted as calls of the node procedure: one per position visited, pass positions and leaves
// included.
#include "Search.h"

#include "Evaluation.h"
#include "SearchOrder.h"

namespace kalvoro::engine {

int NodeDepthLimit = 1;

namespace {

// The counters of a search on a worker thread: they tell when it is to end, one also counts its nodes.
struct TStoppable {
    const TStopFlag& stop;
    static void Visit() { }
    bool Stopped() const { return stop.load(std::memory_order_relaxed); }
};

struct TStoppableCount {
    const TStopFlag& stop;
    std::uint64_t nodes = 0;
    void Visit() { ++nodes; }
    bool Stopped() const { return stop.load(std::memory_order_relaxed); }
};

// What a node keeps of its improvements: nothing (every node below the traced one), or its trace.
struct TNoTrace {
    static void Start(bool) { }
    static void Improved(int) { }
    static void Cut(bool) { }
};

struct TTraceInto {
    TBestTrace& trace;
    void Start(bool maximises) { trace.maximises = maximises; }
    void Improved(int best) { trace.improvements[static_cast<std::size_t>(trace.count++)] = best; }
    void Cut(bool cut) { trace.cut = cut; }
};

// v improves on best for a side that maximises (or minimises).
inline bool Improves(bool maximises, int v, int best)
{
    return maximises ? v > best : v < best;
}

// best reaches the parent's bound for a side that maximises (or minimises).
inline bool ReachesBound(bool maximises, int best, int bound)
{
    return maximises ? best >= bound : best <= bound;
}

// The cell-board search, for lists that are not exactly the board's empty squares.
template <class Terms, class Counter, class Trace = TNoTrace>
int SearchCells(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound,
    Counter& counter, Trace trace = {})
{
    counter.Visit();
    const TCellPosition position { board, list };
    const int nodeTerm = Terms::NodeTerm(position);
    if (depth == NodeDepthLimit) {
        return Terms::Leaf(position, colour, nodeTerm);
    }
    // The leaves and their parents, most of the nodes, take no time to search; a stop is seen above them.
    if (depth < NodeDepthLimit - 1 && counter.Stopped()) {
        return 0;
    }
    const bool maximises = Terms::Maximises(colour);
    int best = Terms::Start(colour);
    bool moveFound = false;
    trace.Start(maximises);
    UntilInListOrder(
        board, list, colour, [&](TSquare square, const TBoard& child, const TSquareList& childList) {
            moveFound = true;
            const int returned
                = SearchCells<Terms>(child, childList, -colour, false, depth + 1, best, counter);
            const int v = returned + nodeTerm + Terms::MoveTerm(square.x, square.y, colour);
            if (!Improves(maximises, v, best)) {
                return false;
            }
            best = v;
            trace.Improved(best);
            return ReachesBound(maximises, best, bound);
        });
    if (moveFound) {
        trace.Cut(ReachesBound(maximises, best, bound));
        return best;
    }
    if (passed) {
        return Terms::End(position, colour);
    }
    const int afterPass = SearchCells<Terms>(board, list, -colour, true, depth + 1, best, counter);
    return Terms::Pass(afterPass, nodeTerm, colour);
}

// The same search on bitboards.
template <class Terms, class Counter, class Trace = TNoTrace>
int SearchBits(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int depth,
    int bound, Counter& counter, Trace trace = {})
{
    counter.Visit();
    const int nodeTerm = Terms::NodeTerm(board);
    if (depth == NodeDepthLimit) {
        return Terms::Leaf(board, colour, nodeTerm);
    }
    if (depth < NodeDepthLimit - 1 && counter.Stopped()) {
        return 0;
    }
    const TSides sides = SidesOf(board, colour);
    const TBits moves = MoveMask(sides.own, sides.opponent);
    int best = Terms::Start(colour);
    if (moves != 0) {
        const bool maximises = Terms::Maximises(colour);
        trace.Start(maximises);
        // The list-order walk of SearchOrder.h written out: this loop runs at nearly every node of the
        // mid-game search, and the shared walk's callback measured slower here.
        const int last = list.count - 1;
        TSearchOrder childList = list;
        childList.count = last;
        for (int k = 0; k < list.count; ++k) {
            const int square = list.squares[k];
            if (!(moves & SquareBit(square))) {
                continue;
            }
            const TBitBoard child
                = PlayMove(board, colour, square, FlipMask(sides.own, sides.opponent, square));
            childList.squares[k] = list.squares[last];
            const int returned
                = SearchBits<Terms>(child, childList, -colour, false, depth + 1, best, counter);
            childList.squares[k] = static_cast<std::uint8_t>(square);
            const int v = returned + nodeTerm + Terms::MoveTerm(BitX(square), BitY(square), colour);
            if (Improves(maximises, v, best)) {
                best = v;
                trace.Improved(best);
                if (ReachesBound(maximises, best, bound)) {
                    trace.Cut(true);
                    return best;
                }
            }
        }
        return best;
    }
    if (passed) {
        return Terms::End(board, colour);
    }
    const int afterPass = SearchBits<Terms>(board, list, -colour, true, depth + 1, best, counter);
    return Terms::Pass(afterPass, nodeTerm, colour);
}

// Converts once and searches on bitboards, or on the cell board when the list is not the empty squares.
template <class Terms, class Counter, class Trace = TNoTrace>
int SearchNode(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound,
    Counter& counter, Trace trace = {})
{
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SearchCells<Terms>(board, list, colour, passed, depth, bound, counter, trace);
    }
    return SearchBits<Terms>(ToBitBoard(board), order, colour, passed, depth, bound, counter, trace);
}

template <class Counter, class Trace = TNoTrace>
int SearchVariant(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, int bound, Counter& counter, Trace trace = {})
{
    switch (variant) {
    case TSearchVariant::Discs:
        return SearchNode<TDiscTerms>(board, list, colour, passed, depth, bound, counter, trace);
    case TSearchVariant::FewestDiscs:
        return SearchNode<TFewestDiscTerms>(board, list, colour, passed, depth, bound, counter, trace);
    case TSearchVariant::Mobility:
        return SearchNode<TMobilityTerms>(board, list, colour, passed, depth, bound, counter, trace);
    case TSearchVariant::MobilityEdges:
        return SearchNode<TMobilityEdgeTerms>(board, list, colour, passed, depth, bound, counter, trace);
    case TSearchVariant::Weighted:
        return SearchNode<TWeightedTerms>(board, list, colour, passed, depth, bound, counter, trace);
    case TSearchVariant::Graded:
        break;
    }
    return SearchNode<TGradedTerms>(board, list, colour, passed, depth, bound, counter, trace);
}

} // namespace

int SearchDiscs(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TDiscTerms>(board, list, colour, passed, depth, bound, counter);
}

int SearchFewestDiscs(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TFewestDiscTerms>(board, list, colour, passed, depth, bound, counter);
}

int SearchMobility(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TMobilityTerms>(board, list, colour, passed, depth, bound, counter);
}

int SearchMobilityEdges(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TMobilityEdgeTerms>(board, list, colour, passed, depth, bound, counter);
}

int SearchWeighted(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TWeightedTerms>(board, list, colour, passed, depth, bound, counter);
}

int SearchGraded(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TGradedTerms>(board, list, colour, passed, depth, bound, counter);
}

int Search(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour, bool passed,
    int depth, int bound)
{
    TNoCount counter;
    return SearchVariant(variant, board, list, colour, passed, depth, bound, counter);
}

int SearchCountingNodes(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, int bound, std::uint64_t& nodes)
{
    TNodeCount counter { nodes };
    return SearchVariant(variant, board, list, colour, passed, depth, bound, counter);
}

std::optional<int> ValueForBound(const TBestTrace& trace, int bound)
{
    for (int i = 0; i < trace.count; ++i) {
        const int improvement = trace.improvements[static_cast<std::size_t>(i)];
        if (ReachesBound(trace.maximises, improvement, bound)) {
            return improvement;
        }
    }
    if (trace.cut) {
        return std::nullopt;
    }
    return trace.value;
}

int SearchTraced(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, int bound, const TStopFlag& stop, std::uint64_t* nodes, TBestTrace& trace)
{
    trace = TBestTrace {};
    if (nodes == nullptr) {
        TStoppable counter { stop };
        trace.value = SearchVariant(
            variant, board, list, colour, passed, depth, bound, counter, TTraceInto { trace });
        return trace.value;
    }
    TStoppableCount counter { stop };
    trace.value
        = SearchVariant(variant, board, list, colour, passed, depth, bound, counter, TTraceInto { trace });
    *nodes += counter.nodes;
    return trace.value;
}

} // namespace kalvoro::engine
