#include "JacksonPollock3MaleCalc.h"

#include "MeasurementType.h"

namespace vitalog {

JacksonPollock3MaleCalc::JacksonPollock3MaleCalc(const UserRecord& user, int chest, int abdominal,
                                                 int thigh)
    : BodyFatCalculation(user, MeasurementType::JacksonPollock3), chest_(chest),
      abdominal_(abdominal), thigh_(thigh) {
    record.sites[0] = chest;
    record.sites[1] = abdominal;
    record.sites[2] = thigh;
}

void JacksonPollock3MaleCalc::Calculate() {
    const double s = chest_ + abdominal_ + thigh_;
    const double age = record.user.age;
    record.bodyFat = Siri(1.10938 - 0.0008267 * s + 0.0000016 * s * s - 0.0002574 * age);
    DeriveComposition();
}

} // namespace vitalog
