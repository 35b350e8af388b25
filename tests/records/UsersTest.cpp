#include "TestFiles.h"

#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vitalog {
namespace {

using test::At;
using test::Bytes;
using test::PutAt;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;
using test::WriteWatch;

UserRecord Named(const std::string& name, double weight = 150, int units = Imperial) {
    UserRecord u;
    EXPECT_TRUE(u.SetName(name));
    u.weight = weight;
    u.age = 35;
    u.units = units;
    u.lengthUnits = units + 2;
    u.desiredBodyFat = 20;
    u.sex = Female;
    u.active = 1;
    return u;
}

class Users : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = dir / "user.bin";
};

TEST_F(Users, AddAppendsOneRecordAfterTheHeader) {
    auto ann = Named("Ann");
    ASSERT_EQ(AddUser(dir.path(), ann), StoreResult::Done);
    auto bob = Named("Bob");
    ASSERT_EQ(AddUser(dir.path(), bob), StoreResult::Done);
    const Bytes b = ReadFile(file);
    ASSERT_EQ(b.size(), 4 + 2 * 64u);
    EXPECT_EQ(At<std::int32_t>(b, 0), 600);
    EXPECT_EQ(test::TextAt(b, 68, 4), std::string("Bob\0", 4));
    EXPECT_EQ(ListUsers(dir.path()), (std::vector<std::string>{"Ann", "Bob"}));
}

TEST_F(Users, AddConvertsAMetricWeightToPounds) {
    auto u = Named("Ann", 80, Metric);
    ASSERT_EQ(AddUser(dir.path(), u), StoreResult::Done);
    EXPECT_EQ(At<double>(ReadFile(file), 4 + 32), 80 * KgToLb);
    EXPECT_NEAR(At<double>(ReadFile(file), 4 + 32), 176.3696, 1e-9);
    EXPECT_EQ(u.weight, 80 * KgToLb);

    UserRecord found;
    found.SetName("Ann");
    ASSERT_TRUE(FindUser(dir.path(), found));
    EXPECT_EQ(found.weight, 80 * KgToLb);
    EXPECT_EQ(found.units, Metric);
    EXPECT_EQ(found.lengthUnits, Centimetres);
    EXPECT_EQ(found.age, 35);
    EXPECT_EQ(found.desiredBodyFat, 20.0f);
    EXPECT_EQ(found.sex, Female);
    EXPECT_EQ(found.active, 1);
}

TEST_F(Users, AFailedAddStillLeavesTheRecordInPounds) {
    // A file from a later version refuses the write; the record is the current user and
    // must not be left holding kilograms.
    Bytes later(4);
    PutAt<std::int32_t>(later, 0, 601);
    WriteFile(file, later);
    auto u = Named("Kim", 80, Metric);
    EXPECT_EQ(AddUser(dir.path(), u), StoreResult::FileError);
    EXPECT_EQ(u.weight, 80 * KgToLb);
    EXPECT_EQ(ReadFile(file), later);
}

TEST_F(Users, AddOfALiveNameWritesNothingAndConvertsNothing) {
    auto first = Named("Ann", 80, Metric);
    ASSERT_EQ(AddUser(dir.path(), first), StoreResult::Done);
    const Bytes before = ReadFile(file);
    auto second = Named("Ann", 90, Metric);
    EXPECT_EQ(AddUser(dir.path(), second), StoreResult::AlreadyExists);
    EXPECT_EQ(second.weight, 90);
    EXPECT_EQ(ReadFile(file), before);
}

TEST_F(Users, NamesAreExactAndCaseSensitive) {
    auto lower = Named("ann", 120);
    auto upper = Named("Ann", 140);
    ASSERT_EQ(AddUser(dir.path(), lower), StoreResult::Done);
    ASSERT_EQ(AddUser(dir.path(), upper), StoreResult::Done);
    EXPECT_EQ(ListUsers(dir.path()), (std::vector<std::string>{"ann", "Ann"}));

    for (const char* other : {"ANN", "An", "Anne", "ann "}) {
        UserRecord probe;
        probe.SetName(other);
        EXPECT_FALSE(FindUser(dir.path(), probe)) << other;
        EXPECT_FALSE(ContainsUser(dir.path(), probe)) << other;
        EXPECT_EQ(probe.weight, 0) << "left unchanged";
    }
    UserRecord probe;
    probe.SetName("Ann");
    ASSERT_TRUE(FindUser(dir.path(), probe));
    EXPECT_EQ(probe.weight, 140);

    // Their record files are different files too.
    BodyFatRecord r;
    r.user = lower;
    r.date = 20040307;
    ASSERT_EQ(BodyFatFile::Append(dir.path(), r), StoreResult::Done);
    EXPECT_TRUE(std::filesystem::exists(dir / "bfann.bin"));
    EXPECT_FALSE(std::filesystem::exists(dir / "bfAnn.bin"));
}

TEST_F(Users, UpdateRewritesTheLiveRecordInPlace) {
    auto ann = Named("Ann");
    auto bob = Named("Bob");
    ASSERT_EQ(AddUser(dir.path(), ann), StoreResult::Done);
    ASSERT_EQ(AddUser(dir.path(), bob), StoreResult::Done);
    const Bytes before = ReadFile(file);

    ASSERT_EQ(UpdateUser(dir.path(), ann, 70, 36, Metric, Centimetres, 18.5f, Male, 1),
              StoreResult::Done);
    EXPECT_EQ(ann.weight, 70 * KgToLb);
    const Bytes after = ReadFile(file);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin() + 68, before.end(), after.begin() + 68)); // Bob
    EXPECT_EQ(test::TextAt(after, 4, 4), std::string("Ann\0", 4));
    EXPECT_EQ(At<double>(after, 4 + 32), 70 * KgToLb);
    EXPECT_EQ(At<std::int32_t>(after, 4 + 40), 36);
    EXPECT_EQ(At<std::int32_t>(after, 4 + 44), Metric);
    EXPECT_EQ(At<std::int32_t>(after, 4 + 48), Centimetres);
    EXPECT_EQ(At<float>(after, 4 + 52), 18.5f);
    EXPECT_EQ(At<std::int32_t>(after, 4 + 56), Male);
    EXPECT_EQ(At<std::int32_t>(after, 4 + 60), 1);
}

TEST_F(Users, UpdateOfAnUnknownOrDeletedNameIsNotFoundAndWritesNothing) {
    auto ann = Named("Ann");
    ASSERT_EQ(AddUser(dir.path(), ann), StoreResult::Done);
    ASSERT_EQ(DeleteUser(dir.path(), ann), StoreResult::Done);
    const Bytes before = ReadFile(file);
    WriteWatch watch(file);
    for (const char* name : {"Ann", "Zoe"}) {
        auto u = Named(name);
        EXPECT_EQ(UpdateUser(dir.path(), u, 150, 35, Imperial, Inches, 20, Female, 1),
                  StoreResult::NotFound)
            << name;
    }
    EXPECT_FALSE(watch.SawWrite());
    EXPECT_EQ(ReadFile(file), before);
}

TEST_F(Users, DeleteTombstonesTheUserAndRemovesItsSixFiles) {
    auto ann = Named("Ann");
    auto anne = Named("Anne");
    ASSERT_EQ(AddUser(dir.path(), ann), StoreResult::Done);
    ASSERT_EQ(AddUser(dir.path(), anne), StoreResult::Done);
    for (const UserRecord& u : {ann, anne}) {
        BodyFatRecord bf;
        bf.user = u;
        bf.date = 20040307;
        TapeRecord tm;
        tm.user = u;
        tm.date = 20040307;
        BmiRecord bmi;
        bmi.user = u;
        bmi.date = 20040307;
        BmrRecord bmr;
        bmr.user = u;
        bmr.date = 20040307;
        BloodPressureRecord bp;
        bp.user = u;
        bp.when = MakeDateTimeKey(2004, 3, 7, 8, 0, 0);
        PictureRecord pt;
        pt.user = u;
        pt.date = 20040307;
        ASSERT_EQ(BodyFatFile::Append(dir.path(), bf), StoreResult::Done);
        ASSERT_EQ(TapeFile::Append(dir.path(), tm), StoreResult::Done);
        ASSERT_EQ(BmiFile::Append(dir.path(), bmi), StoreResult::Done);
        ASSERT_EQ(BmrFile::Append(dir.path(), bmr), StoreResult::Done);
        ASSERT_EQ(BloodPressureFile::Append(dir.path(), bp), StoreResult::Done);
        ASSERT_EQ(PictureFile::Append(dir.path(), pt), StoreResult::Done);
    }
    std::filesystem::remove(dir / "bpAnn.bin"); // a missing one is passed over

    UserRecord current = ann;
    ASSERT_EQ(DeleteUser(dir.path(), current), StoreResult::Done);
    EXPECT_EQ(current.active, 0); // the selection is cleared
    for (const char* prefix : {"tm", "bf", "bmi", "bmr", "bp", "pt"}) {
        EXPECT_FALSE(std::filesystem::exists(dir / (std::string(prefix) + "Ann.bin"))) << prefix;
        EXPECT_TRUE(std::filesystem::exists(dir / (std::string(prefix) + "Anne.bin"))) << prefix;
    }
    const Bytes b = ReadFile(file);
    ASSERT_EQ(b.size(), 4 + 2 * 64u);
    EXPECT_EQ(test::TextAt(b, 4, 4), std::string("Ann\0", 4));
    EXPECT_EQ(At<std::int32_t>(b, 4 + 60), 0);
    EXPECT_EQ(ListUsers(dir.path()), (std::vector<std::string>{"Anne"}));

    UserRecord again = Named("Ann");
    EXPECT_EQ(DeleteUser(dir.path(), again), StoreResult::NotFound);
    // The name can be used again: a new record at the end.
    ASSERT_EQ(AddUser(dir.path(), again), StoreResult::Done);
    EXPECT_EQ(ReadFile(file).size(), 4 + 3 * 64u);
    EXPECT_EQ(ListUsers(dir.path()), (std::vector<std::string>{"Anne", "Ann"}));
}

TEST_F(Users, UnusableNamesAreRefusedWithoutCreatingAFile) {
    for (const std::string name : {"a/b", "../etc", "\x81", "x\x8D", "\x90", ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(IsUsableUserName(name));
        UserRecord u;
        u.SetName(name);
        u.units = Imperial;
        EXPECT_EQ(AddUser(dir.path(), u), StoreResult::FileError);
        EXPECT_EQ(UpdateUser(dir.path(), u, 1, 1, Imperial, Inches, 1, Male, 1),
                  StoreResult::FileError);
        EXPECT_EQ(DeleteUser(dir.path(), u), StoreResult::FileError);
        EXPECT_FALSE(FindUser(dir.path(), u));
        EXPECT_FALSE(ContainsUser(dir.path(), u));
        EXPECT_TRUE(dir.Entries().empty());
    }
}

TEST(UserNames, UsableNames) {
    struct Case {
        std::string name;
        bool usable;
    };
    for (const Case& c : std::vector<Case>{
             {"Ann", true},
             {"Jos\xE9", true},
             {"\x80uro", true}, // the euro sign has a UTF-8 form
             {"..", true},      // only ever a part of a name like "bf...bin"
             {std::string(30, 'a'), true},
             {std::string(31, 'a'), false},
             {"", false},
             {"a/b", false},
             {std::string("a\0b", 3), false},
             {"\x9D", false},
         })
        EXPECT_EQ(IsUsableUserName(c.name), c.usable) << c.name;
}

TEST_F(Users, LaterVersionUserFileIsReadButNotWritten) {
    auto ann = Named("Ann");
    ASSERT_EQ(AddUser(dir.path(), ann), StoreResult::Done);
    Bytes b = ReadFile(file);
    PutAt<std::int32_t>(b, 0, 601);
    WriteFile(file, b);

    UserRecord probe;
    probe.SetName("Ann");
    EXPECT_TRUE(FindUser(dir.path(), probe));
    EXPECT_EQ(ListUsers(dir.path()), std::vector<std::string>{"Ann"});
    auto bob = Named("Bob");
    EXPECT_EQ(AddUser(dir.path(), bob), StoreResult::FileError);
    EXPECT_EQ(UpdateUser(dir.path(), ann, 1, 1, Imperial, Inches, 1, Male, 1),
              StoreResult::FileError);
    UserRecord current = Named("Ann");
    EXPECT_EQ(DeleteUser(dir.path(), current), StoreResult::FileError);
    EXPECT_EQ(current.active, 1); // still selected: nothing was deleted
    EXPECT_EQ(current.weight, 150);
    EXPECT_EQ(ReadFile(file), b);
}

TEST_F(Users, MissingOrEmptyUserFile) {
    EXPECT_TRUE(ListUsers(dir.path()).empty());
    auto ann = Named("Ann");
    EXPECT_FALSE(FindUser(dir.path(), ann));
    EXPECT_EQ(DeleteUser(dir.path(), ann), StoreResult::NotFound);
    EXPECT_EQ(UpdateUser(dir.path(), ann, 1, 1, Imperial, Inches, 1, Male, 1),
              StoreResult::NotFound);
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
    ASSERT_EQ(AddUser(dir.path(), ann), StoreResult::Done);
    EXPECT_EQ(std::filesystem::file_size(file), 68u);
}

} // namespace
} // namespace vitalog
