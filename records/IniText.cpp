#include "IniText.h"

#include <algorithm>
#include <vector>

namespace kalvoro::records {

namespace {

// One line of the file: its content without the line end, and where the whole line (with its end) lies.
struct TIniLine {
    std::string_view content;
    std::size_t begin = 0;
    std::size_t end = 0;
    bool hasLineEnd = false;
};

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Lines end at CR LF, CR alone or LF alone. A UTF-8 byte-order mark before the first line belongs to no
// line, so it stays where it is when the file is rewritten.
std::vector<TIniLine> SplitLines(std::string_view text)
{
    std::vector<TIniLine> lines;
    std::size_t begin = text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
    while (begin < text.size()) {
        const std::size_t lineEnd = text.find_first_of("\r\n", begin);
        const bool hasEnd = lineEnd != std::string_view::npos;
        std::size_t end = hasEnd ? lineEnd + 1 : text.size();
        if (hasEnd && text[lineEnd] == '\r' && end < text.size() && text[end] == '\n') {
            ++end;
        }
        lines.push_back({ text.substr(begin, (hasEnd ? lineEnd : end) - begin), begin, end, hasEnd });
        begin = end;
    }
    return lines;
}

// The line end the text uses first (CR LF, CR or LF), LF for a text without one.
std::string LineEndOf(std::string_view text)
{
    const std::size_t lineEnd = text.find_first_of("\r\n");
    if (lineEnd == std::string_view::npos || text[lineEnd] == '\n') {
        return "\n";
    }
    return lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n' ? "\r\n" : "\r";
}

std::string_view Trim(std::string_view text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<std::string_view> SectionName(std::string_view content)
{
    const std::string_view trimmed = Trim(content);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

bool IsComment(std::string_view content)
{
    const std::string_view trimmed = Trim(content);
    return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

// The key of a "Key=Value" line.
std::optional<std::string_view> KeyName(std::string_view content)
{
    const std::size_t equals = content.find('=');
    if (IsComment(content) || SectionName(content) || equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(content.substr(0, equals));
}

std::string_view ValueOf(std::string_view content)
{
    std::string_view value = Trim(content.substr(content.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value.substr(0, MaxIniValueLength);
}

// Where a section lies in the lines: its header and the index one past its last line.
struct TSectionRange {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<TSectionRange> FindSection(const std::vector<TIniLine>& lines, std::string_view section)
{
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const auto name = SectionName(lines[k].content);
        if (name && SameName(*name, section)) {
            std::size_t end = k + 1;
            while (end < lines.size() && !SectionName(lines[end].content)) {
                ++end;
            }
            return TSectionRange { k, end };
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(
    const std::vector<TIniLine>& lines, TSectionRange range, std::string_view key)
{
    for (std::size_t k = range.header + 1; k < range.end; ++k) {
        const auto name = KeyName(lines[k].content);
        if (name && SameName(*name, key)) {
            return k;
        }
    }
    return std::nullopt;
}

std::string KeyLine(std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + "=" + std::string(value);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

// `text` with `addition` put in at `offset`, which lies at a line boundary or at the end of the text; a
// last line without its line end gets one first.
std::string InsertLines(
    std::string_view text, std::size_t offset, const std::string& addition, const std::string& newline)
{
    std::string result(text.substr(0, offset));
    // The byte-order mark of an otherwise empty file is no line: what follows it starts the first line.
    if (!result.empty() && result.back() != '\n' && result.back() != '\r' && result != ByteOrderMark) {
        result += newline;
    }
    return result + addition + std::string(text.substr(offset));
}

} // namespace

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section, std::string_view key)
{
    const std::vector<TIniLine> lines = SplitLines(text);
    const auto range = FindSection(lines, section);
    if (!range) {
        return std::nullopt;
    }
    const auto line = FindKey(lines, *range, key);
    if (!line) {
        return std::nullopt;
    }
    return std::string(ValueOf(lines[*line].content));
}

std::string SetIniValue(
    std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    const std::string newline = LineEndOf(text);
    const std::vector<TIniLine> lines = SplitLines(text);
    const auto range = FindSection(lines, section);
    if (!range) {
        const std::string gap = lines.empty() ? "" : newline;
        return InsertLines(text, text.size(), gap + "[" + std::string(section) + "]" + newline, newline)
            + KeyLine(key, value) + newline;
    }
    if (const auto line = FindKey(lines, *range, key)) {
        const TIniLine& old = lines[*line];
        const std::size_t contentEnd = old.begin + old.content.size();
        return std::string(text.substr(0, old.begin)) + KeyLine(key, value)
            + std::string(text.substr(contentEnd));
    }
    std::size_t last = range->header;
    for (std::size_t k = range->header + 1; k < range->end; ++k) {
        if (!Trim(lines[k].content).empty()) {
            last = k;
        }
    }
    return InsertLines(text, lines[last].end, KeyLine(key, value) + newline, newline);
}

} // namespace kalvoro::records
