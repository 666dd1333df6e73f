// Setting up a game in the game flow from a transcript, for the commands of kalvoro-cli.
#pragma once

#include "engine/Levels.h"
#include "game/QuietWindow.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kalvoro::cli {

using namespace kalvoro::engine;
using namespace kalvoro::game;

// A new game on `window` with both players Human and the Custom row `customRow`; then, when `recordPath` is
// not empty, the game record there opened as the main window's Open does; then `moves` played through the
// game flow's PlayMove, so that passes are recorded as in a game. Throws TUsageError naming the first move
// that cannot be played and its place in the transcript, and TFileError for a record that cannot be read
// or whose moves name no square.
void SetUpGame(const std::vector<int>& moves, const TLevelRow& customRow, const std::string& recordPath,
    TQuietWindow& window);
void SetUpGame(const std::vector<int>& moves, const TLevelRow& customRow, TQuietWindow& window);

// Whether the game is over: a full board or no move for the side to move.
bool GameIsOver();

// Whether no move can follow: a full board, no move for either side, or the last position a record holds.
bool NothingLeftToPlay();

// The moves of the game as square names without separators, passes left out.
std::string GameTranscript();

} // namespace kalvoro::cli
