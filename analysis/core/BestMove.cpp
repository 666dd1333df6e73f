#include "BestMove.h"

#include "engine/Bitboard.h"
#include "engine/ExactSolver.h"

namespace {

constexpr int SearchInfinity = 9999;
constexpr int NotFound = -32768;

// The analysis window solves without stop requests or message processing.
class TQuietHost : public ISolverHost {
public:
    bool StopRequested() override { return false; }
    void ProcessMessages() override { }
};

// The empty squares as bit indices, in the order of the TSquareList they come from. A child's list is its
// parent's with the played slot taken by the last entry, exactly as ChildList builds it.
struct TEmptyBits {
    int count = 0;
    std::array<std::int8_t, MaxEmptySquares> index {};
};

TEmptyBits ToEmptyBits(const TSquareList& list)
{
    TEmptyBits bits;
    bits.count = list.count;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[static_cast<std::size_t>(k)];
        bits.index[static_cast<std::size_t>(k)] = static_cast<std::int8_t>(BitIndex(square.x, square.y));
    }
    return bits;
}

// The discs `colour` turns by playing at `index`; 0 when the move is illegal.
TBits Flips(const TBitBoard& board, int colour, int index)
{
    return FlipMask(OwnDiscs(board, colour), OwnDiscs(board, -colour), index);
}

// The value once the only empty square is filled by whichever side can move there first.
int LastSquareValue(const TBitBoard& board, int index, int colour)
{
    if (const TBits flips = Flips(board, colour, index)) {
        return DiscDifference(PlayMove(board, colour, index, flips));
    }
    if (const TBits flips = Flips(board, -colour, index)) {
        return DiscDifference(PlayMove(board, -colour, index, flips));
    }
    return DiscDifference(board);
}

int Search(const TBitBoard& board, const TEmptyBits& list, int colour, int bound, bool passed);

// Best of the moves of `colour` with the cut at `bound`; `moves` counts the legal moves found.
int SearchMoves(const TBitBoard& board, const TEmptyBits& list, int colour, int bound, int& moves)
{
    TEmptyBits child = list;
    child.count = list.count - 1;
    const std::int8_t last = list.index[static_cast<std::size_t>(list.count - 1)];
    int value = colour == Black ? -SearchInfinity : SearchInfinity;
    for (int k = 0; k < list.count; ++k) {
        const std::int8_t square = list.index[static_cast<std::size_t>(k)];
        const TBits flips = Flips(board, colour, square);
        if (flips == 0) {
            continue;
        }
        ++moves;
        child.index[static_cast<std::size_t>(k)] = last;
        const int r = Search(PlayMove(board, colour, square, flips), child, -colour, value, false);
        child.index[static_cast<std::size_t>(k)] = square;
        if (colour == Black ? r > value : r < value) {
            value = r;
            if (colour == Black ? value >= bound : value <= bound) {
                return value;
            }
        }
    }
    return value;
}

int Search(const TBitBoard& board, const TEmptyBits& list, int colour, int bound, bool passed)
{
    if (list.count == 1) {
        return LastSquareValue(board, list.index[0], colour);
    }
    int moves = 0;
    const int value = SearchMoves(board, list, colour, bound, moves);
    if (moves > 0) {
        return value;
    }
    if (passed) {
        return DiscDifference(board);
    }
    // The bound handed on below a pass never cuts: the search there runs unbounded.
    return Search(board, list, -colour, colour * -SearchInfinity, true);
}

} // namespace

int BestMoveSearch(const TBoard& board, const TSquareList& list, int colour, int bound, bool passed)
{
    return Search(ToBitBoard(board), ToEmptyBits(list), colour, bound, passed);
}

TBestMove AnalyseBestMove(const TBoard& board, int colour)
{
    const TSquareList list = BuildEmptyList(board);
    TBestMove result;
    if (list.count == 0) {
        return result;
    }
    TQuietHost host;
    int best = NotFound;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[static_cast<std::size_t>(k)];
        TBoard after;
        if (!MakeMove(board, after, square.x, square.y, colour)) {
            continue;
        }
        // With one empty square the move just played filled the board: its value is the board's. Otherwise
        // the strong solver gives exactly the bounded list-order value, cut-off values included.
        const int r = list.count > 1
            ? SolveExactStrong(after, ChildList(list, k), -colour, false, best * colour, host)
            : DiscDifference(after);
        const TScoredSquare scored { square, r * colour };
        if (scored.value > best) {
            result.runnerUp = result.best;
            result.best = scored;
            best = scored.value;
        } else if (!result.runnerUp || scored.value > result.runnerUp->value) {
            result.runnerUp = scored;
        }
    }
    return result;
}

std::array<std::string, 3> BestMoveReport(const TBestMove& result)
{
    if (!result.best) {
        return { "Pass", "", "" };
    }
    std::array<std::string, 3> lines { SquareName(result.best->square.x, result.best->square.y) + " is Best.",
        "Evaluation : " + std::to_string(result.best->value), "" };
    if (result.runnerUp) {
        lines[2] = "Next : " + SquareName(result.runnerUp->square.x, result.runnerUp->square.y)
            + " (Ev : " + std::to_string(result.runnerUp->value) + ")";
    }
    return lines;
}
