// The settings file "Kalvoro.Ini" in the settings folder: board size, animation pause, whether the
// evaluation labels are shown, both players and the Custom level's three depths.
//
// Sections and keys: [Option] Size, Timer, ShowEval; [Game] BLevel, WLevel; [Custom] Complete, Fast, Node.
// At the end of a run the caller writes the settings first and only then the auto-save record (SaveAtExit
// in game/GameSave.h does both in that order).
#pragma once

#include "AtomicFile.h"
#include "Options.h"
#include "engine/Levels.h"

#include <cstdint>
#include <string>

namespace kalvoro::records {

using namespace kalvoro::engine;

struct TSettings {
    // The edge of one board square in pixels: one of CellSizeChoices.
    std::int32_t CellSize = DefaultCellSize;
    // The pause per turned disc in 50 ms ticks: one of PauseChoices.
    std::int32_t PauseTicks = DefaultPauseTicks;
    bool ShowEval = DefaultShowEval;
    // Player selector entries, 0 Human to 9 Custom.
    std::int32_t BlackLevel = DefaultBlackLevel;
    std::int32_t WhiteLevel = DefaultWhiteLevel;
    // LevelTable row 9; taken as read, the customize dialog limits it when it shows it.
    TLevelRow Custom = DefaultCustomDepths;
    friend bool operator==(const TSettings&, const TSettings&) = default;
};

// "Kalvoro.Ini" in `settingsFolder`.
std::string SettingsPath(const std::string& settingsFolder);

// Whether a value is one of CellSizeChoices or PauseChoices.
bool IsAcceptedCellSize(std::int32_t size);
bool IsAcceptedPause(std::int32_t ticks);

// Reads the settings of `iniPath`. A missing file, section or key, or a value that is not a number gives
// the default; then a size or pause outside its accepted set becomes its default, and a player outside 0 to 9
// becomes Human (so a missing WLevel is Cow, while WLevel=12 is Human). Never fails.
TSettings LoadSettings(const std::string& iniPath);

// Writes the eight keys in the order of the file in one atomic update, merged under a lock with what other
// copies of the program wrote (WriteProfileStrings); other lines of the file stay. Throws TFileError with
// the message "<iniPath> に書き込めません" and the cause on a second line; then no key was written.
void SaveSettings(const std::string& iniPath, const TSettings& settings);

} // namespace kalvoro::records
