// Where the program keeps its files: the settings file, the auto-save record, the text export and the
// folder the file dialogs open in.
//
// A portable copy (any folder the program may write to, such as an unpacked copy or the build folder) keeps
// everything in its own folder. An installed program (its folder is the folder it was installed to, or a
// folder it cannot write to, such as /usr/bin) keeps its settings in $XDG_CONFIG_HOME/kalvoro and its records
// and exports in $XDG_DATA_HOME/kalvoro, so that it never fails to save its settings at exit.
#pragma once

#include <functional>
#include <string>

namespace kalvoro::records {

struct TFileLocations {
    std::string ProgramFolder;
    // Where "Kalvoro.Ini" lives.
    std::string SettingsFolder;
    // Where "$Kalv$.kvr" and "Kalvoro.txt" live and where the file dialogs start.
    std::string DataFolder;
    bool Portable = true;
};

// Looks up an environment variable; nullptr when it is not set.
using TEnvironment = std::function<const char*(const char*)>;

// The locations for a program in `programFolder`. `installedFolder` is the folder the build installs its
// programs to; `isWritable` tells whether a folder may be written to.
TFileLocations ChooseFileLocations(const std::string& programFolder, const std::string& installedFolder,
    const TEnvironment& environment, const std::function<bool(const std::string&)>& isWritable);

// The locations of the running program, from its folder, the real environment and the file system.
TFileLocations FileLocationsOfThisProgram(const char* argv0);

// Creates `folder` and its parents when they are missing. Throws TFileError naming the folder.
void CreateFolder(const std::string& folder);

// One line per place, for the About box and the help: where the settings and the records are kept.
std::string DescribeFileLocations(const TFileLocations& locations);

} // namespace kalvoro::records
