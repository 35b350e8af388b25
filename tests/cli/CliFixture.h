#pragma once

// Data folders for the vitalog-cli tests and a way to run a verb as a function.

#include "records/TestFiles.h"

#include "calc/BasalMetabolicRate.h"
#include "calc/BodyMassIndex.h"
#include "calc/OtherCalc.h"
#include "calc/ParrilloCalc.h"
#include "calc/TapeFemaleCalc.h"
#include "cli/CliCommand.h"
#include "records/RecordFile.h"
#include "records/TextEncoding.h"
#include "records/Units.h"
#include "records/Users.h"

#include <map>
#include <sstream>

namespace vitalog::test {

struct CliResult {
    int status = -1;
    std::string out, err;
};

inline CliResult RunCli(const std::filesystem::path& dataDir, std::vector<std::string> arguments) {
    cli::Invocation invocation;
    invocation.arguments = {"--data-dir", dataDir.string()};
    invocation.arguments.insert(invocation.arguments.end(), arguments.begin(), arguments.end());
    invocation.today = 20261210;
    invocation.now = MakeDateTimeKey(2026, 12, 10, 10, 30, 0);
    std::ostringstream out, err;
    CliResult result;
    result.status = cli::Run(invocation, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// Every file of the folder (db/ aside) with its bytes: equal snapshots mean nothing changed,
// not even an empty file made by a read.
using Snapshot = std::map<std::string, Bytes>;
inline Snapshot TakeSnapshot(const std::filesystem::path& dir) {
    Snapshot files;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = ReadFile(entry.path());
    }
    return files;
}

inline UserRecord MakeUser(std::string_view utf8Name, int sex, int units, double weight) {
    UserRecord user{};
    user.SetName(*Utf8ToCp1252(utf8Name));
    user.weight = weight;
    user.age = 41;
    user.units = units;
    user.lengthUnits = units + 2;
    user.desiredBodyFat = 18.5f;
    user.sex = sex;
    user.active = 1;
    return user;
}

// Two users with records of every kind as the screens write them: a metric woman and a man
// whose name needs Windows-1252, with texts that need quoting in CSV.
struct Fixture {
    UserRecord ann = MakeUser("Ann", Female, Metric, 64.5);
    UserRecord zoe = MakeUser("Zo\xC3\xAB", Male, Imperial, 181.25);

    explicit Fixture(const std::filesystem::path& dir) {
        EXPECT_EQ(AddUser(dir, ann), StoreResult::Done);
        EXPECT_EQ(AddUser(dir, zoe), StoreResult::Done);

        ParrilloCalc parrillo(zoe, 12, 20, 15, 5, 9, 14, 11, 13, 7);
        parrillo.Calculate();
        parrillo.record.date = 20240307;
        EXPECT_EQ(parrillo.Save(dir), StoreResult::Done);
        OtherCalc other(zoe, 17.25);
        other.Calculate();
        other.record.date = 20240101;
        EXPECT_EQ(other.Save(dir), StoreResult::Done);
        TapeFemaleCalc tapeCalc(ann, 81.28, 165.1, 99.5, 33);
        tapeCalc.Calculate();
        tapeCalc.record.date = 20240210;
        EXPECT_EQ(tapeCalc.Save(dir), StoreResult::Done);

        for (const auto& [user, date] : {std::pair(ann, 20240105), std::pair(zoe, 20240106)}) {
            TapeRecord tape{};
            tape.user = user;
            tape.biceps = 30.5, tape.forearmOrHip = 99, tape.chest = 91.4, tape.waist = 81.28;
            tape.neck = 33.1, tape.calf = 36, tape.thigh = 55.25;
            tape.date = date;
            EXPECT_EQ(TapeFile::Append(dir, tape), StoreResult::Done);

            BmiRecord bmi = BuildBmiRecord(user, user.units == Metric ? 165.1 : 70.5, date);
            CalculateBmi(bmi);
            EXPECT_EQ(BmiFile::Append(dir, bmi), StoreResult::Done);
            BmrRecord bmr = BuildBmrRecord(user, user.units == Metric ? 165.1 : 70.5, date, 1.55);
            CalculateBmr(bmr);
            EXPECT_EQ(BmrFile::Append(dir, bmr), StoreResult::Done);
        }
        // A BMI record without its BMR partner, as a damaged pair leaves it.
        BmiRecord lone = BuildBmiRecord(zoe, 70.5, 20240120);
        CalculateBmi(lone);
        EXPECT_EQ(BmiFile::Append(dir, lone), StoreResult::Done);

        BloodPressureRecord morning{};
        morning.user = zoe;
        morning.systolic = 128, morning.diastolic = 84, morning.pulse = 71;
        morning.SetNotes(*Utf8ToCp1252("after coffee, \"strong\"\r\nfelt fine \xE2\x82\xAC"));
        morning.when = MakeDateTimeKey(2024, 3, 7, 8, 5, 9);
        EXPECT_EQ(BloodPressureFile::Append(dir, morning), StoreResult::Done);
        BloodPressureRecord evening = morning;
        evening.SetNotes("");
        evening.systolic = 119;
        evening.when = MakeDateTimeKey(2024, 3, 7, 20, 0, 0);
        EXPECT_EQ(BloodPressureFile::Append(dir, evening), StoreResult::Done);

        for (const char* path : {"/home/zoe/Bilder/Strand, Mai.jpg", "/home/zoe/\xC3\xBC.png"}) {
            PictureRecord picture{};
            picture.user = zoe;
            picture.SetPath(path);
            picture.date = 20240307;
            EXPECT_EQ(PictureFile::Append(dir, picture), StoreResult::Done);
        }
    }
};

} // namespace vitalog::test
