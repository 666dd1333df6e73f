#include "game/GameSave.h"
#include "game/GameFlow.h"
#include "game/QuietWindow.h"
#include "records/FileTestSupport.h"
#include "support/RecordingWindow.h"

#include <gtest/gtest.h>

#include <random>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::game;

namespace {

// 7 December, 18:53:09.
std::tm FixedTime()
{
    std::tm when {};
    when.tm_year = 118;
    when.tm_mon = 11;
    when.tm_mday = 7;
    when.tm_hour = 18;
    when.tm_min = 53;
    when.tm_sec = 9;
    return when;
}

class GameSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::setlocale(LC_ALL, "C");
        ResetGameState();
        SetGameWindow(&window);
        NewGame(false);
    }
    void TearDown() override { SetGameWindow(nullptr); }

    // Plays random legal moves through the game flow until the game ends or `moves` were played.
    void PlayRandomMoves(unsigned seed, int moves = 1000)
    {
        std::mt19937 random(seed);
        for (int played = 0; played < moves && Game.LegalMoveCount > 0 && Game.EmptyCount > 0; ++played) {
            std::vector<TSquare> legal;
            for (int y = 1; y <= 8; ++y) {
                for (int x = 1; x <= 8; ++x) {
                    if (IsLegalMove(x, y, Game.SideToMove)) {
                        legal.push_back({ static_cast<std::int16_t>(x), static_cast<std::int16_t>(y) });
                    }
                }
            }
            const TSquare move
                = legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(random)];
            PlayMove(move.x, move.y);
        }
    }

    // The players as the window's selectors show them.
    TPlayerNames Players() const { return PlayerNames(window.playerLevels[0], window.playerLevels[1]); }

    TQuietWindow window;
    TTempFolder folder;
};

} // namespace

TEST_F(GameSaveTest, SavesANewGameWithItsThreeCommentLines)
{
    window.playerLevels = { 0, 3 };
    const std::string path = folder.File("new.kvr");
    WriteGameRecord(path, FixedTime(), Players());
    EXPECT_EQ(ReadText(path),
        "0\r\n"
        "4 21845 21845 21845 21653 22037 21845 21845 21845 0 \r\n"
        "Date : 12/07/18 18:53:09\r\n"
        "Black : Human\r\n"
        "White : Cow\r\n");
}

TEST_F(GameSaveTest, RoundTripsRandomGamesWordForWord)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SetUp();
        window.playerLevels = { static_cast<int>(seed % 10), static_cast<int>((seed * 7) % 10) };
        PlayRandomMoves(seed, seed % 4 == 0 ? static_cast<int>(seed) : 1000);
        const TGameState played = Game;
        const std::string path = folder.File("game.kvr");
        WriteGameRecord(path, FixedTime(), Players());
        const TGameRecord record = ReadGameRecord(path);
        ASSERT_EQ(record.LastIndex, played.HistoryTop);
        for (int k = 0; k <= played.HistoryTop; ++k) {
            const auto& line = record.PositionRows[static_cast<std::size_t>(k)];
            EXPECT_EQ(line[0], played.History[k].Mobility);
            EXPECT_TRUE(std::equal(line.begin() + 1, line.begin() + 9, played.History[k].Rows.begin()));
            EXPECT_EQ(line[9], k < played.HistoryTop ? played.History[k + 1].Move : 0) << seed << " " << k;
        }
        EXPECT_EQ(record.Comments[1], "Black : " + PlayerName(static_cast<int>(seed % 10)));

        NewGame(false);
        OpenGameRecord(path);
        EXPECT_EQ(Game.HistoryTop, played.HistoryTop);
        for (int k = 0; k <= played.HistoryTop; ++k) {
            EXPECT_EQ(Game.History[k].Mobility, played.History[k].Mobility);
            EXPECT_EQ(Game.History[k].Rows, played.History[k].Rows);
            EXPECT_EQ(k == 0 || Game.History[k].Move == played.History[k].Move, true) << seed << " " << k;
        }
        EXPECT_EQ(Game.GameBoard, played.GameBoard) << seed;
        EXPECT_EQ(Game.SideToMove, played.SideToMove) << seed;
        EXPECT_EQ(Game.LegalMoveCount, played.LegalMoveCount) << seed;
        EXPECT_EQ(Game.EmptyCount, played.EmptyCount) << seed;
        EXPECT_EQ(window.playerLevels, (std::array<int, 2> { 0, 0 }));
    }
}

TEST_F(GameSaveTest, WritesZeroForTheMoveAfterTheLastPosition)
{
    PlayRandomMoves(5, 6);
    TakeBack();
    ASSERT_NE(Game.History[Game.HistoryTop + 1].Move, 0);
    EXPECT_EQ(RecordFromGame(Game).PositionRows.back()[9], 0);
}

TEST_F(GameSaveTest, OpensWithTheSideToMoveFromTheParityAndResetsTheBook)
{
    const std::string start = "4 21845 21845 21845 21653 22037 21845 21845 21845 43 \r\n";
    // After d3: d3 and d4 Black.
    const std::string afterD3 = "3 21845 21845 22101 22165 22037 21845 21845 21845 0 \r\n";
    WriteText(folder.File("odd.kvr"), "1\r\n" + start + afterD3 + "memo\r\n");
    window.playerLevels = { 4, 9 };
    Game.BookCursor = { 7, 9 };
    OpenGameRecord(folder.File("odd.kvr"));
    EXPECT_EQ(Game.HistoryTop, 1);
    EXPECT_EQ(Game.SideToMove, White);
    EXPECT_EQ(Game.History[1].Move, 43);
    EXPECT_EQ(Cell(Game.GameBoard, 4, 3), Black);
    EXPECT_EQ(Cell(Game.GameBoard, 4, 4), Black);
    EXPECT_EQ(Game.ViewBoard, Game.GameBoard);
    EXPECT_EQ(Game.LegalMoveCount, 3);
    EXPECT_EQ(Game.EmptyCount, 59);
    EXPECT_EQ(Game.BookCursor.black, 0);
    EXPECT_EQ(Game.BookCursor.white, 0);
    EXPECT_EQ(window.playerLevels, (std::array<int, 2> { 0, 0 }));

    WriteText(folder.File("even.kvr"), "0\r\n" + start);
    OpenGameRecord(folder.File("even.kvr"));
    EXPECT_EQ(Game.SideToMove, Black);
    EXPECT_EQ(Game.LegalMoveCount, 4);
    EXPECT_EQ(Game.GameBoard, InitialBoard());
}

TEST_F(GameSaveTest, OpeningTellsTheWindowTheCountsTheSideThePlayersAndThenRepaints)
{
    TRecordingWindow recording;
    SetGameWindow(&recording);
    recording.levels = { 4, 9 };
    TGameRecord record;
    record.LastIndex = 1;
    record.PositionRows = { { 4, 21845, 21845, 21845, 21653, 22037, 21845, 21845, 21845, 43 },
        { 3, 21845, 21845, 22101, 22165, 22037, 21845, 21845, 21845, 0 } };
    LoadRecordIntoGame(record);
    EXPECT_EQ(recording.calls,
        (std::vector<std::string> { "CountLabel Black Black: 4", "CountLabel White White: 1",
            "Highlight White", "LastMoveLabel White ", "LastMoveLabel Black d3", "SetPlayer Black 0",
            "SetPlayer White 0", "FormPaint" }));
}

TEST_F(GameSaveTest, AFailedOpenChangesNothing)
{
    PlayRandomMoves(3, 10);
    window.playerLevels = { 2, 5 };
    const TGameState before = Game;
    WriteText(
        folder.File("bad.kvr"), "3\r\n4 21845 21845 21845 21653 22037 21845 21845 21845 43 \r\n3 x\r\n");
    for (const std::string name : { "bad.kvr", "missing.kvr", "" }) {
        EXPECT_THROW(OpenGameRecord(folder.File(name)), TFileError) << name;
        EXPECT_EQ(Game.HistoryTop, before.HistoryTop);
        EXPECT_EQ(Game.History, before.History);
        EXPECT_EQ(Game.GameBoard, before.GameBoard);
        EXPECT_EQ(window.playerLevels, (std::array<int, 2> { 2, 5 }));
    }
}

TEST_F(GameSaveTest, LoadsAFullRecordOf120PositionsWithItsLastMove)
{
    TGameRecord record;
    record.LastIndex = 119;
    record.PositionRows.assign(120, { 0, 21845, 21845, 21845, 21653, 22037, 21845, 21845, 21845, 0 });
    record.PositionRows.back()[9] = 55;
    LoadRecordIntoGame(record);
    EXPECT_EQ(Game.HistoryTop, 119);
    EXPECT_EQ(Game.SideToMove, White);
    EXPECT_EQ(Game.MoveAfterHistory, 55);
    EXPECT_TRUE(HistoryIsFull());
}

TEST_F(GameSaveTest, HandsTheAnalysisWindowWhatARecordWouldHold)
{
    window.playerLevels = { 6, 0 };
    PlayRandomMoves(11, 12);
    const TAnalysisHandOver handOver = MakeAnalysisHandOver(FixedTime(), Players());
    const std::string path = folder.File("same.kvr");
    WriteGameRecord(path, FixedTime(), Players());
    EXPECT_EQ(handOver.Record, ReadGameRecord(path));
    EXPECT_EQ(handOver.Record.Comments,
        (std::vector<std::string> { "Date : 12/07/18 18:53:09", "Black : Grade 3", "White : Human" }));
    EXPECT_EQ(handOver.RecordFileName, "12071853.kvr");
    EXPECT_EQ(SaveDialogDefaultName(FixedTime()), "12071853.KVR");
}

TEST_F(GameSaveTest, SavesSettingsThenTheAutoSaveRecordAtExit)
{
    EXPECT_EQ(AutoSavePath(folder.Path()), folder.Path() + "/$Kalv$.kvr");
    EXPECT_EQ(SaveAtExit(folder.Path(), TSettings {}, FixedTime()), std::nullopt);
    EXPECT_EQ(ReadGameRecord(folder.File("$Kalv$.kvr")).LastIndex, 0);
    EXPECT_EQ(LoadSettings(folder.File("Kalvoro.Ini")), TSettings {});

    // Settings that cannot be written stop the exit writes before the auto-save.
    TTempFolder other;
    std::filesystem::create_directory(other.File("Kalvoro.Ini"));
    const auto message = SaveAtExit(other.Path(), TSettings {}, FixedTime());
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, other.File("Kalvoro.Ini") + " に書き込めません\nIt is a folder, not a file.");
    EXPECT_FALSE(std::filesystem::exists(other.File("$Kalv$.kvr")));
}

TEST_F(GameSaveTest, SavingAtExitCreatesTheUsersFoldersOnDemand)
{
    ResetGameState();
    NewGame(false);
    TTempFolder home;
    const std::string homePath = home.Path();
    const TEnvironment environment
        = [&homePath](const char* name) { return std::string(name) == "HOME" ? homePath.c_str() : nullptr; };
    const auto locations
        = ChooseFileLocations("/usr/bin", "/usr/bin", environment, [](const std::string&) { return true; });
    std::tm now {};
    now.tm_year = 126;
    now.tm_mday = 8;
    EXPECT_EQ(SaveAtExit(locations, TSettings {}, now), std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(home.File(".config/kalvoro/Kalvoro.Ini")));
    EXPECT_TRUE(std::filesystem::exists(home.File(".local/share/kalvoro/$Kalv$.kvr")));
    EXPECT_EQ(LoadSettings(home.File(".config/kalvoro/Kalvoro.Ini")), TSettings {});
}
