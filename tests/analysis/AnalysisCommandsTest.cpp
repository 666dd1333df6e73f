#include "cli/AnalysisCommands.h"

#include "TestRecords.h"
#include "analysis/core/AnalysisGame.h"
#include "analysis/core/BestMove.h"
#include "analysis/core/TextExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace kalvoro::engine;
using namespace kalvoro::records;
using namespace kalvoro::analysis;
using namespace kalvoro::cli;

using testrecords::RecordOfMoves;

namespace {

class AnalysisCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path()
            / ("kalvoro-analysis-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string Save(const TGameRecord& record)
    {
        std::string path = (folder / "game.kvr").string();
        SaveGameRecord(path, record);
        return path;
    }
    int Run(const std::vector<std::string>& arguments)
    {
        out.str("");
        err.str("");
        return RunAnalysisCommand(arguments, out, err).value_or(-1);
    }

    std::filesystem::path folder;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(AnalysisCommands, BestPrintsTheThreeLinesOfTheReport)
{
    const TGameRecord record = RecordOfMoves(testrecords::RandomGameMoves(4, 52));
    const std::string path = Save(record);
    const int index = record.LastIndex - 1;
    ASSERT_TRUE(HintAvailable(record, index));
    ASSERT_EQ(Run({ "best", path, std::to_string(index) }), 0) << err.str();
    const auto lines = BestMoveReport(AnalyseBestMove(UnpackPosition(record, index), SideToMoveAt(index)));
    EXPECT_EQ(out.str(), lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n");
    EXPECT_NE(out.str().find(" is Best.\nEvaluation : "), std::string::npos);
}

TEST_F(AnalysisCommands, BestRefusesPositionsTheWindowWouldNotSolve)
{
    const std::string path = Save(RecordOfMoves({ 65, 46 }));
    EXPECT_EQ(Run({ "best", path, "1" }), 1);
    EXPECT_NE(err.str().find("59 empty squares"), std::string::npos) << err.str();
    EXPECT_EQ(Run({ "best", path, "3" }), 1);
    EXPECT_EQ(Run({ "best", path, "x" }), 1);
    EXPECT_EQ(Run({ "best", path }), 2);
    EXPECT_EQ(Run({ "best", (folder / "missing.kvr").string(), "0" }), 1);
    EXPECT_NE(err.str().find("missing.kvr"), std::string::npos);
    EXPECT_TRUE(out.str().empty());
}

TEST_F(AnalysisCommands, ExportWritesTheTextByteForByte)
{
    const TGameRecord record = RecordOfMoves({ 65, 46, 33 }, { "Date : today", "" });
    ASSERT_EQ(Run({ "export", Save(record) }), 0);
    EXPECT_EQ(out.str(), TextSheet(record));
    EXPECT_EQ(Run({ "export" }), 2);
    EXPECT_EQ(Run({ "think", "1" }), -1) << "other commands are left to the command line's own parser";
}
