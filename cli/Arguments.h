// The command line of kalvoro-cli: which command to run and with what.
#pragma once

#include "engine/Levels.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalvoro::cli {

using namespace kalvoro::engine;

// A command line that cannot be run; the message says what is wrong with it.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TCommandKind { Help, Think, Play, Bench };

struct TCommandLine {
    TCommandKind kind = TCommandKind::Help;
    // think: levels[0]; play: Black's and White's levels.
    std::vector<int> levels;
    // The transcript to play first, as move codes.
    std::vector<int> moves;
    TLevelRow customRow = BuiltInLevels[CustomLevel];
    // A game record to continue from, read as the main window's Open reads it; MOVES are played after it.
    std::string recordPath;
    // play: where to write the finished game as a game record.
    std::string outPath;
    // The threads the computer searches with; 0 for every hardware thread.
    int threads = 0;
    // think: asks the computer to stop this many milliseconds into its search.
    std::optional<int> stopAfterMs;
};

// Reads the arguments after the program name. Throws TUsageError.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// A level given as 1 to 9 or by its name ("Slime" ... "Grade 1", "Custom"), ignoring case and blanks; nothing
// for anything else, Human included.
std::optional<int> ParseLevel(const std::string& text);

// "f5d6c3" into move codes; nothing unless the text is a whole number of square names.
std::optional<std::vector<int>> ParseTranscript(const std::string& text);

// The text --help prints.
std::string UsageText();

} // namespace kalvoro::cli
