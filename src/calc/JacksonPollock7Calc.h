#pragma once

#include "BodyFatCalculation.h"

namespace vitalog {

// Seven-site skinfold equation (millimetres), density by sex and age.
class JacksonPollock7Calc : public BodyFatCalculation {
public:
    JacksonPollock7Calc(const UserRecord& user, int chest, int abdominal, int thigh, int triceps,
                        int subscapular, int suprailiac, int midaxillary);

    void Calculate() override;

private:
    int chest_, abdominal_, thigh_, triceps_, subscapular_, suprailiac_, midaxillary_;
};

} // namespace vitalog
