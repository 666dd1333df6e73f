#include "ThinkTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace kalvoro::engine;

namespace {

// Plain minimax to the end of the game, from Black's side.
int PlainSolve(const TBoard& board, int side, bool passed = false)
{
    const TSquareList list = BuildEmptyList(board);
    int best = side == Black ? -100 : 100;
    bool moved = false;
    for (int k = 0; k < list.count; ++k) {
        TBoard child;
        if (MakeMove(board, child, list.squares[k].x, list.squares[k].y, side)) {
            moved = true;
            const int value = PlainSolve(child, -side);
            best = side == Black ? std::max(best, value) : std::min(best, value);
        }
    }
    if (moved) {
        return best;
    }
    return passed ? DiscDifference(board) : PlainSolve(board, -side, true);
}

struct TPinnedRoot {
    int level;
    std::vector<std::string> rootValues;
    std::string move;
};

} // namespace

TEST(Think, PinsTheRootValuesOfTheOpeningMoves)
{
    const std::vector<TPinnedRoot> opening {
        { 1, { "d3 -4", "c4 -4", "f5 -4", "e6 -4" }, "d3" },
        { 2, { "d3 2", "c4 0", "f5 0", "e6 0" }, "d3" },
        { 3, { "d3 3", "c4 3", "f5 4", "e6 4" }, "f5" },
        { 4, { "d3 6", "c4 6", "f5 6", "e6 6" }, "d3" },
        { 5, { "d3 3", "c4 3", "f5 3", "e6 3" }, "d3" },
    };
    for (const TPinnedRoot& pinned : opening) {
        SCOPED_TRACE(LevelNames[pinned.level]);
        TFakeHost host;
        const TThought thought = ThinkAbout(RequestFor(InitialBoard(), Black, pinned.level), host);
        EXPECT_EQ(thought.rootValues, pinned.rootValues);
        EXPECT_EQ(MoveName(thought.result), pinned.move);
        EXPECT_EQ(thought.result.mode, TThinkMode::MidGame);
        EXPECT_EQ(NodeDepthLimit, BuiltInLevelTable()[pinned.level].nodeDepth);
    }
    const std::vector<TPinnedRoot> afterF5 {
        { 1, { "f4 -10", "d6 -10", "f6 -10" }, "f4" },
        { 2, { "f4 3", "d6 3", "f6 1" }, "f4" },
        { 3, { "f4 -13", "d6 -5", "f6 -20" }, "d6" },
        { 4, { "f4 6", "d6 6", "f6 5" }, "f4" },
        { 5, { "f4 0", "d6 0", "f6 1" }, "f6" },
    };
    for (const TPinnedRoot& pinned : afterF5) {
        SCOPED_TRACE(LevelNames[pinned.level]);
        TFakeHost host;
        const TThought thought = ThinkAbout(RequestFor(AfterF5(), White, pinned.level), host);
        EXPECT_EQ(thought.rootValues, pinned.rootValues);
        EXPECT_EQ(MoveName(thought.result), pinned.move);
    }
}

TEST(Think, ShowsWhatItSearchesAndWritesTheBestValue)
{
    TFakeHost host;
    const TThought thought = ThinkAbout(RequestFor(AfterF5(), White, 3), host);
    EXPECT_EQ(host.statusTexts,
        (std::vector<std::string> {
            "[N] White is thinking f4", "[N] White is thinking d6", "[N] White is thinking f6" }));
    EXPECT_EQ(host.events,
        (std::vector<std::string> { "status", "messages", "status", "messages", "status", "messages" }));
    EXPECT_EQ(host.labels, std::vector<std::string> { "White -5" });
    EXPECT_TRUE(host.debugValues.empty());
    EXPECT_FALSE(thought.result.stopped);
}

TEST(Think, DrawsMidGameValuesInDebugModeOnly)
{
    TFakeHost host;
    TThinkRequest request = RequestFor(InitialBoard(), Black, 3);
    request.debugMode = true;
    const TThought thought = ThinkAbout(request, host);
    EXPECT_EQ(host.debugValues, thought.rootValues);

    const TRandomPosition end = PositionWithEmpties(8);
    TFakeHost solveHost;
    request = RequestFor(end.board, end.sideToMove, 1);
    request.debugMode = true;
    EXPECT_EQ(ThinkAbout(request, solveHost).result.mode, TThinkMode::Complete);
    EXPECT_TRUE(solveHost.debugValues.empty());
}

TEST(Think, ChoosesTheModeByEmptySquaresAndLevel)
{
    struct TCase {
        int level;
        int empties;
        const char* prefix;
        TThinkMode mode;
    };
    const std::vector<TCase> cases {
        { 8, 19, "[N] ", TThinkMode::MidGame },
        { 8, 18, "[F] ", TThinkMode::Fast },
        { 8, 15, "[F] ", TThinkMode::Fast },
        { 8, 14, "[P] ", TThinkMode::Complete },
        { 1, 15, "[N] ", TThinkMode::MidGame },
        { 1, 14, "[F] ", TThinkMode::Fast },
        { 1, 13, "[F] ", TThinkMode::Fast },
        { 1, 12, "[P] ", TThinkMode::Complete },
        { 2, 16, "[F] ", TThinkMode::Fast },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(LevelNames[c.level]) + " at " + std::to_string(c.empties));
        const TRandomPosition position = PositionWithEmpties(c.empties);
        TFakeHost host;
        // Stop at once: only the first root move is looked at, which is enough to tell the mode.
        host.stopAtMessageCall = 1;
        const TThought thought = ThinkAbout(RequestFor(position.board, position.sideToMove, c.level), host);
        EXPECT_EQ(thought.result.mode, c.mode);
        ASSERT_EQ(host.statusTexts.size(), 1U);
        EXPECT_EQ(host.statusTexts[0].substr(0, 4), c.prefix);
        EXPECT_NE(host.statusTexts[0].find(ColourName(position.sideToMove)), std::string::npos);
    }
}

TEST(Think, ReturnsTheLastEmptySquareAtOnce)
{
    const TRandomPosition position = PositionWithEmpties(1, 1);
    const TSquareList list = BuildEmptyList(position.board);
    for (int level = 1; level <= 9; ++level) {
        TFakeHost host;
        const TThought thought = ThinkAbout(RequestFor(position.board, position.sideToMove, level), host);
        EXPECT_EQ(thought.result.move, list.squares[0]);
        EXPECT_EQ(thought.result.mode, TThinkMode::OneEmpty);
        EXPECT_TRUE(host.statusTexts.empty());
        EXPECT_TRUE(host.labels.empty());
        EXPECT_EQ(host.messageCalls, 0);
    }
}

TEST(Think, CompleteAnalysisFindsTheExactBest)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const TRandomPosition position = PositionWithEmpties(9, 2, seed * 10);
        TFakeHost host;
        const TThought thought = ThinkAbout(RequestFor(position.board, position.sideToMove, 4), host);
        ASSERT_EQ(thought.result.mode, TThinkMode::Complete);
        int best = -1000;
        std::string bestMove;
        const TSquareList list = BuildEmptyList(position.board);
        for (int k = 0; k < list.count; ++k) {
            TBoard child;
            if (MakeMove(position.board, child, list.squares[k].x, list.squares[k].y, position.sideToMove)) {
                const int value = position.sideToMove * PlainSolve(child, -position.sideToMove);
                if (value > best) {
                    best = value;
                    bestMove = SquareName(list.squares[k].x, list.squares[k].y);
                }
            }
        }
        EXPECT_EQ(MoveName(thought.result), bestMove);
        EXPECT_EQ(host.labels,
            std::vector<std::string> {
                std::string(ColourName(position.sideToMove)) + " " + std::to_string(best) });
        EXPECT_EQ(
            static_cast<int>(thought.rootValues.size()), LegalMoveCount(position.board, position.sideToMove));
    }
}

TEST(Think, FastAnalysisEndsAtTheFirstMoveThatDoesNotLose)
{
    // Custom limited to fast analysis from 4 empty squares on.
    const TLevelRow fastOnly { 3, 26, 1 };
    int endedEarly = 0;
    int triedAll = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const TRandomPosition position = PositionWithEmpties(10, 3, seed);
        TFakeHost host;
        const TThought thought
            = ThinkAbout(RequestFor(position.board, position.sideToMove, CustomLevel, fastOnly), host);
        ASSERT_EQ(thought.result.mode, TThinkMode::Fast);
        std::vector<int> values;
        for (const std::string& line : thought.rootValues) {
            values.push_back(std::stoi(line.substr(3)));
        }
        ASSERT_FALSE(values.empty());
        for (std::size_t i = 0; i + 1 < values.size(); ++i) {
            EXPECT_LT(values[i], 0);
        }
        const auto best = std::max_element(values.begin(), values.end());
        EXPECT_EQ(MoveName(thought.result), thought.rootValues[best - values.begin()].substr(0, 2));
        if (values.back() >= 0) {
            ++endedEarly;
            EXPECT_EQ(best, values.end() - 1);
        } else {
            ++triedAll;
            EXPECT_EQ(static_cast<int>(values.size()), LegalMoveCount(position.board, position.sideToMove));
        }
    }
    EXPECT_GT(endedEarly, 0);
    EXPECT_GT(triedAll, 0);
}

TEST(Think, PlaysFromTheBookOnlyAtTheGradedLevels)
{
    for (int level = 6; level <= 9; ++level) {
        TFakeHost host;
        NodeDepthLimit = 99;
        const TThought thought = ThinkAbout(RequestFor(InitialBoard(), Black, level), host);
        EXPECT_EQ(MoveName(thought.result), "f5");
        EXPECT_EQ(thought.result.mode, TThinkMode::Book);
        EXPECT_EQ(host.labels, std::vector<std::string> { "Black JOSEKI" });
        EXPECT_TRUE(host.statusTexts.empty());
        EXPECT_EQ(NodeDepthLimit, BuiltInLevelTable()[level].nodeDepth);
    }
    TFakeHost host;
    TBookCursors cursors { 5, 5 };
    const TThinkResult monkey = Think(RequestFor(InitialBoard(), Black, 5), cursors, ThinkTestTable(), host);
    EXPECT_EQ(monkey.mode, TThinkMode::MidGame);
    EXPECT_EQ(cursors.black, 5);
}

TEST(Think, SearchesWhenTheBookMoveCannotBePlayed)
{
    // The recorded moves say f5, but the board is still the initial one (as after editing a position).
    const std::vector<std::uint16_t> moves { 65 };
    TThinkRequest request = RequestFor(InitialBoard(), White, 6);
    request.gameMoves = moves;
    TFakeHost host;
    host.stopAtMessageCall = 1;
    EXPECT_EQ(ThinkAbout(request, host).result.mode, TThinkMode::MidGame);
}

TEST(Think, UsesTheCustomRowWithinTheCustomizeRanges)
{
    const TLevelRow tooSmall { -4, 0, -7 };
    const TLevelRow tooLarge { 40, 60, 99 };
    EXPECT_EQ(EffectiveLevelRow(CustomLevel, tooSmall), (TLevelRow { 3, 3, 1 }));
    EXPECT_EQ(EffectiveLevelRow(CustomLevel, tooLarge), (TLevelRow { 22, 26, 12 }));
    EXPECT_EQ(EffectiveLevelRow(CustomLevel, TLevelRow { 14, 16, 5 }), (TLevelRow { 14, 16, 5 }));
    EXPECT_EQ(EffectiveLevelRow(5, TLevelRow { 12, 14, 5 }), (TLevelRow { 12, 14, 5 }));

    // A node depth below 1 searches one ply, not to the end of the game. After f5 f6 d3 the book has no
    // answer.
    TBoard board = AfterF5();
    TBoard next;
    MakeMove(board, next, 6, 6, White);
    MakeMove(next, board, 4, 3, Black);
    const std::vector<std::uint16_t> moves { 65, 66, 43 };
    TThinkRequest request = RequestFor(board, White, CustomLevel, { 3, 3, 0 });
    request.gameMoves = moves;
    TFakeHost host;
    const TThought shallow = ThinkAbout(request, host);
    EXPECT_EQ(shallow.result.mode, TThinkMode::MidGame);
    EXPECT_EQ(NodeDepthLimit, 1);
    EXPECT_EQ(static_cast<int>(shallow.rootValues.size()), LegalMoveCount(board, White));

    // With huge solver depths 23 empty squares are solved for a win only, and 27 are searched.
    for (const auto& [empties, mode] : { std::pair { 23, TThinkMode::Fast }, { 27, TThinkMode::MidGame } }) {
        const TRandomPosition position = PositionWithEmpties(empties);
        TFakeHost stopping;
        stopping.stopAtMessageCall = 1;
        const TThinkRequest deep
            = RequestFor(position.board, position.sideToMove, CustomLevel, { 40, 60, 2 });
        EXPECT_EQ(ThinkAbout(deep, stopping).result.mode, mode);
    }
}
