#include "Arguments.h"

#include "engine/Board.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace kalvoro::cli {

using namespace kalvoro::engine;

namespace {

std::string Folded(const std::string& text)
{
    std::string folded;
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return folded;
}

constexpr std::size_t MaxQuotedLength = 60;

// An argument as a message quotes it: in single quotes, cut to at most 60 characters with "...".
std::string Quoted(const std::string& text)
{
    if (text.size() <= MaxQuotedLength) {
        return "'" + text + "'";
    }
    return "'" + text.substr(0, MaxQuotedLength - 3) + "...'";
}

// A --custom depth: a whole number that fits an int.
int DepthArgument(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc::result_out_of_range && stop == end) {
        throw TUsageError("--custom: " + Quoted(text) + " is too large for a depth");
    }
    if (error != std::errc {} || stop != end || text.empty()) {
        throw TUsageError("--custom needs three whole numbers, not " + Quoted(text));
    }
    return value;
}

// A whole number from 1 to `most` given to `option`.
int CountArgument(const std::string& text, const std::string& option, int least, int most)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if ((error == std::errc::result_out_of_range && stop == end) || (error == std::errc {} && value > most)) {
        throw TUsageError(
            option + ": " + Quoted(text) + " is too large (at most " + std::to_string(most) + ")");
    }
    if (error != std::errc {} || stop != end || text.empty() || value < least) {
        throw TUsageError(
            option + " needs a whole number from " + std::to_string(least) + ", not " + Quoted(text));
    }
    return value;
}

constexpr int MostThreads = 256;
constexpr int MostStopMilliseconds = 86400000;

int LevelArgument(const std::string& text)
{
    if (const std::optional<int> level = ParseLevel(text)) {
        return *level;
    }
    throw TUsageError("unknown level " + Quoted(text)
        + " (1 to 9, or Slime, Dog, Cow, Dolphin, Monkey, Grade 3, "
          "Grade 2, Grade 1, Custom)");
}

// Walks the arguments after a command's positional ones.
class TOptionReader {
public:
    TOptionReader(const std::vector<std::string>& all, std::size_t first)
        : arguments(all)
        , next(first)
    {
    }

    bool AtEnd() const { return next >= arguments.size(); }
    const std::string& Take(const std::string& forOption)
    {
        if (AtEnd()) {
            throw TUsageError(forOption + " needs a value");
        }
        return arguments[next++];
    }

private:
    const std::vector<std::string>& arguments;
    std::size_t next;
};

// A file name given to `option`, which must not be empty.
std::string FileArgument(TOptionReader& reader, const std::string& option)
{
    const std::string& path = reader.Take(option);
    if (path.empty()) {
        throw TUsageError(option + " needs a file name, not an empty text");
    }
    return path;
}

TLevelRow CustomArgument(TOptionReader& reader)
{
    std::array<int, 3> depths {};
    for (std::size_t k = 0; k < depths.size(); ++k) {
        if (reader.AtEnd()) {
            throw TUsageError(
                "--custom needs three whole numbers, but only " + std::to_string(k) + " are given");
        }
        depths[k] = DepthArgument(reader.Take("--custom"));
    }
    return { depths[0], depths[1], depths[2] };
}

// The options of the commands: --threads for all, --out for play, --stop-after for think.
struct TAllowedOptions {
    bool position = true;
    bool out = false;
    bool stopAfter = false;
};

void ReadOptions(TOptionReader& reader, TCommandLine& command, TAllowedOptions allowed)
{
    std::vector<std::string> seen;
    while (!reader.AtEnd()) {
        const std::string option = reader.Take("");
        if (std::ranges::find(seen, option) != seen.end()) {
            throw TUsageError(option + " is given more than once");
        }
        seen.push_back(option);
        if (option == "--threads") {
            command.threads = CountArgument(reader.Take(option), option, 1, MostThreads);
        } else if (option == "--stop-after" && allowed.stopAfter) {
            command.stopAfterMs = CountArgument(reader.Take(option), option, 0, MostStopMilliseconds);
        } else if (option == "--moves" && allowed.position) {
            const std::string text = reader.Take(option);
            const std::optional<std::vector<int>> moves = ParseTranscript(text);
            if (!moves) {
                throw TUsageError(Quoted(text) + " is not a transcript of square names such as f5d6c3");
            }
            command.moves = *moves;
        } else if (option == "--record" && allowed.position) {
            command.recordPath = FileArgument(reader, option);
        } else if (option == "--out" && allowed.out) {
            command.outPath = FileArgument(reader, option);
        } else if (option == "--custom" && allowed.position) {
            command.customRow = CustomArgument(reader);
        } else {
            throw TUsageError("unknown option " + Quoted(option));
        }
    }
}

// "14 16 5": the three depths of a level row.
std::string DepthsText(const TLevelRow& row)
{
    return std::to_string(row.completeDepth) + " " + std::to_string(row.fastDepth) + " "
        + std::to_string(row.nodeDepth);
}

// "3-22": the range of a Custom depth.
std::string RangeText(TDepthRange range)
{
    return std::to_string(range.minimum) + "-" + std::to_string(range.maximum);
}

void RequirePositionals(const std::vector<std::string>& arguments, std::size_t count, const char* usage)
{
    if (arguments.size() < count + 1) {
        throw TUsageError(std::string("usage: kalvoro-cli ") + usage);
    }
}

} // namespace

std::optional<int> ParseLevel(const std::string& text)
{
    const std::string folded = Folded(text);
    if (folded.size() == 1 && folded[0] >= '1' && folded[0] <= '9') {
        return folded[0] - '0';
    }
    for (int level = 1; level < LevelCount; ++level) {
        if (folded == Folded(LevelNames[level])) {
            return level;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<int>> ParseTranscript(const std::string& text)
{
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<int> moves;
    for (std::size_t at = 0; at < text.size(); at += 2) {
        const int x = std::tolower(static_cast<unsigned char>(text[at])) - 'a' + 1;
        const int y = text[at + 1] - '0';
        if (x < 1 || x > 8 || y < 1 || y > 8) {
            return std::nullopt;
        }
        moves.push_back(MoveCode(x, y));
    }
    return moves;
}

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    TCommandLine command;
    if (arguments.empty()) {
        throw TUsageError("no command given");
    }
    const std::string& name = arguments[0];
    if (name == "--help" || name == "-h" || name == "help") {
        command.kind = TCommandKind::Help;
        return command;
    }
    if (name == "think") {
        RequirePositionals(arguments, 1,
            "think LEVEL [--record FILE] [--moves MOVES] [--custom C F N] [--threads N] [--stop-after MS]");
        command.kind = TCommandKind::Think;
        command.levels = { LevelArgument(arguments[1]) };
        TOptionReader reader(arguments, 2);
        ReadOptions(reader, command, { .stopAfter = true });
        return command;
    }
    if (name == "play") {
        RequirePositionals(arguments, 2,
            "play BLACK WHITE [--record FILE] [--moves MOVES] [--custom C F N] [--out FILE] [--threads N]");
        command.kind = TCommandKind::Play;
        command.levels = { LevelArgument(arguments[1]), LevelArgument(arguments[2]) };
        TOptionReader reader(arguments, 3);
        ReadOptions(reader, command, { .out = true });
        return command;
    }
    if (name == "bench") {
        command.kind = TCommandKind::Bench;
        TOptionReader reader(arguments, 1);
        ReadOptions(reader, command, { .position = false });
        return command;
    }
    throw TUsageError("unknown command " + Quoted(name));
}

std::string UsageText()
{
    return "Usage: kalvoro-cli COMMAND [ARGUMENTS]\n"
           "\n"
           "Commands:\n"
           "  think LEVEL [--record FILE] [--moves MOVES] [--custom C F N] [--threads N]\n"
           "        [--stop-after MS]\n"
           "      Let the computer at LEVEL choose a move in the position after MOVES\n"
           "      (played on from the last position of the game record FILE, if given).\n"
           "      Prints '<square> <value>' for each root move searched, in order, then\n"
           "      'mode <P|F|N|BOOK|ONE> move <square> label <text>' ('-' when the label\n"
           "      is not written), or 'pass' when the side to move has no move.\n"
           "      --stop-after asks the computer to stop MS milliseconds into its search\n"
           "      and then prints 'stopped after <ms> ms, the stop took <ms> ms'.\n"
           "  play BLACK WHITE [--record FILE] [--moves MOVES] [--custom C F N] [--out FILE]\n"
           "        [--threads N]\n"
           "      Play a whole game between two computer levels after MOVES; prints the\n"
           "      moves of the game on one line and the three lines of the result.\n"
           "      --out writes the finished game to FILE as a game record.\n"
           "  bench [--threads N]\n"
           "      Time the searches and solvers on fixed positions, with one thread\n"
           "      against N (default: every hardware thread).\n"
           "  --help\n"
           "      Show this text.\n"
           "\n"
           "LEVEL is 1 to 9 or a level's name: Slime, Dog, Cow, Dolphin, Monkey, Grade 3,\n"
           "Grade 2, Grade 1, Custom (case and blanks ignored). MOVES is a transcript of\n"
           "square names without separators, such as f5d6c3d3c4; passes are left out.\n"
           "--custom sets the Custom level's complete analysis, fast analysis and node\n"
           "depths (default "
        + DepthsText(BuiltInLevels[CustomLevel]) + "); they are used limited to "
        + RangeText(CompleteDepthRange) + ", " + RangeText(FastDepthRange) + " and "
        + RangeText(NodeDepthRange)
        + ".\n"
          "--threads sets how many threads the computer searches with (default: every\n"
          "hardware thread); the moves and values do not depend on it.\n";
}

} // namespace kalvoro::cli
