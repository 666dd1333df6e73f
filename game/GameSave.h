// The game in progress and its record files: saving it (Save and the auto-save at exit), opening a record
// into it (Open), and the game handed to the analysis window (Analyse). The caller names the players; opening
// reaches the window only through the game flow.
#pragma once

#include "GameState.h"
#include "records/FileLocations.h"
#include "records/GameRecord.h"
#include "records/Settings.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace kalvoro::game {

using namespace kalvoro::engine;
using namespace kalvoro::records;

// The name of a player selector entry ("Human", "Slime", ... "Custom"); "Human" for an index outside 0 to 9.
std::string PlayerName(int level);

// The players as a record's comment lines name them.
struct TPlayerNames {
    std::string Black;
    std::string White;
};

// The names of the player selector entries `blackLevel` and `whiteLevel`.
TPlayerNames PlayerNames(int blackLevel, int whiteLevel);

// History 0 to HistoryTop as a record's position lines: line k holds the Mobility and Rows of record k and
// the Move of record k + 1. The last line's move belongs to no move of the game and is written as 0 (what
// was left there by a taken-back move or an earlier game would only mislead a reader). No comment lines.
TGameRecord RecordFromGame(const TGameState& game);

// The three comment lines of a saved game: "Date : <date> <time>", "Black : <name>", "White : <name>".
std::vector<std::string> GameComments(const std::tm& now, const TPlayerNames& players);

// The game in progress with its three comment lines to `path`. Throws TFileError naming the file and the
// cause; the file that was there before stays intact.
void WriteGameRecord(const std::string& path, const std::tm& now, const TPlayerNames& players);

// Replaces the game in progress by `record` as the Open command does: History 0 to LastIndex and the move
// after it, HistoryTop = LastIndex, and then the game flow's ResumeFromHistory. The comment lines are
// ignored; the mobility numbers of the record stay in History for take-back. `record` must hold 1 to 120
// lines.
void LoadRecordIntoGame(const TGameRecord& record);

// The Open command after its dialog: reads the whole file into a scratch copy, then LoadRecordIntoGame.
// Throws TFileError; the game in progress is then untouched.
void OpenGameRecord(const std::string& path);

// What the Analyse command gives the analysis window (TAnalysisHandOver, records/GameRecord.h): the position
// lines as WriteGameRecord writes them (LastIndex = HistoryTop), the three comment lines for its memo, and
// its file name "mmddhhnn.kvr".
TAnalysisHandOver MakeAnalysisHandOver(const std::tm& now, const TPlayerNames& players);

// The file name the Save dialog offers: "mmddhhnn.KVR".
std::string SaveDialogDefaultName(const std::tm& now);

// "$Kalv$.kvr" in `dataFolder`.
std::string AutoSavePath(const std::string& dataFolder);

// The writes at the end of a normal run, in their order: the settings first, then the game in progress to
// the auto-save record, naming the players of `settings`. When the settings cannot be written, the
// auto-save is not attempted. Returns the message of the first failure for the window to show, or nothing
// when both were written. Each folder is created when it is missing.
std::optional<std::string> SaveAtExit(
    const TFileLocations& locations, const TSettings& settings, const std::tm& now);
// The same with the settings and the auto-save record both in `folder`.
std::optional<std::string> SaveAtExit(
    const std::string& folder, const TSettings& settings, const std::tm& now);

} // namespace kalvoro::game
