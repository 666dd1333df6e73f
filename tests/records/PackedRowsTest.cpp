#include "records/PackedRows.h"
#include "support/RandomGames.h"

#include <gtest/gtest.h>

using namespace kalvoro::engine;
using namespace kalvoro::records;

TEST(PackedRows, PackAndUnpackEveryBoardOfRandomGames)
{
    for (const TRandomPosition& position : ManyRandomPositions(30)) {
        TBoard board = InitialBoard();
        UnpackRows(PackRows(position.board), board);
        ASSERT_EQ(board, position.board);
    }
    TBoard board = InitialBoard();
    std::array<std::uint16_t, 8> rows {};
    rows.fill(0xFFFF); // every square 3, which no board packs to
    UnpackRows(rows, board);
    EXPECT_EQ(CountDiscs(board, Black) + CountDiscs(board, White), 0);
    EXPECT_EQ(BuildEmptyList(board).count, 64);
    EXPECT_EQ(board[0], BorderCell);
}
