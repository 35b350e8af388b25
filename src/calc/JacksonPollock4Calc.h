#pragma once

#include "BodyFatCalculation.h"

namespace vitalog {

// Four-site skinfold equation (millimetres); gives the percentage directly.
class JacksonPollock4Calc : public BodyFatCalculation {
public:
    JacksonPollock4Calc(const UserRecord& user, int abdominal, int thigh, int triceps,
                        int suprailiac);

    void Calculate() override;

private:
    int abdominal_, thigh_, triceps_, suprailiac_;
};

} // namespace vitalog
