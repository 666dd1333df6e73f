#include "Settings.h"

#include "IniFile.h"
#include "ProgramFolder.h"

#include <algorithm>
#include <array>

namespace kalvoro::records {

using namespace kalvoro::engine;

namespace {

template <std::size_t Count>
bool IsChoice(const std::array<TOptionChoice, Count>& choices, std::int32_t value)
{
    return std::ranges::find(choices, value, &TOptionChoice::value) != choices.end();
}

std::int32_t PlayerOrHuman(std::int32_t level)
{
    return level >= 0 && level < LevelCount ? level : HumanLevel;
}

} // namespace

std::string SettingsPath(const std::string& settingsFolder)
{
    return InFolder(settingsFolder, "Kalvoro.Ini");
}

bool IsAcceptedCellSize(std::int32_t size)
{
    return IsChoice(CellSizeChoices, size);
}

bool IsAcceptedPause(std::int32_t ticks)
{
    return IsChoice(PauseChoices, ticks);
}

TSettings LoadSettings(const std::string& iniPath)
{
    const TIniFile ini(iniPath);
    const TSettings defaults;
    TSettings settings;
    settings.CellSize = ini.ReadInteger("Option", "Size", defaults.CellSize);
    settings.PauseTicks = ini.ReadInteger("Option", "Timer", defaults.PauseTicks);
    settings.ShowEval = ini.ReadBool("Option", "ShowEval", defaults.ShowEval);
    settings.BlackLevel = ini.ReadInteger("Game", "BLevel", defaults.BlackLevel);
    settings.WhiteLevel = ini.ReadInteger("Game", "WLevel", defaults.WhiteLevel);
    settings.Custom.completeDepth = ini.ReadInteger("Custom", "Complete", defaults.Custom.completeDepth);
    settings.Custom.fastDepth = ini.ReadInteger("Custom", "Fast", defaults.Custom.fastDepth);
    settings.Custom.nodeDepth = ini.ReadInteger("Custom", "Node", defaults.Custom.nodeDepth);

    if (!IsAcceptedCellSize(settings.CellSize)) {
        settings.CellSize = defaults.CellSize;
    }
    if (!IsAcceptedPause(settings.PauseTicks)) {
        settings.PauseTicks = defaults.PauseTicks;
    }
    settings.BlackLevel = PlayerOrHuman(settings.BlackLevel);
    settings.WhiteLevel = PlayerOrHuman(settings.WhiteLevel);
    return settings;
}

void SaveSettings(const std::string& iniPath, const TSettings& settings)
{
    const TIniFile ini(iniPath);
    ini.WriteInteger("Option", "Size", settings.CellSize);
    ini.WriteInteger("Option", "Timer", settings.PauseTicks);
    ini.WriteBool("Option", "ShowEval", settings.ShowEval);
    ini.WriteInteger("Game", "BLevel", settings.BlackLevel);
    ini.WriteInteger("Game", "WLevel", settings.WhiteLevel);
    ini.WriteInteger("Custom", "Complete", settings.Custom.completeDepth);
    ini.WriteInteger("Custom", "Fast", settings.Custom.fastDepth);
    ini.WriteInteger("Custom", "Node", settings.Custom.nodeDepth);
}

} // namespace kalvoro::records
