// The game-record file: one game as the sequence of its positions, followed by free comment lines.
//
// The first line holds the index N of the last position (0 to 119); then N + 1 position lines of ten
// unsigned 16-bit numbers, each followed by one blank (mobility, the eight packed rows, the move code played
// from the position, 0 for a pass); then comment lines up to the end of the file. Lines end in CR LF.
//
// Reading is forgiving: numbers may be separated by any characters of code 0 to 32
// (line ends included), a number is the run of characters up to the next such character and must be a signed
// 32-bit decimal integer (kept as its low 16 bits), text after the tenth number of a position line is skipped
// up to the line end, and Ctrl-Z ends the file. A line ends at CR LF, CR alone or LF alone. A file that ends
// before the last number of the positions its first line announces (an empty file too) is refused.
#pragma once

#include "AtomicFile.h"
#include "PackedRows.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro::records {

using namespace kalvoro::engine;

// Positions 0 to 119: the most one record holds, and so the most the game's history holds.
constexpr int RecordCapacity = 120;
// A record of 120 positions with a long memo fits many times over; anything larger is refused unread.
constexpr std::size_t MaxRecordBytes = 4 * 1024 * 1024;
// Far more comment lines than anyone writes; a file of millions of empty lines is refused, since each line
// costs memory of its own.
constexpr std::size_t MaxCommentLines = 65536;

// One position line in file order: word 0 the mobility, words 1 to 8 rows 1 to 8, word 9 the move code
// played from the position (0 for a pass; on the last line it belongs to no move).
using TPositionLine = std::array<std::uint16_t, 10>;

// The line of a position with `mobility` moves for the side to move, the board `rows` and `move` played
// from it.
TPositionLine MakePositionLine(std::uint16_t mobility, const TPackedRows& rows, std::uint16_t move);

// Words 1 to 8 of `line`: its packed board.
TPackedRows RowsOfLine(const TPositionLine& line);

// A whole record as read or to be written. PositionRows holds LastIndex + 1 lines.
struct TGameRecord {
    std::int32_t LastIndex = 0;
    std::vector<TPositionLine> PositionRows;
    // Taken over unchanged; a comment line must not itself contain CR or LF.
    std::vector<std::string> Comments;
    friend bool operator==(const TGameRecord&, const TGameRecord&) = default;
};

// Reads a record from the bytes of a file named `fileName` (used in messages only). Throws TFileError when
// a number is not a number (naming the word and its line), when the first number is outside 0 to 119, when
// the file ends before its last position (naming the line and the position where it ends) or when it holds
// more than MaxCommentLines comment lines.
TGameRecord ParseGameRecord(std::string_view bytes, const std::string& fileName);

// The bytes of a record in the exact layout that ParseGameRecord reads back.
std::string FormatGameRecord(const TGameRecord& record);

// Reads and parses the record file `path`; throws TFileError naming the file and the cause.
TGameRecord ReadGameRecord(const std::string& path);

// For the command-line start, which shows a record even when it is damaged: the record as far as it could
// be read (position lines not reached are zero; no lines at all when the file could not be opened or its
// first number was refused) and the message of the error that stopped reading, if any.
struct TPartialRecord {
    TGameRecord Record;
    std::optional<std::string> Error;
};
TPartialRecord ReadGameRecordAsFarAsPossible(const std::string& path);

// Writes `record` to `path` without ever leaving a half-written file; throws TFileError.
void SaveGameRecord(const std::string& path, const TGameRecord& record);

// A game record that has no file yet, as the main window hands the game in progress to the analysis window:
// the record and the file name its Save dialog offers.
struct TAnalysisHandOver {
    TGameRecord Record;
    std::string RecordFileName;
};

} // namespace kalvoro::records
