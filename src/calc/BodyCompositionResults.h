#pragma once

#include "records/Records.h"

#include <optional>
#include <string>

namespace vitalog {

// A desired body fat the results screen can work with: more than 0 and less than 100.
// At 100 the goal weight divides by zero; above it the goal turns negative.
bool IsValidDesiredBodyFat(double percentage);

// False for inf and nan, which are never shown as a goal weight.
bool IsShowableGoalWeight(double goalWeight);

// The results screen's recalculate on the pending record: stores the new weight to lose and
// the new desired percentage and returns the goal weight, in the units the record's weights
// are held in. Body fat, lean and fat weight are not touched. currentUnits is the current
// user's UnitSystem. A desired percentage that is not valid is refused: nothing changes and
// no goal weight is returned.
std::optional<double> RecalculateDesired(BodyFatRecord& record, float desired, int currentUnits);

// "25.00%", and "25.00 %" as the delete mode writes it.
std::string FormatBodyFat(double bodyFat);
std::string FormatBodyFatSpaced(double bodyFat);

// A stored weight (pounds) in the user's units: kilograms for a metric user, rounded to two
// decimals like every converted value that is shown.
double StoredWeightInUnits(double pounds, int units);

// "150.00 lbs" or "68.04 kgs"; the weight is already in the user's units (a pending record).
std::string FormatWeight(double weight, int units);
// The same for a weight read from a file, which holds pounds.
std::string FormatStoredWeight(double pounds, int units);

} // namespace vitalog
