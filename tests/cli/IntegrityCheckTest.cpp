// check: each fault of a data folder on a fixture, and silence on a sound one.

#include "CliFixture.h"

#include <gmock/gmock.h>

#include <functional>

namespace vitalog::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct FaultCase {
    const char* name;
    std::function<void(const std::filesystem::path&)> damage;
    const char* line; // the one line check prints
};
// Test names in ctest show the case, not its bytes.
void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

class CheckFinds : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CheckFinds, TheFaultOnOneLineAndChangesNothing) {
    TempDir dir;
    const Fixture fixture(dir.path());
    GetParam().damage(dir.path());
    const Snapshot before = TakeSnapshot(dir.path());
    const auto result = RunCli(dir.path(), {"check"});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, ::testing::StrEq(std::string(GetParam().line) + "\n"));
    EXPECT_EQ(TakeSnapshot(dir.path()), before);
}

// Raw edits of the fixture's files.
void Edit(const std::filesystem::path& file, const std::function<void(Bytes&)>& change) {
    Bytes bytes = ReadFile(file);
    change(bytes);
    WriteFile(file, bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckFinds,
    ::testing::Values(
        FaultCase{"Header601",
                  [](const auto& dir) {
                      Edit(dir / "tmAnn.bin", [](Bytes& b) { PutAt<std::int32_t>(b, 0, 601); });
                  },
                  "tmAnn.bin: the header is 601, not 600"},
        FaultCase{"ShorterThanAHeader",
                  [](const auto& dir) {
                      WriteFile(dir / "bpAnn.bin", Bytes{0x58, 0x02});
                  },
                  "bpAnn.bin: the file is shorter than its header"},
        FaultCase{"PartialRecordAtTheEnd",
                  [](const auto& dir) {
                      Edit(dir / "bmiAnn.bin", [](Bytes& b) { b.resize(b.size() - 30); });
                  },
                  "bmiAnn.bin: a partial record of 58 bytes at the end (records are 88 bytes)"},
        FaultCase{"LiveKeyTwice",
                  [](const auto& dir) {
                      Edit(dir / "tmAnn.bin",
                           [](Bytes& b) { b.insert(b.end(), b.begin() + 4, b.begin() + 4 + 128); });
                  },
                  "tmAnn.bin: records 1 and 2 are both live for 2024-01-05"},
        FaultCase{"BloodPressureTimeTwice",
                  [](const auto& dir) {
                      const auto file = dir / "bpZo\xC3\xAB.bin";
                      Edit(file,
                           [](Bytes& b) { b.insert(b.end(), b.begin() + 4, b.begin() + 4 + 352); });
                  },
                  "bpZo\xC3\xAB.bin: records 1 and 3 are both live for 2024-03-07T08:05:09"},
        FaultCase{"UnknownMethod",
                  [](const auto& dir) {
                      Edit(dir / "bfAnn.bin",
                           [](Bytes& b) { std::memcpy(b.data() + 4 + 136, "Calipers\0", 9); });
                  },
                  "bfAnn.bin: record 1: the method \"Calipers\" is none of the seven"},
        FaultCase{"FileOfAnUnknownUser",
                  [](const auto& dir) {
                      std::filesystem::copy_file(dir / "tmAnn.bin", dir / "tmBob.bin");
                  },
                  "tmBob.bin: its user \"Bob\" is not in user.bin"},
        FaultCase{"NotesWithoutNul",
                  [](const auto& dir) {
                      Edit(dir / "bpZo\xC3\xAB.bin",
                           [](Bytes& b) { std::memset(b.data() + 4 + 352 + 76, 'n', 255); });
                  },
                  "bpZo\xC3\xAB.bin: record 2: the notes has no NUL"},
        FaultCase{"UserNameWithoutNul",
                  [](const auto& dir) {
                      Edit(dir / "ptZo\xC3\xAB.bin",
                           [](Bytes& b) { std::memset(b.data() + 4 + 376, 'Z', 32); });
                  },
                  "ptZo\xC3\xAB.bin: record 2: the user name has no NUL"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Check, IsSilentOnASoundFolder) {
    TempDir dir;
    const Fixture fixture(dir.path());
    // An empty file is what a read of a missing file leaves behind: no fault.
    WriteFile(dir / "ptAnn.bin", Bytes{});
    // A tombstone may repeat a live key.
    ASSERT_EQ(TapeFile::Remove(dir.path(), "Ann", 20240105), StoreResult::Done);
    TapeRecord again = TapeFile::Find(dir.path(), "Zo\xEB", 20240106);
    again.user = fixture.ann;
    again.date = 20240105;
    ASSERT_EQ(TapeFile::Append(dir.path(), again), StoreResult::Done);
    // Older files name two methods the old way; the program still reads them.
    Edit(dir / "bfAnn.bin",
         [](Bytes& b) { std::memcpy(b.data() + 4 + 136, "Seven Site Caliper\0", 19); });

    const auto result = RunCli(dir.path(), {"check"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST(Check, ReportsEveryFaultOfAFileAndEveryOrphanFile) {
    TempDir dir;
    const Fixture fixture(dir.path());
    Edit(dir / "bfAnn.bin", [](Bytes& b) {
        PutAt<std::int32_t>(b, 0, 700);
        b.push_back(0);
    });
    std::filesystem::remove(dir / "user.bin");
    const auto result = RunCli(dir.path(), {"check"});
    EXPECT_EQ(result.status, 1);
    std::vector<std::string> lines;
    std::istringstream in(result.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    EXPECT_EQ(lines.size(), 12u); // ten files without their user, and two faults of one file
    EXPECT_THAT(result.out, HasSubstr("bfAnn.bin: the header is 700, not 600\n"
                                      "bfAnn.bin: a partial record of 1 bytes at the end"));
    EXPECT_FALSE(std::filesystem::exists(dir / "user.bin"));
}

} // namespace
} // namespace vitalog::test
