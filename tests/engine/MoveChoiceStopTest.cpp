#include "ThinkTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvoro::engine;

TEST(ThinkStop, StopsAtItsNextLookAfterStopIsPressed)
{
    // Pressed once f4's value is known: seen when d6 is announced, and Think returns without a label.
    TFakeHost host;
    host.stopAtRootValue = 1;
    const TThought thought = ThinkAbout(RequestFor(AfterF5(), White, 3), host);
    EXPECT_TRUE(thought.result.stopped);
    EXPECT_EQ(MoveName(thought.result), "f4");
    EXPECT_EQ(thought.rootValues, std::vector<std::string> { "f4 -13" });
    EXPECT_EQ(host.statusTexts.size(), 2U);
    EXPECT_TRUE(host.labels.empty());

    // Pressed after the last root move's value: the move is chosen normally.
    TFakeHost late;
    late.stopAtRootValue = 3;
    const TThought normal = ThinkAbout(RequestFor(AfterF5(), White, 3), late);
    EXPECT_FALSE(normal.result.stopped);
    EXPECT_EQ(MoveName(normal.result), "d6");
    EXPECT_EQ(late.labels, std::vector<std::string> { "White -5" });
}

TEST(ThinkStop, StopsBeforeAnyMoveIsChosenWhenStopIsAlreadySet)
{
    for (int level : { 1, 8 }) {
        TFakeHost host;
        host.stop = true;
        const TThought thought = ThinkAbout(RequestFor(AfterF5(), White, level), host);
        EXPECT_TRUE(thought.result.stopped);
        EXPECT_EQ(thought.result.move.x, 0);
        EXPECT_TRUE(host.labels.empty());
        EXPECT_EQ(host.statusTexts.size(), 1U);
    }
    const TRandomPosition end = PositionWithEmpties(10);
    TFakeHost host;
    host.stop = true;
    const TThought solved = ThinkAbout(RequestFor(end.board, end.sideToMove, 1), host);
    EXPECT_TRUE(solved.result.stopped);
    EXPECT_EQ(solved.result.move.x, 0);
    EXPECT_TRUE(host.labels.empty());
}

TEST(ThinkStop, ProcessesMessagesWhileItSearchesAndStopsADeepSearchAtOnce)
{
    // Each of these would search for many seconds: the window's messages keep being processed while the
    // first root move is searched, and a stop pressed then ends the search at once.
    struct TCase {
        int empties;
        TLevelRow row;
        TThinkMode mode;
    };
    for (const TCase& c :
        { TCase { 40, { 3, 3, 12 }, TThinkMode::MidGame }, TCase { 22, { 22, 22, 1 }, TThinkMode::Complete },
            TCase { 26, { 3, 26, 1 }, TThinkMode::Fast } }) {
        SCOPED_TRACE(c.empties);
        const TRandomPosition position = PositionWithEmpties(c.empties, 4);
        for (int threads : { 1, 2 }) {
            TFakeHost host;
            host.stopAtMessageCall = 3;
            TThinkRequest request = RequestFor(position.board, position.sideToMove, CustomLevel, c.row);
            request.threads = threads;
            const TThought thought = ThinkAbout(request, host);
            EXPECT_EQ(thought.result.mode, c.mode);
            EXPECT_TRUE(thought.result.stopped);
            EXPECT_TRUE(thought.rootValues.empty());
            EXPECT_EQ(host.statusTexts.size(), 1U);
            EXPECT_TRUE(host.labels.empty());
        }
    }
}
