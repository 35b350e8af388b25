#pragma once

#include "records/DateKey.h"
#include "records/Records.h"
#include "records/UserRecord.h"

#include <string>

namespace vitalog {

// A live BMR record for the user on the date: the profile's weight becomes kilograms and the
// height, given in the user's length units, is kept in centimetres. Not computed yet.
BmrRecord BuildBmrRecord(const UserRecord& user, double height, DateKey date,
                         double activityFactor);

// BMR from weight (kg), height (cm), age and sex (1 the men's equation, any other value the
// women's), and the BMR times the activity factor (0 without a factor). Returns the BMR.
double CalculateBmr(BmrRecord& record);

// "1,809 kcal/day": "%.0f kcal/day" with the thousands comma.
std::string FormatKcalPerDay(double kcal);

} // namespace vitalog
