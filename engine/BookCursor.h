// Where the next opening-book lookup of each colour starts scanning its range of lines.
#pragma once

namespace kalvoro::engine {

struct TBookCursors {
    int black = 0;
    int white = 0;
};

// Both cursors back to the first line of their ranges.
inline void ResetBookCursors(TBookCursors& cursors)
{
    cursors = TBookCursors {};
}

} // namespace kalvoro::engine
