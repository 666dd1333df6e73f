// A game written as its moves' square names in a row ("f5d6c3"), the form in which move lists are copied and
// pasted between programs. Reading is lenient about case, blanks, commas and move numbers; it knows nothing
// of the rules, so a readable move may still be illegal.
#pragma once

#include "engine/Board.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro::records {

using namespace kalvoro::engine;

// The moves as square names, lower case without separators; passes (move code 0) are left out.
std::string TranscriptOf(std::span<const std::uint16_t> moveCodes);

// A move of a transcript that could not be read: its number (1 for the first move) and its text.
struct TUnreadableMove {
    int number = 0;
    std::string text;
};

struct TTranscriptReading {
    // The move codes (10 * column + row) in order.
    std::vector<std::uint16_t> moveCodes;
    std::optional<TUnreadableMove> unreadable;
};

// Reads square names such as "F5D6C3", "f5 d6 c3" or "1. f5 d6 2. c3": letters a to h in either case, each
// followed by a digit 1 to 8; blanks, commas, semicolons and move numbers (digits ending in a full stop, a
// closing bracket or a blank) between them are skipped. Stops at the first piece that is none of these.
TTranscriptReading ReadTranscript(std::string_view text);

} // namespace kalvoro::records
