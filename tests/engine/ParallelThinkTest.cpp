#include "ThinkTestSupport.h"

#include "engine/RootMoves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace kalvoro::engine;

namespace {

// Everything a think shows: the root values in order, the move, the label and the status texts.
std::vector<std::string> Shown(const TThought& thought, const TFakeHost& host)
{
    std::vector<std::string> shown = thought.rootValues;
    shown.push_back("move " + MoveName(thought.result));
    shown.insert(shown.end(), host.labels.begin(), host.labels.end());
    shown.insert(shown.end(), host.statusTexts.begin(), host.statusTexts.end());
    return shown;
}

std::vector<std::string> ShownWithThreads(const TThinkRequest& base, int threads)
{
    TThinkRequest request = base;
    request.threads = threads;
    TFakeHost host;
    const TThought thought = ThinkAbout(request, host);
    return Shown(thought, host);
}

} // namespace

TEST(ParallelThink, MidGameRootMovesSearchedAtOnceShowWhatTheSearchInListOrderShows)
{
    // Several workers search later root moves with the best value known when they start; every level's
    // values, move, label and status texts must still be those of one worker.
    int compared = 0;
    for (const TRandomPosition& position : ManyRandomPositions(40)) {
        const int empties = BuildEmptyList(position.board).count;
        if (empties < 20 || LegalMoveCount(position.board, position.sideToMove) < 2) {
            continue;
        }
        const int level = 1 + compared % 8;
        TThinkRequest request
            = RequestFor(position.board, position.sideToMove, level, { 3, 3, 2 + compared % 3 });
        request.debugMode = true;
        SCOPED_TRACE("level " + std::to_string(level) + ", position " + std::to_string(compared));
        const std::vector<std::string> one = ShownWithThreads(request, 1);
        ASSERT_EQ(ShownWithThreads(request, 3), one);
        ++compared;
    }
    EXPECT_GT(compared, 1000);
}

namespace {

void ExpectSameTrace(const TBestTrace& shared, const TBestTrace& alone)
{
    EXPECT_EQ(shared.value, alone.value);
    EXPECT_EQ(shared.cut, alone.cut);
    EXPECT_EQ(shared.maximises, alone.maximises);
    ASSERT_EQ(shared.count, alone.count);
    for (int i = 0; i < alone.count; ++i) {
        EXPECT_EQ(shared.improvements[static_cast<std::size_t>(i)],
            alone.improvements[static_cast<std::size_t>(i)]);
    }
}

} // namespace

TEST(ParallelThink, DeepSearchesSharedAlongTheirFirstLineGiveTheValueAndTraceOfOneThread)
{
    // From five plies down, a search on several threads shares out the later moves of each node along its
    // first line, each started with the best value known then. With no bound, and with a bound its first
    // improvements reach (a cut), its value and trace must be those of one thread.
    const TStopFlag stop { false };
    int seen = 0;
    int compared = 0;
    for (const TRandomPosition& position : ManyRandomPositions(12)) {
        const TSquareList list = BuildEmptyList(position.board);
        if (list.count < 26 || list.count > 52 || seen++ % 3 != 0) {
            continue;
        }
        const auto variant = static_cast<TSearchVariant>(compared % 6);
        NodeDepthLimit = 5 + compared % 3;
        const int colour = position.sideToMove;
        std::vector<int> bounds { 32768 * colour, -32768 * colour };
        TBestTrace first;
        SearchTraced(variant, position.board, list, colour, false, 1, { bounds[0] }, stop, nullptr, first);
        if (first.count > 1) {
            bounds.push_back(first.improvements[1]);
        }
        for (const int bound : bounds) {
            SCOPED_TRACE("position " + std::to_string(compared) + ", bound " + std::to_string(bound));
            TBestTrace alone;
            TBestTrace shared;
            SearchTraced(variant, position.board, list, colour, false, 1, { bound }, stop, nullptr, alone, 1);
            SearchTraced(
                variant, position.board, list, colour, false, 1, { bound }, stop, nullptr, shared, 3);
            ExpectSameTrace(shared, alone);
        }
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

TEST(ParallelThink, ASearchWhoseBoundTightensWhileItRunsAnswersForTheTighterBound)
{
    // A root move searched while the moves before it are still settled starts with a looser bound, which is
    // tightened as they settle; wherever it ends, its trace must give the value of the search with the
    // bound it was last given.
    const TStopFlag stop { false };
    int compared = 0;
    for (const TRandomPosition& position : ManyRandomPositions(3)) {
        const TSquareList list = BuildEmptyList(position.board);
        if (list.count < 30 || list.count > 50) {
            continue;
        }
        NodeDepthLimit = 7;
        const auto variant = static_cast<TSearchVariant>(compared % 6);
        const int colour = position.sideToMove;
        TBestTrace loose;
        SearchTraced(variant, position.board, list, colour, false, 1, { 32768 }, stop, nullptr, loose);
        const int looseBound = loose.maximises ? 32768 : -32768;
        SearchTraced(variant, position.board, list, colour, false, 1, { looseBound }, stop, nullptr, loose);
        if (loose.count < 2) {
            continue;
        }
        const int tightBound = loose.improvements[1];
        TBestTrace alone;
        SearchTraced(variant, position.board, list, colour, false, 1, { tightBound }, stop, nullptr, alone);
        TLiveBound live { looseBound };
        TBestTrace tightened;
        {
            const std::jthread settler([&live, tightBound] {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                live.store(tightBound);
            });
            SearchTraced(variant, position.board, list, colour, false, 1, { looseBound, &live }, stop,
                nullptr, tightened);
        }
        SCOPED_TRACE("position " + std::to_string(compared));
        EXPECT_EQ(ValueForBound(tightened, tightBound), alone.value);
        ++compared;
    }
    EXPECT_GT(compared, 20);
}

TEST(ParallelThink, AnalysesOfRootMovesAtOnceShowWhatTheAnalysesInListOrderShow)
{
    // After the first root move, several threads solve the others at once, each with the best value known
    // when it starts; a value found for an older bound is kept only where it holds for the newer one. The
    // fast analysis ends at the first move that does not lose, however many moves after it are under way.
    int compared = 0;
    for (const TRandomPosition& position : ManyRandomPositions(120)) {
        const int empties = BuildEmptyList(position.board).count;
        if (empties < 10 || empties > 13 || LegalMoveCount(position.board, position.sideToMove) < 3) {
            continue;
        }
        for (const TLevelRow row : { TLevelRow { 14, 14, 1 }, TLevelRow { 3, 14, 1 } }) {
            const TThinkRequest request = RequestFor(position.board, position.sideToMove, 9, row);
            SCOPED_TRACE(
                "position " + std::to_string(compared) + " complete " + std::to_string(row.completeDepth));
            const std::vector<std::string> one = ShownWithThreads(request, 1);
            ASSERT_EQ(ShownWithThreads(request, 3), one);
        }
        ++compared;
    }
    EXPECT_GT(compared, 300);
}

TEST(ParallelThink, CompleteAnalysisWhoseSolvesBorrowIdleWorkersShowsWhatOneThreadShows)
{
    // Root children deep enough for the solver's own threads: a move still solved when the other workers
    // have none left borrows them. Each think starts from an empty table, so that the threads really search.
    int compared = 0;
    for (unsigned seed = 3; compared < 4; ++seed) {
        for (const TRandomPosition& position : RandomGamePositions(seed)) {
            if (BuildEmptyList(position.board).count != 17
                || LegalMoveCount(position.board, position.sideToMove) < 4) {
                continue;
            }
            const TThinkRequest request = RequestFor(position.board, position.sideToMove, 9, { 17, 17, 1 });
            SCOPED_TRACE("seed " + std::to_string(seed));
            ThinkTestTable().Clear();
            const std::vector<std::string> one = ShownWithThreads(request, 1);
            ThinkTestTable().Clear();
            ASSERT_EQ(ShownWithThreads(request, 3), one);
            ++compared;
        }
    }
}

TEST(ParallelThink, ARootMoveWaitsForTheBoundTheMovesBeforeItLeave)
{
    // Root values 1, 5, 3, 4, 7, 2 in list order. A move that beats its bound takes a while, long enough for
    // an idle worker to start the next one; a move that does not says so at once and then waits for the
    // next move to start beside it. Every move must be searched once, with the bound the loop in list order
    // gives it, and the moves after one that leaves the best must still be searched beside it.
    const std::vector<int> values { 1, 5, 3, 4, 7, 2 };
    std::vector<TRootMove> moves(values.size());
    for (std::size_t i = 0; i < moves.size(); ++i) {
        moves[i].square = { static_cast<std::int16_t>(i + 1), 1 };
    }
    std::mutex mutex;
    std::condition_variable started;
    std::vector<std::pair<int, int>> searched;
    bool searchedBeside = false;
    TRootSearch search { "[P] ", false, false, 2, false, false,
        [&](const TRootMove& move, const TChildSearch& child) {
            const int index = move.square.x - 1;
            const int value = values[static_cast<std::size_t>(index)];
            std::unique_lock lock(mutex);
            searched.emplace_back(index, child.bound.start);
            started.notify_all();
            if (value > child.bound.start) {
                started.wait_for(lock, std::chrono::milliseconds(50));
                return value;
            }
            lock.unlock();
            child.boundNotBeaten();
            lock.lock();
            if (index + 1 < static_cast<int>(values.size())) {
                const bool nextStarted = started.wait_for(
                    lock, std::chrono::seconds(5), [&] { return searched.back().first > index; });
                searchedBeside = searchedBeside || nextStarted;
            }
            return value;
        },
        [](int r, TSquare) { return r; }, [](int, int, int) { return false; }, false, true };
    TQuietHost host;
    const TRootChoice choice = ChooseRootMove(moves, Black, false, search, host, {});
    EXPECT_EQ(choice.move, moves[4].square);
    std::sort(searched.begin(), searched.end());
    const std::vector<std::pair<int, int>> inListOrder { { 0, -32768 }, { 1, 1 }, { 2, 5 }, { 3, 5 },
        { 4, 5 }, { 5, 7 } };
    EXPECT_EQ(searched, inListOrder);
    EXPECT_TRUE(searchedBeside);
}
