#include "MoveChoice.h"

#include "Book.h"
#include "Evaluation.h"
#include "ExactSolver.h"

#include <algorithm>
#include <optional>

namespace kalvoro::engine {

namespace {

// Below every root value, so that the first legal move is always chosen.
constexpr int NoValueYet = -32768;

// One way of valuing the root moves: the status prefix, whether the loop ends at the first move that does not
// lose, whether debug mode shows the values, and the value v of a move from the position after it.
struct TRootSearch {
    const char* prefix;
    TThinkMode mode;
    bool endAtFirstNonLoss;
    bool showsDebugValues;
    std::function<int(const TBoard& child, const TSquareList& childList, int bound, TSquare square)> value;
};

std::string StatusText(const char* prefix, int side, TSquare square)
{
    return std::string(prefix) + ColourName(side) + " is thinking " + SquareName(square.x, square.y);
}

// Tries every legal root move in list order and keeps the first of the best. The bound handed to each child
// is the best root value so far in Black's terms.
TThinkResult SearchRootMoves(const TThinkRequest& request, const TSquareList& list, const TRootSearch& search,
    IThinkHost& host, const TRootObserver& observer)
{
    TThinkResult result { {}, search.mode, false };
    const int side = request.side;
    int best = NoValueYet;
    for (int k = 0; k < list.count; ++k) {
        if (search.endAtFirstNonLoss && best >= 0) {
            break;
        }
        const TSquare square = list.squares[k];
        TBoard child;
        if (!MakeMove(request.board, child, square.x, square.y, side)) {
            continue;
        }
        host.SetStatusText(StatusText(search.prefix, side, square));
        host.ProcessMessages();
        const int v = search.value(child, ChildList(list, k), best * side, square);
        if (search.showsDebugValues && request.debugMode) {
            host.DrawDebugValue(square.x, square.y, v);
        }
        if (host.StopRequested()) {
            result.stopped = true;
            return result;
        }
        if (observer) {
            observer(square, v);
        }
        if (result.move.x == 0 || v > best) {
            result.move = square;
            best = v;
        }
    }
    host.SetEvalLabel(side, std::to_string(best));
    return result;
}

TRootSearch CompleteAnalysis(int side, IThinkHost& host, TExactTable& table, std::uint64_t* nodes)
{
    return { "[P] ", TThinkMode::Complete, false, false,
        [side, &host, &table, nodes](const TBoard& child, const TSquareList& childList, int bound, TSquare) {
            const int r = nodes != nullptr
                ? SolveExactCountingNodes(child, childList, -side, false, bound, host, *nodes)
                : SolveExactStrong(child, childList, -side, false, bound, host, table);
            return side * r;
        } };
}

TRootSearch FastAnalysis(int side, IThinkHost& host, TExactTable& table, std::uint64_t* nodes)
{
    return { "[F] ", TThinkMode::Fast, true, false,
        [side, &host, &table, nodes](const TBoard& child, const TSquareList& childList, int bound, TSquare) {
            const int r = nodes != nullptr
                ? SolveWinLossCountingNodes(child, childList, -side, false, bound, host, *nodes)
                : SolveWinLossFast(child, childList, -side, false, bound, host, table);
            return side * r;
        } };
}

TRootSearch MidGameSearch(int level, int side, std::uint64_t* nodes)
{
    const TSearchVariant variant = VariantOfLevel(level);
    return { "[N] ", TThinkMode::MidGame, false, true,
        [level, side, variant, nodes](
            const TBoard& child, const TSquareList& childList, int bound, TSquare square) {
            const int r = nodes != nullptr
                ? SearchCountingNodes(variant, child, childList, -side, false, 1, bound, *nodes)
                : Search(variant, child, childList, -side, false, 1, bound);
            return RootValue(level, side, r, square.x, square.y);
        } };
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
        return SearchRootMoves(
            request, list, CompleteAnalysis(request.side, host, table, request.nodeCounter), host, observer);
    }
    if (list.count <= row.fastDepth) {
        return SearchRootMoves(
            request, list, FastAnalysis(request.side, host, table, request.nodeCounter), host, observer);
    }
    NodeDepthLimit = row.nodeDepth;
    if (const std::optional<TSquare> bookMove = BookMove(request, cursors)) {
        host.SetEvalLabel(request.side, "JOSEKI");
        return { *bookMove, TThinkMode::Book, false };
    }
    return SearchRootMoves(
        request, list, MidGameSearch(request.level, request.side, request.nodeCounter), host, observer);
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
