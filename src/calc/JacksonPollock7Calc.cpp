#include "JacksonPollock7Calc.h"

#include "MeasurementType.h"
#include "records/Units.h"

namespace vitalog {

JacksonPollock7Calc::JacksonPollock7Calc(const UserRecord& user, int chest, int abdominal,
                                         int thigh, int triceps, int subscapular, int suprailiac,
                                         int midaxillary)
    : BodyFatCalculation(user, MeasurementType::JacksonPollock7), chest_(chest),
      abdominal_(abdominal), thigh_(thigh), triceps_(triceps), subscapular_(subscapular),
      suprailiac_(suprailiac), midaxillary_(midaxillary) {
    record.sites[0] = chest;
    record.sites[1] = abdominal;
    record.sites[2] = thigh;
    record.sites[3] = triceps;
    record.sites[4] = subscapular;
    record.sites[5] = suprailiac;
    record.sites[6] = midaxillary;
}

void JacksonPollock7Calc::Calculate() {
    const double s =
        chest_ + abdominal_ + thigh_ + triceps_ + subscapular_ + suprailiac_ + midaxillary_;
    const double age = record.user.age;
    double density = 0;
    if (record.user.sex == Male)
        density = 1.112 - 0.00043499 * s + 0.00000055 * s * s - 0.00028826 * age;
    else
        density = 1.097 - 0.00046971 * s + 0.00000056 * s * s - 0.00012828 * age;
    record.bodyFat = Siri(density);
    DeriveComposition();
}

} // namespace vitalog
