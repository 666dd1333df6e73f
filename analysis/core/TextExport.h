// The text export of a game: a plain-text sheet for people, with CR LF line ends.
//
// The sheet holds the memo lines, a diagram of who played which square with the move numbers, the list of the
// moves and a diagram of the final position with the disc count. A diagram is built from cells of five
// characters, each ending in a bar, under a 42-character line of column letters and between frame lines.
#pragma once

#include "records/GameRecord.h"

#include <string>
#include <vector>

namespace kalvoro::analysis {

using namespace kalvoro::engine;
using namespace kalvoro::records;

// The cell codes besides the MoveNumberBoard values (0 empty, 1 to 998 White's moves, 999 a White disc, 1000
// to 1998 Black's moves, 1999 a Black disc).
constexpr int DiagramStartCode = -2;
constexpr int RowEndCode = -1;

// Appends one cell or frame piece to `out` as the export writes it: "    |", "( 7)|", "(  )|", "* 7*|",
// " ** |"; -2 ends the line and starts a diagram (letter line and frame line), -1 ends a board row with a
// frame line; any other code writes nothing.
void WriteCell(std::string& out, int code);

// The whole text sheet of `record`, as the export writes it; its comment lines are the memo lines (written
// byte for byte).
std::string TextSheet(const TGameRecord& record);

// The name of the export file in the data folder.
inline constexpr const char* ExportFileName = "Kalvoro.txt";

// The text of the confirmation box after an export: the quoted path, a carriage return, a tab and
// "was published. Open now ?".
std::string ExportConfirmation(const std::string& path);

} // namespace kalvoro::analysis
