#include "Settings.h"

#include "IniFile.h"
#include "ProgramFolder.h"

#include <algorithm>
#include <array>
#include <string>

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
    const auto number = [](std::int32_t value) { return std::to_string(value); };
    TIniFile(iniPath).WriteStrings({
        { "Option", "Size", number(settings.CellSize) },
        { "Option", "Timer", number(settings.PauseTicks) },
        { "Option", "ShowEval", settings.ShowEval ? "1" : "0" },
        { "Game", "BLevel", number(settings.BlackLevel) },
        { "Game", "WLevel", number(settings.WhiteLevel) },
        { "Custom", "Complete", number(settings.Custom.completeDepth) },
        { "Custom", "Fast", number(settings.Custom.fastDepth) },
        { "Custom", "Node", number(settings.Custom.nodeDepth) },
    });
}

} // namespace kalvoro::records
