#include "TextExport.h"

#include "AnalysisGame.h"

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

constexpr const char* LineEnd = "\r\n";
constexpr const char* LetterLine = "   a    b    c    d    e    f    g    h   ";
constexpr const char* FrameLine = " +----+----+----+----+----+----+----+----+";

// A number right-aligned in two characters; wider numbers keep all their digits.
std::string TwoWide(int number)
{
    const std::string digits = std::to_string(number);
    return digits.size() < 2 ? " " + digits : digits;
}

void WriteLine(std::string& out, const std::string& line)
{
    out += line;
    out += LineEnd;
}

// The diagram rows 1 to 8 of `board`, whose playing cells hold cell codes.
void WriteDiagramRows(std::string& out, const TBoard& codes)
{
    for (int y = 1; y <= 8; ++y) {
        out += std::to_string(y) + "|";
        for (int x = 1; x <= 8; ++x) {
            WriteCell(out, Cell(codes, x, y));
        }
        WriteCell(out, RowEndCode);
    }
}

void WriteMoveList(std::string& out, const TGameRecord& record)
{
    int number = 0;
    for (int i = 0; i < record.LastIndex; ++i) {
        const int move = StoredMove(record, i);
        if (move != 0) {
            ++number;
        }
        const std::string square = move == 0 ? "Pass" : IsSquareCode(move) ? MoveCodeName(move) : "??";
        std::string line = "[";
        line += TwoWide(number);
        line += i % 2 == 1 ? "] White : " : "] Black : ";
        line += square;
        WriteLine(out, line);
    }
}

// The final position as cell codes, and its disc counts.
TBoard FinalPositionCodes(const TGameRecord& record, int& blackCount, int& whiteCount)
{
    TBoard codes = UnpackPosition(record, record.LastIndex);
    blackCount = 0;
    whiteCount = 0;
    for (int y = 1; y <= 8; ++y) {
        for (int x = 1; x <= 8; ++x) {
            std::int16_t& cell = Cell(codes, x, y);
            blackCount += cell == Black ? 1 : 0;
            whiteCount += cell == White ? 1 : 0;
            cell = cell == Black ? BlackStartDisc : cell == White ? WhiteStartDisc : 0;
        }
    }
    return codes;
}

} // namespace

void WriteCell(std::string& out, int code)
{
    if (code == 0) {
        out += "    |";
    } else if (code >= 1 && code <= 998) {
        out += '(';
        out += TwoWide(code);
        out += ")|";
    } else if (code == WhiteStartDisc) {
        out += "(  )|";
    } else if (code >= BlackMoveOffset && code <= 1998) {
        out += '*';
        out += TwoWide(code - BlackMoveOffset);
        out += "*|";
    } else if (code == BlackStartDisc) {
        out += " ** |";
    } else if (code == DiagramStartCode) {
        out += LineEnd;
        WriteLine(out, LetterLine);
        WriteLine(out, FrameLine);
    } else if (code == RowEndCode) {
        out += LineEnd;
        WriteLine(out, FrameLine);
    }
}

std::string TextSheet(const TGameRecord& record)
{
    std::string out;
    for (const std::string& line : record.Comments) {
        WriteLine(out, line);
    }
    WriteCell(out, DiagramStartCode);
    WriteDiagramRows(out, BuildMoveNumberBoard(record));
    out += LineEnd;
    WriteMoveList(out, record);
    int blackCount = 0;
    int whiteCount = 0;
    const TBoard finalCodes = FinalPositionCodes(record, blackCount, whiteCount);
    WriteCell(out, DiagramStartCode);
    WriteDiagramRows(out, finalCodes);
    WriteLine(out, "Black " + std::to_string(blackCount) + " vs White " + std::to_string(whiteCount));
    return out;
}

std::string ExportConfirmation(const std::string& path)
{
    return "\"" + path + "\"\r\twas published. Open now ?";
}

} // namespace kalvoro::analysis
