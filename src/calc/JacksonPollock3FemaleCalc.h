#pragma once

#include "BodyFatCalculation.h"

namespace vitalog {

// Three-site skinfold equation for women: triceps, suprailiac, thigh (millimetres).
class JacksonPollock3FemaleCalc : public BodyFatCalculation {
public:
    JacksonPollock3FemaleCalc(const UserRecord& user, int triceps, int suprailiac, int thigh);

    void Calculate() override;

private:
    int triceps_, suprailiac_, thigh_;
};

} // namespace vitalog
