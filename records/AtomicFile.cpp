#include "AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace kalvoro::records {

namespace {

constexpr int MaxLinkSteps = 40;

// Closes a descriptor when it leaves scope, so that every error path closes the file.
class TDescriptor {
public:
    explicit TDescriptor(int openedFd)
        : fd(openedFd)
    {
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() { Close(); }
    int Get() const { return fd; }
    // Closes now and returns the errno of a failed close, 0 on success.
    int Close()
    {
        const int result = fd >= 0 ? ::close(fd) : 0;
        fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd;
};

std::string FolderOf(const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// Follows a chain of symbolic links to the path of the file that is finally meant; that file may not exist
// yet (a dangling link names the file to create).
std::string ResolveLinks(const std::string& path, const std::string& action)
{
    std::string current = path;
    for (int step = 0; step < MaxLinkSteps; ++step) {
        struct stat info { };
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            throw FileError(action, path, DescribeSystemError(errno), errno);
        }
        target.resize(static_cast<std::size_t>(length));
        current = target.front() == '/' ? target : FolderOf(current).append("/").append(target);
    }
    throw FileError(action, path, DescribeSystemError(ELOOP), ELOOP);
}

void WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // A write of 0 bytes makes no progress; treat it as a full disk rather than loop forever.
            throw std::system_error(written < 0 ? errno : ENOSPC, std::generic_category());
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

mode_t ModeForNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// What the new file takes over from the old one.
struct TFileOwnership {
    mode_t mode = 0;
    uid_t owner = static_cast<uid_t>(-1);
    gid_t group = static_cast<gid_t>(-1);
};

// The target must be an ordinary file we may write, or not exist yet.
void CheckTarget(
    const std::string& target, const std::string& path, const std::string& action, TFileOwnership& ownership)
{
    struct stat info { };
    if (::stat(target.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            throw FileError(action, path, DescribeSystemError(errno), errno);
        }
        ownership.mode = ModeForNewFile();
        return;
    }
    if (S_ISDIR(info.st_mode)) {
        throw FileError(action, path, DescribeSystemError(EISDIR), EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        throw FileError(action, path, "it is not an ordinary file");
    }
    // Renaming over a read-only file would succeed; the player made it read-only to keep it.
    if (::access(target.c_str(), W_OK) != 0) {
        throw FileError(action, path, DescribeSystemError(errno), errno);
    }
    ownership = { static_cast<mode_t>(info.st_mode & 07777), info.st_uid, info.st_gid };
}

// Writes, flushes and closes the temporary file; throws std::system_error with the errno of a failure.
void FillTemporary(TDescriptor& file, std::string_view bytes, const TFileOwnership& ownership)
{
    // Only root can hand the file back to its owner; anyone else writes a file of their own.
    if (::geteuid() == 0 && ownership.owner != static_cast<uid_t>(-1)) {
        static_cast<void>(::fchown(file.Get(), ownership.owner, ownership.group));
    }
    if (::fchmod(file.Get(), ownership.mode) != 0) {
        throw std::system_error(errno, std::generic_category());
    }
    WriteAll(file.Get(), bytes);
    if (::fsync(file.Get()) != 0) {
        throw std::system_error(errno, std::generic_category());
    }
    if (const int error = file.Close(); error != 0) {
        throw std::system_error(error, std::generic_category());
    }
}

// So that the rename itself survives a power cut; a failure here loses nothing already written.
void SyncFolder(const std::string& folder)
{
    const TDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0) {
        ::fsync(directory.Get());
    }
}

constexpr std::size_t TemporarySuffixLength = 6;
constexpr auto StaleTemporaryAge = std::chrono::minutes(1);

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size()
        && std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
            [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a))
                    == std::tolower(static_cast<unsigned char>(b));
            });
}

// Whether `name` is one of the temporary files this writer makes for the files of this program:
// ".<target>.XXXXXX" with six letters or digits, where the target is a game record, the settings file or
// the text export.
bool IsOurTemporaryName(std::string_view name)
{
    if (name.size() < TemporarySuffixLength + 3 || name.front() != '.') {
        return false;
    }
    const std::string_view suffix = name.substr(name.size() - TemporarySuffixLength);
    if (name[name.size() - TemporarySuffixLength - 1] != '.' || !std::ranges::all_of(suffix, [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) != 0;
        })) {
        return false;
    }
    const std::string_view target = name.substr(1, name.size() - TemporarySuffixLength - 2);
    return EndsWithIgnoringCase(target, ".kvr") || target == "Kalvoro.Ini" || target == "Kalvoro.txt";
}

// Removes the temporary files that saves interrupted by a kill left in `folder`. Only files older than a
// minute go, so the temporary file of a save still under way in another copy is never touched.
void RemoveStaleTemporaries(const std::string& folder)
{
    std::error_code error;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (IsOurTemporaryName(name) && entry.is_regular_file(error) && !entry.is_symlink(error)
            && now - entry.last_write_time(error) > StaleTemporaryAge) {
            std::filesystem::remove(entry.path(), error);
        }
    }
}

} // namespace

TFileError::TFileError(
    const std::string& message, std::string fileOfError, std::string causeOfError, int errorNumber)
    : std::runtime_error(message)
    , fileName(std::move(fileOfError))
    , cause(std::move(causeOfError))
    , systemError(errorNumber)
{
}

TFileError FileError(
    const std::string& action, const std::string& fileName, const std::string& cause, int systemError)
{
    return TFileError(action + " \"" + fileName + "\": " + cause + ".", fileName, cause, systemError);
}

std::string DescribeSystemError(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return "the file or its folder does not exist";
    case EACCES:
    case EPERM:
        return "permission denied";
    case ENOSPC:
    case EDQUOT:
        return "the disk is full";
    case EFBIG:
        return "the disk is full or the file would grow too large";
    case EROFS:
        return "the disk is read-only";
    case EISDIR:
        return "it is a folder, not a file";
    case ENOTDIR:
        return "a part of the path is not a folder";
    case ENAMETOOLONG:
        return "the name is too long";
    case ELOOP:
        return "too many symbolic links";
    case EIO:
        return "a disk error occurred";
    case EMFILE:
    case ENFILE:
        return "too many files are open";
    default:
        return std::strerror(errorNumber);
    }
}

std::string ReadFileBounded(const std::string& path, std::size_t limit)
{
    const std::string action = "Cannot read";
    // Non-blocking, so that opening a pipe cannot hang; the file type is checked right after.
    const TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.Get() < 0) {
        throw FileError(action, path, DescribeSystemError(errno), errno);
    }
    struct stat info { };
    if (::fstat(file.Get(), &info) != 0) {
        throw FileError(action, path, DescribeSystemError(errno), errno);
    }
    if (S_ISDIR(info.st_mode)) {
        throw FileError(action, path, DescribeSystemError(EISDIR), EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        throw FileError(action, path, "it is not an ordinary file");
    }
    const std::string tooLarge = "the file is too large (more than " + std::to_string(limit) + " bytes)";
    if (static_cast<std::size_t>(info.st_size) > limit) {
        throw FileError(action, path, tooLarge);
    }
    // The size is only a hint (files under /proc report 0); reading stops one byte past the limit.
    constexpr std::size_t Chunk = 64 * 1024;
    std::string contents;
    std::size_t filled = 0;
    while (filled <= limit) {
        contents.resize(
            std::min(limit + 1, std::max(filled + Chunk, static_cast<std::size_t>(info.st_size) + 1)));
        const ssize_t got = ::read(file.Get(), contents.data() + filled, contents.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw FileError(action, path, DescribeSystemError(errno), errno);
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    if (filled > limit) {
        throw FileError(action, path, tooLarge);
    }
    contents.resize(filled);
    return contents;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, const std::string& action)
{
    const std::string target = ResolveLinks(path, action);
    TFileOwnership ownership;
    CheckTarget(target, path, action, ownership);
    const std::string folder = FolderOf(target);
    std::string temporary = folder + "/." + std::filesystem::path(target).filename().string() + ".XXXXXX";
    TDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) {
        throw FileError(action, path, DescribeSystemError(errno), errno);
    }
    try {
        FillTemporary(file, bytes, ownership);
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            throw std::system_error(errno, std::generic_category());
        }
    } catch (const std::system_error& failure) {
        file.Close();
        ::unlink(temporary.c_str());
        const int error = failure.code().value();
        throw FileError(action, path, DescribeSystemError(error), error);
    }
    SyncFolder(folder);
    RemoveStaleTemporaries(folder);
}

} // namespace kalvoro::records
