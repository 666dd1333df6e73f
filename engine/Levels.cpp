#include "Levels.h"

const std::array<const char*, LevelCount> LevelNames { "Human", "Slime", "Dog", "Cow", "Dolphin", "Monkey",
    "Grade 3", "Grade 2", "Grade 1", "Custom" };

TLevelTable BuiltInLevelTable()
{
    return { {
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
}
