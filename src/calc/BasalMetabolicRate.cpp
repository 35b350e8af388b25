#include "BasalMetabolicRate.h"

#include "NumberText.h"
#include "records/Units.h"

namespace vitalog {

BmrRecord BuildBmrRecord(const UserRecord& user, double height, DateKey date,
                         double activityFactor) {
    BmrRecord record;
    record.user = user;
    record.user.weight *= LbToKg;
    record.height = user.lengthUnits == Inches ? height * InToCm : height;
    record.activityFactor = activityFactor;
    record.date = date;
    record.active = 1;
    return record;
}

double CalculateBmr(BmrRecord& record) {
    const double w = record.user.weight;
    const double h = record.height;
    const double a = record.user.age;
    if (record.user.sex == Male)
        record.bmr = 13.7516 * w + 5.0033 * h + 66.473 - 6.755 * a;
    else
        record.bmr = 1.8496 * h + 9.5634 * w + 655.0955 - 4.6756 * a;
    record.bmrWithActivity = record.activityFactor * record.bmr;
    return record.bmr;
}

std::string FormatKcalPerDay(double kcal) {
    return InsertThousandsComma(FormatText("%.0f kcal/day", kcal), kcal);
}

} // namespace vitalog
