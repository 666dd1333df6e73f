#include "analysis/core/TextExport.h"

#include "analysis/core/AnalysisGame.h"

#include "TestRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;

using testrecords::RecordOfMoves;

namespace {

std::string WithCrLf(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "the text ends with a line end";
    return lines;
}

constexpr std::string_view ExampleSheet = R"(Date : 1998/12/07 15:30:00
Black : Human
White : Grade 1

   a    b    c    d    e    f    g    h   
 +----+----+----+----+----+----+----+----+
1|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
2|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
3|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
4|    |    |    |(  )| ** |    |    |    |
 +----+----+----+----+----+----+----+----+
5|    |    |    | ** |(  )|* 1*|    |    |
 +----+----+----+----+----+----+----+----+
6|    |    |    |( 2)|    |    |    |    |
 +----+----+----+----+----+----+----+----+
7|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
8|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+

[ 1] Black : f5
[ 2] White : d6

   a    b    c    d    e    f    g    h   
 +----+----+----+----+----+----+----+----+
1|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
2|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
3|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
4|    |    |    |(  )| ** |    |    |    |
 +----+----+----+----+----+----+----+----+
5|    |    |    |(  )| ** | ** |    |    |
 +----+----+----+----+----+----+----+----+
6|    |    |    |(  )|    |    |    |    |
 +----+----+----+----+----+----+----+----+
7|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
8|    |    |    |    |    |    |    |    |
 +----+----+----+----+----+----+----+----+
Black 3 vs White 3
)";

} // namespace

TEST(TextSheet, WritesTheExampleGameByteForByte)
{
    const TGameRecord record
        = RecordOfMoves({ 65, 46 }, { "Date : 1998/12/07 15:30:00", "Black : Human", "White : Grade 1" });
    EXPECT_EQ(TextSheet(record), WithCrLf(ExampleSheet));
}

TEST(WriteCell, WritesEveryCodeAsFiveCharacters)
{
    const std::vector<std::pair<int, std::string>> cells { { 0, "    |" }, { 7, "( 7)|" }, { 23, "(23)|" },
        { 998, "(998)|" }, { 999, "(  )|" }, { 1007, "* 7*|" }, { 1035, "*35*|" }, { 1999, " ** |" },
        { 2000, "" }, { -3, "" } };
    for (const auto& [code, text] : cells) {
        std::string out;
        WriteCell(out, code);
        EXPECT_EQ(out, text) << "code " << code;
    }
    std::string frame;
    WriteCell(frame, RowEndCode);
    EXPECT_EQ(frame, "\r\n +----+----+----+----+----+----+----+----+\r\n");
    std::string start;
    WriteCell(start, DiagramStartCode);
    const std::vector<std::string> lines = SplitCrLf(start);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1].size(), 42U);
    EXPECT_EQ(lines[2].size(), 42U);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(lines[1][static_cast<std::size_t>(3 + 5 * k)], 'a' + k);
        EXPECT_EQ(lines[2][static_cast<std::size_t>(1 + 5 * k)], '+');
    }
    EXPECT_EQ(lines[2][41], '+');
}

TEST(TextSheet, StartOnlyRecordWithAnEmptyMemo)
{
    const std::vector<std::string> lines = SplitCrLf(TextSheet(RecordOfMoves({})));
    ASSERT_EQ(lines.size(), 40U);
    EXPECT_EQ(lines[0], "") << "an empty memo leaves the first line empty";
    EXPECT_EQ(lines[1], "   a    b    c    d    e    f    g    h   ");
    EXPECT_EQ(lines[9], "4|    |    |    |(  )| ** |    |    |    |");
    EXPECT_EQ(lines[11], "5|    |    |    | ** |(  )|    |    |    |");
    EXPECT_EQ(lines[18], " +----+----+----+----+----+----+----+----+");
    EXPECT_EQ(lines[19], "");
    EXPECT_EQ(lines[20], "") << "no move lines: two empty lines between the diagrams";
    EXPECT_EQ(lines[21], "   a    b    c    d    e    f    g    h   ");
    EXPECT_EQ(lines[29], "4|    |    |    |(  )| ** |    |    |    |");
    EXPECT_EQ(lines.back(), "Black 2 vs White 2");
}

TEST(TextSheet, PassesRepeatTheNumberAndLongGamesUseBothDigits)
{
    // A whole random game with a pass, and enough moves for numbers from 10 upwards.
    std::vector<int> moves;
    for (unsigned seed = 1; seed < 400 && moves.empty(); ++seed) {
        const std::vector<int> candidate = testrecords::RandomGameMoves(seed);
        if (std::find(candidate.begin(), candidate.end() - 1, 0) != candidate.end() - 1) {
            moves = candidate;
        }
    }
    ASSERT_FALSE(moves.empty()) << "no random game with a pass in its middle";
    const TGameRecord record = RecordOfMoves(moves, { "memo" });
    const std::vector<std::string> lines = SplitCrLf(TextSheet(record));
    const std::size_t firstMove = 1 + 3 + 16 + 1;
    ASSERT_GT(lines.size(), firstMove + moves.size());
    int number = 0;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const std::string side = i % 2 == 1 ? "White : " : "Black : ";
        const int move = moves[i];
        number += move != 0 ? 1 : 0;
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "[%2d] ", number);
        EXPECT_EQ(lines[firstMove + i], prefix + side + (move != 0 ? MoveCodeName(move) : "Pass"));
    }
    // The twelfth real move shows as (12)| or *12*| on its square in the first diagram.
    int count = 0;
    std::size_t twelfth = 0;
    while (count < 12) {
        count += moves[twelfth++] != 0 ? 1 : 0;
    }
    const TSquare square = SquareOfMoveCode(moves[twelfth - 1]);
    const std::string& row = lines[static_cast<std::size_t>(4 + 2 * (square.y - 1))];
    const std::string cell = row.substr(static_cast<std::size_t>(2 + 5 * (square.x - 1)), 5);
    EXPECT_TRUE(cell == (twelfth % 2 == 1 ? "*12*|" : "(12)|")) << cell;
}

TEST(TextSheet, EmptySquaresOfAnUnfinishedBoardCountForNobody)
{
    const TGameRecord record = RecordOfMoves(testrecords::RandomGameMoves(5, 20));
    const std::vector<std::string> lines = SplitCrLf(TextSheet(record));
    const TBoard final = UnpackPosition(record, record.LastIndex);
    EXPECT_EQ(lines.back(),
        "Black " + std::to_string(CountDiscs(final, Black)) + " vs White "
            + std::to_string(CountDiscs(final, White)));
    int blanks = 0;
    for (std::size_t row = lines.size() - 17; row < lines.size() - 1; row += 2) {
        for (std::size_t x = 0; x < 8; ++x) {
            blanks += lines[row].substr(2 + 5 * x, 5) == "    |" ? 1 : 0;
        }
    }
    EXPECT_EQ(blanks, 40);
}

TEST(ExportConfirmation, QuotesThePathBeforeTheTabbedQuestion)
{
    EXPECT_EQ(ExportConfirmation("/opt/kalvoro/Kalvoro.txt"),
        "\"/opt/kalvoro/Kalvoro.txt\"\r\twas published. Open now ?");
}
