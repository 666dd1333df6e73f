// The strong solvers on several threads against the same solvers on one.
#include "engine/ExactSolver.h"
#include "support/RandomGames.h"
#include "support/StopHosts.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <random>
#include <thread>

using namespace kalvoro::engine;

namespace {

// A host that never stops and notes whether a thread other than the one that created it called it.
class TThreadCheckingHost : public ISolverHost {
public:
    bool StopRequested() override
    {
        Note();
        return false;
    }
    void ProcessMessages() override { Note(); }
    bool CalledFromElsewhere() const { return calledFromElsewhere_; }

private:
    void Note()
    {
        if (std::this_thread::get_id() != owner_) {
            calledFromElsewhere_ = true;
        }
    }

    std::thread::id owner_ = std::this_thread::get_id();
    std::atomic<bool> calledFromElsewhere_ = false;
};

// The positions with 16 or 17 empty squares of random games with the given seeds.
std::vector<TRandomPosition> PositionsToSplit(unsigned firstSeed, unsigned games)
{
    std::vector<TRandomPosition> positions;
    for (unsigned seed = firstSeed; seed < firstSeed + games; ++seed) {
        for (const TRandomPosition& position : RandomGamePositions(seed)) {
            const int empties = BuildEmptyList(position.board).count;
            if (empties >= 16 && empties <= 17) {
                positions.push_back(position);
            }
        }
    }
    return positions;
}

// Every solver gives on 2 and 4 threads what it gives on one, for the bounds the computer player hands in,
// and only the calling thread talks to the host. Each thread count solves each function with a table of its
// own, so that no value of a parallel solve comes straight from a table filled before.
TEST(ParallelSolve, EveryThreadCountGivesTheValuesOfOne)
{
    std::mt19937 random(7);
    TExactTable oneThread;
    std::array<std::array<TExactTable, 3>, 2> tables;
    int compared = 0;
    for (const TRandomPosition& position : PositionsToSplit(1, 5)) {
        const TSquareList list = BuildEmptyList(position.board);
        const int side = position.sideToMove;
        const int bound = std::uniform_int_distribution<int>(-10, 10)(random) * side;
        TThreadCheckingHost host;
        const int exact = SolveExactStrong(position.board, list, side, false, bound, host, oneThread);
        const int winLoss
            = SolveWinLossFast(position.board, list, side, false, 32768 * side, host, oneThread);
        const int score = ExactScore(position.board, side, oneThread);
        for (const int threads : { 2, 4 }) {
            auto& [exactTable, winLossTable, scoreTable] = tables[static_cast<std::size_t>(threads / 4)];
            ASSERT_EQ(
                SolveExactStrong(position.board, list, side, false, bound, host, exactTable, threads), exact);
            ASSERT_EQ(SolveWinLossFast(
                          position.board, list, side, false, 32768 * side, host, winLossTable, threads),
                winLoss);
            ASSERT_EQ(ExactScore(position.board, side, scoreTable, threads), score);
            ++compared;
        }
        ASSERT_FALSE(host.CalledFromElsewhere());
    }
    EXPECT_GT(compared, 15);
}

// A stop asked for at the first message ends a solve on two threads without another message, and what the
// stopped solve left in its table changes no later value.
TEST(ParallelSolve, StopEndsTheSolveAndLeavesTheTableRight)
{
    for (const TRandomPosition& position : PositionsToSplit(21, 2)) {
        const TSquareList list = BuildEmptyList(position.board);
        const int side = position.sideToMove;
        TExactTable table;
        TExactTable untouched;
        TStopOnMessagesHost clicked;
        SolveExactStrong(position.board, list, side, false, 32768 * side, clicked, table, 2);
        EXPECT_EQ(clicked.messageCalls, 1);
        TQuietHost quiet;
        ASSERT_EQ(SolveExactStrong(position.board, list, side, false, 32768 * side, quiet, table, 2),
            SolveExactStrong(position.board, list, side, false, 32768 * side, quiet, untouched));
    }
}

} // namespace
