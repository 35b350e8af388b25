#include "TestUsers.h"

#include "calc/DurninCalc.h"
#include "calc/JacksonPollock3FemaleCalc.h"
#include "calc/JacksonPollock3MaleCalc.h"
#include "calc/JacksonPollock4Calc.h"
#include "calc/JacksonPollock7Calc.h"
#include "calc/NumberText.h"
#include "calc/OtherCalc.h"
#include "calc/ParrilloCalc.h"
#include "calc/TapeFemaleCalc.h"
#include "calc/TapeMaleCalc.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace vitalog {
namespace {

using test::MakeUser;
using Factory = std::function<std::unique_ptr<BodyFatCalculation>()>;

std::string TwoDecimals(double value) {
    return FormatText("%.2f", value);
}

struct WorkedExample {
    const char* name;
    Factory make;
    const char* bodyFat;
};

TEST(BodyFatFormulasTest, WorkedExamples) {
    const UserRecord man30 = MakeUser(Male, 30, 180);
    const UserRecord woman40 = MakeUser(Female, 40, 140);
    const UserRecord woman35 = MakeUser(Female, 35, 140);
    const UserRecord man35 = MakeUser(Male, 35, 180);
    const UserRecord woman45 = MakeUser(Female, 45, 140);
    const UserRecord man25 = MakeUser(Male, 25, 180);
    const UserRecord woman30 = MakeUser(Female, 30, 140);
    const UserRecord metricMan = MakeUser(Male, 30, 180, Metric);

    const WorkedExample examples[] = {
        // The seven sites sum to 100 and 120.
        {"JP7 man 30 S=100",
         [&] { return std::make_unique<JacksonPollock7Calc>(man30, 10, 20, 20, 15, 15, 10, 10); },
         "14.63"},
        {"JP7 woman 40 S=120",
         [&] { return std::make_unique<JacksonPollock7Calc>(woman40, 10, 25, 25, 20, 15, 15, 10); },
         "24.33"},
        {"JP4 man 30 S=60",
         [&] { return std::make_unique<JacksonPollock4Calc>(man30, 20, 15, 15, 10); }, "14.76"},
        {"JP4 woman 35 S=70",
         [&] { return std::make_unique<JacksonPollock4Calc>(woman35, 20, 20, 20, 10); }, "21.11"},
        {"Durnin man 35 S=40", [&] { return std::make_unique<DurninCalc>(man35, 5, 10, 15, 10); },
         "19.17"},
        {"Durnin woman 45 S=50",
         [&] { return std::make_unique<DurninCalc>(woman45, 5, 15, 15, 15); }, "30.90"},
        {"Parrillo S=90 180 lb",
         [&] { return std::make_unique<ParrilloCalc>(man30, 10, 10, 10, 10, 10, 10, 10, 10, 10); },
         "13.50"},
        {"JP3 man 25 S=50",
         [&] { return std::make_unique<JacksonPollock3MaleCalc>(man25, 15, 20, 15); }, "14.52"},
        {"JP3 woman 30 S=60",
         [&] { return std::make_unique<JacksonPollock3FemaleCalc>(woman30, 20, 15, 25); }, "24.13"},
        {"tape man inches", [&] { return std::make_unique<TapeMaleCalc>(man30, 34, 70, 15); },
         "17.51"},
        {"tape woman inches",
         [&] { return std::make_unique<TapeFemaleCalc>(woman30, 30, 65, 38, 13); }, "28.56"},
        {"tape man centimetres",
         [&] { return std::make_unique<TapeMaleCalc>(metricMan, 86.36, 177.8, 38.1); }, "17.51"},
        {"other", [&] { return std::make_unique<OtherCalc>(man30, 18.456); }, "18.46"},
    };
    for (const WorkedExample& example : examples) {
        SCOPED_TRACE(example.name);
        const std::unique_ptr<BodyFatCalculation> calc = example.make();
        calc->Calculate();
        EXPECT_EQ(TwoDecimals(calc->record.bodyFat), example.bodyFat);
        EXPECT_TRUE(calc->IsAcceptable());
    }
}

TEST(BodyFatFormulasTest, DensityOfTheSkinfoldExamples) {
    // Siri's equation read backwards gives the density the formula used.
    auto density = [](const BodyFatCalculation& calc) {
        return FormatText("%.7f", 495 / (calc.record.bodyFat + 450));
    };
    JacksonPollock7Calc man(MakeUser(Male, 30, 180), 10, 20, 20, 15, 15, 10, 10);
    man.Calculate();
    EXPECT_EQ(density(man), "1.0653532");
    JacksonPollock7Calc woman(MakeUser(Female, 40, 140), 10, 25, 25, 20, 15, 15, 10);
    woman.Calculate();
    EXPECT_EQ(density(woman), "1.0435676");
    DurninCalc durnin(MakeUser(Male, 35, 180), 5, 10, 15, 10);
    durnin.Calculate();
    EXPECT_EQ(FormatText("%.5f", 495 / (durnin.record.bodyFat + 450)), "1.05505");
}

TEST(BodyFatFormulasTest, DurninAgeBandsChangeAtEachDecade) {
    struct Case {
        int sex;
        int age;
        const char* bodyFat; // S = 40
    };
    const Case cases[] = {
        {Male, 19, "16.51"},   {Male, 20, "16.17"},   {Male, 29, "16.17"},   {Male, 30, "19.17"},
        {Male, 39, "19.17"},   {Male, 40, "21.49"},   {Male, 49, "21.49"},   {Male, 50, "22.92"},
        {Female, 19, "23.10"}, {Female, 20, "23.67"}, {Female, 29, "23.67"}, {Female, 30, "25.48"},
        {Female, 39, "25.48"}, {Female, 40, "28.14"}, {Female, 49, "28.14"}, {Female, 50, "30.32"},
    };
    for (const Case& c : cases) {
        DurninCalc calc(MakeUser(c.sex, c.age, 160), 10, 10, 10, 10);
        calc.Calculate();
        EXPECT_EQ(TwoDecimals(calc.record.bodyFat), c.bodyFat)
            << "sex " << c.sex << " age " << c.age;
    }
}

TEST(BodyFatFormulasTest, FormulasBranchOnMaleOnly) {
    // Any sex other than 1 takes the women's constants.
    JacksonPollock7Calc female(MakeUser(Female, 40, 140), 10, 25, 25, 20, 15, 15, 10);
    JacksonPollock7Calc unknown(MakeUser(0, 40, 140), 10, 25, 25, 20, 15, 15, 10);
    female.Calculate();
    unknown.Calculate();
    EXPECT_EQ(unknown.record.bodyFat, female.record.bodyFat);
}

TEST(BodyFatFormulasTest, ResultsTheCalculatorMustRefuse) {
    const UserRecord man = MakeUser(Male, 30, 180);
    struct Case {
        const char* name;
        Factory make;
    };
    const Case cases[] = {
        {"Durnin sum 0", [&] { return std::make_unique<DurninCalc>(man, 0, 0, 0, 0); }},
        {"tape waist equals neck", [&] { return std::make_unique<TapeMaleCalc>(man, 15, 70, 15); }},
        {"tape waist below neck", [&] { return std::make_unique<TapeMaleCalc>(man, 14, 70, 15); }},
        {"tape woman no positive girth",
         [&] { return std::make_unique<TapeFemaleCalc>(man, 10, 65, 2, 13); }},
        {"negative entered value", [&] { return std::make_unique<OtherCalc>(man, -0.01); }},
        {"Parrillo without a weight",
         [&] {
             return std::make_unique<ParrilloCalc>(MakeUser(Male, 30, 0), 1, 1, 1, 1, 1, 1, 1, 1,
                                                   1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<BodyFatCalculation> calc = c.make();
        calc->Calculate();
        EXPECT_FALSE(calc->IsAcceptable()) << calc->record.bodyFat;
    }

    DurninCalc durnin(man, 0, 0, 0, 0);
    durnin.Calculate();
    EXPECT_EQ(durnin.record.bodyFat, -450);
    TapeMaleCalc tape(man, 14, 70, 15);
    tape.Calculate();
    EXPECT_TRUE(std::isnan(tape.record.bodyFat));
}

TEST(BodyFatFormulasTest, ZeroBodyFatIsAccepted) {
    OtherCalc calc(MakeUser(Male, 30, 180), 0);
    calc.Calculate();
    EXPECT_TRUE(calc.IsAcceptable());
}

struct Filled {
    const char* name;
    Factory make;
    const char* method;
    std::array<std::int32_t, 7> sites;
    std::array<double, 4> tape;
};

TEST(BodyFatFormulasTest, ConstructorsFillTheRecord) {
    const UserRecord man = MakeUser(Male, 30, 180);
    const UserRecord woman = MakeUser(Female, 30, 140);
    const Filled cases[] = {
        {"JP7",
         [&] { return std::make_unique<JacksonPollock7Calc>(man, 1, 2, 3, 4, 5, 6, 7); },
         "Jackson/Pollock 7",
         {1, 2, 3, 4, 5, 6, 7},
         {}},
        {"JP4",
         [&] { return std::make_unique<JacksonPollock4Calc>(man, 2, 3, 4, 6); },
         "Jackson/Pollock 4",
         {0, 2, 3, 4, 0, 6, 0},
         {}},
        {"Durnin",
         [&] { return std::make_unique<DurninCalc>(man, 1, 4, 5, 6); },
         "Durnin",
         {1, 0, 0, 4, 5, 6, 0},
         {}},
        {"Parrillo",
         [&] { return std::make_unique<ParrilloCalc>(man, 12, 20, 30, 5, 40, 50, 60, 70, 8); },
         "Parrillo",
         {327692, 8 * 65536 + 20, 30, 40, 50, 60, 70},
         {}},
        {"JP3 man",
         [&] { return std::make_unique<JacksonPollock3MaleCalc>(man, 1, 2, 3); },
         "Jackson/Pollock 3",
         {1, 2, 3, 0, 0, 0, 0},
         {}},
        {"JP3 woman",
         [&] { return std::make_unique<JacksonPollock3FemaleCalc>(woman, 4, 6, 3); },
         "Jackson/Pollock 3",
         {0, 0, 3, 4, 0, 6, 0},
         {}},
        {"tape man",
         [&] { return std::make_unique<TapeMaleCalc>(man, 34, 70, 15); },
         "Tape Measurement",
         {},
         {34, 70, 0, 15}},
        {"tape woman",
         [&] { return std::make_unique<TapeFemaleCalc>(woman, 30, 65, 38, 13); },
         "Tape Measurement",
         {},
         {30, 65, 38, 13}},
        {"other", [&] { return std::make_unique<OtherCalc>(man, 22.5); }, "Other", {}, {}},
    };
    for (const Filled& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<BodyFatCalculation> calc = c.make();
        const BodyFatRecord& r = calc->record;
        EXPECT_EQ(calc->Method(), c.method);
        const std::string method = c.method;
        for (std::size_t i = method.size(); i < BodyFatRecord::MethodFieldSize; ++i)
            EXPECT_EQ(r.method[i], '\0') << "method byte " << i;
        for (int i = 0; i < BodyFatRecord::SiteSlots; ++i)
            EXPECT_EQ(r.sites[i], c.sites[i]) << "slot " << i;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(r.tape[i], c.tape[i]) << "tape " << i;
        EXPECT_EQ(r.bodyFat, 0);
        EXPECT_EQ(r.leanWeight, 0);
        EXPECT_EQ(r.fatWeight, 0);
        EXPECT_EQ(r.weightToLose, 0);
        EXPECT_EQ(r.date, 0);
        EXPECT_EQ(r.active, 1);
        EXPECT_STREQ(r.user.name, "Alex");
    }
}

TEST(BodyFatFormulasTest, ParrilloSlotsUnpackToTheirSites) {
    ParrilloCalc calc(MakeUser(Male, 30, 180), 12, 20, 30, 5, 40, 50, 60, 70, 80);
    EXPECT_EQ(calc.record.sites[0], 327692);
    EXPECT_EQ(ParrilloCalc::LowSite(calc.record.sites[0]), 12);
    EXPECT_EQ(ParrilloCalc::HighSite(calc.record.sites[0]), 5);
    EXPECT_EQ(ParrilloCalc::LowSite(calc.record.sites[1]), 20);
    EXPECT_EQ(ParrilloCalc::HighSite(calc.record.sites[1]), 80);
}

TEST(BodyFatFormulasTest, MetricTapeIsKeptAndStoredInInches) {
    TapeFemaleCalc calc(MakeUser(Female, 30, 140, Metric), 76.2, 165.1, 96.52, 33.02);
    EXPECT_NEAR(calc.record.tape[0], 30, 1e-12);
    EXPECT_NEAR(calc.record.tape[1], 65, 1e-12);
    EXPECT_NEAR(calc.record.tape[2], 38, 1e-12);
    EXPECT_NEAR(calc.record.tape[3], 13, 1e-12);
    calc.Calculate();
    EXPECT_EQ(TwoDecimals(calc.record.bodyFat), "28.56");
}

TEST(BodyFatFormulasTest, AStoredRecordIsNotCalculatedAgain) {
    BodyFatRecord stored;
    std::memcpy(stored.method, "Durnin", 7);
    stored.user = MakeUser(Male, 35, 180);
    stored.sites[0] = 5;
    stored.bodyFat = 12.5;
    stored.leanWeight = 157.5;
    stored.fatWeight = 22.5;
    stored.date = 20240101;
    stored.active = 1;
    BodyFatCalculation plain(stored);
    plain.Calculate();
    EXPECT_EQ(plain.Method(), "Durnin");
    EXPECT_EQ(plain.record.bodyFat, 12.5);
    EXPECT_EQ(plain.record.leanWeight, 157.5);
    EXPECT_EQ(plain.record.fatWeight, 22.5);
}

} // namespace
} // namespace vitalog
