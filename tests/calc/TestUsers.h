#pragma once

#include "records/Units.h"
#include "records/UserRecord.h"

#include <cstring>

namespace vitalog::test {

// A profile as the user screen would hand it over; weight always in pounds.
inline UserRecord MakeUser(int sex, int age, double pounds, int units = Imperial,
                           float desired = 15) {
    UserRecord user;
    std::memcpy(user.name, "Alex", 5);
    user.weight = pounds;
    user.age = age;
    user.units = units;
    user.lengthUnits = units + 2;
    user.desiredBodyFat = desired;
    user.sex = sex;
    user.active = 1;
    return user;
}

} // namespace vitalog::test
