#include "BestMove.h"

namespace {

constexpr int SearchInfinity = 9999;
constexpr int NotFound = -32768;

// The value of the board once its only empty square is filled by whichever side can move there first.
int LastSquareValue(const TBoard& board, const TSquare& square, int colour)
{
    TBoard after;
    if (MakeMove(board, after, square.x, square.y, colour)
        || MakeMove(board, after, square.x, square.y, -colour)) {
        return DiscDifference(after);
    }
    return DiscDifference(board);
}

// Best of the moves of `colour` with the cut at `bound`; `moves` counts the legal moves found.
int SearchMoves(const TBoard& board, const TSquareList& list, int colour, int bound, int& moves)
{
    TSquareList child = list;
    child.count = static_cast<std::int16_t>(list.count - 1);
    const TSquare last = list.squares[static_cast<std::size_t>(list.count - 1)];
    int value = colour == Black ? -SearchInfinity : SearchInfinity;
    TBoard after;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[static_cast<std::size_t>(k)];
        if (!MakeMove(board, after, square.x, square.y, colour)) {
            continue;
        }
        ++moves;
        child.squares[static_cast<std::size_t>(k)] = last;
        const int r = BestMoveSearch(after, child, -colour, value, false);
        child.squares[static_cast<std::size_t>(k)] = square;
        if (colour == Black ? r > value : r < value) {
            value = r;
            if (colour == Black ? value >= bound : value <= bound) {
                return value;
            }
        }
    }
    return value;
}

} // namespace

int BestMoveSearch(const TBoard& board, const TSquareList& list, int colour, int bound, bool passed)
{
    if (list.count == 1) {
        return LastSquareValue(board, list.squares[0], colour);
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
    return BestMoveSearch(board, list, -colour, colour * -SearchInfinity, true);
}

TBestMove AnalyseBestMove(const TBoard& board, int colour)
{
    const TSquareList list = BuildEmptyList(board);
    TBestMove result;
    if (list.count == 0) {
        return result;
    }
    TSquareList child = list;
    child.count = static_cast<std::int16_t>(list.count - 1);
    const TSquare last = list.squares[static_cast<std::size_t>(list.count - 1)];
    int best = NotFound;
    TBoard after;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[static_cast<std::size_t>(k)];
        if (!MakeMove(board, after, square.x, square.y, colour)) {
            continue;
        }
        child.squares[static_cast<std::size_t>(k)] = last;
        // With one empty square the move just played filled the board: its value is the board's.
        const int r = child.count > 0 ? BestMoveSearch(after, child, -colour, best * colour, false)
                                      : DiscDifference(after);
        child.squares[static_cast<std::size_t>(k)] = square;
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
