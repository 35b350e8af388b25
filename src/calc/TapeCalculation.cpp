#include "TapeCalculation.h"

#include "MeasurementType.h"
#include "records/Units.h"

namespace vitalog {

TapeCalculation::TapeCalculation(const UserRecord& user, double waist, double height, double hip,
                                 double neck)
    : BodyFatCalculation(user, MeasurementType::TapeMeasurement), waist_(waist), height_(height),
      hip_(hip), neck_(neck) {
    if (user.lengthUnits == Centimetres) {
        waist_ *= CmToIn;
        height_ *= CmToIn;
        hip_ *= CmToIn;
        neck_ *= CmToIn;
    }
    record.tape[0] = waist_;
    record.tape[1] = height_;
    record.tape[2] = hip_;
    record.tape[3] = neck_;
}

} // namespace vitalog
