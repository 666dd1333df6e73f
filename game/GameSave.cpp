#include "GameSave.h"

#include "GameFlow.h"
#include "records/ProgramFolder.h"
#include "records/RecordTime.h"

#include <algorithm>

namespace kalvoro::game {

using namespace kalvoro::engine;
using namespace kalvoro::records;

namespace {

void StoreLine(int index, const TPositionLine& line)
{
    THistoryRecord& record = Game.History[index];
    record.Mobility = line[0];
    record.Rows = RowsOfLine(line);
    MoveField(index + 1) = line[9];
}

} // namespace

std::string PlayerName(int level)
{
    return level >= 0 && level < LevelCount ? LevelNames[level] : LevelNames[HumanLevel];
}

TPlayerNames PlayerNames(int blackLevel, int whiteLevel)
{
    return { PlayerName(blackLevel), PlayerName(whiteLevel) };
}

TGameRecord RecordFromGame(const TGameState& game)
{
    TGameRecord record;
    record.LastIndex = std::clamp(game.HistoryTop, 0, HistoryCapacity - 1);
    for (int k = 0; k <= record.LastIndex; ++k) {
        const THistoryRecord& position = game.History[k];
        const std::uint16_t nextMove = k == record.LastIndex ? 0 : game.History[k + 1].Move;
        record.PositionRows.push_back(MakePositionLine(position.Mobility, position.Rows, nextMove));
    }
    return record;
}

std::vector<std::string> GameComments(const std::tm& now, const TPlayerNames& players)
{
    return { "Date : " + DateTimeText(now), "Black : " + players.Black, "White : " + players.White };
}

void WriteGameRecord(const std::string& path, const std::tm& now, const TPlayerNames& players)
{
    TGameRecord record = RecordFromGame(Game);
    record.Comments = GameComments(now, players);
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
    ResumeFromHistory();
}

void OpenGameRecord(const std::string& path)
{
    LoadRecordIntoGame(ReadGameRecord(path));
}

TAnalysisHandOver MakeAnalysisHandOver(const std::tm& now, const TPlayerNames& players)
{
    TAnalysisHandOver handOver { RecordFromGame(Game), TimeStampName(now, ".kvr") };
    handOver.Record.Comments = GameComments(now, players);
    return handOver;
}

std::string SaveDialogDefaultName(const std::tm& now)
{
    return TimeStampName(now, ".KVR");
}

std::string AutoSavePath(const std::string& dataFolder)
{
    return InFolder(dataFolder, "$Kalv$.kvr");
}

std::optional<std::string> SaveAtExit(
    const TFileLocations& locations, const TSettings& settings, const std::tm& now)
{
    try {
        CreateFolder(locations.SettingsFolder);
        SaveSettings(SettingsPath(locations.SettingsFolder), settings);
        CreateFolder(locations.DataFolder);
        WriteGameRecord(
            AutoSavePath(locations.DataFolder), now, PlayerNames(settings.BlackLevel, settings.WhiteLevel));
    } catch (const TFileError& error) {
        return error.what();
    }
    return std::nullopt;
}

std::optional<std::string> SaveAtExit(
    const std::string& folder, const TSettings& settings, const std::tm& now)
{
    return SaveAtExit(TFileLocations { folder, folder, folder, true }, settings, now);
}

} // namespace kalvoro::game
