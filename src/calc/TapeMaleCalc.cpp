#include "TapeMaleCalc.h"

#include <cmath>

namespace vitalog {

TapeMaleCalc::TapeMaleCalc(const UserRecord& user, double waist, double height, double neck)
    : TapeCalculation(user, waist, height, 0, neck) {}

void TapeMaleCalc::Calculate() {
    record.bodyFat = 86.010 * std::log10(waist_ - neck_) - 70.041 * std::log10(height_) + 36.76;
    DeriveComposition();
}

} // namespace vitalog
