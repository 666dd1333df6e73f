#include "records/IniFile.h"
#include "FileTestSupport.h"
#include "records/IniText.h"

#include <gtest/gtest.h>

using namespace kalvoro::records;

namespace {

const std::string HandEdited = "; Kalvoro settings, edited by hand\r\n"
                               "[other program]\r\n"
                               "Size=99\r\n"
                               "\r\n"
                               "  [ option ]  \r\n"
                               "  SIZE =   38   \r\n"
                               "; Timer=10\r\n"
                               "Timer\t=\t\"2\"\r\n"
                               "Colour=blue\r\n"
                               "\r\n"
                               "[Game]\r\n"
                               "BLevel=4\r\n";

} // namespace

TEST(FindIniValue, MatchesNamesWithoutCaseAndTrimsValues)
{
    EXPECT_EQ(FindIniValue(HandEdited, "Option", "Size"), "38");
    EXPECT_EQ(FindIniValue(HandEdited, "OPTION", "size"), "38");
    EXPECT_EQ(FindIniValue(HandEdited, "Option", "Timer"), "2");
    EXPECT_EQ(FindIniValue(HandEdited, "game", "blevel"), "4");
    EXPECT_EQ(FindIniValue(HandEdited, "other program", "Size"), "99");
    EXPECT_EQ(FindIniValue(HandEdited, "Option", "BLevel"), std::nullopt);
    EXPECT_EQ(FindIniValue(HandEdited, "Custom", "Node"), std::nullopt);
    EXPECT_EQ(FindIniValue("Size=1\n[Option]\n", "Option", "Size"), std::nullopt);
    EXPECT_EQ(FindIniValue("[Option]\nSize=\n", "Option", "Size"), "");
}

TEST(FindIniValue, CutsLongValuesAndSurvivesBinaryBytes)
{
    const std::string longValue(5000, '7');
    EXPECT_EQ(FindIniValue("[Option]\nSize=" + longValue + "\n", "Option", "Size"), std::string(1023, '7'));
    const std::string binary
        = std::string("[Option]\n\0\xff\x01=\x80\n", 15) + "Timer=10\n" + std::string(3, '\0');
    EXPECT_EQ(FindIniValue(binary, "Option", "Timer"), "10");
}

TEST(SetIniValue, UpdatesAKeyInPlaceAndKeepsEveryOtherLine)
{
    const std::string updated = SetIniValue(HandEdited, "option", "size", "52");
    std::string expected = HandEdited;
    expected.replace(expected.find("  SIZE =   38   "), 16, "size=52");
    EXPECT_EQ(updated, expected);
}

TEST(SetIniValue, AddsAMissingKeyAfterTheLastLineOfItsSection)
{
    std::string expected = HandEdited;
    expected.insert(expected.find("\r\n\r\n[Game]") + 2, "ShowEval=1\r\n");
    EXPECT_EQ(SetIniValue(HandEdited, "Option", "ShowEval", "1"), expected);
    EXPECT_EQ(SetIniValue("[Game]\nBLevel=1", "Game", "WLevel", "3"), "[Game]\nBLevel=1\nWLevel=3\n");
    // A byte-order mark is kept apart only at the start of the file; elsewhere it is text of its line.
    EXPECT_EQ(SetIniValue("[Game]\n\xEF\xBB\xBF", "Game", "WLevel", "3"), "[Game]\n\xEF\xBB\xBF\nWLevel=3\n");
}

TEST(SetIniValue, AppendsAMissingSectionAndWritesAFileFromScratchInOrder)
{
    EXPECT_EQ(SetIniValue(HandEdited, "Custom", "Node", "9"), HandEdited + "\r\n[Custom]\r\nNode=9\r\n");
    std::string text;
    text = SetIniValue(text, "Option", "Size", "30");
    text = SetIniValue(text, "Option", "Timer", "5");
    text = SetIniValue(text, "Game", "BLevel", "0");
    EXPECT_EQ(text, "[Option]\nSize=30\nTimer=5\n\n[Game]\nBLevel=0\n");
    EXPECT_EQ(SetIniValue("[Game]\nBLevel=0\n", "Game", "BLevel", "a\r\nb"), "[Game]\nBLevel=a  b\n");
}

TEST(SetIniValue, KeepsOtherValuesWhenTheLastLineEndsInABareCarriageReturn)
{
    // Found by fuzzing: appending after a last line "Depth = \"\r" turned its value into "\"\r".
    for (const std::string& text :
        { std::string("[Custom]\r\nDepth = \"\r"), std::string("[Custom]\nDepth=7\r") }) {
        const auto before = FindIniValue(text, "Custom", "Depth");
        ASSERT_TRUE(before.has_value());
        for (const char* section : { "Option", "Custom" }) {
            const std::string updated = SetIniValue(text, section, "CellSize", "44");
            EXPECT_EQ(FindIniValue(updated, "Custom", "Depth"), before) << section;
            EXPECT_EQ(FindIniValue(updated, section, "CellSize"), "44");
        }
    }
}

TEST(ParseIniInteger, ReadsDecimalAndHexadecimal)
{
    EXPECT_EQ(ParseIniInteger("0x1E"), 30);
    EXPECT_EQ(ParseIniInteger("0X1e"), 30);
    EXPECT_EQ(ParseIniInteger("0xFFFFFFFF"), -1);
    EXPECT_EQ(ParseIniInteger("-12"), -12);
    EXPECT_EQ(ParseIniInteger("+7"), 7);
    EXPECT_EQ(ParseIniInteger("007"), 7);
    EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
    for (const char* bad :
        { "", "0x", "0x1G", "0x100000000", "2147483648", "12a", "abc", "+-1", " 5", "1.0" }) {
        EXPECT_EQ(ParseIniInteger(bad), std::nullopt) << bad;
    }
}

TEST(TIniFile, ReadsDefaultsFromAMissingFileAndCreatesItOnWriting)
{
    TTempFolder folder;
    const TIniFile ini(folder.File("Test.Ini"));
    EXPECT_EQ(ini.ReadString("Option", "Size", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("Option", "Size", 30), 30);
    EXPECT_TRUE(ini.ReadBool("Option", "ShowEval", true));
    EXPECT_FALSE(std::filesystem::exists(ini.FileName));
    ini.WriteInteger("Option", "Size", -5);
    ini.WriteBool("Option", "ShowEval", false);
    EXPECT_EQ(ReadText(ini.FileName), "[Option]\nSize=-5\nShowEval=0\n");
    EXPECT_EQ(ini.ReadInteger("option", "SIZE", 30), -5);
    EXPECT_FALSE(ini.ReadBool("Option", "ShowEval", true));
}

TEST(TIniFile, ReadsBooleansAsIntegers)
{
    TTempFolder folder;
    WriteText(folder.File("b.ini"), "[Option]\nA=2\nB=0\nC=yes\nD=0x0\n");
    const TIniFile ini(folder.File("b.ini"));
    EXPECT_TRUE(ini.ReadBool("Option", "A", false));
    EXPECT_FALSE(ini.ReadBool("Option", "B", true));
    EXPECT_TRUE(ini.ReadBool("Option", "C", true));
    EXPECT_FALSE(ini.ReadBool("Option", "C", false));
    EXPECT_FALSE(ini.ReadBool("Option", "D", true));
}

TEST(TIniFile, ReportsAFileItCannotWriteByName)
{
    TTempFolder folder;
    std::filesystem::create_directory(folder.File("Dir.Ini"));
    const TIniFile ini(folder.File("Dir.Ini"));
    EXPECT_EQ(ini.ReadInteger("Option", "Size", 30), 30);
    try {
        ini.WriteInteger("Option", "Size", 18);
        FAIL() << "writing into a folder succeeded";
    } catch (const TFileError& error) {
        EXPECT_EQ(std::string(error.what()),
            folder.File("Dir.Ini") + " に書き込めません\nIt is a folder, not a file.");
        EXPECT_EQ(error.Cause(), "it is a folder, not a file");
    }
    const TIniFile vanished(folder.File("gone/Kalvoro.Ini"));
    try {
        vanished.WriteBool("Option", "ShowEval", true);
        FAIL() << "writing into a missing folder succeeded";
    } catch (const TFileError& error) {
        EXPECT_EQ(std::string(error.what()),
            vanished.FileName + " に書き込めません\nThe file or its folder does not exist.");
        EXPECT_EQ(error.Cause(), "the file or its folder does not exist");
    }
}

TEST(TIniFile, RefusesToRewriteAnOversizedFile)
{
    TTempFolder folder;
    const std::string path = folder.File("Big.Ini");
    const std::string original = "[Option]\nSize=24\n; " + std::string(MaxIniBytes, 'x') + "\n";
    WriteText(path, original);
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Option", "Size", 30), 30);
    EXPECT_THROW(ini.WriteInteger("Option", "Size", 18), TFileError);
    EXPECT_EQ(ReadText(path), original);
}
