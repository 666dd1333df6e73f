// TIniFile: single keys of an INI settings file, each read or written in one self-contained call, so that
// the object may exist before the file and holds nothing open.
#pragma once

#include "AtomicFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro::records {

// A settings file larger than this is not one of ours: reading gives the defaults, writing is refused.
constexpr std::size_t MaxIniBytes = 1024 * 1024;

// The value of `key` in `section` of the file, or `defaultValue` when the file, the section or the key does
// not exist or the file cannot be read. Never fails.
std::string GetProfileString(const std::string& fileName, std::string_view section, std::string_view key,
    const std::string& defaultValue);

// Stores one key, creating the file, section or key as needed; the file is replaced atomically. Throws
// TFileError with the message "<file> に書き込めません", followed on a second line by the cause in words
// (its Cause()).
void WriteProfileString(
    const std::string& fileName, std::string_view section, std::string_view key, std::string_view value);

struct TIniEntry {
    std::string section;
    std::string key;
    std::string value;
};

// Stores all `entries` in one atomic replacement of the file, failing as WriteProfileString does. Copies of
// the program that write at the same moment take turns under an advisory lock on "<file>.lock" (removed
// again afterwards), and each merges its keys into what the one before it wrote, so no key is lost.
void WriteProfileStrings(const std::string& fileName, const std::vector<TIniEntry>& entries);

// The integer of a settings value: decimal with an optional sign, or hexadecimal after "0x" / "0X" (up to
// eight digits, taken as a 32-bit pattern); nothing for an empty text, a non-number or one beyond 32 bits.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

class TIniFile {
public:
    explicit TIniFile(std::string fileName)
        : FileName(std::move(fileName))
    {
    }

    const std::string FileName;

    // At most 1023 characters; `defaultValue` when the file, section or key is missing.
    std::string ReadString(
        std::string_view section, std::string_view key, const std::string& defaultValue) const;
    // Throws TFileError "<FileName> に書き込めません" with the cause on a second line.
    void WriteString(std::string_view section, std::string_view key, std::string_view value) const;
    // All of `entries` at once (WriteProfileStrings).
    void WriteStrings(const std::vector<TIniEntry>& entries) const;

    // ParseIniInteger of the value; `defaultValue` when missing or not a number.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) const;

    // ReadInteger with default 1 or 0; true when the integer is not 0.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // Writes "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value) const;
};

} // namespace kalvoro::records
