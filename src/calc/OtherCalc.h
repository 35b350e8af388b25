#pragma once

#include "BodyFatCalculation.h"

namespace vitalog {

// A body-fat percentage the user already knows.
class OtherCalc : public BodyFatCalculation {
public:
    OtherCalc(const UserRecord& user, double bodyFat);

    void Calculate() override;

private:
    double bodyFat_;
};

} // namespace vitalog
