#include "GameState.h"

TGameState Game;

void ResetGameState()
{
    Game = TGameState {};
}

std::uint16_t& MoveField(int index)
{
    return index < HistoryCapacity ? Game.History[index].Move : Game.MoveAfterHistory;
}

std::array<std::uint16_t, 8> PackRows(const TBoard& board)
{
    std::array<std::uint16_t, 8> rows {};
    for (int y = 1; y <= 8; ++y) {
        unsigned word = 0;
        for (int x = 1; x <= 8; ++x) {
            word = word * 4 + static_cast<unsigned>(Cell(board, x, y) + 1);
        }
        rows[y - 1] = static_cast<std::uint16_t>(word);
    }
    return rows;
}

void UnpackRows(const std::array<std::uint16_t, 8>& rows, TBoard& board)
{
    for (int y = 1; y <= 8; ++y) {
        unsigned word = rows[y - 1];
        for (int x = 8; x >= 1; --x) {
            // 3 is no square value; a damaged record gets an empty square rather than a stray mark.
            const unsigned value = word & 3U;
            Cell(board, x, y)
                = static_cast<std::int16_t>(value == 3U ? EmptyCell : static_cast<int>(value) - 1);
            word >>= 2;
        }
    }
}

bool IsLegalMove(int x, int y, int colour)
{
    return IsLegalMoveOn(Game.GameBoard, x, y, colour);
}

bool CountFlips(int x, int y, int colour)
{
    return CountFlipsOn(Game.GameBoard, x, y, colour, Game.FlipCounts);
}
