// The command-line tool's CSV import on fuzzed text, into a data folder that holds a user
// with records: a refused import changes no file, and nothing crashes.
//
// Input: a byte that picks the table, then the CSV text.

#include "FuzzTarget.h"

#include "cli/CsvTables.h"
#include "records/RecordFile.h"
#include "records/Users.h"

#include <fstream>
#include <iterator>
#include <map>
#include <string_view>
#include <vector>

namespace vitalog::fuzz {
namespace {

using Files = std::map<std::string, std::vector<char>>;

Files Snapshot() {
    Files files;
    for (const auto& e : std::filesystem::directory_iterator(DataDir())) {
        std::ifstream in(e.path(), std::ios::binary);
        files[e.path().filename().string()] =
            std::vector<char>(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

void MakeFolder() {
    UserRecord ann;
    ann.SetName("Ann");
    ann.weight = 150;
    ann.age = 40;
    ann.units = 1;
    ann.lengthUnits = 3;
    ann.sex = 2;
    ann.active = 1;
    AddUser(DataDir(), ann);
    BodyFatRecord bf{};
    bf.user = ann;
    bf.date = MakeDateKey(2020, 1, 1);
    bf.SetMethod("Other");
    bf.bodyFat = 25;
    BodyFatFile::Append(DataDir(), bf);
    TapeRecord tape{};
    tape.user = ann;
    tape.date = MakeDateKey(2020, 1, 1);
    tape.waist = 30;
    TapeFile::Append(DataDir(), tape);
    BloodPressureRecord bp{};
    bp.user = ann;
    bp.when = MakeDateTimeKey(2020, 1, 1, 8, 0, 0);
    bp.systolic = 120;
    BloodPressureFile::Append(DataDir(), bp);
}

constexpr cli::CsvKind Kinds[] = {cli::CsvKind::Users,         cli::CsvKind::BodyFat,
                                  cli::CsvKind::Tape,          cli::CsvKind::Bmi,
                                  cli::CsvKind::BloodPressure, cli::CsvKind::Pictures};

// Puts the folder's files back as they were made once.
void RestoreFolder(const Files& files) {
    ClearDataDir();
    for (const auto& [name, bytes] : files)
        std::ofstream(DataDir() / name, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int TestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const Files before = [] {
        ClearDataDir();
        MakeFolder();
        return Snapshot();
    }();
    RestoreFolder(before);
    const cli::CsvKind kind = Kinds[data[0] % 6];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool overwrite = data[0] & 0x80;
    const cli::ImportOutcome outcome = cli::ImportCsv(DataDir(), kind, "Ann", text, overwrite);
    if (!outcome.ok) {
        if (Snapshot() != before)
            Broken("a refused import changed a file");
        if (outcome.problems.empty())
            Broken("a refused import without a reason");
    }
    return 0;
}

} // namespace vitalog::fuzz
