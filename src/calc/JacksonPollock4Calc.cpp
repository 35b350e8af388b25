#include "JacksonPollock4Calc.h"

#include "MeasurementType.h"
#include "records/Units.h"

namespace vitalog {

JacksonPollock4Calc::JacksonPollock4Calc(const UserRecord& user, int abdominal, int thigh,
                                         int triceps, int suprailiac)
    : BodyFatCalculation(user, MeasurementType::JacksonPollock4), abdominal_(abdominal),
      thigh_(thigh), triceps_(triceps), suprailiac_(suprailiac) {
    record.sites[1] = abdominal;
    record.sites[2] = thigh;
    record.sites[3] = triceps;
    record.sites[5] = suprailiac;
}

void JacksonPollock4Calc::Calculate() {
    const double s = abdominal_ + thigh_ + triceps_ + suprailiac_;
    const double age = record.user.age;
    if (record.user.sex == Male)
        record.bodyFat = 0.29288 * s - 0.0005 * s * s + 0.15845 * age - 5.76377;
    else
        record.bodyFat = 0.29669 * s - 0.00043 * s * s + 0.02963 * age + 1.4072;
    DeriveComposition();
}

} // namespace vitalog
