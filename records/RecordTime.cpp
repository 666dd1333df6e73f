#include "RecordTime.h"

#include <array>

namespace kalvoro::records {

namespace {

std::string Format(const std::tm& when, const char* pattern)
{
    std::array<char, 128> buffer {};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), pattern, &when);
    return std::string(buffer.data(), length);
}

} // namespace

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return local;
}

std::string DateTimeText(const std::tm& when)
{
    return Format(when, "%x %X");
}

std::string TimeStampName(const std::tm& when, const std::string& extension)
{
    return Format(when, "%m%d%H%M") + extension;
}

} // namespace kalvoro::records
