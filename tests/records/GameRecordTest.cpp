#include "records/GameRecord.h"

#include <gtest/gtest.h>

#include <string>

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

const std::string StartLine = "4 21845 21845 21845 21653 22037 21845 21845 21845 0 \r\n";
constexpr TPositionLine StartWords { 4, 21845, 21845, 21845, 21653, 22037, 21845, 21845, 21845, 0 };

TGameRecord Parse(const std::string& text)
{
    return ParseGameRecord(text, "/games/test.kvr");
}

std::string ParseError(const std::string& text)
{
    try {
        Parse(text);
    } catch (const TFileError& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

TEST(FormatGameRecord, WritesTheExactLayout)
{
    TGameRecord record;
    record.LastIndex = 1;
    record.PositionRows = { StartWords, { 3, 21845, 21845, 21845, 23189, 22037, 21845, 21845, 21845, 0 } };
    record.PositionRows[0][9] = 43;
    record.Comments = { "Date : x", "", "White : Cow" };
    EXPECT_EQ(FormatGameRecord(record),
        "1\r\n"
        "4 21845 21845 21845 21653 22037 21845 21845 21845 43 \r\n"
        "3 21845 21845 21845 23189 22037 21845 21845 21845 0 \r\n"
        "Date : x\r\n\r\nWhite : Cow\r\n");
}

TEST(ParseGameRecord, ReadsWhatFormatWrites)
{
    TGameRecord record;
    record.LastIndex = 2;
    record.PositionRows
        = { StartWords, { 0, 65535, 1, 2, 3, 4, 5, 6, 7, 0 }, { 9, 8, 7, 6, 5, 4, 3, 2, 1, 88 } };
    record.Comments = { "first", "", "  spaced  ", "" };
    EXPECT_EQ(Parse(FormatGameRecord(record)), record);
}

TEST(ParseGameRecord, SkipsAnyWhiteSpaceAndControlCharactersBetweenNumbers)
{
    const TGameRecord record
        = Parse("\t 0 \r\n4\t21845 \x01\x1f 21845   21845 21653\x0b 22037 21845 21845 21845 7\r\n");
    ASSERT_EQ(record.PositionRows.size(), 1U);
    EXPECT_EQ(record.PositionRows[0],
        (TPositionLine { 4, 21845, 21845, 21845, 21653, 22037, 21845, 21845, 21845, 7 }));
    EXPECT_TRUE(record.Comments.empty());
}

TEST(ParseGameRecord, ReadsALineSplitInTwoAndIgnoresExtraText)
{
    const TGameRecord split
        = Parse("1\r\n4 21845 21845 21845 21653\r\n22037 21845 21845 21845 43 \r\n" + StartLine);
    ASSERT_EQ(split.PositionRows.size(), 2U);
    EXPECT_EQ(split.PositionRows[0][9], 43);
    EXPECT_EQ(split.PositionRows[1], StartWords);

    const TGameRecord extra
        = Parse("0 positions follow\r\n4 21845 21845 21845 21653 22037 21845 21845 21845 0 "
                "and some words\r\nDate : today\r\n");
    EXPECT_EQ(extra.PositionRows[0], StartWords);
    EXPECT_EQ(extra.Comments, std::vector<std::string> { "Date : today" });
}

TEST(ParseGameRecord, KeepsTheLow16BitsOfSigned32BitNumbers)
{
    const TGameRecord record = Parse("0\r\n-1 65536 65537 +5 -65535 2147483647 -2147483648 0 0 0\r\n");
    EXPECT_EQ(record.PositionRows[0], (TPositionLine { 65535, 0, 1, 5, 1, 65535, 0, 0, 0, 0 }));
}

TEST(ParseGameRecord, RefusesAWordThatIsNotANumberNamingItsLine)
{
    const std::string message = ParseError("1\r\n" + StartLine + "4 21845 abc 21845\r\n");
    EXPECT_NE(message.find("/games/test.kvr"), std::string::npos) << message;
    EXPECT_NE(message.find("\"abc\" on line 3 is not a number"), std::string::npos) << message;
    for (const std::string bad : { "1x", "+", "-", "+-5", "2147483648", "-2147483649", "0x1E", "1.5" }) {
        EXPECT_NE(ParseError("0\r\n" + bad + "\r\n").find("is not a number"), std::string::npos) << bad;
    }
}

TEST(ParseGameRecord, ShowsAHugeOrBinaryWordShortAndPrintable)
{
    const std::string message = ParseError("0\r\n" + std::string(100000, 'z') + "\xff\r\n");
    EXPECT_LT(message.size(), 200U);
    EXPECT_NE(message.find("zzz..."), std::string::npos) << message;
    EXPECT_NE(ParseError("0\r\n\x80\x7f\r\n").find("\"??\""), std::string::npos);
}

TEST(ParseGameRecord, RefusesAFileThatEndsBeforeItsLastPositionNamingWhereItEnds)
{
    EXPECT_EQ(ParseError("2\r\n4 21845 21845\r\n"),
        "Cannot read \"/games/test.kvr\": the file ends on line 3, before the end of position 0 (its first "
        "line "
        "announces positions 0 to 2).");
    EXPECT_EQ(ParseError(""), "Cannot read \"/games/test.kvr\": the file is empty.");
    EXPECT_NE(ParseError(" \r\n").find("ends on line 2, before the number of its last position"),
        std::string::npos);
    // A last position line without its tenth number ends early too; a complete one needs no comment lines.
    EXPECT_NE(ParseError("0\r\n4 21845 21845 21845 21653 22037 21845 21845 21845").find("position 0"),
        std::string::npos);
    EXPECT_EQ(Parse("0\r\n" + StartLine).PositionRows, std::vector<TPositionLine> { StartWords });
}

TEST(ParseGameRecord, RefusesMoreCommentLinesThanARecordHolds)
{
    EXPECT_EQ(
        Parse("0\r\n" + StartLine + std::string(MaxCommentLines, '\n')).Comments.size(), MaxCommentLines);
    EXPECT_EQ(ParseError("0\r\n" + StartLine + std::string(MaxCommentLines, '\n') + "x"),
        "Cannot read \"/games/test.kvr\": it has more than 65536 comment lines, the most a game record "
        "holds.");
}

TEST(ParseGameRecord, TreatsCtrlZAsTheEndOfTheFile)
{
    EXPECT_NE(
        ParseError("1\r\n" + StartLine + "3 21845\x1a 99 99 99\r\nnever read\r\n").find("ends on line 3"),
        std::string::npos);
    EXPECT_TRUE(Parse("0\r\n" + StartLine + "\x1anever read\r\n").Comments.empty());
    EXPECT_EQ(Parse("0\r\n" + StartLine + "Black : Human\x1a tail\r\n").Comments,
        std::vector<std::string> { "Black : Human" });
}

TEST(ParseGameRecord, ReadsCommentLinesUpToTheEndOfTheFile)
{
    EXPECT_EQ(
        Parse("0\r\n" + StartLine + "a\r\n\r\nb").Comments, (std::vector<std::string> { "a", "", "b" }));
    EXPECT_EQ(Parse("0\r\n" + StartLine + "a\r\n\r\n").Comments, (std::vector<std::string> { "a", "" }));
    EXPECT_EQ(Parse("0\r\n" + StartLine + "\r\n").Comments, std::vector<std::string> { "" });
    const std::string longLine(300000, 'c');
    EXPECT_EQ(Parse("0\r\n" + StartLine + longLine + "\r\n").Comments, std::vector<std::string> { longLine });
}

TEST(ParseGameRecord, ReadsLfAloneAndCrAloneLikeCrLf)
{
    const std::string crlf = "1\r\n" + StartLine + StartLine + "Date : x\r\n\r\nWhite : Cow\r\n";
    std::string lf;
    std::string cr;
    for (std::size_t k = 0; k < crlf.size(); ++k) {
        if (crlf.compare(k, 2, "\r\n") == 0) {
            lf += '\n';
            cr += '\r';
            ++k;
        } else {
            lf += crlf[k];
            cr += crlf[k];
        }
    }
    EXPECT_EQ(Parse(lf), Parse(crlf));
    EXPECT_EQ(Parse(cr), Parse(crlf));
    EXPECT_EQ(Parse(crlf).Comments, (std::vector<std::string> { "Date : x", "", "White : Cow" }));
}

TEST(ParseGameRecord, AcceptsFirstNumbers0To119AndRefusesOthers)
{
    std::string lines;
    for (int k = 0; k < 120; ++k) {
        lines += StartLine;
    }
    EXPECT_EQ(Parse("119\r\n" + lines).PositionRows.size(), 120U);
    EXPECT_EQ(Parse("118\r\n" + lines).LastIndex, 118);
    for (const std::string first : { "120", "-1", "65536", "2147483647" }) {
        const std::string message = ParseError(std::string(first).append("\r\n").append(StartLine));
        EXPECT_NE(message.find("/games/test.kvr"), std::string::npos) << message;
        EXPECT_NE(message.find("positions 0 to 119"), std::string::npos) << message;
    }
}
