#include "DurninCalc.h"

#include "MeasurementType.h"
#include "records/Units.h"

#include <cmath>

namespace vitalog {

namespace {

struct DensityLine {
    double c;
    double m;
};

// Rows: below 20, 20-29, 30-39, 40-49, 50 and over.
constexpr DensityLine MenLines[] = {
    {1.1620, 0.0630}, {1.1631, 0.0632}, {1.1422, 0.0544}, {1.1620, 0.0700}, {1.1715, 0.0779}};
constexpr DensityLine WomenLines[] = {
    {1.1549, 0.0678}, {1.1599, 0.0717}, {1.1423, 0.0632}, {1.1333, 0.0612}, {1.1339, 0.0645}};

int AgeRow(int age) {
    if (age < 20)
        return 0;
    if (age < 30)
        return 1;
    if (age < 40)
        return 2;
    if (age < 50)
        return 3;
    return 4;
}

} // namespace

DurninCalc::DurninCalc(const UserRecord& user, int biceps, int triceps, int subscapular,
                       int suprailiac)
    : BodyFatCalculation(user, MeasurementType::Durnin), biceps_(biceps), triceps_(triceps),
      subscapular_(subscapular), suprailiac_(suprailiac) {
    record.sites[0] = biceps;
    record.sites[3] = triceps;
    record.sites[4] = subscapular;
    record.sites[5] = suprailiac;
}

void DurninCalc::Calculate() {
    const double s = biceps_ + triceps_ + subscapular_ + suprailiac_;
    const int row = AgeRow(record.user.age);
    const DensityLine& line = record.user.sex == Male ? MenLines[row] : WomenLines[row];
    // A sum of 0 gives log10 = -inf, density inf and a body fat of -450: refused later.
    record.bodyFat = Siri(line.c - line.m * std::log10(s));
    DeriveComposition();
}

} // namespace vitalog
