#pragma once

#include "records/DateKey.h"
#include "records/Records.h"
#include "records/UserRecord.h"

#include <string>

namespace vitalog {

// A live BMI record for the user on the date. height is in the user's length units (an
// imperial height is feet * 12 + inches) and is kept in inches. The BMI is not computed yet.
BmiRecord BuildBmiRecord(const UserRecord& user, double height, DateKey date);

// weight (pounds) / height (inches)^2 * 703, or 0 without a height. Stores and returns it.
double CalculateBmi(BmiRecord& record);

// "25.82"
std::string FormatBmi(double bmi);

} // namespace vitalog
