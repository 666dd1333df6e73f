#include "GameState.h"

namespace kalvoro::game {

using namespace kalvoro::engine;
using namespace kalvoro::records;

TGameState Game;

void ResetGameState()
{
    Game = TGameState {};
}

std::uint16_t& MoveField(int index)
{
    return index < HistoryCapacity ? Game.History[index].Move : Game.MoveAfterHistory;
}

std::vector<std::uint16_t> GameMoves()
{
    std::vector<std::uint16_t> moves;
    for (int i = 1; i <= Game.HistoryTop; ++i) {
        moves.push_back(Game.History[i].Move);
    }
    return moves;
}

bool IsLegalMove(int x, int y, int colour)
{
    return IsLegalMoveOn(Game.GameBoard, x, y, colour);
}

bool CountFlips(int x, int y, int colour)
{
    return CountFlipsOn(Game.GameBoard, x, y, colour, Game.FlipCounts);
}

} // namespace kalvoro::game
