#include "ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace kalvoro::records {

std::string ProgramFolder(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && executable.has_parent_path()) {
        return executable.parent_path().string();
    }
    const std::string given = argv0 != nullptr ? argv0 : "";
    if (given.find('/') != std::string::npos) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(given, error);
        if (!error && resolved.has_parent_path()) {
            return resolved.parent_path().string();
        }
    }
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string(".") : current.string();
}

std::string InFolder(const std::string& folder, const std::string& name)
{
    if (folder.empty()) {
        return name;
    }
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace kalvoro::records
