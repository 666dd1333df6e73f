// Feeds arbitrary bytes to the game-record reader: it must either refuse them with a file error or give a
// record whose shape is sound, and what it gives must survive being written and read again.
#include "records/GameRecord.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kalvoro::engine;
using namespace kalvoro::records;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TGameRecord record;
    try {
        record = ParseGameRecord(bytes, "fuzz.kvr");
    } catch (const TFileError&) {
        return 0;
    }
    if (record.LastIndex < 0 || record.LastIndex >= RecordCapacity
        || record.PositionRows.size() != static_cast<std::size_t>(record.LastIndex) + 1) {
        std::abort();
    }
    if (ParseGameRecord(FormatGameRecord(record), "fuzz.kvr").PositionRows != record.PositionRows) {
        std::abort();
    }
    return 0;
}
