// The program's own folder: where the help document lies, and where a portable copy keeps its settings,
// records and exports (FileLocations.h decides which folder holds what).
#pragma once

#include <string>

namespace kalvoro::records {

// The folder of the running executable (from /proc/self/exe; failing that, from `argv0` when it holds a
// path; failing that, the current folder). No trailing slash.
std::string ProgramFolder(const char* argv0);

// `name` inside `folder`.
std::string InFolder(const std::string& folder, const std::string& name);

} // namespace kalvoro::records
