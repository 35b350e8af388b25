#include "ParrilloCalc.h"

#include "MeasurementType.h"

namespace vitalog {

ParrilloCalc::ParrilloCalc(const UserRecord& user, int chest, int abdominal, int thigh, int biceps,
                           int triceps, int subscapular, int suprailiac, int lowerBack, int calf)
    : BodyFatCalculation(user, MeasurementType::Parrillo), chest_(chest), abdominal_(abdominal),
      thigh_(thigh), biceps_(biceps), triceps_(triceps), subscapular_(subscapular),
      suprailiac_(suprailiac), lowerBack_(lowerBack), calf_(calf) {
    record.sites[0] = PackSites(chest, biceps);
    record.sites[1] = PackSites(abdominal, calf);
    record.sites[2] = thigh;
    record.sites[3] = triceps;
    record.sites[4] = subscapular;
    record.sites[5] = suprailiac;
    record.sites[6] = lowerBack;
}

std::int32_t ParrilloCalc::PackSites(int low, int high) {
    const auto bits = (static_cast<std::uint32_t>(high) & 0xFFFFu) << 16 |
                      (static_cast<std::uint32_t>(low) & 0xFFFFu);
    return static_cast<std::int32_t>(bits);
}

int ParrilloCalc::LowSite(std::int32_t slot) {
    return static_cast<int>(static_cast<std::uint32_t>(slot) & 0xFFFFu);
}

int ParrilloCalc::HighSite(std::int32_t slot) {
    return static_cast<int>(static_cast<std::uint32_t>(slot) >> 16 & 0xFFFFu);
}

void ParrilloCalc::Calculate() {
    const int sum = chest_ + abdominal_ + thigh_ + biceps_ + triceps_ + subscapular_ + suprailiac_ +
                    lowerBack_ + calf_;
    // The stored weight is pounds for every user, so no unit test is needed here.
    record.bodyFat = static_cast<double>(sum * 27) / record.user.weight;
    DeriveComposition();
}

} // namespace vitalog
