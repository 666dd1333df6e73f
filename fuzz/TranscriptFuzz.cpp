// Feeds arbitrary text to kalvoro-cli's command-line reader: the input, split at NUL bytes, is a command
// line, and its first part alone a transcript. Reading either must give a result or a usage error, and a
// transcript that reads must name exactly the squares it was written with.
#include "cli/Arguments.h"
#include "engine/Board.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace kalvoro::engine;
using namespace kalvoro::cli;

namespace {

std::vector<std::string> SplitAtNul(const std::string& text)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == '\0') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

void CheckTranscript(const std::string& text)
{
    const auto moves = ParseTranscript(text);
    if (!moves) {
        return;
    }
    std::string names;
    for (int code : *moves) {
        if (code < 11 || code > 88 || code % 10 < 1 || code % 10 > 8) {
            std::abort();
        }
        names += MoveCodeName(code);
    }
    std::string lower;
    for (char c : text) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (names != lower) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> arguments
        = SplitAtNul(std::string(reinterpret_cast<const char*>(data), size));
    CheckTranscript(arguments[0]);
    try {
        const TCommandLine command = ParseCommandLine(arguments);
        if ((command.kind == TCommandKind::Think && command.levels.size() != 1)
            || (command.kind == TCommandKind::Play && command.levels.size() != 2)) {
            std::abort();
        }
    } catch (const TUsageError&) {
    }
    return 0;
}
