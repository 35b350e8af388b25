#pragma once

#include "BodyFatCalculation.h"

namespace vitalog {

// Three-site skinfold equation for men: chest, abdominal, thigh (millimetres).
class JacksonPollock3MaleCalc : public BodyFatCalculation {
public:
    JacksonPollock3MaleCalc(const UserRecord& user, int chest, int abdominal, int thigh);

    void Calculate() override;

private:
    int chest_, abdominal_, thigh_;
};

} // namespace vitalog
