#include "AnalysisGame.h"

#include "records/PackedRows.h"

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

const TPositionLine& LineAt(const TGameRecord& record, int index)
{
    return record.PositionRows.at(static_cast<std::size_t>(index));
}

// The square of a stored move for a list line: its name, or "??" for a number that names no square.
std::string StoredMoveName(int code)
{
    return IsSquareCode(code) ? MoveCodeName(code) : std::string("??");
}

} // namespace

TGameRecord StartOnlyRecord()
{
    constexpr std::uint16_t StartMobility = 4;
    TGameRecord record;
    record.PositionRows.push_back(MakePositionLine(StartMobility, PackRows(InitialBoard()), 0));
    return record;
}

std::vector<std::string> MoveListLines(const TGameRecord& record)
{
    std::vector<std::string> lines { "[Start]" };
    int number = 0;
    for (int i = 0; i < record.LastIndex; ++i) {
        const int move = StoredMove(record, i);
        if (move != 0) {
            ++number;
        }
        std::string line = "[";
        line += std::to_string(number);
        line += i % 2 == 1 ? "] W : " : "] B  : ";
        line += move != 0 ? StoredMoveName(move) : "Pass";
        lines.push_back(line);
    }
    return lines;
}

TBoard BuildMoveNumberBoard(const TGameRecord& record)
{
    TBoard board;
    board.fill(BorderCell);
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            Cell(board, x, y) = 0;
        }
    }
    int number = 0;
    for (int i = 0; i < record.LastIndex; ++i) {
        const int move = StoredMove(record, i);
        if (move == 0) {
            continue;
        }
        ++number;
        if (IsSquareCode(move)) {
            const TSquare square = SquareOfMoveCode(move);
            Cell(board, square.x, square.y)
                = static_cast<std::int16_t>(i % 2 == 1 ? number : number + BlackMoveOffset);
        }
    }
    Cell(board, 4, 4) = WhiteStartDisc;
    Cell(board, 5, 5) = WhiteStartDisc;
    Cell(board, 5, 4) = BlackStartDisc;
    Cell(board, 4, 5) = BlackStartDisc;
    return board;
}

TBoard UnpackPosition(const TGameRecord& record, int index)
{
    TBoard board;
    board.fill(BorderCell);
    UnpackRows(RowsOfLine(LineAt(record, index)), board);
    return board;
}

int SideToMoveAt(int index)
{
    return index % 2 == 0 ? Black : White;
}

int StoredMove(const TGameRecord& record, int index)
{
    return LineAt(record, index)[9];
}

int LastMoveShown(const TGameRecord& record, int index)
{
    if (index <= 0) {
        return 0;
    }
    const int move = StoredMove(record, index - 1);
    return IsSquareCode(move) ? move : 0;
}

int NextMoveShown(const TGameRecord& record, int index)
{
    if (index >= record.LastIndex) {
        return 0;
    }
    const int move = StoredMove(record, index);
    return IsSquareCode(move) ? move : 0;
}

bool HintAvailable(const TGameRecord& record, int index)
{
    const int empties = CountEmpties(UnpackPosition(record, index));
    return empties >= MinHintEmpties && empties <= MaxHintEmpties && StoredMove(record, index) != 0;
}

int CountEmpties(const TBoard& board)
{
    int count = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            count += Cell(board, x, y) == EmptyCell ? 1 : 0;
        }
    }
    return count;
}

bool IsSquareCode(int code)
{
    return code / 10 >= 1 && code / 10 <= 8 && code % 10 >= 1 && code % 10 <= 8;
}

} // namespace kalvoro::analysis
