// A disk that fails: every writing operation is run once for each system call it makes, with
// that call failing. Each run must answer FileError and leave every file as it was; nothing
// already stored may be lost or changed.

#include "TestFiles.h"

#include "records/FileIo.h"
#include "records/RecordFile.h"
#include "records/Units.h"
#include "records/Users.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace vitalog {
namespace {

using test::Bytes;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;
namespace faults = detail::faults;

using Files = std::map<std::string, Bytes>;

Files Snapshot(const std::filesystem::path& dir) {
    Files files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        files[e.path().filename().string()] = ReadFile(e.path());
    return files;
}

// The names of the files that differ, for a readable failure.
std::string Changed(const Files& now, const Files& before) {
    std::string names;
    for (const auto& [name, bytes] : now) {
        const auto old = before.find(name);
        if (old == before.end() || old->second != bytes)
            names += name + " ";
    }
    for (const auto& [name, bytes] : before)
        if (!now.contains(name))
            names += name + " (gone) ";
    return names;
}

void Restore(const std::filesystem::path& dir, const Files& files) {
    for (const auto& e : std::filesystem::directory_iterator(dir))
        std::filesystem::remove(e.path());
    for (const auto& [name, bytes] : files)
        WriteFile(dir / name, bytes);
}

UserRecord Named(const char* name, int age = 40) {
    UserRecord u;
    u.SetName(name);
    u.weight = 150;
    u.age = age;
    u.units = Imperial;
    u.lengthUnits = Inches;
    u.sex = Female;
    u.active = 1;
    return u;
}

DateKey Day(int i) {
    return MakeDateKey(2020, 1, 1 + i);
}

void SetKey(BodyFatRecord& r, int i) {
    r.date = Day(i);
    r.SetMethod("Durnin");
}
void SetKey(TapeRecord& r, int i) {
    r.date = Day(i);
}
void SetKey(BmiRecord& r, int i) {
    r.date = Day(i);
}
void SetKey(BmrRecord& r, int i) {
    r.date = Day(i);
}
void SetKey(BloodPressureRecord& r, int i) {
    r.when = MakeDateTimeKey(2020, 1, 1 + i, 8, 30, 0);
}
void SetKey(PictureRecord& r, int i) {
    r.date = Day(i);
    r.SetPath("/home/ann/pictures/" + std::to_string(i) + ".jpg");
}

template <class Kind> typename Kind::Record Make(int i, int age = 40) {
    typename Kind::Record r{};
    r.user = Named("Ann", age);
    SetKey(r, i);
    return r;
}

struct Operation {
    std::string name;
    std::function<StoreResult(const std::filesystem::path&)> run;
};

template <class Kind> void AddOperations(std::vector<Operation>& ops) {
    using File = RecordFile<Kind>;
    const std::string kind = Kind::Prefix;
    ops.push_back({kind + " append", [](const std::filesystem::path& dir) {
                       auto r = Make<Kind>(3);
                       return File::Append(dir, r);
                   }});
    ops.push_back({kind + " overwrite", [](const std::filesystem::path& dir) {
                       auto r = Make<Kind>(1, 77);
                       return File::Overwrite(dir, r, Kind::KeyOf(r));
                   }});
    ops.push_back({kind + " remove", [](const std::filesystem::path& dir) {
                       const auto r = Make<Kind>(1);
                       return File::Remove(dir, "Ann", Kind::KeyOf(r));
                   }});
}

template <class Kind> void Fill(const std::filesystem::path& dir) {
    for (int i = 0; i < 3; ++i) {
        auto r = Make<Kind>(i);
        ASSERT_EQ(RecordFile<Kind>::Append(dir, r), StoreResult::Done);
    }
}

TEST(FailingDisk, EveryWriteFailsCleanlyAtEveryCall) {
    TempDir dir;
    for (const char* name : {"Ann", "Bob"}) {
        UserRecord u = Named(name);
        ASSERT_EQ(AddUser(dir.path(), u), StoreResult::Done);
    }
    Fill<BodyFatKind>(dir.path());
    Fill<TapeKind>(dir.path());
    Fill<BmiKind>(dir.path());
    Fill<BmrKind>(dir.path());
    Fill<BloodPressureKind>(dir.path());
    Fill<PictureKind>(dir.path());
    // A partial record at the end, as a power cut leaves it: the next append cuts it first.
    {
        Bytes tape = ReadFile(dir / "tmAnn.bin");
        tape.resize(tape.size() + 50, 0xAB);
        WriteFile(dir / "tmAnn.bin", tape);
    }
    const Files before = Snapshot(dir.path());

    std::vector<Operation> ops = {
        {"add user",
         [](const std::filesystem::path& d) {
             UserRecord u = Named("Cy");
             return AddUser(d, u);
         }},
        {"update user",
         [](const std::filesystem::path& d) {
             UserRecord u = Named("Ann");
             return UpdateUser(d, u, 140, 41, Imperial, Inches, 20, Female, 1);
         }},
        {"delete user",
         [](const std::filesystem::path& d) {
             UserRecord u = Named("Bob");
             return DeleteUser(d, u);
         }},
    };
    AddOperations<BodyFatKind>(ops);
    AddOperations<TapeKind>(ops);
    AddOperations<BmiKind>(ops);
    AddOperations<BmrKind>(ops);
    AddOperations<BloodPressureKind>(ops);
    AddOperations<PictureKind>(ops);

    int points = 0;
    for (const Operation& op : ops) {
        SCOPED_TRACE(op.name);
        Restore(dir.path(), before);
        faults::Arm(0);
        const StoreResult done = op.run(dir.path());
        const std::uint64_t calls = faults::Calls();
        faults::Disarm();
        ASSERT_EQ(done, StoreResult::Done);
        const Files after = Snapshot(dir.path());
        ASSERT_NE(after, before);

        for (std::uint64_t failing = 1; failing <= calls; ++failing) {
            SCOPED_TRACE("call " + std::to_string(failing) + " of " + std::to_string(calls));
            Restore(dir.path(), before);
            faults::Arm(failing);
            const StoreResult result = op.run(dir.path());
            faults::Disarm();
            ++points;
            EXPECT_EQ(static_cast<int>(result), static_cast<int>(StoreResult::FileError));
            // The failed run takes back what it wrote: every file is exactly as before.
            EXPECT_EQ(Changed(Snapshot(dir.path()), before), "");
        }
    }
    std::cout << points << " failing calls tried over " << ops.size() << " operations\n";
    EXPECT_GT(points, static_cast<int>(ops.size()) * 5);
}

// A power cut leaves a file cut anywhere inside its last record, or a record written only in
// part by an overwrite. Readers return every whole record before the cut; the next append
// cuts the partial tail first and its record lands on a boundary.
template <class Kind> void CutAtEveryOffset() {
    using File = RecordFile<Kind>;
    SCOPED_TRACE(Kind::Prefix);
    TempDir dir;
    Fill<Kind>(dir.path());
    const std::filesystem::path file = dir / (std::string(Kind::Prefix) + "Ann.bin");
    const Bytes whole = ReadFile(file);
    std::vector<typename Kind::Record> all;
    ASSERT_TRUE(File::LoadAll(dir.path(), "Ann", all));
    ASSERT_EQ(all.size(), 3u);

    for (std::size_t cut = whole.size() - Kind::Size; cut < whole.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        WriteFile(file, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)));
        std::vector<typename Kind::Record> list;
        ASSERT_TRUE(File::LoadAll(dir.path(), "Ann", list));
        ASSERT_EQ(list.size(), 2u); // the two older records, newest first
        EXPECT_EQ(Kind::KeyOf(list[0]), Kind::KeyOf(all[1]));
        EXPECT_EQ(Kind::KeyOf(list[1]), Kind::KeyOf(all[2]));

        auto again = Make<Kind>(2);
        ASSERT_EQ(File::Append(dir.path(), again), StoreResult::Done);
        EXPECT_EQ(ReadFile(file), whole);
    }

    // An overwrite cut short inside the record: the bytes before the cut are new, the rest old.
    auto changed = Make<Kind>(1, 77);
    Bytes encoded(Kind::Size);
    Kind::Encode(changed, encoded.data());
    for (std::size_t cut = 0; cut < Kind::Size; ++cut) {
        Bytes torn = whole;
        std::copy_n(encoded.begin(), cut, torn.begin() + 4 + Kind::Size);
        WriteFile(file, torn);
        std::vector<typename Kind::Record> list;
        File::LoadAll(dir.path(), "Ann", list); // whatever it makes of the torn record
        EXPECT_LE(list.size(), 3u);
    }
}

TEST(PowerCut, ReadersKeepEveryWholeRecordAndTheNextAppendCutsTheTail) {
    CutAtEveryOffset<BodyFatKind>();       // 200 bytes
    CutAtEveryOffset<TapeKind>();          // 128
    CutAtEveryOffset<BmiKind>();           // 88
    CutAtEveryOffset<BmrKind>();           // 104
    CutAtEveryOffset<BloodPressureKind>(); // 352
    CutAtEveryOffset<PictureKind>();       // 376
}

} // namespace
} // namespace vitalog
