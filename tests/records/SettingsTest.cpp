#include "records/Settings.h"
#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    TSettings LoadFrom(const std::string& text)
    {
        WriteText(path, text);
        return LoadSettings(path);
    }

    TTempFolder folder;
    std::string path = SettingsPath(folder.Path());
};

} // namespace

TEST_F(SettingsTest, FirstRunUsesTheDefaultsAndWritesExactlyTheEightKeys)
{
    const TSettings settings = LoadSettings(path);
    EXPECT_EQ(settings.CellSize, 30);
    EXPECT_EQ(settings.PauseTicks, 5);
    EXPECT_TRUE(settings.ShowEval);
    EXPECT_EQ(settings.BlackLevel, 0);
    EXPECT_EQ(settings.WhiteLevel, 3);
    EXPECT_EQ(settings.Custom, (TLevelRow { 14, 16, 9 }));
    SaveSettings(path, settings);
    EXPECT_EQ(ReadText(path),
        "[Option]\nSize=30\nTimer=5\nShowEval=1\n\n[Game]\nBLevel=0\nWLevel=3\n\n[Custom]\nComplete=14\nFast="
        "16\n"
        "Node=9\n");
    EXPECT_EQ(LoadSettings(path), settings);
}

TEST_F(SettingsTest, BringsSizeTimerAndPlayersIntoTheirAcceptedSets)
{
    const TSettings odd = LoadFrom("[Option]\nSize=25\nTimer=3\n[Game]\nBLevel=-1\nWLevel=12\n");
    EXPECT_EQ(odd.CellSize, 30);
    EXPECT_EQ(odd.PauseTicks, 5);
    EXPECT_EQ(odd.BlackLevel, 0);
    EXPECT_EQ(odd.WhiteLevel, 0);
    // A missing or unreadable WLevel is Cow, one out of range is Human.
    EXPECT_EQ(LoadFrom("[Game]\nBLevel=9\n").WhiteLevel, 3);
    EXPECT_EQ(LoadFrom("[Game]\nWLevel=Cow\n").WhiteLevel, 3);
    EXPECT_EQ(LoadFrom("[Game]\nBLevel=9\n").BlackLevel, 9);
    for (const int size : { 18, 24, 30, 38, 44, 52 }) {
        EXPECT_EQ(LoadFrom("[Option]\nSize=" + std::to_string(size) + "\n").CellSize, size);
    }
    for (const int ticks : { 0, 2, 5, 10 }) {
        EXPECT_EQ(LoadFrom("[option]\ntimer=" + std::to_string(ticks) + "\n").PauseTicks, ticks);
    }
}

TEST_F(SettingsTest, ReadsHexSizesAndWritesShowEvalBackAsOne)
{
    const TSettings settings = LoadFrom("[Option]\r\nSize=0x1E\r\nShowEval=2\r\n");
    EXPECT_EQ(settings.CellSize, 30);
    EXPECT_TRUE(settings.ShowEval);
    EXPECT_FALSE(LoadFrom("[Option]\nShowEval=0\n").ShowEval);
    SaveSettings(path, LoadFrom("[Option]\r\nSize=0x1E\r\nShowEval=2\r\n"));
    EXPECT_NE(ReadText(path).find("Size=30\r\nShowEval=1\r\n"), std::string::npos) << ReadText(path);
}

TEST_F(SettingsTest, TakesTheCustomDepthsAsRead)
{
    const TSettings settings = LoadFrom("[Custom]\nComplete=40\nFast=-3\nNode=0x10\n");
    EXPECT_EQ(settings.Custom, (TLevelRow { 40, -3, 16 }));
    SaveSettings(path, settings);
    EXPECT_EQ(LoadSettings(path).Custom, (TLevelRow { 40, -3, 16 }));
}

TEST_F(SettingsTest, KeepsUnknownKeysSectionsAndComments)
{
    const std::string original = "; my notes\n[Window]\nLeft=10\n[Option]\nSize=44\nSound=off\n";
    TSettings settings = LoadFrom(original);
    settings.CellSize = 18;
    SaveSettings(path, settings);
    const std::string saved = ReadText(path);
    EXPECT_EQ(saved.rfind("; my notes\n[Window]\nLeft=10\n[Option]\nSize=18\nSound=off\nTimer=5\n", 0), 0U)
        << saved;
    EXPECT_EQ(LoadSettings(path).CellSize, 18);
}

TEST_F(SettingsTest, ReportsAFolderItCannotWriteAndKeepsTheOldFile)
{
    WriteText(path, "[Option]\nSize=52\n");
    folder.OpenToEveryone();
    ::chmod(folder.Path().c_str(), 0555);
    const int code = RunInChild(
        [&] {
            if (LoadSettings(path).CellSize != 52) {
                return 2;
            }
            try {
                SaveSettings(path, TSettings {});
            } catch (const TFileError& error) {
                return std::string(error.what()) == path + " に書き込めません\nPermission denied."
                        && error.Cause() == "permission denied"
                    ? 0
                    : 3;
            }
            return 1;
        },
        true);
    ::chmod(folder.Path().c_str(), 0700);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(path), "[Option]\nSize=52\n");
}

TEST_F(SettingsTest, KeepsTheOldFileWhenTheDiskIsFull)
{
    const std::string original = "[Option]\nSize=52\n; " + std::string(200, '-') + "\n";
    WriteText(path, original);
    const int code = RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 64, 64 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            SaveSettings(path, TSettings {});
        } catch (const TFileError& error) {
            return std::string(error.what())
                    == path + " に書き込めません\nThe disk is full or the file would grow too large."
                ? 0
                : 2;
        }
        return 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(path), original);
    EXPECT_EQ(folder.EntryCount(), 1U);
}

TEST_F(SettingsTest, CopiesExitingTogetherLeaveEveryKeyWithOneCopysValueAndTheOtherLines)
{
    WriteText(path, "; mine\r\n[Other]\r\nKeep=1\r\n");
    constexpr int Copies = 8;
    std::vector<pid_t> children;
    for (int copy = 0; copy < Copies; ++copy) {
        const pid_t child = ::fork();
        if (child == 0) {
            TSettings settings;
            settings.BlackLevel = copy;
            settings.Custom = { 20 + copy, 20 + copy, 20 + copy };
            int failures = 0;
            for (int round = 0; round < 20; ++round) {
                try {
                    SaveSettings(path, settings);
                } catch (const TFileError&) {
                    ++failures;
                }
            }
            ::_exit(failures);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string text = ReadText(path);
    EXPECT_TRUE(text.starts_with("; mine\r\n[Other]\r\nKeep=1\r\n")) << text;
    const TSettings read = LoadSettings(path);
    EXPECT_EQ(read.Custom.completeDepth, 20 + read.BlackLevel);
    EXPECT_EQ(read.Custom, (TLevelRow { 20 + read.BlackLevel, 20 + read.BlackLevel, 20 + read.BlackLevel }));
    EXPECT_LT(read.BlackLevel, Copies);
    for (const char* key :
        { "Size=", "Timer=", "ShowEval=", "BLevel=", "WLevel=", "Complete=", "Fast=", "Node=" }) {
        EXPECT_EQ(text.find(key), text.rfind(key)) << key << " appears more than once:\n" << text;
        EXPECT_NE(text.find(key), std::string::npos) << key;
    }
    EXPECT_EQ(folder.EntryCount(), 1U);
}

TEST_F(SettingsTest, ReadsAByteOrderMarkAndBareCarriageReturnsAndKeepsThemOnRewriting)
{
    EXPECT_EQ(LoadFrom("\xEF\xBB\xBF[Option]\r\nSize=52\r\n").CellSize, 52);
    SaveSettings(path, TSettings {});
    const std::string rewritten = ReadText(path);
    EXPECT_TRUE(rewritten.starts_with("\xEF\xBB\xBF[Option]\r\nSize=30\r\n")) << rewritten;
    EXPECT_EQ(rewritten.find("[Option]"), rewritten.rfind("[Option]")) << rewritten;

    const TSettings mixed = LoadFrom("[Option]\rSize=44\rTimer=10\n[Game]\r\nBLevel=7\r");
    EXPECT_EQ(mixed.CellSize, 44);
    EXPECT_EQ(mixed.PauseTicks, 10);
    EXPECT_EQ(mixed.BlackLevel, 7);
    SaveSettings(path, TSettings {});
    const std::string crOnly = ReadText(path);
    EXPECT_TRUE(crOnly.starts_with("[Option]\rSize=30\rTimer=5\n")) << crOnly;
    EXPECT_NE(crOnly.find("\r[Custom]\rComplete=14\r"), std::string::npos) << crOnly;
    EXPECT_EQ(LoadSettings(path), TSettings {});
}
