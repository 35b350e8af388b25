#pragma once

#include "BodyFatCalculation.h"

#include <cstdint>

namespace vitalog {

// Nine-site skinfold sum (millimetres) against body weight in pounds. Nine sites share the
// record's seven slots: chest and biceps in slot 0, abdominal and calf in slot 1.
class ParrilloCalc : public BodyFatCalculation {
public:
    ParrilloCalc(const UserRecord& user, int chest, int abdominal, int thigh, int biceps,
                 int triceps, int subscapular, int suprailiac, int lowerBack, int calf);

    void Calculate() override;

    // low 16 bits: first site, high 16 bits: second site
    static std::int32_t PackSites(int low, int high);
    static int LowSite(std::int32_t slot);
    static int HighSite(std::int32_t slot);

private:
    int chest_, abdominal_, thigh_, biceps_, triceps_, subscapular_, suprailiac_, lowerBack_, calf_;
};

} // namespace vitalog
