// The computer levels, their three depths, the ranges of the Custom level's depths and the customize
// dialog's presets: declared here once for the computer player, the settings, the dialog and the command
// line.
#pragma once

#include <array>
#include <cstdint>

namespace kalvoro::engine {

constexpr int HumanLevel = 0;
constexpr int CustomLevel = 9;
constexpr int LevelCount = 10;

// Per level: solve exactly at this many empty squares or fewer, solve for a win at this many or fewer, and
// otherwise search this many plies.
struct TLevelRow {
    std::int32_t completeDepth = 0;
    std::int32_t fastDepth = 0;
    std::int32_t nodeDepth = 0;
    friend bool operator==(const TLevelRow&, const TLevelRow&) = default;
};

// Indexed by level; row 0 (Human) stays all zero.
using TLevelTable = std::array<TLevelRow, LevelCount>;

// The item texts of the player selectors, indexed by level: "Human", "Slime", ... "Custom".
extern const std::array<const char*, LevelCount> LevelNames;

// Rows 1 to 9 with their built-in depths.
inline constexpr TLevelTable BuiltInLevels { {
    { 0, 0, 0 },
    { 12, 14, 6 },
    { 12, 16, 6 },
    { 12, 14, 6 },
    { 12, 14, 6 },
    { 12, 14, 5 },
    { 12, 14, 4 },
    { 14, 16, 5 },
    { 14, 18, 6 },
    { 14, 16, 5 },
} };

// BuiltInLevels, for a game's own copy of the table.
TLevelTable BuiltInLevelTable();

// The values one depth of the Custom level may take, both ends included.
struct TDepthRange {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

// The ranges of the Custom level's complete analysis, fast analysis and node depths: the computer player
// limits the stored depths to them, and the customize dialog's scroll bars span them.
inline constexpr TDepthRange CompleteDepthRange { 3, 22 };
inline constexpr TDepthRange FastDepthRange { 3, 26 };
inline constexpr TDepthRange NodeDepthRange { 1, 12 };

// `row` with each depth brought into its Custom range.
TLevelRow LimitToCustomRanges(const TLevelRow& row);

// The customize dialog's presets "Grade3", "Grade2" and "Grade1", entries 1 to 3 of its preset list: the
// built-in rows of the levels Grade 3, Grade 2 and Grade 1.
inline constexpr std::array<TLevelRow, 3> PresetTable { BuiltInLevels[6], BuiltInLevels[7],
    BuiltInLevels[8] };

} // namespace kalvoro::engine
