#include "JacksonPollock3FemaleCalc.h"

#include "MeasurementType.h"

namespace vitalog {

JacksonPollock3FemaleCalc::JacksonPollock3FemaleCalc(const UserRecord& user, int triceps,
                                                     int suprailiac, int thigh)
    : BodyFatCalculation(user, MeasurementType::JacksonPollock3), triceps_(triceps),
      suprailiac_(suprailiac), thigh_(thigh) {
    record.sites[2] = thigh;
    record.sites[3] = triceps;
    record.sites[5] = suprailiac;
}

void JacksonPollock3FemaleCalc::Calculate() {
    const double s = triceps_ + suprailiac_ + thigh_;
    const double age = record.user.age;
    record.bodyFat = Siri(1.0994921 - 0.0009929 * s + 0.0000023 * s * s - 0.0001392 * age);
    DeriveComposition();
}

} // namespace vitalog
