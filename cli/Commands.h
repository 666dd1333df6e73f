// The commands of kalvoro-cli. Each writes its result to `out` and returns the program's exit status; a
// transcript that cannot be played throws TUsageError.
#pragma once

#include "Arguments.h"

#include <ostream>

namespace kalvoro::cli {

using namespace kalvoro::engine;

int RunThink(const TCommandLine& command, std::ostream& out);
int RunPlay(const TCommandLine& command, std::ostream& out);

} // namespace kalvoro::cli
