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

// The cell-board search, for lists that are not exactly the board's empty squares.
template <class Terms, class Counter>
int SearchCells(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound,
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
        const int returned = SearchCells<Terms>(child, childList, -colour, false, depth + 1, best, counter);
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
    const int afterPass = SearchCells<Terms>(board, list, -colour, true, depth + 1, best, counter);
    return Terms::Pass(afterPass, nodeTerm, colour);
}

inline int MobilityDifference(const TBitBoard& board)
{
    return PopCount(MoveMask(board.black, board.white)) - PopCount(MoveMask(board.white, board.black));
}

inline int StableEdgeBalance(const TBitBoard& board)
{
    return StableEdgeCount(board.black) - StableEdgeCount(board.white);
}

inline int WinnerValue(const TBitBoard& board, int win)
{
    const int difference = DiscDifference(board);
    return difference > 0 ? win : difference < 0 ? -win : 0;
}

// The board-dependent terms of the variants (Evaluation.h) on bitboards; the other terms are the variants'
// own.
struct TBitDiscs {
    using Terms = TDiscTerms;
    static constexpr bool HasNodeTerm = false;
    static int NodeTerm(const TBitBoard&) { return 0; }
    static int Leaf(const TBitBoard& board, int, int) { return DiscDifference(board); }
    static int End(const TBitBoard& board, int) { return DiscDifference(board); }
};

struct TBitFewestDiscs : TBitDiscs {
    using Terms = TFewestDiscTerms;
};

struct TBitMobility {
    using Terms = TMobilityTerms;
    static constexpr bool HasNodeTerm = true;
    static int NodeTerm(const TBitBoard& board) { return MobilityDifference(board); }
    static int Leaf(const TBitBoard&, int, int nodeTerm) { return nodeTerm; }
    static int End(const TBitBoard& board, int) { return WinnerValue(board, 10000); }
};

struct TBitMobilityEdges {
    using Terms = TMobilityEdgeTerms;
    static constexpr bool HasNodeTerm = false;
    static int NodeTerm(const TBitBoard&) { return 0; }
    static int Leaf(const TBitBoard& board, int colour, int)
    {
        return colour * CountMoves(board, colour) + 16 * StableEdgeBalance(board);
    }
    static int End(const TBitBoard& board, int colour)
    {
        const int mobility = CountMoves(board, colour);
        return colour == Black ? mobility + 5 * StableEdgeCount(board.black)
                               : -10 * StableEdgeCount(board.white) - mobility;
    }
};

struct TBitWeighted {
    using Terms = TWeightedTerms;
    static constexpr bool HasNodeTerm = false;
    static int NodeTerm(const TBitBoard&) { return 0; }
    static int Leaf(const TBitBoard& board, int, int) { return MobilityDifference(board); }
    static int End(const TBitBoard& board, int) { return WinnerValue(board, 10000); }
};

struct TBitGraded {
    using Terms = TGradedTerms;
    static constexpr bool HasNodeTerm = true;
    static int NodeTerm(const TBitBoard& board)
    {
        return 4 * MobilityDifference(board) + 20 * StableEdgeBalance(board);
    }
    static int Leaf(const TBitBoard&, int, int nodeTerm) { return nodeTerm; }
    static int End(const TBitBoard& board, int) { return WinnerValue(board, 20000); }
};

template <class Bit, class Counter>
int SearchBits(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int depth,
    int bound, Counter& counter)
{
    using Terms = typename Bit::Terms;
    counter.Visit();
    const int nodeTerm = Bit::NodeTerm(board);
    if (depth == NodeDepthLimit) {
        return Bit::Leaf(board, colour, nodeTerm);
    }
    const TBits own = OwnDiscs(board, colour);
    const TBits opponent = OwnDiscs(board, -colour);
    const TBits moves = MoveMask(own, opponent);
    int best = Terms::Start(colour);
    if (moves != 0) {
        const bool maximises = Terms::Maximises(colour);
        const int last = list.count - 1;
        TSearchOrder childList = list;
        childList.count = last;
        for (int k = 0; k < list.count; ++k) {
            const int square = list.squares[k];
            if (!(moves & SquareBit(square))) {
                continue;
            }
            const TBitBoard child = PlayMove(board, colour, square, FlipMask(own, opponent, square));
            childList.squares[k] = list.squares[last];
            const int returned = SearchBits<Bit>(child, childList, -colour, false, depth + 1, best, counter);
            childList.squares[k] = static_cast<std::uint8_t>(square);
            const int v = returned + nodeTerm + Terms::MoveTerm(BitX(square), BitY(square), colour);
            if (Improves(maximises, v, best)) {
                best = v;
                if (ReachesBound(maximises, best, bound)) {
                    return best;
                }
            }
        }
        return best;
    }
    if (passed) {
        return Bit::End(board, colour);
    }
    const int afterPass = SearchBits<Bit>(board, list, -colour, true, depth + 1, best, counter);
    return Terms::Pass(afterPass, nodeTerm, colour);
}

// Converts once and searches on bitboards, or on the cell board when the list is not the empty squares.
template <class Bit, class Counter>
int SearchNode(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound,
    Counter& counter)
{
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SearchCells<typename Bit::Terms>(board, list, colour, passed, depth, bound, counter);
    }
    return SearchBits<Bit>(ToBitBoard(board), order, colour, passed, depth, bound, counter);
}

template <class Counter>
int SearchVariant(TSearchVariant variant, const TBoard& board, const TSquareList& list, int colour,
    bool passed, int depth, int bound, Counter& counter)
{
    switch (variant) {
    case TSearchVariant::Discs:
        return SearchNode<TBitDiscs>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::FewestDiscs:
        return SearchNode<TBitFewestDiscs>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::Mobility:
        return SearchNode<TBitMobility>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::MobilityEdges:
        return SearchNode<TBitMobilityEdges>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::Weighted:
        return SearchNode<TBitWeighted>(board, list, colour, passed, depth, bound, counter);
    case TSearchVariant::Graded:
        break;
    }
    return SearchNode<TBitGraded>(board, list, colour, passed, depth, bound, counter);
}

} // namespace

int SearchDiscs(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TBitDiscs>(board, list, colour, passed, depth, bound, counter);
}

int SearchFewestDiscs(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TBitFewestDiscs>(board, list, colour, passed, depth, bound, counter);
}

int SearchMobility(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TBitMobility>(board, list, colour, passed, depth, bound, counter);
}

int SearchMobilityEdges(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TBitMobilityEdges>(board, list, colour, passed, depth, bound, counter);
}

int SearchWeighted(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TBitWeighted>(board, list, colour, passed, depth, bound, counter);
}

int SearchGraded(const TBoard& board, const TSquareList& list, int colour, bool passed, int depth, int bound)
{
    TNoCount counter;
    return SearchNode<TBitGraded>(board, list, colour, passed, depth, bound, counter);
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
