#include "BodyMassIndex.h"

#include "NumberText.h"
#include "records/Units.h"

namespace vitalog {

BmiRecord BuildBmiRecord(const UserRecord& user, double height, DateKey date) {
    BmiRecord record;
    record.user = user;
    record.height = user.lengthUnits == Centimetres ? height * CmToIn : height;
    record.date = date;
    record.active = 1;
    return record;
}

double CalculateBmi(BmiRecord& record) {
    const double h = record.height;
    record.bmi = h > 0 ? record.user.weight / (h * h) * 703 : 0;
    return record.bmi;
}

std::string FormatBmi(double bmi) {
    return FormatText("%.2f", bmi);
}

} // namespace vitalog
