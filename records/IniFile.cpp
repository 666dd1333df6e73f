#include "IniFile.h"

#include "AtomicFile.h"
#include "IniText.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kalvoro::records {

namespace {

// The cause as a sentence of its own: "the disk is full" becomes "The disk is full.".
std::string Sentence(std::string cause)
{
    if (!cause.empty()) {
        cause.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(cause.front())));
    }
    return cause + ".";
}

TFileError CannotWrite(const std::string& fileName, const std::string& cause, int systemError)
{
    return TFileError(fileName + " に書き込めません\n" + Sentence(cause), fileName, cause, systemError);
}

// Holds the exclusive advisory lock of "<file>.lock" while it lives, and removes the lock file before
// releasing it. A copy that locked a lock file which was removed meanwhile tries again on the new one, so
// removing it never lets two copies in at once. Without a lock file (a folder we may not write) it holds
// nothing, and the write that follows reports why the folder cannot be written.
class TSettingsLock {
public:
    explicit TSettingsLock(std::string fileName)
        : lockPath(std::move(fileName) + ".lock")
    {
        while ((fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) >= 0) {
            if (!Lock()) {
                // A file system without locks: write unlocked, as a single copy would.
                ::close(fd);
                fd = -1;
                return;
            }
            if (IsTheCurrentLockFile()) {
                return;
            }
            ::close(fd);
        }
    }
    TSettingsLock(const TSettingsLock&) = delete;
    TSettingsLock& operator=(const TSettingsLock&) = delete;
    ~TSettingsLock()
    {
        if (fd >= 0) {
            ::unlink(lockPath.c_str());
            ::close(fd);
        }
    }

private:
    bool Lock() const
    {
        int result = 0;
        do {
            result = ::flock(fd, LOCK_EX);
        } while (result != 0 && errno == EINTR);
        return result == 0;
    }

    // Whether the locked file is still the one at the lock path, not one that the copy before removed.
    bool IsTheCurrentLockFile() const
    {
        struct stat locked { };
        struct stat current { };
        return ::fstat(fd, &locked) == 0 && ::stat(lockPath.c_str(), &current) == 0
            && locked.st_ino == current.st_ino && locked.st_dev == current.st_dev;
    }

    std::string lockPath;
    int fd = -1;
};

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
    WriteProfileStrings(fileName, { { std::string(section), std::string(key), std::string(value) } });
}

void WriteProfileStrings(const std::string& fileName, const std::vector<TIniEntry>& entries)
{
    const TSettingsLock lock(fileName);
    std::string text = TextToUpdate(fileName);
    for (const TIniEntry& entry : entries) {
        text = SetIniValue(text, entry.section, entry.key, entry.value);
    }
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

void TIniFile::WriteStrings(const std::vector<TIniEntry>& entries) const
{
    WriteProfileStrings(FileName, entries);
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
