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
// Nodes are counted as calls of the node procedure: one per position visited, pass positions and leaves
// included.
#include "Search.h"

#include "Evaluation.h"

int NodeDepthLimit = 1;

namespace {

struct TNoCount {
    void Visit() { }
};

struct TNodeCount {
    std::uint64_t& nodes;
    void Visit() { ++nodes; }
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

template <class Terms, class Counter>
int SearchNode(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound,
    Counter& counter)
{
    counter.Visit();
    const int nodeTerm = Terms::NodeTerm(board, list);
    if (depth == NodeDepthLimit) {
        return Terms::Leaf(board, list, colour, nodeTerm);
    }
    const bool maximises = Terms::Maximises(colour);
    const int last = list.count - 1;
    TSquareList childList = list;
    childList.count = static_cast<std::int16_t>(last);
    int best = Terms::Start(colour);
    bool moveFound = false;
    TBoard child;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[k];
        if (!MakeMove(board, child, square.x, square.y, colour)) {
            continue;
        }
        moveFound = true;
        childList.squares[k] = list.squares[last];
        const int returned = SearchNode<Terms>(child, childList, -colour, false, depth + 1, best, counter);
        childList.squares[k] = square;
        const int v = returned + nodeTerm + Terms::MoveTerm(square.x, square.y, colour);
        if (Improves(maximises, v, best)) {
            best = v;
            if (ReachesBound(maximises, best, bound)) {
                return best;
            }
        }
    }
    if (moveFound) {
        return best;
    }
    if (passed) {
        return Terms::End(board, list, colour);
    }
    const int afterPass = SearchNode<Terms>(board, list, -colour, true, depth + 1, best, counter);
    return Terms::Pass(afterPass, nodeTerm, colour);
}

template <class Counter>
int SearchVariant(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, int bound, Counter& counter)
{
    switch (variant) {
    case TSearchVariant::Discs:
        return SearchNode<TDiscTerms>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::FewestDiscs:
        return SearchNode<TFewestDiscTerms>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::Mobility:
        return SearchNode<TMobilityTerms>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::MobilityEdges:
        return SearchNode<TMobilityEdgeTerms>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::Weighted:
        return SearchNode<TWeightedTerms>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::Graded:
        break;
    }
    return SearchNode<TGradedTerms>(board, list, colour, passed, depth, bound, counter);
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
