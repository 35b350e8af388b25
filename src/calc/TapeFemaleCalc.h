#pragma once

#include "TapeCalculation.h"

namespace vitalog {

// Tape-measure equation for women from waist, hip, neck and height.
class TapeFemaleCalc : public TapeCalculation {
public:
    TapeFemaleCalc(const UserRecord& user, double waist, double height, double hip, double neck);

    void Calculate() override;
};

} // namespace vitalog
