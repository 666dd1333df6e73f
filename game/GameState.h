// The state of the game in progress. There is one game per run; the game flow owns it, the computer player
// and the windows read it.
#pragma once

#include "engine/Board.h"
#include "engine/BookCursor.h"
#include "engine/Levels.h"
#include "records/GameRecord.h"
#include "records/PackedRows.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kalvoro::game {

using namespace kalvoro::engine;
using namespace kalvoro::records;

// One position of the game: the move that led to it (0 after a pass), the number of moves of the side to
// move, and the board packed as a game record packs it.
struct THistoryRecord {
    std::uint16_t Move = 0;
    std::uint16_t Mobility = 0;
    TPackedRows Rows {};
    friend bool operator==(const THistoryRecord&, const THistoryRecord&) = default;
};

// The history holds as many positions as one game record, so that every game can be saved whole.
constexpr int HistoryCapacity = RecordCapacity;

struct TGameState {
    TBoard GameBoard = InitialBoard();
    TBoard ViewBoard = InitialBoard();
    std::int32_t SideToMove = Black;
    std::array<THistoryRecord, HistoryCapacity> History {};
    // The one Move field after the last record: where the move played from record 119 is written.
    std::uint16_t MoveAfterHistory = 0;
    std::int32_t HistoryTop = -1;
    std::int32_t EmptyCount = 60;
    std::int32_t LegalMoveCount = 0;
    bool InputEnabled = true;
    bool Busy = false;
    bool StopRequested = false;
    std::int16_t TimerTicks = 0;
    bool DebugMode = false;
    TFlipCounts FlipCounts {};
    TBookCursors BookCursor;
    TLevelTable LevelTable = BuiltInLevelTable();
};

// The game in progress.
extern TGameState Game;

// Everything back to the state at program start (the built-in level table, debug mode off).
void ResetGameState();

// The Move field of record `index`, 0 to 120; index 120 is the field after the last record.
std::uint16_t& MoveField(int index);

// The Move fields of records 1 to HistoryTop: the game's moves in order, 0 for a pass.
std::vector<std::uint16_t> GameMoves();

// The rule operations on GameBoard.
bool IsLegalMove(int x, int y, int colour);
bool CountFlips(int x, int y, int colour);

} // namespace kalvoro::game
