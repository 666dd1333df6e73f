#include "MoveTranscript.h"

#include <algorithm>
#include <cctype>

namespace kalvoro::records {

using namespace kalvoro::engine;

namespace {

bool IsSeparator(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0 || c == ',' || c == ';' || c == '.' || c == ')';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The piece of text from `at` up to the next separator: what is named when it cannot be read.
std::string PieceAt(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && !IsSeparator(text[end])) {
        ++end;
    }
    return std::string(text.substr(at, std::max<std::size_t>(end - at, 1)));
}

// The length of the move number at `at` (digits ended by a separator or the end), or 0.
std::size_t MoveNumberLength(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return end > at && (end == text.size() || IsSeparator(text[end])) ? end - at : 0;
}

// The move code of the square name at `at` (a letter a-h, a digit 1-8, then no further digit), or 0.
int SquareCodeAt(std::string_view text, std::size_t at)
{
    if (at + 1 >= text.size()) {
        return 0;
    }
    const char column = static_cast<char>(std::tolower(static_cast<unsigned char>(text[at])));
    const char row = text[at + 1];
    if (column < 'a' || column > 'h' || row < '1' || row > '8') {
        return 0;
    }
    if (at + 2 < text.size() && IsDigit(text[at + 2])) {
        return 0;
    }
    return MoveCode(column - 'a' + 1, row - '0');
}

} // namespace

std::string TranscriptOf(std::span<const std::uint16_t> moveCodes)
{
    std::string transcript;
    for (const std::uint16_t code : moveCodes) {
        if (code != 0) {
            transcript += MoveCodeName(code);
        }
    }
    return transcript;
}

TTranscriptReading ReadTranscript(std::string_view text)
{
    TTranscriptReading reading;
    std::size_t at = 0;
    while (at < text.size()) {
        if (IsSeparator(text[at])) {
            ++at;
        } else if (const std::size_t number = MoveNumberLength(text, at); number > 0) {
            at += number;
        } else if (const int code = SquareCodeAt(text, at); code != 0) {
            reading.moveCodes.push_back(static_cast<std::uint16_t>(code));
            at += 2;
        } else {
            reading.unreadable
                = TUnreadableMove { static_cast<int>(reading.moveCodes.size()) + 1, PieceAt(text, at) };
            break;
        }
    }
    return reading;
}

} // namespace kalvoro::records
