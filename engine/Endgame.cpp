// The endgame solvers: full-width minimax to the end of the game over the final disc difference.
//
// Each node first looks at the host's stop request and returns at once when it is set. The last empty square
// is settled without recursion: the side to move takes it if it can, else the opponent, else it stays empty.
// At every node with exactly 12 empty squares the host processes the window's pending messages, which is how
// a click on Stop reaches the game during a long solve. Moves are tried in list order with the same one-sided
// cut as the mid-game search; the win-or-loss solver also ends a node at its first strictly winning move. A
// side without moves passes; when the other side had just passed too the game is over.
//
// The solvers run on bitboards (Bitboard.h), walking the list in its order and trying only the squares of the
// side's move mask; a list that is not exactly the board's empty squares is solved on the cell board by the
// same procedure. Nodes are counted as calls of the node procedure: one per position visited, pass
// positions, stopped nodes and last-square nodes included.
#include "Search.h"

#include "SearchOrder.h"

namespace kalvoro::engine {

namespace {

// The disc difference after the only empty square is filled by whichever side can take it, the side to move
// first; with the square left empty when neither can. The cell board's own rule, since the list's last
// square need not be empty there.
int SolveLastSquare(const TBoard& board, const TSquare square, int colour)
{
    TBoard child;
    if (MakeMove(board, child, square.x, square.y, colour)
        || MakeMove(board, child, square.x, square.y, -colour)) {
        return DiscDifference(child);
    }
    return DiscDifference(board);
}

// v improves on best for `colour`, and then whether the new best ends the node: it reaches the parent's
// bound, or (when solving for a win) it is a win for the side.
template <bool WinLoss> inline bool ImprovesAndEndsNode(int colour, int v, int& best, int bound)
{
    if (colour == Black ? v <= best : v >= best) {
        return false;
    }
    best = v;
    if (colour == Black) {
        return best >= bound || (WinLoss && best > 0);
    }
    return best <= bound || (WinLoss && best < 0);
}

template <bool WinLoss, class Counter>
int SolveCells(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, Counter& counter)
{
    counter.Visit();
    if (host.StopRequested()) {
        return 0;
    }
    if (list.count == 1) {
        return SolveLastSquare(board, list.squares[0], colour);
    }
    if (list.count == MessageEmpties) {
        host.ProcessMessages();
    }
    int best = colour == Black ? -9999 : 9999;
    bool moveFound = false;
    UntilInListOrder(board, list, colour, [&](TSquare, const TBoard& child, const TSquareList& childList) {
        moveFound = true;
        const int v = SolveCells<WinLoss>(child, childList, -colour, false, best, host, counter);
        return ImprovesAndEndsNode<WinLoss>(colour, v, best, bound);
    });
    if (moveFound) {
        return best;
    }
    if (passed) {
        return DiscDifference(board);
    }
    return SolveCells<WinLoss>(board, list, -colour, true, best, host, counter);
}

template <bool WinLoss, class Counter>
int SolveBits(const TBitBoard& board, const TSearchOrder& list, int colour, bool passed, int bound,
    ISolverHost& host, Counter& counter)
{
    counter.Visit();
    if (host.StopRequested()) {
        return 0;
    }
    if (list.count == 1) {
        return colour * LastSquareScoreOwnFirst(OwnDiscs(board, colour), list.squares[0]);
    }
    if (list.count == MessageEmpties) {
        host.ProcessMessages();
    }
    const TSides sides = SidesOf(board, colour);
    const TBits moves = MoveMask(sides.own, sides.opponent);
    int best = colour == Black ? -9999 : 9999;
    if (moves != 0) {
        // The list-order walk of SearchOrder.h written out: this loop runs at nearly every node of the
        // list-order solvers, and the shared walk's callback measured several per cent slower here.
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
            const int v = SolveBits<WinLoss>(child, childList, -colour, false, best, host, counter);
            childList.squares[k] = static_cast<std::uint8_t>(square);
            if (ImprovesAndEndsNode<WinLoss>(colour, v, best, bound)) {
                return best;
            }
        }
        return best;
    }
    if (passed) {
        return DiscDifference(board);
    }
    return SolveBits<WinLoss>(board, list, -colour, true, best, host, counter);
}

// Converts once and solves on bitboards, or on the cell board when the list is not the empty squares.
template <bool WinLoss, class Counter>
int SolveNode(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, Counter& counter)
{
    TSearchOrder order;
    if (!ToSearchOrder(board, list, order)) {
        return SolveCells<WinLoss>(board, list, colour, passed, bound, host, counter);
    }
    return SolveBits<WinLoss>(ToBitBoard(board), order, colour, passed, bound, host, counter);
}

} // namespace

int SolveExact(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host)
{
    TNoCount counter;
    return SolveNode<false>(board, list, colour, passed, bound, host, counter);
}

bool ExactValueHoldsFor(int value, int colour, int searchedBound, int bound)
{
    const auto reaches = [value, colour](int b) { return colour == Black ? value >= b : value <= b; };
    return searchedBound == bound || (!reaches(searchedBound) && !reaches(bound));
}

int SolveWinLoss(
    const TBoard& board, const TSquareList& list, int colour, bool passed, int bound, ISolverHost& host)
{
    TNoCount counter;
    return SolveNode<true>(board, list, colour, passed, bound, host, counter);
}

int SolveExactCountingNodes(const TBoard& board, const TSquareList& list, int colour, bool passed, int bound,
    ISolverHost& host, std::uint64_t& nodes)
{
    TNodeCount counter { nodes };
    return SolveNode<false>(board, list, colour, passed, bound, host, counter);
}

int SolveWinLossCountingNodes(const TBoard& board, const TSquareList& list, int colour, bool passed,
    int bound, ISolverHost& host, std::uint64_t& nodes)
{
    TNodeCount counter { nodes };
    return SolveNode<true>(board, list, colour, passed, bound, host, counter);
}

} // namespace kalvoro::engine
