#include "DemoData.h"

#include "calc/ActivityLevel.h"
#include "calc/BasalMetabolicRate.h"
#include "calc/BodyMassIndex.h"
#include "calc/DurninCalc.h"
#include "calc/JacksonPollock3FemaleCalc.h"
#include "calc/JacksonPollock3MaleCalc.h"
#include "calc/JacksonPollock4Calc.h"
#include "calc/JacksonPollock7Calc.h"
#include "calc/OtherCalc.h"
#include "calc/ParrilloCalc.h"
#include "calc/TapeFemaleCalc.h"
#include "calc/TapeMaleCalc.h"
#include "records/RecordFile.h"
#include "records/TextEncoding.h"
#include "records/Units.h"
#include "records/Users.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

namespace vitalog::cli {

namespace {

constexpr int Days = 365;

struct Person {
    const char* name;
    int sex;
    int units;
    int age;
    double startWeight; // user's units
    double endWeight;
    float desiredBodyFat;
    double height; // user's length units
    // Skinfolds in millimetres at the start of the year: chest, abdominal, thigh, triceps,
    // subscapular, suprailiac, midaxillary, biceps, lower back, calf.
    std::array<double, 10> skinfolds;
    // Tape at the start: biceps, forearm or hip, chest, waist, neck, calf, thigh.
    std::array<double, 7> tape;
    double activityFactor;
    int systolic, diastolic, pulse;
};

const Person People[]{
    {"Alex",
     Male,
     Imperial,
     34,
     198,
     184,
     15,
     70.5,
     {18, 30, 22, 14, 20, 22, 16, 8, 20, 12},
     {15, 12, 42, 38, 16, 15.5, 24},
     1.55,
     132,
     86,
     72},
    {"Maria",
     Female,
     Metric,
     29,
     71,
     66,
     22,
     168,
     {12, 24, 30, 22, 16, 18, 12, 10, 16, 18},
     {30, 102, 94, 80, 33, 37, 58},
     1.375,
     118,
     76,
     68},
};

// Deterministic noise in [-1, 1]: the engine's sequence is fixed by the standard, the
// distributions' are not.
class Noise {
public:
    double operator()() { return static_cast<double>(engine_() % 20001) / 10000.0 - 1.0; }
    bool OneIn(unsigned n) { return engine_() % n == 0; }

private:
    std::mt19937 engine_{20061}; // fixed seed
};

DateKey DayBefore(DateKey last, int days) {
    int year = 0, month = 0, day = 0;
    SplitDateKey(last, year, month, day);
    DateTimeKey key = MakeDateTimeKey(year, month, day, 12, 0, 0);
    key.when -= days;
    int hour = 0, minute = 0, second = 0;
    SplitDateTimeKey(key, year, month, day, hour, minute, second);
    return MakeDateKey(year, month, day);
}

std::unique_ptr<BodyFatCalculation> Assess(const Person& p, const UserRecord& user, int index,
                                           double progress, double waistNow, Noise& noise) {
    std::array<int, 10> s{};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double value = p.skinfolds[i] * (1 - 0.22 * progress) + noise() * 1.2;
        s[i] = std::clamp(static_cast<int>(std::lround(value)), 3, 80);
    }
    const bool male = p.sex == Male;
    const double neck = p.tape[4];
    const double hip = p.tape[1];
    switch (index % 7) {
    case 0:
        if (male)
            return std::make_unique<JacksonPollock3MaleCalc>(user, s[0], s[1], s[2]);
        return std::make_unique<JacksonPollock3FemaleCalc>(user, s[3], s[5], s[2]);
    case 1:
        return std::make_unique<JacksonPollock7Calc>(user, s[0], s[1], s[2], s[3], s[4], s[5],
                                                     s[6]);
    case 2:
        return std::make_unique<JacksonPollock4Calc>(user, s[1], s[2], s[3], s[5]);
    case 3:
        return std::make_unique<DurninCalc>(user, s[7], s[3], s[4], s[5]);
    case 4:
        return std::make_unique<ParrilloCalc>(user, s[0], s[1], s[2], s[7], s[3], s[4], s[5], s[8],
                                              s[9]);
    case 5:
        if (male)
            return std::make_unique<TapeMaleCalc>(user, waistNow, p.height, neck);
        return std::make_unique<TapeFemaleCalc>(user, waistNow, p.height, hip, neck);
    default:
        return std::make_unique<OtherCalc>(user, (male ? 21 : 29) - 4 * progress + noise());
    }
}

bool Fill(const std::filesystem::path& dataDir, const Person& p, DateKey lastDay, Noise& noise,
          std::string& error) {
    UserRecord user{};
    user.SetName(p.name);
    user.weight = p.startWeight;
    user.age = p.age;
    user.units = p.units;
    user.lengthUnits = p.units + 2;
    user.desiredBodyFat = p.desiredBodyFat;
    user.sex = p.sex;
    user.active = 1;
    if (AddUser(dataDir, user) != StoreResult::Done) { // weight now in pounds
        error = std::string("the user ") + p.name + " could not be written";
        return false;
    }

    const double toPounds = p.units == Metric ? KgToLb : 1;
    bool ok = true;
    const auto check = [&](StoreResult result) { ok = ok && result == StoreResult::Done; };
    for (int day = 0; day < Days; ++day) {
        const DateKey date = DayBefore(lastDay, Days - 1 - day);
        const double progress = day / double(Days - 1);
        const double weight = p.startWeight + (p.endWeight - p.startWeight) * progress +
                              0.6 * std::sin(day / 9.0) + 0.3 * noise();
        UserRecord today = user;
        today.weight = weight * toPounds;
        const double shrink = 1 - 0.05 * progress;

        if (day % 7 == 3) {
            const double waist = p.tape[3] * shrink + 0.3 * noise();
            auto calc = Assess(p, today, day / 7, progress, waist, noise);
            calc->Calculate();
            calc->record.date = date;
            if (calc->IsAcceptable())
                check(calc->Save(dataDir));
        }
        if (day % 14 == 0) {
            TapeRecord tape{};
            tape.user = today;
            double* sites[]{&tape.biceps, &tape.forearmOrHip, &tape.chest, &tape.waist,
                            &tape.neck,   &tape.calf,         &tape.thigh};
            for (std::size_t i = 0; i < 7; ++i) {
                const double value =
                    p.tape[i] * (i == 3 || i == 6 || i == 1 ? shrink : 1) + 0.2 * noise();
                *sites[i] = std::round(value * 4) / 4; // a tape reads in quarters
            }
            tape.date = date;
            check(TapeFile::Append(dataDir, tape));
        }
        if (day % 14 == 7) {
            BmiRecord bmi = BuildBmiRecord(today, p.height, date);
            CalculateBmi(bmi);
            check(BmiFile::Append(dataDir, bmi));
            BmrRecord bmr = BuildBmrRecord(today, p.height, date, p.activityFactor);
            CalculateBmr(bmr);
            check(BmrFile::Append(dataDir, bmr));
        }
        // Blood pressure most mornings; now and then an evening reading as well.
        if (!noise.OneIn(5)) {
            int year = 0, month = 0, dayOfMonth = 0;
            SplitDateKey(date, year, month, dayOfMonth);
            const int readings = noise.OneIn(4) ? 2 : 1;
            for (int reading = 0; reading < readings; ++reading) {
                BloodPressureRecord bp{};
                bp.user = today;
                const double ease = 6 * progress;
                bp.systolic = static_cast<int>(std::lround(p.systolic - ease + 5 * noise()));
                bp.diastolic = static_cast<int>(std::lround(p.diastolic - ease / 2 + 4 * noise()));
                bp.pulse = static_cast<int>(std::lround(p.pulse - ease / 2 + 5 * noise()));
                if (reading == 1)
                    bp.SetNotes("Evening, after a walk");
                else if (noise.OneIn(12))
                    bp.SetNotes("Coffee before\r\nthe reading");
                const int minute = static_cast<int>((noise() + 1) * 29.5);
                bp.when =
                    MakeDateTimeKey(year, month, dayOfMonth, reading == 0 ? 7 : 20, minute, 0);
                check(BloodPressureFile::Append(dataDir, bp));
            }
        }
        if (!ok) {
            error = std::string("the records of ") + p.name + " could not be written";
            return false;
        }
        user.weight = today.weight;
    }
    // The profile ends the year at the last weight.
    UserRecord last = user;
    const double lastWeight = p.units == Metric ? user.weight * LbToKg : user.weight;
    if (UpdateUser(dataDir, last, lastWeight, user.age, user.units, user.lengthUnits,
                   user.desiredBodyFat, user.sex, 1) != StoreResult::Done) {
        error = std::string("the user ") + p.name + " could not be written";
        return false;
    }
    return true;
}

} // namespace

bool HoldsUserFile(const std::filesystem::path& dataDir) {
    std::error_code ec;
    const auto file = dataDir / UserFileName;
    return std::filesystem::exists(file, ec) && !(std::filesystem::is_regular_file(file, ec) &&
                                                  std::filesystem::file_size(file, ec) == 0);
}

bool MakeDemoData(const std::filesystem::path& dataDir, DateKey lastDay, std::string& error) {
    if (HoldsUserFile(dataDir)) {
        error = "the data folder already holds " + std::string(UserFileName) +
                "; demo data goes into an empty folder only";
        return false;
    }
    Noise noise;
    for (const Person& p : People) {
        if (!Fill(dataDir, p, lastDay, noise, error))
            return false;
    }
    return true;
}

} // namespace vitalog::cli
