#include "Board.h"

namespace kalvoro::engine {

const char* ColourName(int colour)
{
    return colour == Black ? "Black" : "White";
}

std::string SquareName(int x, int y)
{
    return { static_cast<char>('a' + x - 1), static_cast<char>('0' + y) };
}

// A code that names no square (from a damaged record) is named "??", so that no stray byte is ever shown.
std::string MoveCodeName(int code)
{
    const int x = code / 10;
    const int y = code % 10;
    return x >= 1 && x <= 8 && y >= 1 && y <= 8 ? SquareName(x, y) : "??";
}

TBoard InitialBoard()
{
    TBoard board;
    board.fill(BorderCell);
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = EmptyCell;
        }
    }
    Cell(board, 4, 4) = White;
    Cell(board, 5, 4) = Black;
    Cell(board, 4, 5) = Black;
    Cell(board, 5, 5) = White;
    return board;
}

int FlipsInDirection(const TBoard& board, int x, int y, int colour, int direction)
{
    const int step = Directions[direction].dy * 10 + Directions[direction].dx;
    int index = SquareIndex(x, y) + step;
    int count = 0;
    while (board[index] == -colour) {
        ++count;
        index += step;
    }
    return board[index] == colour ? count : 0;
}

bool CanFlip(const TBoard& board, int x, int y, int colour)
{
    for (int direction = 0; direction < 8; ++direction) {
        if (FlipsInDirection(board, x, y, colour, direction) > 0) {
            return true;
        }
    }
    return false;
}

bool MakeMove(const TBoard& source, TBoard& target, int x, int y, int colour)
{
    TFlipCounts counts {};
    bool anyFlip = false;
    for (int direction = 0; direction < 8; ++direction) {
        counts[direction] = static_cast<std::int16_t>(FlipsInDirection(source, x, y, colour, direction));
        anyFlip = anyFlip || counts[direction] > 0;
    }
    if (!anyFlip) {
        return false;
    }
    target = source;
    const auto disc = static_cast<std::int16_t>(colour);
    Cell(target, x, y) = disc;
    for (int direction = 0; direction < 8; ++direction) {
        for (int k = 1; k <= counts[direction]; ++k) {
            Cell(target, x + k * Directions[direction].dx, y + k * Directions[direction].dy) = disc;
        }
    }
    return true;
}

int CountMobility(const TBoard& board, const TSquareList& list, int colour)
{
    int count = 0;
    for (int k = 0; k < list.count; ++k) {
        if (CanFlip(board, list.squares[k].x, list.squares[k].y, colour)) {
            ++count;
        }
    }
    return count;
}

int DiscDifference(const TBoard& board)
{
    int sum = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            sum += Cell(board, x, y);
        }
    }
    return sum;
}

int CountDiscs(const TBoard& board, int colour)
{
    int count = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            count += Cell(board, x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TSquareList BuildEmptyList(const TBoard& board)
{
    TSquareList list;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            if (Cell(board, x, y) == EmptyCell) {
                list.squares[list.count++] = { static_cast<std::int16_t>(x), static_cast<std::int16_t>(y) };
            }
        }
    }
    return list;
}

TSquareList ChildList(const TSquareList& list, int k)
{
    TSquareList child = list;
    child.count = static_cast<std::int16_t>(list.count - 1);
    child.squares[k] = list.squares[list.count - 1];
    return child;
}

bool IsLegalMoveOn(const TBoard& board, int x, int y, int colour)
{
    return Cell(board, x, y) == EmptyCell && CanFlip(board, x, y, colour);
}

bool CountFlipsOn(const TBoard& board, int x, int y, int colour, TFlipCounts& counts)
{
    if (Cell(board, x, y) != EmptyCell) {
        return false;
    }
    bool anyFlip = false;
    for (int direction = 0; direction < 8; ++direction) {
        counts[direction] = static_cast<std::int16_t>(FlipsInDirection(board, x, y, colour, direction));
        anyFlip = anyFlip || counts[direction] > 0;
    }
    return anyFlip;
}

} // namespace kalvoro::engine
