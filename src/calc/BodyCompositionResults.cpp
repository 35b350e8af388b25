#include "BodyCompositionResults.h"

#include "BodyFatCalculation.h"
#include "NumberText.h"
#include "records/Units.h"

#include <cmath>

namespace vitalog {

bool IsValidDesiredBodyFat(double percentage) {
    return percentage > 0 && percentage < 100;
}

bool IsShowableGoalWeight(double goalWeight) {
    return std::isfinite(goalWeight);
}

std::optional<double> RecalculateDesired(BodyFatRecord& record, float desired, int currentUnits) {
    if (!IsValidDesiredBodyFat(desired))
        return std::nullopt;
    const double d = desired;
    double w = record.user.weight;
    if (currentUnits == Metric)
        w *= LbToKg;
    const double goal = BodyFatCalculation::GoalWeight(record.leanWeight, d);
    record.weightToLose = d < record.bodyFat ? w - goal : 0;
    record.user.desiredBodyFat = desired;
    return goal;
}

std::string FormatBodyFat(double bodyFat) {
    return FormatText("%.2f%%", bodyFat);
}

std::string FormatBodyFatSpaced(double bodyFat) {
    return FormatText("%.2f %%", bodyFat);
}

double StoredWeightInUnits(double pounds, int units) {
    return units == Metric ? RoundTo2(pounds * LbToKg) : pounds;
}

std::string FormatWeight(double weight, int units) {
    return FormatText(units == Metric ? "%.2f kgs" : "%.2f lbs", weight);
}

std::string FormatStoredWeight(double pounds, int units) {
    return FormatWeight(StoredWeightInUnits(pounds, units), units);
}

} // namespace vitalog
