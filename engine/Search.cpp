// The plain entry points of the mid-game search (MidGameNode.h) and the reading of a node's trace.
#include "Search.h"

#include "MidGameNode.h"

namespace kalvoro::engine {

using namespace midgame;

int NodeDepthLimit = 1;

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

} // namespace kalvoro::engine
