#include "MoveChoice.h"

#include "Book.h"
#include "Evaluation.h"
#include "ExactSolver.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace kalvoro::engine {

namespace {

// The legal root moves of the side to move, in list order, with the positions after them.
std::vector<TRootMove> LegalRootMoves(const TThinkRequest& request, const TSquareList& list)
{
    std::vector<TRootMove> moves;
    for (int k = 0; k < list.count; ++k) {
        const TSquare square = list.squares[k];
        TBoard child;
        if (MakeMove(request.board, child, square.x, square.y, request.side)) {
            moves.push_back({ square, child, ChildList(list, k) });
        }
    }
    return moves;
}

// Runs the root loop of `search` and writes the evaluation label unless it stopped. The nodes are added to
// the request's counter.
TThinkResult SearchRootMoves(const TThinkRequest& request, const TSquareList& list, TThinkMode mode,
    const TRootSearch& search, IThinkHost& host, const TRootObserver& observer)
{
    const TRootChoice choice = ChooseRootMove(
        LegalRootMoves(request, list), request.side, request.debugMode, search, host, observer);
    if (request.nodeCounter != nullptr) {
        *request.nodeCounter += choice.nodes;
    }
    if (!choice.stopped) {
        host.SetEvalLabel(request.side, std::to_string(choice.best));
    }
    return { choice.move, mode, choice.stopped };
}

// The exact solves of the root children: the first on every thread, then the others at once, one thread
// each, borrowing the threads that find no move left to solve. A move is solved once the moves before it
// are known not to beat their bounds, so with the bound they leave. The benchmark counts the nodes of the
// plain solver, which does not tell that: its moves start with the best root value known then, and a value
// found for an older bound holds when it is exact and does not reach the newer one either; otherwise the
// move is solved again.
TRootSearch CompleteAnalysis(const TThinkRequest& request, TExactTable& table)
{
    const int side = request.side;
    const bool counting = request.nodeCounter != nullptr;
    return { "[P] ", false, false, std::max(1, request.threads), false, true,
        [side, &table, counting](const TRootMove& move, const TChildSearch& child) {
            TStopFlagHost host(child.stop, child.boundNotBeaten);
            return counting ? SolveExactCountingNodes(
                       move.child, move.childList, -side, false, child.bound.start, host, child.nodes)
                            : SolveExactStrong(move.child, move.childList, -side, false, child.bound.start,
                                host, table, child.threads, child.idleWorkers);
        },
        [side](int r, TSquare) { return side * r; },
        [side](int r, int searchedBound, int bound) {
            return ExactValueHoldsFor(r, -side, searchedBound, bound);
        },
        true, !counting };
}

// The win-or-loss solves of the root children, spread over the workers as the exact solves are, up to the
// first move that does not lose.
TRootSearch FastAnalysis(const TThinkRequest& request, TExactTable& table)
{
    const int side = request.side;
    const bool counting = request.nodeCounter != nullptr;
    return { "[F] ", true, false, std::max(1, request.threads), false, true,
        [side, &table, counting](const TRootMove& move, const TChildSearch& child) {
            TStopFlagHost host(child.stop);
            const int bound = child.bound.start;
            return counting ? SolveWinLossCountingNodes(
                       move.child, move.childList, -side, false, bound, host, child.nodes)
                            : SolveWinLossFast(move.child, move.childList, -side, false, bound, host, table,
                                child.threads, child.idleWorkers);
        },
        [side](int r, TSquare) { return side * r; }, {}, true };
}

// The level's mid-game search of the root children, several at once.
TRootSearch MidGameSearch(const TThinkRequest& request)
{
    const int level = request.level;
    const int side = request.side;
    const TSearchVariant variant = VariantOfLevel(level);
    const bool counting = request.nodeCounter != nullptr;
    return { "[N] ", false, true, std::max(1, request.threads), true, true,
        [variant, side, counting](const TRootMove& move, const TChildSearch& search) {
            TBestTrace unused;
            return SearchTraced(variant, move.child, move.childList, -side, false, 1, search.bound,
                search.stop, counting ? &search.nodes : nullptr,
                search.trace != nullptr ? *search.trace : unused, search.threads);
        },
        [level, side](int r, TSquare square) { return RootValue(level, side, r, square.x, square.y); }, {} };
}

// The book's move, when the level plays from the book, the game is still in it and the move can be played.
// The legality test only matters when the board no longer follows the recorded moves (an edited position).
std::optional<TSquare> BookMove(const TThinkRequest& request, TBookCursors& cursors)
{
    if (!UsesBook(request.level)) {
        return std::nullopt;
    }
    const std::optional<TSquare> move = BookLookup(request.side, request.gameMoves, cursors);
    if (!move || !IsLegalMoveOn(request.board, move->x, move->y, request.side)) {
        return std::nullopt;
    }
    return move;
}

} // namespace

TThinkResult Think(const TThinkRequest& request, TBookCursors& cursors, TExactTable& table, IThinkHost& host,
    const TRootObserver& observer)
{
    const TSquareList list = BuildEmptyList(request.board);
    if (list.count == 1) {
        return { list.squares[0], TThinkMode::OneEmpty, false };
    }
    const TLevelRow row = EffectiveLevelRow(request.level, request.row);
    if (list.count <= row.completeDepth) {
        const TTableSharing sharing(table, request.threads > 1);
        return SearchRootMoves(
            request, list, TThinkMode::Complete, CompleteAnalysis(request, table), host, observer);
    }
    if (list.count <= row.fastDepth) {
        const TTableSharing sharing(table, request.threads > 1);
        return SearchRootMoves(request, list, TThinkMode::Fast, FastAnalysis(request, table), host, observer);
    }
    NodeDepthLimit = row.nodeDepth;
    if (const std::optional<TSquare> bookMove = BookMove(request, cursors)) {
        host.SetEvalLabel(request.side, "JOSEKI");
        return { *bookMove, TThinkMode::Book, false };
    }
    return SearchRootMoves(request, list, TThinkMode::MidGame, MidGameSearch(request), host, observer);
}

TLevelRow EffectiveLevelRow(int level, const TLevelRow& stored)
{
    if (level != CustomLevel) {
        return stored;
    }
    return LimitToCustomRanges(stored);
}

TSearchVariant VariantOfLevel(int level)
{
    switch (level) {
    case 1:
        return TSearchVariant::Discs;
    case 2:
        return TSearchVariant::FewestDiscs;
    case 3:
        return TSearchVariant::Mobility;
    case 4:
        return TSearchVariant::MobilityEdges;
    case 5:
        return TSearchVariant::Weighted;
    default:
        return TSearchVariant::Graded;
    }
}

int RootValue(int level, int side, int r, int x, int y)
{
    const int w = SquareWeight(x, y);
    switch (level) {
    case 1:
        return 2 * side * r + w;
    case 2:
        return w - side * r;
    case 3:
        return side * r + 3 * w;
    default:
        return side * r + w;
    }
}

bool UsesBook(int level)
{
    return level >= 6 && level <= 9;
}

} // namespace kalvoro::engine
