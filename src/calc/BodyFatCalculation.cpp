#include "BodyFatCalculation.h"

#include "records/RecordFile.h"
#include "records/Units.h"

#include <algorithm>
#include <cmath>

namespace vitalog {

BodyFatCalculation::BodyFatCalculation(const BodyFatRecord& stored) : record(stored) {}

BodyFatCalculation::BodyFatCalculation(const UserRecord& user) {
    record.user = user;
    record.active = 1;
}

BodyFatCalculation::BodyFatCalculation(const UserRecord& user, std::string_view method)
    : BodyFatCalculation(user) {
    // The field starts zeroed, so the text ends in NULs up to its 20 bytes.
    method.copy(record.method, std::min(method.size(), BodyFatRecord::MethodFieldSize - 1));
}

void BodyFatCalculation::DeriveComposition() {
    double w = record.user.weight;
    if (record.user.units == Metric)
        w *= LbToKg;
    const double fat = record.bodyFat * 0.01 * w;
    const double lean = w - fat;
    const double desired = record.user.desiredBodyFat;
    record.fatWeight = fat;
    record.leanWeight = lean;
    record.weightToLose = desired < record.bodyFat ? w - GoalWeight(lean, desired) : 0;
}

double BodyFatCalculation::Siri(double density) {
    return 495 / density - 450;
}

double BodyFatCalculation::GoalWeight(double weight, double percentage) {
    return weight / (1 - percentage * 0.01);
}

bool BodyFatCalculation::IsAcceptable() const {
    return std::isfinite(record.bodyFat) && record.bodyFat >= 0;
}

std::string BodyFatCalculation::Method() const {
    const char* end = std::find(std::begin(record.method), std::end(record.method), '\0');
    return std::string(record.method, end);
}

StoreResult BodyFatCalculation::Save(const std::filesystem::path& dataDir) {
    return BodyFatFile::Append(dataDir, record);
}

StoreResult BodyFatCalculation::Overwrite(const std::filesystem::path& dataDir, DateKey date) {
    return BodyFatFile::Overwrite(dataDir, record, date);
}

} // namespace vitalog
