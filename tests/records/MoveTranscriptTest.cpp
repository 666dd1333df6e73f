// Move lists as text: the transcript written for the clipboard and the spellings read back from it.
#include "records/MoveTranscript.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

const std::vector<std::uint16_t> FirstMoves { 65, 46, 33 };

TEST(MoveTranscript, WritesLowerCaseSquaresWithoutPasses)
{
    EXPECT_EQ(TranscriptOf(std::vector<std::uint16_t> { 65, 46, 0, 33, 0 }), "f5d6c3");
    EXPECT_EQ(TranscriptOf(std::vector<std::uint16_t> {}), "");
    EXPECT_EQ(TranscriptOf(std::vector<std::uint16_t> { 11, 88 }), "a1h8");
}

TEST(MoveTranscript, ReadsTheCommonSpellings)
{
    for (const char* text : { "f5d6c3", "F5D6C3", "f5 d6 c3", "F5, D6, C3", "1. f5 d6 2. c3",
             "1.f5 2.d6 3.c3", "1) F5 2) d6 3) C3\n", "  f5\td6\r\nc3  ", "f5;d6;c3." }) {
        const TTranscriptReading reading = ReadTranscript(text);
        EXPECT_FALSE(reading.unreadable) << text;
        EXPECT_EQ(reading.moveCodes, FirstMoves) << text;
    }
    EXPECT_TRUE(ReadTranscript("").moveCodes.empty());
    EXPECT_FALSE(ReadTranscript(" , ").unreadable);
}

TEST(MoveTranscript, NamesTheFirstPieceItCannotReadWithItsNumber)
{
    const std::pair<const char*, TUnreadableMove> refusals[] = { { "f5d6i3", { 3, "i3" } },
        { "f5 d9 c3", { 2, "d9" } }, { "f5 d6 c33", { 3, "c33" } }, { "f5 pass d6", { 2, "pass" } },
        { "x", { 1, "x" } }, { "f5d6c", { 3, "c" } }, { "f5 12x", { 2, "12x" } } };
    for (const auto& [text, expected] : refusals) {
        const TTranscriptReading reading = ReadTranscript(text);
        ASSERT_TRUE(reading.unreadable) << text;
        EXPECT_EQ(reading.unreadable->number, expected.number) << text;
        EXPECT_EQ(reading.unreadable->text, expected.text) << text;
    }
}

} // namespace
