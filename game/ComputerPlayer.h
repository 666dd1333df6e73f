// The computer player as the game flow sees it: Think(level) over the game in progress, reporting through the
// game's window.
#pragma once

#include "engine/MoveChoice.h"

namespace kalvoro::game {

using namespace kalvoro::engine;

// Chooses the computer's square for SideToMove on GameBoard at `level` (1 to 9), reading the level table,
// debug mode, the history's moves and the stop request of the game, and moving the book cursor of the side to
// move. x = 0 when nothing was chosen.
TSquare Think(int level);

// Think(level), telling also how the move was chosen and showing `observer` each root move's value.
TThinkResult ThinkWithDetails(int level, const TRootObserver& observer);

// The threads the computer player searches with: the number in the environment variable KALVORO_THREADS
// when it holds one from 1 up, else every hardware thread.
int DefaultThinkThreads();

// Sets the threads of the computer player's searches (the command-line tool's --threads); 0 restores the
// default.
void SetThinkThreads(int threads);

// Makes Think the game flow's computer player.
void InstallComputerPlayer();

} // namespace kalvoro::game
