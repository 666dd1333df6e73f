#include "Levels.h"

#include <algorithm>

namespace kalvoro::engine {

const std::array<const char*, LevelCount> LevelNames { "Human", "Slime", "Dog", "Cow", "Dolphin", "Monkey",
    "Grade 3", "Grade 2", "Grade 1", "Custom" };

TLevelTable BuiltInLevelTable()
{
    return BuiltInLevels;
}

TLevelRow LimitToCustomRanges(const TLevelRow& row)
{
    const auto limit = [](std::int32_t depth, TDepthRange range) {
        return std::clamp(depth, range.minimum, range.maximum);
    };
    return { limit(row.completeDepth, CompleteDepthRange), limit(row.fastDepth, FastDepthRange),
        limit(row.nodeDepth, NodeDepthRange) };
}

} // namespace kalvoro::engine
