// Bounded reading and atomic writing of whole small files: the file I/O of the game records, the settings
// file and the text export.
//
// Reading is bounded: a file larger than the limit, a folder, a pipe or a device is refused with an error
// instead of being read. Writing never destroys what was there: the new contents go to a temporary file in
// the same folder, which is flushed to the disk and renamed over the old file only when everything was
// written. A symbolic link as the target keeps the link and replaces the file it points to.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvoro::records {

// A file operation that failed. what() is the whole message for the player (it names the file and says
// what went wrong in words); FileName() and Cause() give its parts, SystemError() the errno behind it (0
// when the file was readable but its contents were refused).
class TFileError : public std::runtime_error {
public:
    TFileError(
        const std::string& message, std::string fileOfError, std::string causeOfError, int errorNumber = 0);

    const std::string& FileName() const { return fileName; }
    const std::string& Cause() const { return cause; }
    int SystemError() const { return systemError; }

private:
    std::string fileName;
    std::string cause;
    int systemError;
};

// The error with the message "<action> "<file>": <cause>.", for example
// Cannot save "/home/me/game.kvr": the disk is full.
TFileError FileError(
    const std::string& action, const std::string& fileName, const std::string& cause, int systemError = 0);

// The player's words for an errno value ("the file does not exist", "permission denied", "the disk is
// full", ...); never a bare number.
std::string DescribeSystemError(int errorNumber);

// The whole contents of the ordinary file `path`. Throws TFileError when it cannot be opened or read, is a
// folder or not an ordinary file, or holds more than `limit` bytes; only limit + 1 bytes are ever read.
std::string ReadFileBounded(const std::string& path, std::size_t limit);

// Replaces the contents of `path` by `bytes` atomically: after a failure the old file is intact and no
// temporary file is left. An existing file keeps its permissions; a read-only file is not replaced. After a
// save, temporary files of this program's files that an interrupted save left in the folder and that are
// older than a minute are removed.
// Throws TFileError whose action is `action` ("Cannot save", ...).
void WriteFileAtomically(const std::string& path, std::string_view bytes, const std::string& action);

} // namespace kalvoro::records
