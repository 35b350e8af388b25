// The record-file protocol, run for every kind; then what single kinds add to it.

#include "TestFiles.h"

#include "records/RecordFile.h"
#include "records/Units.h"

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

UserRecord Imperial(const char* name = "Ann") {
    UserRecord u;
    u.SetName(name);
    u.weight = 150;
    u.age = 40;
    u.units = vitalog::Imperial;
    u.lengthUnits = Inches;
    u.sex = Female;
    u.active = 1;
    return u;
}

// Distinct keys in ascending order for each kind.
DateKey KeyFor(DateKey*, int i) {
    return MakeDateKey(2000 + i, 1, 1);
}
DateTimeKey KeyFor(DateTimeKey*, int i) {
    return MakeDateTimeKey(2000 + i, 1, 1, 8, 0, 0);
}

bool Older(DateKey a, DateKey b) {
    return a < b;
}
bool Older(const DateTimeKey& a, const DateTimeKey& b) {
    return DateTimeKeyLess(a, b);
}

template <class Kind> typename Kind::Key KeyOf(int i) {
    return KeyFor(static_cast<typename Kind::Key*>(nullptr), i);
}

void SetKey(BodyFatRecord& r, DateKey k) {
    r.date = k;
}
void SetKey(TapeRecord& r, DateKey k) {
    r.date = k;
}
void SetKey(BmiRecord& r, DateKey k) {
    r.date = k;
}
void SetKey(BmrRecord& r, DateKey k) {
    r.date = k;
}
void SetKey(BloodPressureRecord& r, DateTimeKey k) {
    r.when = k;
}
void SetKey(PictureRecord& r, DateKey k) {
    r.date = k;
}

// A record of key i; `mark` (the embedded age) tells records apart.
template <class Kind> typename Kind::Record Make(int i, int mark = 40) {
    typename Kind::Record r{};
    r.user = Imperial();
    r.user.age = mark;
    SetKey(r, KeyOf<Kind>(i));
    return r;
}

template <class Kind> std::filesystem::path FileOf(const TempDir& dir) {
    return dir / (std::string(Kind::Prefix) + "Ann.bin");
}

template <class Kind> class RecordFileProtocol : public ::testing::Test {
protected:
    using File = RecordFile<Kind>;
    using Record = typename Kind::Record;
    static constexpr std::size_t Size = Kind::Size;

    TempDir dir;
    std::filesystem::path file = FileOf<Kind>(dir);

    StoreResult Append(int i, int mark = 40) {
        Record r = Make<Kind>(i, mark);
        return File::Append(dir.path(), r);
    }
    std::vector<Record> Load() {
        std::vector<Record> list;
        File::LoadAll(dir.path(), "Ann", list);
        return list;
    }
};

using AllKinds =
    ::testing::Types<BodyFatKind, TapeKind, BmiKind, BmrKind, BloodPressureKind, PictureKind>;
TYPED_TEST_SUITE(RecordFileProtocol, AllKinds);

TYPED_TEST(RecordFileProtocol, FirstAppendWritesHeaderAndEachAppendOneRecord) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(this->Append(i, 30 + i), StoreResult::Done);
        const Bytes b = ReadFile(this->file);
        EXPECT_EQ(b.size(), 4 + (i + 1) * this->Size);
        EXPECT_EQ(At<std::int32_t>(b, 0), 600);
    }
    const auto found = TestFixture::File::Find(this->dir.path(), "Ann", KeyOf<TypeParam>(1));
    EXPECT_EQ(found.active, 1);
    EXPECT_EQ(found.user.age, 31);
    EXPECT_EQ(found.user.Name(), "Ann");
}

TYPED_TEST(RecordFileProtocol, AppendOfALiveKey) {
    ASSERT_EQ(this->Append(0), StoreResult::Done);
    const Bytes before = ReadFile(this->file);
    if constexpr (TypeParam::UniqueKey) {
        typename TypeParam::Record r = Make<TypeParam>(0, 77);
        EXPECT_TRUE(TestFixture::File::Contains(this->dir.path(), r));
        EXPECT_EQ(TestFixture::File::Append(this->dir.path(), r), StoreResult::AlreadyExists);
        EXPECT_EQ(ReadFile(this->file), before);
    } else {
        // Several pictures per date: the key is never tested.
        EXPECT_EQ(this->Append(0), StoreResult::Done);
        EXPECT_EQ(ReadFile(this->file).size(), before.size() + this->Size);
    }
}

TYPED_TEST(RecordFileProtocol, RemoveLeavesATombstoneAndTheKeyCanBeAppendedAgain) {
    using File = typename TestFixture::File;
    const auto key = KeyOf<TypeParam>(0);
    ASSERT_EQ(this->Append(0, 41), StoreResult::Done);
    ASSERT_EQ(this->Append(1, 42), StoreResult::Done);
    const Bytes before = ReadFile(this->file);

    EXPECT_EQ(File::Remove(this->dir.path(), "Ann", key), StoreResult::Done);
    Bytes after = ReadFile(this->file);
    EXPECT_EQ(At<std::int32_t>(after, 4 + TypeParam::ActiveOffset), 0);
    // Only the active flag changed.
    PutAt<std::int32_t>(after, 4 + TypeParam::ActiveOffset, 1);
    EXPECT_EQ(after, before);

    EXPECT_EQ(File::Find(this->dir.path(), "Ann", key).active, 0);
    EXPECT_EQ(File::Remove(this->dir.path(), "Ann", key), StoreResult::NotFound);
    EXPECT_EQ(this->Load().size(), 1u);

    ASSERT_EQ(this->Append(0, 43), StoreResult::Done);
    const Bytes again = ReadFile(this->file);
    ASSERT_EQ(again.size(), 4 + 3 * this->Size);
    EXPECT_EQ(At<std::int32_t>(again, 4 + TypeParam::ActiveOffset), 0);
    EXPECT_EQ(At<std::int32_t>(again, 4 + 2 * this->Size + TypeParam::ActiveOffset), 1);
    EXPECT_EQ(File::Find(this->dir.path(), "Ann", key).user.age, 43);
}

TYPED_TEST(RecordFileProtocol, RemoveOnAMissingFileLeavesAnEmptyFile) {
    EXPECT_EQ(TestFixture::File::Remove(this->dir.path(), "Ann", KeyOf<TypeParam>(0)),
              StoreResult::FileError);
    ASSERT_TRUE(std::filesystem::exists(this->file));
    EXPECT_EQ(std::filesystem::file_size(this->file), 0u);
    // The next append turns it into a proper file.
    ASSERT_EQ(this->Append(0), StoreResult::Done);
    EXPECT_EQ(std::filesystem::file_size(this->file), 4 + this->Size);
}

TYPED_TEST(RecordFileProtocol, ReadersOnAMissingFileLeaveAnEmptyFile) {
    EXPECT_EQ(TestFixture::File::Find(this->dir.path(), "Ann", KeyOf<TypeParam>(0)).active, 0);
    std::filesystem::remove(this->file);
    EXPECT_TRUE(this->Load().empty());
    EXPECT_EQ(std::filesystem::file_size(this->file), 0u);
}

TYPED_TEST(RecordFileProtocol, OverwriteReplacesTheLiveRecordInPlace) {
    using File = typename TestFixture::File;
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(this->Append(i, 40), StoreResult::Done);
    const auto key = KeyOf<TypeParam>(1);
    ASSERT_EQ(File::Remove(this->dir.path(), "Ann", key), StoreResult::Done);
    ASSERT_EQ(this->Append(1, 50), StoreResult::Done); // live copy behind the tombstone
    const Bytes before = ReadFile(this->file);

    auto r = Make<TypeParam>(1, 60);
    r.active = 1;
    ASSERT_EQ(File::Overwrite(this->dir.path(), r, key), StoreResult::Done);
    const Bytes after = ReadFile(this->file);
    ASSERT_EQ(after.size(), before.size());
    // The tombstone and the other records are untouched; the live one holds the new record.
    const std::size_t live = 4 + 3 * this->Size;
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + live, after.begin()));
    EXPECT_EQ(At<std::int32_t>(after, live + TypeParam::UserOffset + 40), 60);
    EXPECT_EQ(File::Find(this->dir.path(), "Ann", key).user.age, 60);
}

TYPED_TEST(RecordFileProtocol, OverwriteOfAKeyThatIsNotLiveNeverOpensForWriting) {
    using File = typename TestFixture::File;
    ASSERT_EQ(this->Append(0), StoreResult::Done);
    ASSERT_EQ(this->Append(1), StoreResult::Done);
    ASSERT_EQ(File::Remove(this->dir.path(), "Ann", KeyOf<TypeParam>(1)), StoreResult::Done);
    const Bytes before = ReadFile(this->file);

    WriteWatch watch(this->file);
    for (int i : {1, 2}) { // a tombstone, a key never stored
        auto r = Make<TypeParam>(i, 99);
        r.active = 1;
        EXPECT_EQ(File::Overwrite(this->dir.path(), r, KeyOf<TypeParam>(i)), StoreResult::NotFound);
    }
    EXPECT_FALSE(watch.SawWrite());
    EXPECT_EQ(ReadFile(this->file), before);
}

struct ShortFileCase {
    const char* name;
    Bytes bytes;
};

TYPED_TEST(RecordFileProtocol, FilesWithoutRecords) {
    using File = typename TestFixture::File;
    const Bytes header{0x58, 0x02, 0, 0}; // 600
    for (const ShortFileCase& c : std::vector<ShortFileCase>{
             {"empty", {}}, {"two bytes", {0x58, 0x02}}, {"header only", header}}) {
        SCOPED_TRACE(c.name);
        WriteFile(this->file, c.bytes);
        const auto key = KeyOf<TypeParam>(0);
        auto r = Make<TypeParam>(0);
        EXPECT_EQ(File::Find(this->dir.path(), "Ann", key).active, 0);
        EXPECT_FALSE(File::Contains(this->dir.path(), r));
        EXPECT_TRUE(this->Load().empty());
        EXPECT_EQ(File::Overwrite(this->dir.path(), r, key), StoreResult::NotFound);
        EXPECT_EQ(File::Remove(this->dir.path(), "Ann", key),
                  c.bytes.size() < 4 ? StoreResult::FileError : StoreResult::NotFound);
        EXPECT_EQ(ReadFile(this->file), c.bytes);

        // The header goes at the start, whatever stray bytes were there.
        ASSERT_EQ(File::Append(this->dir.path(), r), StoreResult::Done);
        const Bytes b = ReadFile(this->file);
        ASSERT_EQ(b.size(), 4 + this->Size);
        EXPECT_EQ(At<std::int32_t>(b, 0), 600);
        EXPECT_EQ(At<std::int32_t>(b, 4 + TypeParam::ActiveOffset), 1);
    }
}

TYPED_TEST(RecordFileProtocol, ATruncatedLastRecordIsIgnoredAndCutBeforeTheNextAppend) {
    using File = typename TestFixture::File;
    ASSERT_EQ(this->Append(0, 41), StoreResult::Done);
    ASSERT_EQ(this->Append(1, 42), StoreResult::Done);
    Bytes b = ReadFile(this->file);
    // The start of a third record, cut off: a live flag and key would be there in a whole one.
    const Bytes partial(b.begin() + 4, b.begin() + 4 + this->Size - 1);
    b.insert(b.end(), partial.begin(), partial.end());
    WriteFile(this->file, b);

    EXPECT_EQ(this->Load().size(), 2u);
    ASSERT_EQ(this->Append(2, 43), StoreResult::Done);
    const Bytes after = ReadFile(this->file);
    ASSERT_EQ(after.size(), 4 + 3 * this->Size);
    EXPECT_EQ(At<std::int32_t>(after, 4 + 2 * this->Size + TypeParam::UserOffset + 40), 43);
    const auto list = this->Load();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.front().user.age, 43); // newest key first
    EXPECT_EQ(File::Find(this->dir.path(), "Ann", KeyOf<TypeParam>(2)).user.age, 43);
}

TYPED_TEST(RecordFileProtocol, AFileOfALaterVersionIsReadButNeverWritten) {
    using File = typename TestFixture::File;
    ASSERT_EQ(this->Append(0, 41), StoreResult::Done);
    ASSERT_EQ(this->Append(1, 42), StoreResult::Done);
    Bytes b = ReadFile(this->file);
    PutAt<std::int32_t>(b, 0, 601);
    WriteFile(this->file, b);

    EXPECT_EQ(File::Find(this->dir.path(), "Ann", KeyOf<TypeParam>(1)).user.age, 42);
    EXPECT_EQ(this->Load().size(), 2u);

    WriteWatch watch(this->file);
    auto fresh = Make<TypeParam>(5);
    EXPECT_EQ(File::Append(this->dir.path(), fresh), StoreResult::FileError);
    auto same = Make<TypeParam>(1, 60);
    same.active = 1;
    EXPECT_EQ(File::Overwrite(this->dir.path(), same, KeyOf<TypeParam>(1)), StoreResult::FileError);
    EXPECT_EQ(File::Remove(this->dir.path(), "Ann", KeyOf<TypeParam>(0)), StoreResult::FileError);
    EXPECT_FALSE(watch.SawWrite());
    EXPECT_EQ(ReadFile(this->file), b);
}

TYPED_TEST(RecordFileProtocol, UnusableNamesTouchNothing) {
    using File = typename TestFixture::File;
    for (const std::string name : {"a/b", "../x", "/tmp/x", "\x81", "bad\x9D"}) {
        SCOPED_TRACE(name);
        auto r = Make<TypeParam>(0);
        ASSERT_TRUE(r.user.SetName(name));
        EXPECT_TRUE(File::PathFor(this->dir.path(), name).empty());
        EXPECT_EQ(File::Append(this->dir.path(), r), StoreResult::FileError);
        EXPECT_EQ(File::Overwrite(this->dir.path(), r, KeyOf<TypeParam>(0)),
                  StoreResult::FileError);
        EXPECT_EQ(File::Remove(this->dir.path(), name, KeyOf<TypeParam>(0)),
                  StoreResult::FileError);
        EXPECT_EQ(File::Find(this->dir.path(), name, KeyOf<TypeParam>(0)).active, 0);
        EXPECT_FALSE(File::Contains(this->dir.path(), r));
        std::vector<typename TypeParam::Record> list;
        EXPECT_FALSE(File::LoadAll(this->dir.path(), name, list));
        EXPECT_TRUE(this->dir.Entries().empty());
    }
}

TYPED_TEST(RecordFileProtocol, FileNamesUseTheUtf8FormOfTheName) {
    auto r = Make<TypeParam>(0);
    ASSERT_TRUE(r.user.SetName("Jos\xE9"));
    ASSERT_EQ(TestFixture::File::Append(this->dir.path(), r), StoreResult::Done);
    EXPECT_TRUE(
        std::filesystem::exists(this->dir / (std::string(TypeParam::Prefix) + "Jos\u00E9.bin")));
}

// Seeded random files: no reader may crash or read outside the file, and every answer keeps
// its promises (live records only, newest first, appends on a record boundary).
TYPED_TEST(RecordFileProtocol, RandomBytesNeverBreakAReader) {
    using File = typename TestFixture::File;
    std::mt19937 rng(20040307u + static_cast<unsigned>(TypeParam::Size));
    for (int round = 0; round < 150; ++round) {
        std::uniform_int_distribution<std::size_t> length(0, 6 * this->Size + 7);
        Bytes bytes(length(rng));
        std::uniform_int_distribution<int> byte(0, 255);
        for (auto& x : bytes)
            x = static_cast<std::uint8_t>(byte(rng));
        // Half of them with plausible active flags, so that records are actually loaded.
        if (round % 2 == 0)
            for (std::size_t at = 4; at + this->Size <= bytes.size(); at += this->Size)
                PutAt<std::int32_t>(bytes, at + TypeParam::ActiveOffset, round % 4 == 0 ? 1 : 0);
        WriteFile(this->file, bytes);

        const auto list = this->Load();
        for (std::size_t i = 0; i < list.size(); ++i) {
            ASSERT_NE(list[i].active, 0);
            if (i > 0) {
                ASSERT_FALSE(Older(TypeParam::KeyOf(list[i - 1]), TypeParam::KeyOf(list[i])));
            }
        }
        for (int i = 0; i < 3; ++i)
            (void)File::Find(this->dir.path(), "Ann", KeyOf<TypeParam>(i));
        if (round % 10 == 0) {
            const StoreResult removed =
                File::Remove(this->dir.path(), "Ann", KeyOf<TypeParam>(round % 3));
            EXPECT_NE(removed, StoreResult::AlreadyExists);
            auto r = Make<TypeParam>(round + 50);
            const StoreResult appended = File::Append(this->dir.path(), r);
            const auto size = std::filesystem::file_size(this->file);
            if (appended == StoreResult::Done) {
                EXPECT_EQ((size - 4) % this->Size, 0u);
            }
        }
    }
}

} // namespace
} // namespace vitalog
