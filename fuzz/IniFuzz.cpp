// Feeds arbitrary settings-file text to the INI layer: reading never fails, and after a key is set it reads
// back as set while the value of another key in another section stays what it was.
#include "records/IniText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kalvoro::records;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto before = FindIniValue(text, "Custom", "Depth");
    const std::string updated = SetIniValue(text, "Option", "CellSize", "44");
    if (FindIniValue(updated, "option", "CELLSIZE") != "44") {
        std::abort();
    }
    if (FindIniValue(updated, "Custom", "Depth") != before) {
        std::abort();
    }
    return 0;
}
