#include "TapeFemaleCalc.h"

#include <cmath>

namespace vitalog {

TapeFemaleCalc::TapeFemaleCalc(const UserRecord& user, double waist, double height, double hip,
                               double neck)
    : TapeCalculation(user, waist, height, hip, neck) {}

void TapeFemaleCalc::Calculate() {
    record.bodyFat =
        163.205 * std::log10(waist_ + hip_ - neck_) - 97.684 * std::log10(height_) - 78.387;
    DeriveComposition();
}

} // namespace vitalog
