#include "GameSave.h"

#include "ProgramFolder.h"
#include "RecordTime.h"
#include "game/GameFlow.h"

#include <algorithm>

namespace {

TPositionLine LineOfRecord(const THistoryRecord& record, std::uint16_t nextMove)
{
    TPositionLine line {};
    line[0] = record.Mobility;
    std::copy(record.Rows.begin(), record.Rows.end(), line.begin() + 1);
    line[9] = nextMove;
    return line;
}

void StoreLine(int index, const TPositionLine& line)
{
    THistoryRecord& record = Game.History[index];
    record.Mobility = line[0];
    std::copy(line.begin() + 1, line.begin() + 9, record.Rows.begin());
    MoveField(index + 1) = line[9];
}

} // namespace

std::string PlayerName(int level)
{
    return level >= 0 && level < LevelCount ? LevelNames[level] : LevelNames[HumanLevel];
}

TGameRecord RecordFromGame(const TGameState& game)
{
    TGameRecord record;
    record.LastIndex = std::clamp(game.HistoryTop, 0, HistoryCapacity - 1);
    for (int k = 0; k <= record.LastIndex; ++k) {
        const bool last = k == record.LastIndex;
        record.PositionRows.push_back(LineOfRecord(game.History[k], last ? 0 : game.History[k + 1].Move));
    }
    return record;
}

std::vector<std::string> GameComments(const std::tm& now)
{
    return { "Date : " + DateTimeText(now), "Black : " + PlayerName(GameWindow().PlayerLevel(Black)),
        "White : " + PlayerName(GameWindow().PlayerLevel(White)) };
}

void WriteGameRecord(const std::string& path, const std::tm& now)
{
    TGameRecord record = RecordFromGame(Game);
    record.Comments = GameComments(now);
    SaveGameRecord(path, record);
}

void LoadRecordIntoGame(const TGameRecord& record)
{
    if (record.PositionRows.empty()) {
        return;
    }
    const int lines = std::min(static_cast<int>(record.PositionRows.size()), HistoryCapacity);
    const int lastIndex = std::clamp(record.LastIndex, 0, lines - 1);
    for (int k = 0; k <= lastIndex; ++k) {
        StoreLine(k, record.PositionRows[static_cast<std::size_t>(k)]);
    }
    Game.HistoryTop = lastIndex;
    RestoreFromHistory();
    Game.ViewBoard = Game.GameBoard;
    UpdateCounts();
    Game.SideToMove = lastIndex % 2 == 1 ? White : Black;
    GameWindow().HighlightCountLabel(Game.SideToMove);
    CountLegalMoves();
    GameWindow().SetPlayerLevel(Black, HumanLevel);
    GameWindow().SetPlayerLevel(White, HumanLevel);
    ResetBookCursors(Game.BookCursor);
    GameWindow().FormPaint();
}

void OpenGameRecord(const std::string& path)
{
    LoadRecordIntoGame(ReadGameRecord(path));
}

TAnalysisHandOver MakeAnalysisHandOver(const std::tm& now)
{
    TAnalysisHandOver handOver { RecordFromGame(Game), TimeStampName(now, ".kvr") };
    handOver.Record.Comments = GameComments(now);
    return handOver;
}

std::string SaveDialogDefaultName(const std::tm& now)
{
    return TimeStampName(now, ".KVR");
}

std::string AutoSavePath(const std::string& programFolder)
{
    return InFolder(programFolder, "$Kalv$.kvr");
}

std::optional<std::string> SaveAtExit(
    const std::string& programFolder, const TSettings& settings, const std::tm& now)
{
    return SaveAtExit(TFileLocations { programFolder, programFolder, programFolder, true }, settings, now);
}

std::optional<std::string> SaveAtExit(
    const TFileLocations& locations, const TSettings& settings, const std::tm& now)
{
    try {
        CreateFolder(locations.SettingsFolder);
        SaveSettings(SettingsPath(locations.SettingsFolder), settings);
        CreateFolder(locations.DataFolder);
        WriteGameRecord(AutoSavePath(locations.DataFolder), now);
    } catch (const TFileError& error) {
        return error.what();
    }
    return std::nullopt;
}
