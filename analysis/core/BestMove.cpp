#include "BestMove.h"

#include "engine/ExactSolver.h"
#include "engine/Hosts.h"

namespace kalvoro::analysis {

using namespace kalvoro::engine;

namespace {

constexpr int NotFound = -32768;

} // namespace

int BestMoveSearch(const TBoard& board, const TSquareList& list, int colour, int bound, bool passed)
{
    TQuietHost host;
    return SolveExact(board, list, colour, passed, bound, host);
}

TBestMove AnalyseBestMove(const TBoard& board, int colour, int threads)
{
    TExactTable table;
    return AnalyseBestMove(board, colour, table, threads);
}

TBestMove AnalyseBestMove(const TBoard& board, int colour, TExactTable& table, int threads)
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
            ? SolveExactStrong(after, ChildList(list, k), -colour, false, best * colour, host, table, threads)
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

} // namespace kalvoro::analysis
