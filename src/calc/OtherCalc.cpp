#include "OtherCalc.h"

#include "MeasurementType.h"

namespace vitalog {

OtherCalc::OtherCalc(const UserRecord& user, double bodyFat)
    : BodyFatCalculation(user, MeasurementType::Other), bodyFat_(bodyFat) {}

void OtherCalc::Calculate() {
    record.bodyFat = bodyFat_;
    DeriveComposition();
}

} // namespace vitalog
