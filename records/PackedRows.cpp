#include "PackedRows.h"

namespace kalvoro::records {

using namespace kalvoro::engine;

namespace {

constexpr unsigned NoSquareValue = 3U;

} // namespace

TPackedRows PackRows(const TBoard& board)
{
    TPackedRows rows {};
    for (int y = 1; y <= 8; ++y) {
        unsigned word = 0;
        for (int x = 1; x <= 8; ++x) {
            word = word * 4 + static_cast<unsigned>(Cell(board, x, y) + 1);
        }
        rows[static_cast<std::size_t>(y - 1)] = static_cast<std::uint16_t>(word);
    }
    return rows;
}

void UnpackRows(const TPackedRows& rows, TBoard& board)
{
    for (int y = 1; y <= 8; ++y) {
        unsigned word = rows[static_cast<std::size_t>(y - 1)];
        for (int x = 8; x >= 1; --x) {
            const unsigned value = word & 3U;
            Cell(board, x, y)
                = static_cast<std::int16_t>(value == NoSquareValue ? EmptyCell : static_cast<int>(value) - 1);
            word >>= 2;
        }
    }
}

} // namespace kalvoro::records
