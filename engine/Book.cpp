#include "Book.h"

#include <string_view>
#include <vector>

namespace kalvoro::engine {

namespace {

// The base lines, each opening with f5, written as square names.
constexpr std::array<std::string_view, 26> WhiteBaseLines {
    "f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3 g4 d6",
    "f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 c3 c2",
    "f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f3 f2 g5 g4 g6 d6",
    "f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 g5 f3 g6 d6 e2 h5",
    "f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 g5 f3 d7 d3",
    "f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 g6 h3 d6 f7 c6 d7",
    "f5 f6 e6 f4 e3 c5 c4 e7 g4 g3 d7 g5 b5 d3 c3 e2",
    "f5 f6 e6 f4 e3 c5 g5 f3 g4 g6 g3 d6 f7 h4 d3 h5",
    "f5 f6 e6 f4 e3 c5 g5 d6 g6 g4 e7 f7 c6 d3",
    "f5 f6 e6 f4 g5 e7 f7 h5 g4 h4 e3 d6 f3 g6",
    "f5 f6 e6 f4 g5 e7 f7 h5 g4 h4 e3 d6 h3 g6",
    "f5 f6 e6 f4 g5 e7 f7 h5 e8 c5 g4 h4",
    "f5 f6 e6 f4 g5 e7 f7 h5 d3 c6",
    "f5 f6 e6 f4 g5 e7 f7 h5 e3 d3",
    "f5 f6 e6 f4 g6 c5 g4 g5 h4 h6 e3 e7",
    "f5 f6 e6 f4 g6 c5 g4 g5 h4 h3 f3 g3",
    "f5 f6 e6 f4 g6 c5 g4 g5 f3 e3 c4 g3",
    "f5 f6 e6 f4 g6 d6 e3 f3 g5 g3 d3 e2",
    "f5 f6 e6 f4 g6 d6 e3 f3 g4 d3",
    "f5 f6 e6 f4 g6 d6 c6 e7 f8 h6",
    "f5 f6 e6 f4 g4 e7 f7 g5 f3 d6",
    "f5 f6 e6 f4 g4 e7 f7 g5 e3 d3",
    "f5 f6 e6 f4 g4 e7 f7 g5 h5 g6 f3 d6",
    "f5 f6 e6 f4 c3 d6 f3 c4 c5 b4 a5 a3 c6 b3",
    "f5 f6 e6 f4 g3 d6 g5 g4 e3 f3",
    "f5 f6 c4 g5 e6 d7 e7 d6 c5 c6 d8 b5",
};

constexpr std::array<std::string_view, 19> BlackBaseLines {
    "f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 d3 g5 c3 g4",
    "f5 f6 e6 f4 e3 c5 c4 e7 b5 e2 f2 d2 f3 g4 g5 d6 g3",
    "f5 f6 e6 f4 e3 d3 f3 c5 c4",
    "f5 f6 e6 f4 e3 d6 g4 d3 c3",
    "f5 d6 c5 f4 e3 c6 d3 g5 f6 c4 g6 f3 c3 e2 h4",
    "f5 d6 c5 f4 e3 c6 d3 g5 f6 c4 g6 f3 c3 e6 e7",
    "f5 d6 c5 f4 e3 c6 d3 g5 f6 b5 f3",
    "f5 d6 c5 f4 e3 c6 d3 g5 f6 f3 g4 h3 h5",
    "f5 d6 c5 f4 e3 c6 d3 g5 f6 e7 g6 f3 e6 f7 d7",
    "f5 d6 c5 f4 e3 c6 d3 g5 e6 d7 g3 c4 h6",
    "f5 d6 c5 f4 e3 c6 d3 f6 e6 d7 e7 c7 c4 f3 d8",
    "f5 d6 c5 f4 e3 c6 d3 f3 e6",
    "f5 d6 c5 f4 e3 d3 f3 f2 c4 c3 e6",
    "f5 d6 c5 f4 e3 f6 f3 c4 d3",
    "f5 f4 e3 f6 d3 c5 d6 c4 e6",
    "f5 f4 e3 f6 d3 c4 e6 c5 d6",
    "f5 f4 e3 d6 f3",
    "f5 f4 e3 d2 e2",
    "f5 f4 e3 f2 e2",
};

// The four symmetric forms, in the order the ranges hold them.
enum class TForm { Unchanged, HalfTurn, MainDiagonal, AntiDiagonal };
constexpr std::array<TForm, 4> FormOrder { TForm::Unchanged, TForm::HalfTurn, TForm::MainDiagonal,
    TForm::AntiDiagonal };

int MappedMoveCode(int x, int y, TForm form)
{
    switch (form) {
    case TForm::Unchanged:
        return MoveCode(x, y);
    case TForm::HalfTurn:
        return MoveCode(9 - x, 9 - y);
    case TForm::MainDiagonal:
        return MoveCode(y, x);
    case TForm::AntiDiagonal:
        return MoveCode(9 - y, 9 - x);
    }
    return 0;
}

// "f5 f6 ..." in the given form.
TBookLine ParseLine(std::string_view text, TForm form)
{
    TBookLine line;
    for (std::size_t at = 0; at + 1 < text.size() && line.length < MaxBookLineLength; at += 3) {
        const int x = text[at] - 'a' + 1;
        const int y = text[at + 1] - '0';
        line.moves[line.length++] = static_cast<std::uint8_t>(MappedMoveCode(x, y, form));
    }
    return line;
}

template <std::size_t N> std::vector<TBookLine> BuildRange(const std::array<std::string_view, N>& baseLines)
{
    std::vector<TBookLine> range;
    range.reserve(N * FormOrder.size());
    for (TForm form : FormOrder) {
        for (std::string_view text : baseLines) {
            range.push_back(ParseLine(text, form));
        }
    }
    return range;
}

bool LineContinues(const TBookLine& line, std::span<const std::uint16_t> gameMoves)
{
    if (static_cast<std::size_t>(line.length) <= gameMoves.size()) {
        return false;
    }
    for (std::size_t i = 0; i < gameMoves.size(); ++i) {
        if (line.moves[i] != gameMoves[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::span<const TBookLine> BookRange(int colour)
{
    static const std::vector<TBookLine> whiteRange = BuildRange(WhiteBaseLines);
    static const std::vector<TBookLine> blackRange = BuildRange(BlackBaseLines);
    return colour == White ? whiteRange : blackRange;
}

std::optional<TSquare> BookLookup(int colour, std::span<const std::uint16_t> gameMoves, TBookCursors& cursors)
{
    const std::span<const TBookLine> range = BookRange(colour);
    int& cursor = colour == White ? cursors.white : cursors.black;
    if (gameMoves.empty()) {
        cursor = 0;
        return SquareOfMoveCode(range[0].moves[0]);
    }
    for (; cursor >= 0 && static_cast<std::size_t>(cursor) < range.size(); ++cursor) {
        const TBookLine& line = range[static_cast<std::size_t>(cursor)];
        if (LineContinues(line, gameMoves)) {
            return SquareOfMoveCode(line.moves[gameMoves.size()]);
        }
    }
    return std::nullopt;
}

} // namespace kalvoro::engine
