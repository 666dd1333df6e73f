#include "engine/Board.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace kalvoro::engine;

namespace {

struct TRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs kalvoro-cli with `arguments` (already quoted for the shell).
TRun RunCli(const std::string& arguments)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string stem = "kalvoro-cli-test-" + std::to_string(::getpid());
    const std::filesystem::path outPath = folder / (stem + ".out");
    const std::filesystem::path errPath = folder / (stem + ".err");
    const std::string command = std::string("'") + KALVORO_CLI_PATH + "' " + arguments + " >'"
        + outPath.string() + "' 2>'" + errPath.string() + "'";
    const int raw = std::system(command.c_str());
    TRun run { WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(outPath), ReadFile(errPath) };
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

// A game the program played (Cow against Dolphin), 60 moves without a pass, ending on a8.
const std::string WholeGame
    = "f5f4e3d6c5d3c6f3e6f6c4c3g5h6h5h4d2c1d1e1e2b4b5a5a6b3a4f1b6c7a3f2c8c2g4g6d7h3g3d8e8"
      "f7f8e7h7h8b1a1g2h2g7a2b2a7g8h1b7b8g1a8";

std::string FirstMoves(int count)
{
    return WholeGame.substr(0, static_cast<std::size_t>(2 * count));
}

struct TReplay {
    TBoard board = InitialBoard();
    bool legal = true;
};

// Plays a transcript without passes from the initial position, letting a side that cannot move pass.
TReplay Replay(const std::string& transcript)
{
    TReplay replay;
    int side = Black;
    for (std::size_t at = 0; at + 1 < transcript.size() && replay.legal; at += 2) {
        const int x = transcript[at] - 'a' + 1;
        const int y = transcript[at + 1] - '0';
        if (CountMobility(replay.board, BuildEmptyList(replay.board), side) == 0) {
            side = -side;
        }
        TBoard next;
        replay.legal = Cell(replay.board, x, y) == EmptyCell && MakeMove(replay.board, next, x, y, side);
        replay.board = next;
        side = -side;
    }
    return replay;
}

} // namespace

TEST(CliThink, PrintsEveryRootValueAndTheChoice)
{
    EXPECT_EQ(RunCli("think slime").out, "d3 -4\nc4 -4\nf5 -4\ne6 -4\nmode N move d3 label -4\n");
    EXPECT_EQ(RunCli("think 3 --moves F5").out, "f4 -13\nd6 -5\nf6 -20\nmode N move d6 label -5\n");
    const TRun monkey = RunCli("think Monkey --moves f5");
    EXPECT_EQ(monkey.status, 0);
    EXPECT_EQ(monkey.out, "f4 0\nd6 0\nf6 1\nmode N move f6 label 1\n");
    EXPECT_TRUE(monkey.err.empty());

    // A stop asked for 50 ms into a search of minutes: nothing is chosen, and the tool says how long it took.
    const TRun stopped = RunCli("think custom --custom 3 3 12 --moves f5d6c3d3c4f4f6f3e6e7 --stop-after 50");
    EXPECT_EQ(stopped.status, 0);
    EXPECT_EQ(stopped.out.rfind("mode N move - label -\nstopped after ", 0), 0U) << stopped.out;
    EXPECT_NE(stopped.out.find(" ms, the stop took "), std::string::npos) << stopped.out;
}

TEST(CliThink, ReadsLevelNamesWhateverTheirCaseAndBlanks)
{
    for (const char* level : { "'Grade 1'", "grade1", "' GRADE  1 '", "8" }) {
        EXPECT_EQ(RunCli(std::string("think ") + level).out, "mode BOOK move f5 label JOSEKI\n") << level;
    }
    EXPECT_EQ(RunCli("think 'grade 3' --moves d3").out, "mode BOOK move c3 label JOSEKI\n");
}

TEST(CliThink, SolvesNearTheEndAndTakesTheLastSquareAtOnce)
{
    EXPECT_EQ(RunCli("think dog --moves " + FirstMoves(59)).out, "mode ONE move a8 label -\n");
    EXPECT_EQ(RunCli("think dog --moves " + WholeGame).out, "pass\n");
    for (const auto& [moves, mode] : { std::pair { 46, "P" }, { 44, "F" } }) {
        const std::vector<std::string> lines
            = Lines(RunCli("think 'Grade 1' --moves " + FirstMoves(moves)).out);
        ASSERT_GE(lines.size(), 2U);
        const std::string& last = lines.back();
        EXPECT_EQ(last.substr(0, 12), std::string("mode ") + mode + " move ") << last;
        // The chosen move is the first root move with the largest value, and the label is that value.
        std::string bestSquare;
        int best = -100000;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            const int value = std::stoi(lines[i].substr(3));
            if (value > best) {
                best = value;
                bestSquare = lines[i].substr(0, 2);
            }
        }
        EXPECT_EQ(last.substr(12), bestSquare + " label " + std::to_string(best));
    }
}

TEST(CliThink, UsesTheCustomDepthsWithinTheirRanges)
{
    // Depths 0 0 0 are used as 3, 3 and 1: after 30 moves the mid-game search runs.
    const std::vector<std::string> lines
        = Lines(RunCli("think custom --custom 0 0 0 --moves " + FirstMoves(30)).out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().substr(0, 7), "mode N ");
    const std::vector<std::string> solved
        = Lines(RunCli("think custom --custom 8 0 5 --moves " + FirstMoves(52)).out);
    ASSERT_FALSE(solved.empty());
    EXPECT_EQ(solved.back().substr(0, 7), "mode P ");
}

TEST(CliPlay, PlaysAWholeGameAndShowsItsResult)
{
    for (const char* players : { "slime dog", "monkey 'grade 3' --moves f5d6" }) {
        const TRun run = RunCli(std::string("play ") + players);
        EXPECT_EQ(run.status, 0);
        const std::vector<std::string> lines = Lines(run.out);
        ASSERT_EQ(lines.size(), 4U) << run.out;
        const TReplay replay = Replay(lines[0]);
        ASSERT_TRUE(replay.legal) << lines[0];
        EXPECT_EQ(CountMobility(replay.board, BuildEmptyList(replay.board), Black), 0);
        EXPECT_EQ(CountMobility(replay.board, BuildEmptyList(replay.board), White), 0);
        const int black = CountDiscs(replay.board, Black);
        const int white = CountDiscs(replay.board, White);
        EXPECT_EQ(lines[1], "Black : " + std::to_string(black));
        EXPECT_EQ(lines[2], "White : " + std::to_string(white));
        const std::string outcome = black > white ? "Black won by " + std::to_string(black - white) + "."
            : white > black                       ? "White won by " + std::to_string(white - black) + "."
                                                  : std::string("Draw Game.");
        EXPECT_EQ(lines[3], outcome);
    }
    EXPECT_EQ(Lines(RunCli("play monkey 'grade 3' --moves f5d6").out)[0].substr(0, 4), "f5d6");
    EXPECT_EQ(Lines(RunCli("play 'grade 2' 'grade 3'").out)[0].substr(0, 36),
        "f5f6e6f4e3c5c4e7b5e2f2d2f3d3g5c3g4d6");
}

TEST(CliArguments, RejectsBadCommandLinesWithStatusTwo)
{
    for (const char* arguments : { "", "bogus", "think", "think 0", "think human", "think 10", "think slimy",
             "think slime --moves", "think slime --moves f5f", "think slime --moves i5",
             "think slime --custom 1 2", "think slime --custom 1 2 x", "think slime --depth 3", "play slime",
             "play slime human", "bench 3" }) {
        const TRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_NE(run.err.find("kalvoro-cli: "), std::string::npos) << arguments;
    }
    const TRun illegal = RunCli("think slime --moves f5f4e3e3");
    EXPECT_EQ(illegal.status, 2);
    EXPECT_NE(illegal.err.find("move 4 of the transcript, e3,"), std::string::npos) << illegal.err;
    const TRun late = RunCli("play slime dog --moves " + WholeGame + "a1");
    EXPECT_EQ(late.status, 2);
    EXPECT_NE(late.err.find("move 61 of the transcript, a1, comes after the end"), std::string::npos)
        << late.err;

    // Each mistake gets its own words, and an argument is quoted at most 60 characters long.
    const std::vector<std::pair<std::string, std::string>> messages {
        { "think slime --record ''", "--record needs a file name, not an empty text" },
        { "play slime dog --out ''", "--out needs a file name, not an empty text" },
        { "think slime --moves f5 --moves f5d6", "--moves is given more than once" },
        { "think slime --custom 1 2", "--custom needs three whole numbers, but only 2 are given" },
        { "think slime --custom 1 2 99999999999", "--custom: '99999999999' is too large for a depth" },
        { "think " + std::string(100000, 'x'), "unknown level '" + std::string(57, 'x') + "...' (1 to 9" },
        { "play slime dog --moves " + WholeGame, "the game is already over" },
        { "think slime --threads 0", "--threads needs a whole number from 1, not '0'" },
        { "bench --threads 999", "--threads: '999' is too large (at most 256)" },
        { "play slime dog --stop-after 5", "unknown option '--stop-after'" },
    };
    for (const auto& [arguments, message] : messages) {
        const TRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.substr(0, 80);
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err.substr(0, 200);
        EXPECT_LT(run.err.size(), 300U);
    }
}

TEST(CliArguments, HelpDescribesTheCommands)
{
    const TRun help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* word : { "think LEVEL", "play BLACK WHITE", "bench", "--moves", "--custom" }) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
}

TEST(CliRecords, PlaysOnFromARecordAndWritesTheFinishedGame)
{
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("kalvoro-cli-records-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string whole = (folder / "whole.kvr").string();
    const TRun played = RunCli("play cow dolphin --moves " + FirstMoves(20) + " --out '" + whole + "'");
    ASSERT_EQ(played.status, 0) << played.err;

    // The record: the last index, that many position lines plus one, then the three comment lines.
    const std::vector<std::string> lines = Lines(ReadFile(whole));
    ASSERT_FALSE(lines.empty());
    const int last = std::stoi(lines[0]);
    const std::size_t moves = Lines(played.out)[0].size() / 2;
    EXPECT_GE(last, static_cast<int>(moves)) << "one position per move, and one per pass";
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(last) + 5);
    EXPECT_EQ(lines[last + 2].rfind("Date : ", 0), 0U);
    EXPECT_EQ(lines[last + 3], "Black : Cow\r");
    EXPECT_EQ(lines[last + 4], "White : Dolphin\r");
    EXPECT_EQ(RunCli("think dolphin --record '" + whole + "'").out, "pass\n") << "the game is over";

    // The same record cut after position 20 (the first twenty moves have no pass) thinks as the transcript.
    std::string cut = ReadFile(whole);
    cut.replace(0, cut.find('\r'), "20");
    const std::string cutPath = (folder / "cut.kvr").string();
    std::ofstream(cutPath, std::ios::binary) << cut;
    const TRun direct = RunCli("think 'grade 2' --moves " + FirstMoves(20));
    const TRun viaRecord = RunCli("think 'grade 2' --record '" + cutPath + "'");
    EXPECT_EQ(viaRecord.status, 0) << viaRecord.err;
    EXPECT_EQ(viaRecord.out, direct.out);
    EXPECT_EQ(RunCli("think cow --record '" + cutPath + "' --moves " + WholeGame.substr(40, 2)).out,
        RunCli("think cow --moves " + FirstMoves(21)).out);

    const TRun missing = RunCli("think cow --record '" + (folder / "none.kvr").string() + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.kvr"), std::string::npos);
    EXPECT_EQ(RunCli("think cow --out x.kvr").status, 2) << "--out belongs to play";

    // A record whose moves name no square is refused, not played on.
    std::string stray = ReadFile(whole);
    const std::size_t firstMove = stray.find(" \r\n", stray.find('\n') + 1);
    stray.replace(stray.rfind(' ', firstMove - 1) + 1, firstMove - stray.rfind(' ', firstMove - 1) - 1, "99");
    const std::string strayPath = (folder / "stray.kvr").string();
    std::ofstream(strayPath, std::ios::binary) << stray;
    const TRun refused = RunCli("play cow dog --record '" + strayPath + "'");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("the move played from position 0, 99, names no square"), std::string::npos)
        << refused.err;
    std::filesystem::remove_all(folder);
}
