// The game of the analysis window: the position lines of a game record, read back into boards and move lists.
//
// A game is held exactly as its record file holds it (TGameRecord: LastIndex, the position lines 0 to
// LastIndex and the comment lines). Black moves in the even positions and White in the odd ones, a pass being
// a position of its own; word 9 of line i is the move played from position i (0 for a pass), so list line k
// of the window names the move that leads from position k - 1 to position k.
#pragma once

#include "engine/Board.h"
#include "records/GameRecord.h"

#include <string>
#include <vector>

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;

// MoveNumberBoard cell values besides the move numbers: a White starting disc, a Black starting disc, and
// the offset of a Black move (1000 + n for Black's move numbered n).
constexpr int WhiteStartDisc = 999;
constexpr int BlackStartDisc = 1999;
constexpr int BlackMoveOffset = 1000;

// Positions whose best move the window solves: at least 2 and at most 14 empty squares.
constexpr int MinHintEmpties = 2;
constexpr int MaxHintEmpties = 14;

// The record of a game with only the standard start position, Black to move, and no comment lines.
TGameRecord StartOnlyRecord();

// The lines of List1: "[Start]", then one line per position 0 to LastIndex - 1: "[n] B  : f5" for Black,
// "[n] W : d6" for White, "Pass" in place of the square for a pass, which repeats the number of the last real
// move.
std::vector<std::string> MoveListLines(const TGameRecord& record);

// MoveNumberBoard: every played square holds the number of its move (1000 + n when Black played it), the
// starting discs 999 (White) and 1999 (Black) whatever was later played there, unplayed squares 0 and the
// border 99.
TBoard BuildMoveNumberBoard(const TGameRecord& record);

// The board of position `index` (0 to LastIndex), border cells 99.
TBoard UnpackPosition(const TGameRecord& record, int index);

// Black (1) in even positions, White (-1) in odd ones.
int SideToMoveAt(int index);

// The move code stored as played from position `index` (word 9), 0 for a pass.
int StoredMove(const TGameRecord& record, int index);

// The move code whose last-move dot position `index` shows: the move that led to it, or 0 at position 0 and
// after a pass.
int LastMoveShown(const TGameRecord& record, int index);

// The move code whose next-move mark position `index` shows: the move played from it, or 0 at the last
// position and where a pass follows.
int NextMoveShown(const TGameRecord& record, int index);

// True when the best-move button is enabled at position `index`: 2 to 14 empty squares and a real move
// stored as played from it (the last position's word 9 counts too, as the record holds it).
bool HintAvailable(const TGameRecord& record, int index);

// The number of empty playing squares of `board`.
int CountEmpties(const TBoard& board);

// True when `code` names a playing square (11 to 88 with both digits 1 to 8).
bool IsSquareCode(int code);

} // namespace kalvoro::analysis
