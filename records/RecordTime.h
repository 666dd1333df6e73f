// The local date and time as the game records write them. Every function takes the moment as an argument,
// so that callers pass LocalNow() and tests a fixed time.
#pragma once

#include <ctime>
#include <string>

namespace kalvoro::records {

// The current local time.
std::tm LocalNow();

// The date in the locale's short form and the time in its long form, separated by one blank
// (strftime "%x %X"; in the C locale 12/07/18 18:53:00).
std::string DateTimeText(const std::tm& when);

// "mmddhhnn" (month, day, hour of the 24-hour clock, minute) followed by `extension`, for example
// 12071853.KVR: the name a new record is offered under.
std::string TimeStampName(const std::tm& when, const std::string& extension);

} // namespace kalvoro::records
