#include "Arguments.h"

#include "engine/Board.h"

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

std::optional<int> ParseInteger(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc {} || stop != end || text.empty()) {
        return std::nullopt;
    }
    return value;
}

int LevelArgument(const std::string& text)
{
    if (const std::optional<int> level = ParseLevel(text)) {
        return *level;
    }
    throw TUsageError("unknown level '" + text
        + "' (1 to 9, or Slime, Dog, Cow, Dolphin, Monkey, Grade 3, "
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

void ReadOptions(TOptionReader& reader, TCommandLine& command, bool allowOut)
{
    while (!reader.AtEnd()) {
        const std::string option = reader.Take("");
        if (option == "--moves") {
            const std::string text = reader.Take(option);
            const std::optional<std::vector<int>> moves = ParseTranscript(text);
            if (!moves) {
                throw TUsageError("'" + text + "' is not a transcript of square names such as f5d6c3");
            }
            command.moves = *moves;
        } else if (option == "--record") {
            command.recordPath = reader.Take(option);
        } else if (option == "--out" && allowOut) {
            command.outPath = reader.Take(option);
        } else if (option == "--custom") {
            std::array<int, 3> depths {};
            for (int& depth : depths) {
                const std::string text = reader.Take(option);
                const std::optional<int> value = ParseInteger(text);
                if (!value) {
                    throw TUsageError("--custom needs three whole numbers, not '" + text + "'");
                }
                depth = *value;
            }
            command.customRow = { depths[0], depths[1], depths[2] };
        } else {
            throw TUsageError("unknown option '" + option + "'");
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
        RequirePositionals(arguments, 1, "think LEVEL [--record FILE] [--moves MOVES] [--custom C F N]");
        command.kind = TCommandKind::Think;
        command.levels = { LevelArgument(arguments[1]) };
        TOptionReader reader(arguments, 2);
        ReadOptions(reader, command, false);
        return command;
    }
    if (name == "play") {
        RequirePositionals(
            arguments, 2, "play BLACK WHITE [--record FILE] [--moves MOVES] [--custom C F N] [--out FILE]");
        command.kind = TCommandKind::Play;
        command.levels = { LevelArgument(arguments[1]), LevelArgument(arguments[2]) };
        TOptionReader reader(arguments, 3);
        ReadOptions(reader, command, true);
        return command;
    }
    if (name == "bench") {
        if (arguments.size() > 1) {
            throw TUsageError("bench takes no arguments");
        }
        command.kind = TCommandKind::Bench;
        return command;
    }
    throw TUsageError("unknown command '" + name + "'");
}

std::string UsageText()
{
    return "Usage: kalvoro-cli COMMAND [ARGUMENTS]\n"
           "\n"
           "Commands:\n"
           "  think LEVEL [--record FILE] [--moves MOVES] [--custom C F N]\n"
           "      Let the computer at LEVEL choose a move in the position after MOVES\n"
           "      (played on from the last position of the game record FILE, if given).\n"
           "      Prints '<square> <value>' for each root move searched, in order, then\n"
           "      'mode <P|F|N|BOOK|ONE> move <square> label <text>' ('-' when the label\n"
           "      is not written), or 'pass' when the side to move has no move.\n"
           "  play BLACK WHITE [--record FILE] [--moves MOVES] [--custom C F N] [--out FILE]\n"
           "      Play a whole game between two computer levels after MOVES; prints the\n"
           "      moves of the game on one line and the three lines of the result.\n"
           "      --out writes the finished game to FILE as a game record.\n"
           "  bench\n"
           "      Time the searches and solvers on fixed positions.\n"
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
        + RangeText(NodeDepthRange) + ".\n";
}

} // namespace kalvoro::cli
