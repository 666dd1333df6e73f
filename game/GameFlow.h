// The course of one game: a new game, playing a move with its discs turned one by one, handing the turn
// over, passes, the end and its result, the computer's turns, and the Back/Stop button.
//
// Everything runs on one thread. Waits (the pause between turned discs, the computer's thinking) keep
// processing window messages through the window interface, so that the Back/Stop button stays usable; the
// only state such a message may change meanwhile is StopRequested.
#pragma once

#include "GameState.h"
#include "GameWindow.h"

#include <cstdint>
#include <functional>
#include <span>

namespace kalvoro::game {

using namespace kalvoro::engine;
using namespace kalvoro::records;

// The window the game flow talks to; nullptr restores the quiet default, which shows nothing, answers Human
// for both players and closes its dialogs at once.
void SetGameWindow(IGameWindow* window);
IGameWindow& GameWindow();

// Chooses the computer's square for SideToMove on GameBoard at `level` (1 to 9); x = 0 means no move was
// chosen (after a stop). It is only asked when the side to move has a legal move.
using TThinkFunction = std::function<TSquare(int level)>;
void SetThinkFunction(TThinkFunction think);

// Sets up a new game: the initial position, record 0, the labels; then, when `startComputer` is set, the
// board is repainted and the computer plays if Black is a computer player.
void NewGame(bool startComputer);

// Plays the move of SideToMove at (x, y), which the caller has checked with IsLegalMove, and carries the game
// on to the next side that can move (announcing passes) or to its end. Ignored when the history is full.
void PlayMove(int x, int y);

// Continues the game from History[HistoryTop] as after opening a record: GameBoard and ViewBoard from that
// record, the counts, SideToMove from the parity of HistoryTop (White when odd) with its count label
// highlighted, LegalMoveCount recomputed, the last-move labels, both players Human, the book cursors reset
// and the board repainted.
void ResumeFromHistory();

// Sets the game up from the start position through `moveCodes` (a side without a move passes, as in play)
// and resumes it as after opening a record. Returns 0, or the number (1 for the first) of the first move that
// is not legal where it stands, or that comes after the end of the game, in which case the game stays as it
// was and the window is not touched.
int SetUpFromMoves(std::span<const std::uint16_t> moveCodes);

// Lets the computer play while the side to move is a computer player and the game is not over.
void RunComputer();

// The Back/Stop button: a stop request while the computer thinks or a move is shown, otherwise a take-back.
void BackBtnClick();
void RequestStop();
void TakeBack();

// One tick of the 50 ms animation timer.
void Timer1Timer();

// LegalMoveCount := the moves of SideToMove on GameBoard.
void CountLegalMoves();
// Counts the discs, writes both count labels and sets EmptyCount.
void UpdateCounts();
// GameBoard := the board of History[HistoryTop].
void RestoreFromHistory();

void DisableInput();
void EnableInput();

// True when no further record fits into History: the game cannot go on and counts as over.
bool HistoryIsFull();

} // namespace kalvoro::game
