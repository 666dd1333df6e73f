#include "IniFile.h"

#include "AtomicFile.h"
#include "IniText.h"

#include <cerrno>
#include <charconv>

namespace kalvoro::records {

namespace {

TFileError CannotWrite(const std::string& fileName, const std::string& cause, int systemError)
{
    return TFileError(fileName + " に書き込めません", fileName, cause, systemError);
}

// The current text of the file for an update: empty when it does not exist yet; any other failure to read
// it is a failure to write, since rewriting it blind would lose its other lines.
std::string TextToUpdate(const std::string& fileName)
{
    try {
        return ReadFileBounded(fileName, MaxIniBytes);
    } catch (const TFileError& error) {
        if (error.SystemError() == ENOENT) {
            return "";
        }
        throw CannotWrite(fileName, error.Cause(), error.SystemError());
    }
}

std::optional<std::int32_t> ParseHex(std::string_view digits)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc {} || end != digits.data() + digits.size() || digits.front() == '-') {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

std::string GetProfileString(const std::string& fileName, std::string_view section, std::string_view key,
    const std::string& defaultValue)
{
    try {
        const std::string text = ReadFileBounded(fileName, MaxIniBytes);
        return FindIniValue(text, section, key).value_or(defaultValue);
    } catch (const TFileError&) {
        return defaultValue;
    }
}

void WriteProfileString(
    const std::string& fileName, std::string_view section, std::string_view key, std::string_view value)
{
    const std::string text = SetIniValue(TextToUpdate(fileName), section, key, value);
    try {
        WriteFileAtomically(fileName, text, "Cannot write");
    } catch (const TFileError& error) {
        throw CannotWrite(fileName, error.Cause(), error.SystemError());
    }
}

std::optional<std::int32_t> ParseIniInteger(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return ParseHex(text.substr(2));
    }
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string TIniFile::ReadString(
    std::string_view section, std::string_view key, const std::string& defaultValue) const
{
    return GetProfileString(FileName, section, key, defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) const
{
    WriteProfileString(FileName, section, key, value);
}

std::int32_t TIniFile::ReadInteger(
    std::string_view section, std::string_view key, std::int32_t defaultValue) const
{
    return ParseIniInteger(ReadString(section, key, "")).value_or(defaultValue);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) const
{
    WriteString(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) const
{
    WriteString(section, key, value ? "1" : "0");
}

} // namespace kalvoro::records
