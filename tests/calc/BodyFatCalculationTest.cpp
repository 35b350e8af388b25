#include "TestUsers.h"

#include "calc/NumberText.h"
#include "calc/OtherCalc.h"
#include "records/RecordFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace vitalog {
namespace {

namespace fs = std::filesystem;
using test::MakeUser;

class BodyFatCalculationSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        dir_ = fs::temp_directory_path() / ("vitalog-calc-" + std::to_string(seed()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // 80 kg at 25 % body fat: 60 kg lean, 20 kg fat and 5 kg to lose for 20 %.
    static OtherCalc MetricCalculation(DateKey date) {
        OtherCalc calc(MakeUser(Male, 30, 176.3696, Metric, 20.0f), 25);
        calc.record.date = date;
        calc.Calculate();
        return calc;
    }

    static std::string Four(double value) { return FormatText("%.4f", value); }

    fs::path dir_;
};

TEST_F(BodyFatCalculationSaveTest, MetricWeightsAreStoredAndHeldInPounds) {
    OtherCalc calc = MetricCalculation(20240307);
    ASSERT_EQ(Four(calc.record.leanWeight), "60.0000");

    ASSERT_EQ(calc.Save(dir_), StoreResult::Done);
    EXPECT_EQ(Four(calc.record.leanWeight), "132.2772");
    EXPECT_EQ(Four(calc.record.fatWeight), "44.0924");
    EXPECT_EQ(Four(calc.record.weightToLose), "11.0231");

    const BodyFatRecord stored = BodyFatFile::Find(dir_, "Alex", 20240307);
    ASSERT_EQ(stored.active, 1);
    EXPECT_EQ(stored.leanWeight, calc.record.leanWeight);
    EXPECT_EQ(stored.fatWeight, calc.record.fatWeight);
    EXPECT_EQ(stored.weightToLose, calc.record.weightToLose);
    EXPECT_EQ(stored.bodyFat, 25);

    // Read back, it is a plain record that keeps its method and its pounds.
    BodyFatCalculation plain(stored);
    plain.Calculate();
    EXPECT_EQ(plain.Method(), "Other");
    EXPECT_EQ(Four(plain.record.leanWeight), "132.2772");
}

TEST_F(BodyFatCalculationSaveTest, ImperialWeightsAreStoredAsCalculated) {
    OtherCalc calc(MakeUser(Male, 30, 180), 20);
    calc.record.date = 20240307;
    calc.Calculate();
    ASSERT_EQ(calc.Save(dir_), StoreResult::Done);
    const BodyFatRecord stored = BodyFatFile::Find(dir_, "Alex", 20240307);
    EXPECT_EQ(stored.leanWeight, 144);
    EXPECT_EQ(stored.fatWeight, 36);
}

TEST_F(BodyFatCalculationSaveTest, OverwriteAfterAlreadyExistsConvertsOnce) {
    OtherCalc first = MetricCalculation(20240307);
    ASSERT_EQ(first.Save(dir_), StoreResult::Done);

    OtherCalc second(MakeUser(Male, 30, 176.3696, Metric, 20.0f), 40);
    second.record.date = 20240307;
    second.Calculate();
    EXPECT_EQ(second.Save(dir_), StoreResult::AlreadyExists);
    EXPECT_EQ(Four(second.record.leanWeight), "48.0000");

    ASSERT_EQ(second.Overwrite(dir_, 20240307), StoreResult::Done);
    const BodyFatRecord stored = BodyFatFile::Find(dir_, "Alex", 20240307);
    EXPECT_EQ(stored.bodyFat, 40);
    EXPECT_EQ(Four(stored.leanWeight), "105.8218");
    EXPECT_EQ(Four(second.record.leanWeight), "105.8218");
}

} // namespace
} // namespace vitalog
