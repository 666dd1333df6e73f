// The computer player: chooses a move for the side to move at one of the nine levels.
//
// By the number of empty squares and the level's three depths it solves every root move exactly, solves them
// for a win only, or (in the middle game) plays from the opening book or runs the level's mid-game search on
// every root move. Root moves are tried in the order of the list of empty squares; a later move must be
// strictly better to replace an earlier one. Everything it shows or asks of the user goes through a host, so
// the engine never touches the game's state or a window; what it keeps from one move to the next (the book
// cursors, the transposition table) belongs to the caller.
#pragma once

#include "Board.h"
#include "BookCursor.h"
#include "ExactTable.h"
#include "Hosts.h"
#include "Levels.h"
#include "RootMoves.h"
#include "Search.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace kalvoro::engine {

// How a move was chosen.
enum class TThinkMode { OneEmpty, Complete, Fast, Book, MidGame };

struct TThinkRequest {
    TBoard board {};
    int side = Black;
    int level = 1;
    // The level's depths as stored; the Custom row is used limited to the customize dialog's ranges.
    TLevelRow row {};
    // The game's move codes from the first move on (0 for a pass), for the opening book.
    std::span<const std::uint16_t> gameMoves;
    bool debugMode = false;
    // The threads that search the mid-game root moves at once and solve each root move of the endgame.
    int threads = 1;
    // When set, the nodes visited by the searches and solves are added to it (for the benchmark).
    std::uint64_t* nodeCounter = nullptr;
};

struct TThinkResult {
    // x = 0 when nothing was chosen. After a stop it holds the best move found so far, which is not to be
    // played.
    TSquare move {};
    TThinkMode mode = TThinkMode::MidGame;
    bool stopped = false;
};

// Chooses the move of `request.side`. Sets NodeDepthLimit before a mid-game search, moves only the book
// cursor of the side to move and solves with `table`, the caller's transposition table, which it keeps from
// one move to the next. The searches run on worker threads (RootMoves.h) while the calling thread writes the
// status text of each root move, processes the host's messages every few milliseconds and relays its stop
// request to the searches, which end within milliseconds; writes the evaluation label unless it stopped or
// only one square was empty. The values and the move do not depend on the number of threads.
TThinkResult Think(const TThinkRequest& request, TBookCursors& cursors, TExactTable& table, IThinkHost& host,
    const TRootObserver& observer = {});

// The depths Think uses for `level`: the stored row, and for Custom that row limited to complete analysis 3
// to 22, fast analysis 3 to 26 and node depth 1 to 12.
TLevelRow EffectiveLevelRow(int level, const TLevelRow& stored);

// The mid-game search of `level` (1 to 9).
TSearchVariant VariantOfLevel(int level);

// The root value of a move at (x, y) for `side` at `level`, from the value r the level's search returned for
// the position after the move; larger is better for `side`.
int RootValue(int level, int side, int r, int x, int y);

// Whether `level` plays from the opening book.
bool UsesBook(int level);

} // namespace kalvoro::engine
