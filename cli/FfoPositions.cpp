#include "FfoPositions.h"

namespace kalvoro::cli {

using namespace kalvoro::engine;

const std::array<TFfoPosition, 10>& FfoPositions()
{
    static const std::array<TFfoPosition, 10> positions { {
        { "#40", "O--OOOOX-OOOOOOXOOXXOOOXOOXOOOXXOOOOOOXX---OOOOX----O--X--------", Black, 38 },
        { "#41", "-OOOOO----OOOOX--OOOOOO-XXXXXOO--XXOOX--OOXOXX----OXXO---OOO--O-", Black, 0 },
        { "#42", "--OOO-------XX-OOOOOOXOO-OOOOXOOX-OOOXXO---OOXOO---OOOXO--OOOO--", Black, 6 },
        { "#43", "--XXXXX---XXXX---OOOXX---OOXXXX--OOXXXO-OOOOXOO----XOX----XXXXX-", White, -12 },
        { "#44", "--O-X-O---O-XO-O-OOXXXOOOOOOXXXOOOOOXX--XXOOXO----XXXX-----XXX--", White, -14 },
        { "#45", "---XXXX-X-XXXO--XXOXOO--XXXOXO--XXOXXO---OXXXOO-O-OOOO------OO--", Black, 6 },
        { "#46", "---XXX----OOOX----OOOXX--OOOOXXX--OOOOXX--OXOXXX--XXOO---XXXX-O-", Black, -8 },
        { "#47", "-OOOOO----OOOO---OOOOX--XXXXXX---OXOOX--OOOXOX----OOXX----XXXX--", White, 4 },
        { "#48", "-----X--X-XXX---XXXXOO--XOXOOXX-XOOXXX--XOOXX-----OOOX---XXXXXX-", White, 28 },
        { "#49", "--OX-O----XXOO--OOOOOXX-OOOOOX--OOOXOXX-OOOOXX-----OOX----X-O---", Black, 16 },
    } };
    return positions;
}

TBoard FfoBoard(const TFfoPosition& position)
{
    TBoard board = InitialBoard();
    for (int index = 0; index < 64; ++index) {
        const char square = position.squares[index];
        Cell(board, index % 8 + 1, index / 8 + 1) = square == 'X' ? Black : square == 'O' ? White : EmptyCell;
    }
    return board;
}

} // namespace kalvoro::cli
