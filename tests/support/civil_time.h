#pragma once
// Clock readings for tests, written as calendar day and time of day.

#include "config/date_codec.h"

namespace velmaron::testing {

inline DateTime At(int year, unsigned month, unsigned day, int hour = 0, int minute = 0,
                   int second = 0) {
    using namespace std::chrono;
    return sys_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute} +
           seconds{second};
}

} // namespace velmaron::testing
