// The board and the rules of Reversi.
//
// A position is a 10 by 10 array whose outer ring holds a border value, so that every scan along a line stops
// by itself without a bounds test. Moves are never undone: playing a move writes a complete new board. The
// list of empty squares travels with a position; its order (row by row from a1, as changed by ChildList) is
// the order in which every search tries its moves.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kalvoro::engine {

constexpr int Black = 1;
constexpr int White = -1;
constexpr std::int16_t EmptyCell = 0;
constexpr std::int16_t BorderCell = 99;
// The value of a cell of the game's view board that marks a legal move while it is shown.
constexpr std::int16_t LegalMark = 2;
// A game never has more than 60 empty squares, but a board edited in debug mode may have up to 64.
constexpr int MaxEmptySquares = 64;

// 100 cells, the cell of square (x, y) at index y * 10 + x; 0 empty, 1 Black, -1 White, 99 border.
using TBoard = std::array<std::int16_t, 100>;

struct TSquare {
    std::int16_t x = 0;
    std::int16_t y = 0;
    friend bool operator==(const TSquare&, const TSquare&) = default;
};

// The empty squares of a position in search order.
struct TSquareList {
    std::int16_t count = 0;
    std::array<TSquare, MaxEmptySquares> squares {};
};

struct TDirection {
    int dx;
    int dy;
};

// The eight steps in the order every scan and every disc animation follows.
inline constexpr std::array<TDirection, 8> Directions { { { -1, -1 }, { 0, -1 }, { 1, -1 }, { -1, 0 },
    { 1, 0 }, { -1, 1 }, { 0, 1 }, { 1, 1 } } };

// Discs turned per direction, in the order of Directions.
using TFlipCounts = std::array<std::int16_t, 8>;

constexpr int SquareIndex(int x, int y)
{
    return y * 10 + x;
}
constexpr int MoveCode(int x, int y)
{
    return 10 * x + y;
}
constexpr TSquare SquareOfMoveCode(int code)
{
    return { static_cast<std::int16_t>(code / 10), static_cast<std::int16_t>(code % 10) };
}

inline std::int16_t& Cell(TBoard& board, int x, int y)
{
    return board[SquareIndex(x, y)];
}
inline std::int16_t Cell(const TBoard& board, int x, int y)
{
    return board[SquareIndex(x, y)];
}

// "Black" or "White".
const char* ColourName(int colour);

// "a1" for (1, 1), "h8" for (8, 8).
std::string SquareName(int x, int y);

// The name of a move code's square: "f5" for 65. The caller passes a code of a real square.
std::string MoveCodeName(int code);

// The starting position: d4 and e5 White, e4 and d5 Black, Black to move.
TBoard InitialBoard();

// Number of opposing discs a disc of `colour` at (x, y) would turn in direction `direction`; 0 unless the run
// of opposing discs ends at a disc of `colour`.
int FlipsInDirection(const TBoard& board, int x, int y, int colour, int direction);

// True when a disc of `colour` at (x, y) would turn at least one disc. The cell (x, y) itself is not
// examined.
bool CanFlip(const TBoard& board, int x, int y, int colour);

// Plays `colour` at (x, y) from `source` into `target` and returns true; when the move turns nothing, returns
// false and leaves `target` untouched. Does not check that (x, y) was empty.
bool MakeMove(const TBoard& source, TBoard& target, int x, int y, int colour);

// The number of squares in `list` where `colour` could move.
int CountMobility(const TBoard& board, const TSquareList& list, int colour);

// Black discs minus White discs.
int DiscDifference(const TBoard& board);

// The number of discs of `colour` on the playing squares.
int CountDiscs(const TBoard& board, int colour);

// The empty squares row by row from a1 to h8.
TSquareList BuildEmptyList(const TBoard& board);

// `list` without entry k: the last entry takes slot k, earlier entries keep their places.
TSquareList ChildList(const TSquareList& list, int k);

// True when (x, y) is empty on `board` and a disc of `colour` there would turn something.
bool IsLegalMoveOn(const TBoard& board, int x, int y, int colour);

// When (x, y) is empty on `board`: fills `counts` with the discs each direction turns and returns true when
// any direction turns a disc. When (x, y) is occupied: returns false and leaves `counts` as it was.
bool CountFlipsOn(const TBoard& board, int x, int y, int colour, TFlipCounts& counts);

} // namespace kalvoro::engine
