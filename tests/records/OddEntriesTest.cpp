// Directory entries named like a record file that are not one: a directory, a FIFO, a device
// or a FIFO behind a symlink, a dangling symlink, a sparse file far too big for a diary. No
// operation may abort, hang or touch anything outside the data directory; reads fail and
// writes answer FileError. The tests run under a timeout (CMakeLists.txt): a hang fails.

#include "TestFiles.h"

#include "records/FileIo.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include <sys/stat.h>

namespace vitalog {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

UserRecord Named(const char* name) {
    UserRecord u;
    u.SetName(name);
    u.weight = 150;
    u.age = 40;
    u.units = Imperial;
    u.lengthUnits = Inches;
    u.sex = Female;
    u.active = 1;
    return u;
}

template <class Kind> typename Kind::Record Make(int day) {
    typename Kind::Record r{};
    r.user = Named("Ann");
    if constexpr (std::is_same_v<typename Kind::Key, DateTimeKey>)
        r.when = MakeDateTimeKey(2004, 3, day, 8, 0, 0);
    else
        r.date = MakeDateKey(2004, 3, day);
    return r;
}

// What a case may change: the names in both directories and what the entry is.
std::string Describe(const TempDir& dir, const TempDir& outside, const fs::path& entry) {
    std::string text;
    for (const TempDir* d : {&dir, &outside}) {
        auto names = d->Entries();
        std::sort(names.begin(), names.end());
        for (const auto& n : names)
            text += n + " ";
        text += "| ";
    }
    const auto status = fs::symlink_status(entry);
    text += "type " + std::to_string(static_cast<int>(status.type()));
    if (fs::is_regular_file(status))
        text += ", " + std::to_string(fs::file_size(entry)) + " bytes";
    return text;
}

struct OddEntry {
    const char* name;
    // Replaces the regular file at `at`; `outside` is a directory beside the data directory.
    // False when this file system cannot make the entry.
    bool (*make)(const fs::path& at, const fs::path& outside);
};

void PrintTo(const OddEntry& entry, std::ostream* out) {
    *out << entry.name;
}

const OddEntry Entries[] = {
    {"Directory",
     [](const fs::path& at, const fs::path&) {
         fs::remove(at);
         return fs::create_directory(at);
     }},
    {"Fifo",
     [](const fs::path& at, const fs::path&) {
         fs::remove(at);
         return ::mkfifo(at.c_str(), 0600) == 0;
     }},
    {"SymlinkToDevZero",
     [](const fs::path& at, const fs::path&) {
         fs::remove(at);
         fs::create_symlink("/dev/zero", at);
         return true;
     }},
    {"SymlinkToAFifoOutside",
     [](const fs::path& at, const fs::path& outside) {
         fs::remove(at);
         fs::create_symlink(outside / "pipe", at);
         return ::mkfifo((outside / "pipe").c_str(), 0600) == 0;
     }},
    {"DanglingSymlink",
     [](const fs::path& at, const fs::path& outside) {
         fs::remove(at);
         fs::create_symlink(outside / "target.bin", at);
         return true;
     }},
    // The records already in the file stay at its start: only its size makes it no diary.
    {"SparseTerabyteFile",
     [](const fs::path& at, const fs::path&) {
         std::error_code ec;
         fs::resize_file(at, std::uint64_t{1} << 40, ec);
         return !ec;
     }},
};

class OddEntries : public ::testing::TestWithParam<OddEntry> {
protected:
    // A diary file with one record, then replaced by the entry.
    template <class Kind> void CheckRecordFile() {
        using File = RecordFile<Kind>;
        SCOPED_TRACE(Kind::Prefix);
        TempDir dir, outside;
        const fs::path file = dir / (std::string(Kind::Prefix) + "Ann.bin");
        auto stored = Make<Kind>(1);
        const auto key = Kind::KeyOf(stored);
        ASSERT_EQ(File::Append(dir.path(), stored), StoreResult::Done);
        if (!GetParam().make(file, outside.path()))
            GTEST_SKIP() << "this file system cannot make the entry";
        const std::string before = Describe(dir, outside, file);

        std::vector<typename Kind::Record> list;
        EXPECT_FALSE(File::LoadAll(dir.path(), "Ann", list));
        EXPECT_TRUE(list.empty());
        list.push_back(Make<Kind>(9));
        EXPECT_FALSE(File::LoadAll(dir.path(), "Ann", list));
        EXPECT_EQ(list.size(), 1u);
        EXPECT_EQ(File::Find(dir.path(), "Ann", key).active, 0);
        EXPECT_FALSE(File::Contains(dir.path(), stored));
        File::EnsureHeader(file);

        auto fresh = Make<Kind>(2);
        EXPECT_EQ(File::Append(dir.path(), fresh), StoreResult::FileError);
        EXPECT_EQ(fresh.active, 0); // left as it was
        auto changed = stored;
        changed.user.age = 41;
        EXPECT_EQ(File::Overwrite(dir.path(), changed, key), StoreResult::FileError);
        EXPECT_EQ(File::Remove(dir.path(), "Ann", key), StoreResult::FileError);

        EXPECT_EQ(Describe(dir, outside, file), before);
    }
};

TEST_P(OddEntries, RecordFiles) {
    CheckRecordFile<BodyFatKind>();
    CheckRecordFile<TapeKind>();
    CheckRecordFile<BmiKind>();
    CheckRecordFile<BmrKind>();
    CheckRecordFile<BloodPressureKind>();
    CheckRecordFile<PictureKind>();
}

TEST_P(OddEntries, UserList) {
    TempDir dir, outside;
    const fs::path file = dir / UserFileName;
    auto ann = Named("Ann");
    ASSERT_EQ(AddUser(dir.path(), ann), StoreResult::Done);
    // Ann's diary, which a failed DeleteUser must leave alone.
    auto bmi = Make<BmiKind>(1);
    ASSERT_EQ(BmiFile::Append(dir.path(), bmi), StoreResult::Done);
    if (!GetParam().make(file, outside.path()))
        GTEST_SKIP() << "this file system cannot make the entry";
    const std::string before = Describe(dir, outside, file);

    EXPECT_TRUE(ListUsers(dir.path()).empty());
    UserRecord probe;
    probe.SetName("Ann");
    EXPECT_FALSE(FindUser(dir.path(), probe));
    EXPECT_EQ(probe.weight, 0);
    EXPECT_FALSE(ContainsUser(dir.path(), ann));

    auto bob = Named("Bob");
    EXPECT_EQ(AddUser(dir.path(), bob), StoreResult::FileError);
    auto update = Named("Ann");
    EXPECT_EQ(UpdateUser(dir.path(), update, 160, 41, Imperial, Inches, 18, Female, 1),
              StoreResult::FileError);
    UserRecord current = Named("Ann");
    EXPECT_EQ(DeleteUser(dir.path(), current), StoreResult::FileError);
    EXPECT_EQ(current.active, 1);

    EXPECT_EQ(Describe(dir, outside, file), before);
}

INSTANTIATE_TEST_SUITE_P(Entries, OddEntries, ::testing::ValuesIn(Entries),
                         [](const auto& info) { return std::string(info.param.name); });

// A data file kept elsewhere and linked into the data directory keeps working.
TEST(RecordFileSymlinks, ASymlinkToARegularFileIsFollowed) {
    TempDir dir, outside;
    const fs::path diary = outside / "diary.bin";
    const fs::path users = outside / "users.bin";
    fs::create_symlink(diary, dir / "bmiAnn.bin");
    fs::create_symlink(users, dir / UserFileName);
    test::WriteFile(diary, {});
    test::WriteFile(users, {});

    auto ann = Named("Ann");
    ASSERT_EQ(AddUser(dir.path(), ann), StoreResult::Done);
    EXPECT_EQ(ListUsers(dir.path()), std::vector<std::string>{"Ann"});
    auto r = Make<BmiKind>(1);
    ASSERT_EQ(BmiFile::Append(dir.path(), r), StoreResult::Done);
    std::vector<BmiRecord> list;
    EXPECT_TRUE(BmiFile::LoadAll(dir.path(), "Ann", list));
    EXPECT_EQ(list.size(), 1u);

    EXPECT_TRUE(fs::is_symlink(dir / "bmiAnn.bin"));
    EXPECT_TRUE(fs::is_symlink(dir / UserFileName));
    EXPECT_EQ(fs::file_size(diary), 4 + BmiKind::Size);
    EXPECT_EQ(fs::file_size(users), 4 + UserKind::Size);
}

// The size limit sits where it says: a file of exactly that size is still read, one byte more
// is not, and no append takes a file past it.
TEST(RecordFileSizeLimit, AFileAtTheLimitIsReadButNotGrown) {
    TempDir dir;
    const fs::path file = dir / "ptAnn.bin";
    auto first = Make<PictureKind>(1);
    ASSERT_EQ(PictureFile::Append(dir.path(), first), StoreResult::Done);
    std::error_code ec;
    fs::resize_file(file, detail::MaxRecordFileSize, ec);
    if (ec)
        GTEST_SKIP() << "this file system cannot make a sparse file of the limit's size";

    std::vector<PictureRecord> list;
    EXPECT_TRUE(PictureFile::LoadAll(dir.path(), "Ann", list));
    EXPECT_EQ(list.size(), 1u);
    auto next = Make<PictureKind>(2);
    EXPECT_EQ(PictureFile::Append(dir.path(), next), StoreResult::FileError);
    EXPECT_EQ(fs::file_size(file), detail::MaxRecordFileSize); // its partial tail not cut

    fs::resize_file(file, detail::MaxRecordFileSize + 1);
    list.clear();
    EXPECT_FALSE(PictureFile::LoadAll(dir.path(), "Ann", list));
    EXPECT_EQ(PictureFile::Find(dir.path(), "Ann", first.date).active, 0);
}

} // namespace
} // namespace vitalog
