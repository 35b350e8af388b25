#pragma once

#include "BodyFatCalculation.h"

namespace vitalog {

// Four-site skinfold equation (millimetres) with constants by sex and age band.
class DurninCalc : public BodyFatCalculation {
public:
    DurninCalc(const UserRecord& user, int biceps, int triceps, int subscapular, int suprailiac);

    void Calculate() override;

private:
    int biceps_, triceps_, subscapular_, suprailiac_;
};

} // namespace vitalog
