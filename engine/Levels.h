// The computer levels and their three depths.
#pragma once

#include <array>
#include <cstdint>

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
TLevelTable BuiltInLevelTable();
