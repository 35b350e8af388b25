#pragma once

#include "records/DateKey.h"
#include "records/Records.h"
#include "records/StoreResult.h"
#include "records/UserRecord.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace vitalog {

// A body composition record in memory. The calculation methods derive from it and fill the
// record in Calculate; a record read from a file is a plain BodyFatCalculation, which can be
// shown and saved but not calculated again.
class BodyFatCalculation {
public:
    BodyFatCalculation() = default;
    explicit BodyFatCalculation(const BodyFatRecord& stored);
    // A fresh record for the user: results, sites, tape and date cleared, live, no method.
    explicit BodyFatCalculation(const UserRecord& user);
    virtual ~BodyFatCalculation() = default;

    // Sets the body fat and derives the weights. Nothing to do without a formula.
    virtual void Calculate() {}

    // Fat, lean and weight to lose from the body fat, in the user's units (kilograms for a
    // metric user); nothing is rounded.
    void DeriveComposition();

    // The weight at which lean weight makes up (100 - percentage) % of the body.
    static double GoalWeight(double weight, double percentage);

    // The calculator keeps a result only when it is a number, finite and not negative.
    bool IsAcceptable() const;

    std::string Method() const;

    // Store the record; the record kind converts a metric user's weights to pounds in place,
    // so after a successful write the object holds pounds.
    StoreResult Save(const std::filesystem::path& dataDir);
    StoreResult Overwrite(const std::filesystem::path& dataDir, DateKey date);

    BodyFatRecord record;

protected:
    BodyFatCalculation(const UserRecord& user, std::string_view method);

    // Siri's equation: body-fat percentage from body density.
    static double Siri(double density);
};

} // namespace vitalog
