#include "FileLocations.h"

#include "AtomicFile.h"
#include "ProgramFolder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace kalvoro::records {

#ifndef KALVORO_INSTALL_BINDIR
#define KALVORO_INSTALL_BINDIR "/usr/local/bin"
#endif

namespace {

std::string HomeFolder(const TEnvironment& environment)
{
    const char* home = environment("HOME");
    if (home != nullptr && home[0] == '/') {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/tmp";
}

// $<variable>/kalvoro when the variable holds an absolute path, otherwise <home>/<fallback>/kalvoro.
std::string XdgFolder(const TEnvironment& environment, const char* variable, const char* fallback)
{
    const char* value = environment(variable);
    if (value != nullptr && value[0] == '/') {
        return InFolder(value, "kalvoro");
    }
    return InFolder(InFolder(HomeFolder(environment), fallback), "kalvoro");
}

bool SameFolder(const std::string& a, const std::string& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error)
        || std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

} // namespace

TFileLocations ChooseFileLocations(const std::string& programFolder, const std::string& installedFolder,
    const TEnvironment& environment, const std::function<bool(const std::string&)>& isWritable)
{
    if (!SameFolder(programFolder, installedFolder) && isWritable(programFolder)) {
        return { programFolder, programFolder, programFolder, true };
    }
    return { programFolder, XdgFolder(environment, "XDG_CONFIG_HOME", ".config"),
        XdgFolder(environment, "XDG_DATA_HOME", ".local/share"), false };
}

TFileLocations FileLocationsOfThisProgram(const char* argv0)
{
    return ChooseFileLocations(
        ProgramFolder(argv0), KALVORO_INSTALL_BINDIR, [](const char* name) { return std::getenv(name); },
        [](const std::string& folder) { return access(folder.c_str(), W_OK) == 0; });
}

void CreateFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw FileError(
            "Cannot create the folder", folder, DescribeSystemError(error.value()), error.value());
    }
}

std::string DescribeFileLocations(const TFileLocations& locations)
{
    if (locations.Portable) {
        return "Settings and records: " + locations.ProgramFolder;
    }
    return "Settings: " + locations.SettingsFolder + "\nRecords: " + locations.DataFolder;
}

} // namespace kalvoro::records
