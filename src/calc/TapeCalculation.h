#pragma once

#include "BodyFatCalculation.h"

namespace vitalog {

// Shared part of the tape-measure methods: lengths arrive in the user's length units (an
// imperial height is feet * 12 + inches) and are kept, and stored, in inches.
class TapeCalculation : public BodyFatCalculation {
protected:
    TapeCalculation(const UserRecord& user, double waist, double height, double hip, double neck);

    double waist_, height_, hip_, neck_;
};

} // namespace vitalog
