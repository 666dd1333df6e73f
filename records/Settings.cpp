#include "Settings.h"

#include "IniFile.h"
#include "ProgramFolder.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::int32_t, 6> CellSizes { 18, 24, 30, 38, 44, 52 };
constexpr std::array<std::int32_t, 4> Pauses { 0, 2, 5, 10 };

std::int32_t PlayerOrHuman(std::int32_t level)
{
    return level >= 0 && level < LevelCount ? level : HumanLevel;
}

} // namespace

std::string SettingsPath(const std::string& programFolder)
{
    return InFolder(programFolder, "Kalvoro.Ini");
}

bool IsAcceptedCellSize(std::int32_t size)
{
    return std::ranges::find(CellSizes, size) != CellSizes.end();
}

bool IsAcceptedPause(std::int32_t ticks)
{
    return std::ranges::find(Pauses, ticks) != Pauses.end();
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
