// Scratch folders and child processes for the file tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// A fresh folder under the system's temporary folder, removed with everything in it at the end of the test.
class TTempFolder {
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kalvoro-records-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string File(const std::string& name) const { return (path / name).string(); }
    std::string Path() const { return path.string(); }

    // Lets a child that dropped its privileges into the folder, so that only the permissions of what lies
    // inside decide.
    void OpenToEveryone() const { std::filesystem::permissions(path, std::filesystem::perms(0755)); }

    // The names in the folder, to check that no temporary file was left behind.
    std::size_t EntryCount() const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(path), std::filesystem::directory_iterator {}));
    }

private:
    std::filesystem::path path;
};

inline void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The user id a root test process drops to, so that permission checks apply to it.
constexpr uid_t NobodyId = 65534;

// Runs `body` in a forked child and returns its exit code (or 128 + signal). With `unprivileged` a child
// running as root first becomes the user "nobody", because root passes every permission check.
inline int RunInChild(const std::function<int()>& body, bool unprivileged = false)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (unprivileged && ::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0)) {
            ::_exit(90);
        }
        int code = 91;
        try {
            code = body();
        } catch (...) {
            code = 92;
        }
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
