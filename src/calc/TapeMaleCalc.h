#pragma once

#include "TapeCalculation.h"

namespace vitalog {

// Tape-measure equation for men from waist, neck and height; the hip is not used.
class TapeMaleCalc : public TapeCalculation {
public:
    TapeMaleCalc(const UserRecord& user, double waist, double height, double neck);

    // A waist not larger than the neck has no logarithm, so no usable body fat comes out.
    void Calculate() override;
};

} // namespace vitalog
