// The options of the Option menu and the players as the settings file stores them: the board sizes and the
// animation pauses with their menu items, and what a first run starts with. The menus, the settings file
// and the main window read these declarations.
#pragma once

#include "engine/Levels.h"

#include <array>
#include <cstdint>

namespace kalvoro::records {

using namespace kalvoro::engine;

// One value of an option and the menu item that chooses it: the item's object name and its caption with
// the access key.
struct TOptionChoice {
    std::int32_t value = 0;
    const char* itemName = "";
    const char* caption = "";
};

// The edge of one board square in pixels, in the order of the Resize menu.
inline constexpr std::array<TOptionChoice, 6> CellSizeChoices { {
    { 18, "Small2", "&Small2" },
    { 24, "Small1", "&Small1" },
    { 30, "Midium1", "&Midium" },
    { 38, "Big1", "&Big1" },
    { 44, "Big2", "&Big2" },
    { 52, "Huge1", "&Huge" },
} };

// The pause per turned disc in 50 ms ticks, in the order of the Timer menu; 0 shows a move at once.
inline constexpr std::array<TOptionChoice, 4> PauseChoices { {
    { 10, "Slow1", "&Slow" },
    { 5, "Midium2", "&Midium" },
    { 2, "Fast1", "&Fast" },
    { 0, "NoWait1", "&No Wait" },
} };

// The first run's options and players.
inline constexpr std::int32_t DefaultCellSize = 30;
inline constexpr std::int32_t DefaultPauseTicks = 5;
inline constexpr bool DefaultShowEval = true;
inline constexpr std::int32_t DefaultBlackLevel = HumanLevel;
inline constexpr std::int32_t DefaultWhiteLevel = 3; // Cow
inline constexpr TLevelRow DefaultCustomDepths { 14, 16, 9 };

} // namespace kalvoro::records
