#include "records/AtomicFile.h"
#include "FileTestSupport.h"
#include "records/GameRecord.h"
#include "records/ProgramFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

TGameRecord SmallRecord(int positions)
{
    TGameRecord record;
    record.LastIndex = positions - 1;
    record.PositionRows.assign(static_cast<std::size_t>(positions),
        { 4, 21845, 21845, 21845, 21653, 22037, 21845, 21845, 21845, 0 });
    record.Comments = { "Black : Human" };
    return record;
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const TFileError& error) {
        return error.what();
    }
    return "no error";
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(ReadGameRecord, ReadsRecordsOf119And120Positions)
{
    TTempFolder folder;
    for (const int positions : { 119, 120 }) {
        const std::string path = folder.File(std::to_string(positions) + ".kvr");
        SaveGameRecord(path, SmallRecord(positions));
        EXPECT_EQ(ReadGameRecord(path), SmallRecord(positions));
    }
    WriteText(folder.File("121.kvr"), "120\r\n");
    EXPECT_TRUE(Contains(ErrorOf([&] { ReadGameRecord(folder.File("121.kvr")); }), "121.kvr"));
}

TEST(ReadGameRecord, RefusesMissingFoldersDevicesAndHugeFilesWithAClearMessage)
{
    TTempFolder folder;
    const std::string missing = ErrorOf([&] { ReadGameRecord(folder.File("none.kvr")); });
    EXPECT_TRUE(Contains(missing, "none.kvr\": the file or its folder does not exist.")) << missing;
    EXPECT_TRUE(Contains(ErrorOf([&] { ReadGameRecord(folder.Path()); }), "it is a folder, not a file"));
    EXPECT_TRUE(Contains(ErrorOf([&] { ReadGameRecord("/dev/zero"); }), "not an ordinary file"));

    // A sparse gigabyte is refused from its size alone, without reading it.
    const std::string huge = folder.File("huge.kvr");
    WriteText(huge, "0\r\n");
    std::filesystem::resize_file(huge, 1ULL << 30);
    EXPECT_TRUE(Contains(ErrorOf([&] { ReadGameRecord(huge); }), "too large"));

    const std::string longLine = folder.File("long.kvr");
    WriteText(longLine, "0\r\n" + std::string(MaxRecordBytes, '1') + "\r\n");
    EXPECT_TRUE(Contains(ErrorOf([&] { ReadGameRecord(longLine); }), "too large"));
}

TEST(ReadGameRecord, ReportsAFileWithoutReadPermission)
{
    TTempFolder folder;
    folder.OpenToEveryone();
    const std::string path = folder.File("secret.kvr");
    SaveGameRecord(path, SmallRecord(1));
    ::chmod(path.c_str(), 0);
    const int code = RunInChild(
        [&] {
            return Contains(ErrorOf([&] { ReadGameRecord(path); }), "secret.kvr\": permission denied") ? 0
                                                                                                       : 1;
        },
        true);
    EXPECT_EQ(code, 0);
}

TEST(SaveGameRecord, ReplacesTheFileAndKeepsItsPermissions)
{
    TTempFolder folder;
    const std::string path = folder.File("game.kvr");
    WriteText(path, "old");
    ::chmod(path.c_str(), 0640);
    SaveGameRecord(path, SmallRecord(2));
    EXPECT_EQ(ReadText(path), FormatGameRecord(SmallRecord(2)));
    struct stat info { };
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    EXPECT_EQ(folder.EntryCount(), 1U);
    if (::geteuid() == 0) {
        ::chown(path.c_str(), NobodyId, NobodyId);
        SaveGameRecord(path, SmallRecord(1));
        ::stat(path.c_str(), &info);
        EXPECT_EQ(info.st_uid, NobodyId) << "root's save took the file from its owner";
    }
}

TEST(SaveGameRecord, WritesThroughASymbolicLinkAndKeepsTheLink)
{
    TTempFolder folder;
    std::filesystem::create_directory(folder.File("games"));
    const std::string target = folder.File("games/real.kvr");
    WriteText(target, "old");
    const std::string link = folder.File("link.kvr");
    std::filesystem::create_symlink("games/real.kvr", link);
    SaveGameRecord(link, SmallRecord(3));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadText(target), FormatGameRecord(SmallRecord(3)));

    const std::string dangling = folder.File("dangling.kvr");
    std::filesystem::create_symlink("games/new.kvr", dangling);
    SaveGameRecord(dangling, SmallRecord(1));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(ReadGameRecord(folder.File("games/new.kvr")), SmallRecord(1));
}

TEST(SaveGameRecord, FailsWithTheCauseWhenTheFolderCannotTakeTheFile)
{
    TTempFolder folder;
    WriteText(folder.File("plain"), "x");
    const std::string underFile
        = ErrorOf([&] { SaveGameRecord(folder.File("plain/game.kvr"), SmallRecord(1)); });
    EXPECT_TRUE(Contains(
        underFile, "Cannot save \"" + folder.File("plain/game.kvr") + "\": a part of the path is not"))
        << underFile;
    const std::string vanished
        = ErrorOf([&] { SaveGameRecord(folder.File("gone/game.kvr"), SmallRecord(1)); });
    EXPECT_TRUE(Contains(vanished, "does not exist")) << vanished;
    std::filesystem::create_directory(folder.File("dir.kvr"));
    EXPECT_TRUE(
        Contains(ErrorOf([&] { SaveGameRecord(folder.File("dir.kvr"), SmallRecord(1)); }), "is a folder"));
    EXPECT_TRUE(
        Contains(ErrorOf([&] { SaveGameRecord("/proc/kalvoro.kvr", SmallRecord(1)); }), "Cannot save"));
}

TEST(SaveGameRecord, LeavesAReadOnlyFolderAndAReadOnlyFileAlone)
{
    TTempFolder folder;
    folder.OpenToEveryone();
    const std::string locked = folder.File("locked");
    std::filesystem::create_directory(locked);
    WriteText(locked + "/old.kvr", "old");
    ::chmod(locked.c_str(), 0555);
    const std::string open = folder.File("open");
    std::filesystem::create_directory(open);
    WriteText(open + "/kept.kvr", "kept");
    ::chmod((open + "/kept.kvr").c_str(), 0444);
    ::chown(open.c_str(), NobodyId, NobodyId);
    ::chown((open + "/kept.kvr").c_str(), NobodyId, NobodyId);
    const int code = RunInChild(
        [&] {
            const bool folderRefused = Contains(
                ErrorOf([&] { SaveGameRecord(locked + "/old.kvr", SmallRecord(1)); }), "permission denied");
            const bool fileRefused = Contains(
                ErrorOf([&] { SaveGameRecord(open + "/kept.kvr", SmallRecord(1)); }), "permission denied");
            return folderRefused && fileRefused ? 0 : 1;
        },
        true);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(locked + "/old.kvr"), "old");
    EXPECT_EQ(ReadText(open + "/kept.kvr"), "kept");
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(open), std::filesystem::directory_iterator {}), 1);
    ::chmod(locked.c_str(), 0755);
}

TEST(SaveGameRecord, KeepsTheOldFileWhenTheDiskIsFull)
{
    TTempFolder folder;
    const std::string path = folder.File("game.kvr");
    SaveGameRecord(path, SmallRecord(1));
    const std::string before = ReadText(path);
    // A file size limit makes every write beyond it fail as on a full disk.
    const int code = RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 100, 100 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string message = ErrorOf([&] { SaveGameRecord(path, SmallRecord(120)); });
        return Contains(message, "game.kvr\": the disk is full") ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadText(path), before);
    EXPECT_EQ(folder.EntryCount(), 1U);
}

TEST(SaveGameRecord, RemovesOnlyItsOwnTemporaryFilesLeftOverByAKilledSave)
{
    TTempFolder folder;
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
    const std::vector<std::string> stale { ".game.kvr.AbC123", ".12071530.KVR.x9Y8z7",
        ".Kalvoro.Ini.qwerty" };
    const std::vector<std::string> kept { ".notes.txt.AbC123", ".game.kvr.AbC12", "game.kvr.AbC123",
        ".game.kvr.AbC12!" };
    for (const std::string& name : stale) {
        WriteText(folder.File(name), "half");
        std::filesystem::last_write_time(folder.File(name), old);
    }
    for (const std::string& name : kept) {
        WriteText(folder.File(name), "theirs");
        std::filesystem::last_write_time(folder.File(name), old);
    }
    WriteText(folder.File(".other.kvr.Fresh1"), "a save under way in another copy");
    SaveGameRecord(folder.File("game.kvr"), SmallRecord(1));
    for (const std::string& name : stale) {
        EXPECT_FALSE(std::filesystem::exists(folder.File(name))) << name;
    }
    for (const std::string& name : kept) {
        EXPECT_TRUE(std::filesystem::exists(folder.File(name))) << name;
    }
    EXPECT_TRUE(std::filesystem::exists(folder.File(".other.kvr.Fresh1")));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram)
{
    const std::string folder = ProgramFolder("");
    EXPECT_TRUE(std::filesystem::exists(InFolder(folder, "records_tests"))) << folder;
    EXPECT_EQ(InFolder("/opt/kalvoro/", "Kalvoro.Ini"), "/opt/kalvoro/Kalvoro.Ini");
    EXPECT_EQ(InFolder("/opt/kalvoro", "Kalvoro.Ini"), "/opt/kalvoro/Kalvoro.Ini");
}

TEST(ReadGameRecordAsFarAsPossible, KeepsThePositionsBeforeTheErrorForTheCommandLineStart)
{
    TTempFolder folder;
    const std::string path = folder.File("damaged.kvr");
    WriteText(path, "2\r\n4 21845 21845 21845 21653 22037 21845 21845 21845 43 \r\n3 21845 oops\r\n");
    const TPartialRecord partial = ReadGameRecordAsFarAsPossible(path);
    ASSERT_TRUE(partial.Error.has_value());
    EXPECT_TRUE(Contains(*partial.Error, "\"oops\" on line 3 is not a number"));
    EXPECT_EQ(partial.Record.LastIndex, 2);
    ASSERT_EQ(partial.Record.PositionRows.size(), 3U);
    EXPECT_EQ(partial.Record.PositionRows[0][9], 43);
    EXPECT_EQ(partial.Record.PositionRows[1], (TPositionLine { 3, 21845, 0, 0, 0, 0, 0, 0, 0, 0 }));

    // A record that ends early keeps what came before its end, with the rest zero.
    WriteText(path, "2\r\n4 21845 21845\r\n");
    const TPartialRecord early = ReadGameRecordAsFarAsPossible(path);
    ASSERT_TRUE(early.Error.has_value());
    EXPECT_TRUE(Contains(*early.Error, "damaged.kvr\": the file ends on line 3")) << *early.Error;
    ASSERT_EQ(early.Record.PositionRows.size(), 3U);
    EXPECT_EQ(early.Record.PositionRows[0], (TPositionLine { 4, 21845, 21845, 0, 0, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(early.Record.PositionRows[2], TPositionLine {});

    const TPartialRecord missing = ReadGameRecordAsFarAsPossible(folder.File("none.kvr"));
    EXPECT_TRUE(missing.Error.has_value());
    EXPECT_TRUE(missing.Record.PositionRows.empty());
    SaveGameRecord(path, SmallRecord(5));
    const TPartialRecord whole = ReadGameRecordAsFarAsPossible(path);
    EXPECT_FALSE(whole.Error.has_value());
    EXPECT_EQ(whole.Record, SmallRecord(5));
}
