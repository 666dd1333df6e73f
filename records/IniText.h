// The text of an INI settings file: "[Section]" lines, each followed by its "Key=Value" lines.
//
// Lines end at CR LF, CR alone or LF alone, and a UTF-8 byte-order mark at the start is skipped. Section
// and key names are matched without regard to ASCII case, blanks and tabs around names and values
// are not part of them, a value in matching quotes loses the quotes, and lines starting with ';' or '#' are
// comments. The first matching section and, within it, the first matching key count. Updating a key
// rewrites only its own line; a missing key is added after the last line of its section, a missing section
// at the end of the file; every other line (comments, other programs' keys, odd bytes) stays as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalvoro::records {

// Values longer than this are cut on reading.
constexpr std::size_t MaxIniValueLength = 1023;

// The value of `key` in `section`, or nothing when the section or the key does not exist.
std::optional<std::string> FindIniValue(
    std::string_view text, std::string_view section, std::string_view key);

// `text` with `key` in `section` set to `value` (CR and LF in the value become blanks). New lines take the
// line end that the text uses first (CR LF, CR alone or LF), LF for a text without one.
std::string SetIniValue(
    std::string_view text, std::string_view section, std::string_view key, std::string_view value);

} // namespace kalvoro::records
