#include "ThinkTestSupport.h"

#include <gtest/gtest.h>

#include <string>
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
