#include "GameRecord.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

namespace kalvoro::records {

using namespace kalvoro::engine;

namespace {

constexpr char CtrlZ = 26;
constexpr std::size_t QuotedWordLength = 24;

bool IsSeparator(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// The word as it may appear in a message: short, and with control or 8-bit bytes shown as '?'.
std::string Printable(std::string_view word)
{
    std::string shown;
    for (const char c : word.substr(0, QuotedWordLength)) {
        const auto code = static_cast<unsigned char>(c);
        shown += code > 32 && code < 127 ? c : '?';
    }
    return word.size() > QuotedWordLength ? shown + "..." : shown;
}

std::optional<std::int32_t> ParseInt32(std::string_view word)
{
    if (word.size() > 1 && word.front() == '+' && word[1] != '-') {
        word.remove_prefix(1);
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc {} || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return value;
}

// Walks through the text of a record by the reading rules, counting lines for the messages.
class TRecordScanner {
public:
    TRecordScanner(std::string_view recordText, const std::string& recordFileName)
        : text(recordText)
        , fileName(recordFileName)
    {
    }

    bool AtEnd() const { return position >= text.size(); }

    // Where the number being read belongs, for the message when the file ends before it.
    void ExpectNumberOf(std::string place) { expected = std::move(place); }

    std::int32_t ReadNumber()
    {
        SkipSeparators();
        if (AtEnd()) {
            throw FileError("Cannot read", fileName,
                text.empty() ? "the file is empty"
                             : "the file ends on line " + std::to_string(line) + ", before " + expected);
        }
        const std::size_t start = position;
        while (!AtEnd() && !IsSeparator(text[position])) {
            ++position;
        }
        const std::string_view word = text.substr(start, position - start);
        const auto value = ParseInt32(word);
        if (!value) {
            throw FileError("Cannot read", fileName,
                "\"" + Printable(word) + "\" on line " + std::to_string(line) + " is not a number");
        }
        return *value;
    }

    // Discards the rest of the line and its line end.
    void SkipLine()
    {
        while (!AtEnd() && !IsLineEnd(text[position])) {
            ++position;
        }
        SkipLineEnd();
    }

    std::string ReadLine()
    {
        const std::size_t start = position;
        while (!AtEnd() && !IsLineEnd(text[position])) {
            ++position;
        }
        std::string result(text.substr(start, position - start));
        SkipLineEnd();
        return result;
    }

private:
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

    void SkipSeparators()
    {
        while (!AtEnd() && IsSeparator(text[position])) {
            if (IsLineEnd(text[position])) {
                SkipLineEnd();
            } else {
                ++position;
            }
        }
    }

    // CR LF, CR alone or LF alone.
    void SkipLineEnd()
    {
        if (AtEnd()) {
            return;
        }
        if (text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n') {
            ++position;
        }
        ++position;
        ++line;
    }

    std::string_view text;
    const std::string& fileName;
    std::string expected = "the number of its last position";
    std::size_t position = 0;
    int line = 1;
};

void AppendLine(std::string& out, std::string_view content)
{
    out += content;
    out += "\r\n";
}

// Parses into `record`, so that a caller can keep what was read before an error.
void ParseInto(std::string_view bytes, const std::string& fileName, TGameRecord& record)
{
    const std::string_view text = bytes.substr(0, bytes.find(CtrlZ));
    TRecordScanner scanner(text, fileName);
    const std::int32_t lastIndex = scanner.ReadNumber();
    if (lastIndex < 0 || lastIndex >= RecordCapacity) {
        throw FileError("Cannot read", fileName,
            "the first line gives " + std::to_string(lastIndex)
                + " as the last position, but a game record holds positions 0 to 119 only");
    }
    record.LastIndex = lastIndex;
    scanner.SkipLine();
    record.PositionRows.resize(static_cast<std::size_t>(record.LastIndex) + 1);
    for (std::size_t index = 0; index < record.PositionRows.size(); ++index) {
        scanner.ExpectNumberOf("the end of position " + std::to_string(index)
            + " (its first line announces positions 0 to " + std::to_string(lastIndex) + ")");
        for (std::uint16_t& word : record.PositionRows[index]) {
            word = static_cast<std::uint16_t>(scanner.ReadNumber());
        }
        scanner.SkipLine();
    }
    while (!scanner.AtEnd()) {
        if (record.Comments.size() == MaxCommentLines) {
            throw FileError("Cannot read", fileName,
                "it has more than " + std::to_string(MaxCommentLines)
                    + " comment lines, the most a game record holds");
        }
        record.Comments.push_back(scanner.ReadLine());
    }
}

} // namespace

TPositionLine MakePositionLine(std::uint16_t mobility, const TPackedRows& rows, std::uint16_t move)
{
    TPositionLine line {};
    line[0] = mobility;
    std::ranges::copy(rows, line.begin() + 1);
    line[9] = move;
    return line;
}

TPackedRows RowsOfLine(const TPositionLine& line)
{
    TPackedRows rows {};
    std::copy(line.begin() + 1, line.begin() + 9, rows.begin());
    return rows;
}

TGameRecord ParseGameRecord(std::string_view bytes, const std::string& fileName)
{
    TGameRecord record;
    ParseInto(bytes, fileName, record);
    return record;
}

std::string FormatGameRecord(const TGameRecord& record)
{
    std::string out;
    AppendLine(out, std::to_string(record.LastIndex));
    for (const TPositionLine& row : record.PositionRows) {
        std::string line;
        for (const std::uint16_t word : row) {
            line += std::to_string(word) + " ";
        }
        AppendLine(out, line);
    }
    for (const std::string& comment : record.Comments) {
        AppendLine(out, comment);
    }
    return out;
}

TGameRecord ReadGameRecord(const std::string& path)
{
    return ParseGameRecord(ReadFileBounded(path, MaxRecordBytes), path);
}

TPartialRecord ReadGameRecordAsFarAsPossible(const std::string& path)
{
    TPartialRecord partial;
    try {
        ParseInto(ReadFileBounded(path, MaxRecordBytes), path, partial.Record);
    } catch (const TFileError& error) {
        partial.Error = error.what();
    }
    return partial;
}

void SaveGameRecord(const std::string& path, const TGameRecord& record)
{
    WriteFileAtomically(path, FormatGameRecord(record), "Cannot save");
}

} // namespace kalvoro::records
