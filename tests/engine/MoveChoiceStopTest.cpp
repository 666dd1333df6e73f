#include "ThinkTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kalvoro::engine;

TEST(ThinkStop, StopsAfterTheRootMoveDuringWhichStopWasPressed)
{
    // Pressed during the search of f4: seen before d6, which is still searched, then Think returns.
    TFakeHost host;
    host.stopAtMessageCall = 2;
    const TThought thought = ThinkAbout(RequestFor(AfterF5(), White, 3), host);
    EXPECT_TRUE(thought.result.stopped);
    EXPECT_EQ(MoveName(thought.result), "f4");
    EXPECT_EQ(thought.rootValues, std::vector<std::string> { "f4 -13" });
    EXPECT_EQ(host.statusTexts.size(), 2U);
    EXPECT_TRUE(host.labels.empty());

    // Pressed during the last root move: never seen inside Think, the move is chosen normally.
    TFakeHost late;
    late.stopAtMessageCall = 4;
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

TEST(ThinkStop, ProcessesMessagesAtTwelveEmptySquaresDuringASolve)
{
    const TRandomPosition position = PositionWithEmpties(13, 2);
    const int moves = LegalMoveCount(position.board, position.sideToMove);
    // Complete analysis of 13 empty squares: once before each root move and at least once at each root child
    // (the strong solver may visit a child's node with 12 empty squares again, with another window).
    TFakeHost host;
    const TThought thought = ThinkAbout(RequestFor(position.board, position.sideToMove, 8), host);
    ASSERT_EQ(thought.result.mode, TThinkMode::Complete);
    EXPECT_GE(host.messageCalls, 2 * moves);
    EXPECT_LE(host.messageCalls, 3 * moves);

    // Stop pressed during the first solve is seen at its 12-empty node: the solve and Think return at once.
    TFakeHost stopping;
    stopping.stopAtMessageCall = 2;
    const TThought stopped = ThinkAbout(RequestFor(position.board, position.sideToMove, 8), stopping);
    EXPECT_TRUE(stopped.result.stopped);
    EXPECT_EQ(stopping.messageCalls, 2);
    EXPECT_EQ(stopping.statusTexts.size(), 1U);
    EXPECT_TRUE(stopping.labels.empty());
}
