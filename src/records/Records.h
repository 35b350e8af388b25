#pragma once

#include "DateKey.h"
#include "UserRecord.h"

#include <cstddef>
#include <cstdint>

namespace vitalog {

// In-memory forms of the stored records. Their byte layouts on disk are fixed and are
// written and read field by field by the kinds in RecordKinds.h, never by copying structs.
// The text setters refuse (and store nothing) a text that does not fit with its NUL or that
// holds a NUL itself; the getters never read past the field.

// Body composition record, 200 bytes in "bf<name>.bin".
struct BodyFatRecord {
    static constexpr int SiteSlots = 7;
    static constexpr std::size_t MethodFieldSize = 20;

    UserRecord user;                    // the profile at the time of the assessment
    std::int32_t sites[SiteSlots] = {}; // skinfolds in mm, slots as the method defines
    double tape[4] = {};                // waist, height, hip, neck; inches on disk
    char method[MethodFieldSize] = {};  // MeasurementType text, NUL-terminated
    double bodyFat = 0;
    double leanWeight = 0; // pounds on disk, user's units in memory
    double fatWeight = 0;
    double weightToLose = 0;
    DateKey date = 0;
    std::int32_t active = 0;

    std::string Method() const;            // up to the NUL, never past the field
    bool SetMethod(std::string_view text); // false (nothing stored) if it does not fit
};

// Tape measurements, 128 bytes in "tm<name>.bin"; lengths in inches on disk.
struct TapeRecord {
    UserRecord user;
    double biceps = 0;
    double forearmOrHip = 0; // forearm for a male user, hip for a female user
    double chest = 0;
    double waist = 0;
    double neck = 0;
    double calf = 0;
    double thigh = 0;
    DateKey date = 0;
    std::int32_t active = 0;
};

// BMI, 88 bytes in "bmi<name>.bin".
struct BmiRecord {
    UserRecord user; // its weight (pounds) is the weight the BMI was computed from
    double bmi = 0;
    double height = 0; // inches
    DateKey date = 0;
    std::int32_t active = 0;
};

// BMR, 104 bytes in "bmr<name>.bin".
struct BmrRecord {
    UserRecord user; // weight converted to kilograms when built; not read back by anyone
    double bmr = 0;
    double bmrWithActivity = 0;
    double height = 0; // centimetres in memory; the user's length units on disk
    double activityFactor = 0;
    DateKey date = 0;
    std::int32_t active = 0;
};

// Blood pressure reading, 352 bytes in "bp<name>.bin"; keyed by date and time.
struct BloodPressureRecord {
    static constexpr std::size_t NotesFieldSize = 255;
    static constexpr std::size_t MaxNotesLength = 254;

    UserRecord user;
    std::int32_t systolic = 0;
    std::int32_t diastolic = 0;
    std::int32_t pulse = 0;
    char notes[NotesFieldSize] = {}; // Windows-1252, NUL-terminated
    DateTimeKey when;
    std::int32_t active = 0;

    std::string Notes() const;
    bool SetNotes(std::string_view cp1252Text); // false (nothing stored) if it does not fit
};

// Progress picture path, 376 bytes in "pt<name>.bin"; several per date.
struct PictureRecord {
    static constexpr std::size_t PathFieldSize = 300;
    static constexpr std::size_t MaxPathLength = 299;

    UserRecord user;
    char path[PathFieldSize] = {};
    DateKey date = 0;
    std::int32_t active = 0;

    std::string Path() const;
    bool SetPath(std::string_view bytes); // false (nothing stored) if it does not fit
};

} // namespace vitalog
