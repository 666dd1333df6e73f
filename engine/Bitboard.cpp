#include "Bitboard.h"

namespace kalvoro::engine {

TBitBoard ToBitBoard(const TBoard& board)
{
    TBitBoard bits;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const int cell = Cell(board, x, y);
            if (cell == Black) {
                bits.black |= SquareBit(BitIndex(x, y));
            } else if (cell == White) {
                bits.white |= SquareBit(BitIndex(x, y));
            }
        }
    }
    return bits;
}

TBoard ToTBoard(const TBitBoard& bits)
{
    TBoard board;
    board.fill(BorderCell);
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            const TBits bit = SquareBit(BitIndex(x, y));
            Cell(board, x, y) = (bits.black & bit) ? Black : (bits.white & bit) ? White : EmptyCell;
        }
    }
    return board;
}

} // namespace kalvoro::engine
