// backup and restore: the archives read back with libarchive and tar, the newest ten kept, and
// a restore that either replaces the record files whole or changes nothing.

#include "CliFixture.h"

#include "backup/Backups.h"
#include "platform/DataDirectory.h"

#include <QString>

#include <archive.h>
#include <archive_entry.h>
#include <gmock/gmock.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <set>

#include <sys/resource.h>

namespace vitalog::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Entry {
    std::string name;
    Bytes bytes;
    unsigned type = AE_IFREG;
    std::string link; // of a symbolic link
    std::string hardlink;
};

// Every entry of an archive, read by libarchive as any archive tool would.
std::vector<Entry> ReadArchive(const fs::path& file) {
    std::vector<Entry> entries;
    archive* a = archive_read_new();
    archive_read_support_filter_all(a);
    archive_read_support_format_all(a);
    EXPECT_EQ(archive_read_open_filename(a, file.c_str(), 10240), ARCHIVE_OK) << file;
    archive_entry* header = nullptr;
    int status;
    while ((status = archive_read_next_header(a, &header)) == ARCHIVE_OK) {
        const char* name = archive_entry_pathname(header);
        Entry entry{name ? name : archive_entry_pathname_utf8(header),
                    {},
                    archive_entry_filetype(header),
                    {}};
        char buffer[4096];
        la_ssize_t got;
        while ((got = archive_read_data(a, buffer, sizeof buffer)) > 0)
            entry.bytes.insert(entry.bytes.end(), buffer, buffer + got);
        EXPECT_EQ(got, 0) << archive_error_string(a);
        entries.push_back(std::move(entry));
    }
    EXPECT_EQ(status, ARCHIVE_EOF) << archive_error_string(a);
    archive_read_free(a);
    return entries;
}

// An archive made by hand, for the entries our backups never hold: ustar, names as bytes.
void WriteArchive(const fs::path& file, const std::vector<Entry>& entries) {
    archive* a = archive_write_new();
    archive_write_add_filter_gzip(a);
    archive_write_set_format_ustar(a);
    ASSERT_EQ(archive_write_open_filename(a, file.c_str()), ARCHIVE_OK);
    for (const Entry& entry : entries) {
        archive_entry* header = archive_entry_new();
        archive_entry_copy_pathname(header, entry.name.c_str());
        archive_entry_set_filetype(header, entry.type);
        archive_entry_set_perm(header, 0600);
        if (!entry.link.empty())
            archive_entry_set_symlink(header, entry.link.c_str());
        if (!entry.hardlink.empty())
            archive_entry_set_hardlink(header, entry.hardlink.c_str());
        archive_entry_set_size(header, static_cast<la_int64_t>(entry.bytes.size()));
        EXPECT_EQ(archive_write_header(a, header), ARCHIVE_OK) << archive_error_string(a);
        archive_write_data(a, entry.bytes.data(), entry.bytes.size());
        archive_entry_free(header);
    }
    EXPECT_EQ(archive_write_close(a), ARCHIVE_OK);
    archive_write_free(a);
}

// The record files of a folder as the archive should hold them.
std::vector<Entry> RecordFiles(const fs::path& dir) {
    std::vector<Entry> files;
    for (const auto& [name, bytes] : TakeSnapshot(dir)) {
        if (name.ends_with(".bin"))
            files.push_back({name, bytes});
    }
    return files;
}

MATCHER_P(SameFiles, expected, "") {
    std::map<std::string, Bytes> a, b;
    for (const Entry& e : arg)
        a[e.name] = e.bytes, *result_listener << e.name << " ";
    for (const Entry& e : expected)
        b[e.name] = e.bytes;
    return a == b;
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What tar lists, one name a line; empty when tar is not there.
std::string TarListing(const fs::path& file) {
    std::string text;
    if (FILE* pipe = ::popen(("tar tzf '" + file.string() + "' 2>&1").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        ::pclose(pipe);
    }
    return text;
}

// A data folder with records of every kind, and a progress picture the records name: the
// picture itself is no record file and stays out of the archive.
struct Folder {
    TempDir dir;
    Fixture fixture{dir.path()};
    Folder() { WriteFile(dir / "beach.jpg", Bytes(3000, 0xFF)); }
};

class BackupVerb : public ::testing::TestWithParam<bool> {};

TEST_P(BackupVerb, ArchiveHoldsEveryRecordFileByteForByte) {
    const bool toOutput = GetParam();
    Folder folder;
    TempDir elsewhere;
    const fs::path output = elsewhere / "mine.tar.gz";
    const auto result = toOutput ? RunCli(folder.dir.path(), {"backup", "--output", output})
                                 : RunCli(folder.dir.path(), {"backup"});
    ASSERT_EQ(result.status, 0) << result.err;

    const fs::path archive =
        toOutput ? output : folder.dir / "backups" / "vitalog-20261210-103000.tar.gz";
    EXPECT_EQ(result.out, "11 record files backed up to " + archive.string() + "\n");
    const std::vector<Entry> entries = ReadArchive(archive);
    EXPECT_THAT(entries, SameFiles(RecordFiles(folder.dir.path())));
    for (const Entry& entry : entries)
        EXPECT_EQ(entry.type, unsigned{AE_IFREG}) << entry.name;
    // Nothing else is left beside it: no temporary of an archive.
    EXPECT_THAT(Names(archive.parent_path()), ElementsAre(archive.filename().string()));

    const std::string listing = TarListing(archive);
    if (listing.empty())
        GTEST_SKIP() << "no tar to list the archive with";
    std::string expected;
    for (const Entry& entry : entries)
        expected += entry.name + "\n";
    EXPECT_EQ(listing, expected);
}

INSTANTIATE_TEST_SUITE_P(Places, BackupVerb, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Output" : "BackupsFolder"; });

// Archives named before the new one's time, and after it (a clock set back): either way the
// new one stays, and the ten newest are kept.
struct RetentionCase {
    const char* name;
    int year; // of twelve old archives, one a day in November
};

class Retention : public ::testing::TestWithParam<RetentionCase> {};

TEST_P(Retention, KeepsTheNewestTenOfItsOwnAndTouchesNothingElse) {
    Folder folder;
    const fs::path backups = folder.dir / "backups";
    fs::create_directory(backups);
    std::vector<std::string> old;
    for (int day = 1; day <= 12; ++day) {
        old.push_back(BackupFileName(MakeDateTimeKey(GetParam().year, 11, day, 9, 0, 0)));
        WriteFile(backups / old.back(), Bytes{1, 2, 3});
    }
    for (const char* other : {"notes.txt", "vitalog-20200101-000000.zip", "vitalog-old.tar.gz"})
        WriteFile(backups / other, Bytes{4});

    ASSERT_EQ(RunCli(folder.dir.path(), {"backup"}).status, 0);

    std::vector<std::string> expected{"notes.txt", "vitalog-20200101-000000.zip",
                                      "vitalog-20261210-103000.tar.gz", "vitalog-old.tar.gz"};
    expected.insert(expected.end(), old.end() - 9, old.end()); // the nine newest old ones
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(backups), expected);
}

INSTANTIATE_TEST_SUITE_P(Clocks, Retention,
                         ::testing::Values(RetentionCase{"OlderArchives", 2026},
                                           RetentionCase{"ArchivesFromALaterClock", 2027}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BackupVerb, TwoBackupsInOneSecondAreBothKept) {
    Folder folder;
    ASSERT_EQ(RunCli(folder.dir.path(), {"backup"}).status, 0);
    const auto second = RunCli(folder.dir.path(), {"backup"});
    ASSERT_EQ(second.status, 0);
    EXPECT_THAT(second.out, HasSubstr("vitalog-20261210-103000-2.tar.gz"));
    EXPECT_THAT(Names(folder.dir / "backups"),
                ElementsAre("vitalog-20261210-103000-2.tar.gz", "vitalog-20261210-103000.tar.gz"));
}

TEST(BackupVerbRefuses, AFolderWithoutUsersOrHeldByTheProgram) {
    TempDir empty;
    const auto nothing = RunCli(empty.path(), {"backup"});
    EXPECT_EQ(nothing.status, 1);
    EXPECT_THAT(nothing.err, HasSubstr("holds no user.bin; there is nothing to back up"));
    EXPECT_TRUE(Names(empty.path()).empty());

    Folder folder;
    const auto lock = DataDirectory::Lock(QString::fromStdString(folder.dir.path().string()));
    ASSERT_TRUE(lock);
    const auto held = RunCli(folder.dir.path(), {"backup"});
    EXPECT_EQ(held.status, 1);
    EXPECT_THAT(held.err,
                HasSubstr("Vitalog is running with the data folder " + folder.dir.path().string()));
    EXPECT_FALSE(fs::exists(folder.dir / "backups"));
}

// A disk that fills up while the archive is written: a failure, and no archive of either name.
TEST(BackupVerbRefuses, AWriteThatFailsHalfway) {
    Folder folder;
    TempDir elsewhere;
    const fs::path output = elsewhere / "full.tar.gz";
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 200; // the archive of the fixture is some 1.5 kB
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto result = RunCli(folder.dir.path(), {"backup", "--output", output});
    ::setrlimit(RLIMIT_FSIZE, &before);

    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("the backup failed: " + output.string()));
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(Names(elsewhere.path()).empty());
}

// The state of a data folder that a refused restore must keep: its files and what its
// backups folder holds.
struct FolderState {
    Snapshot files;
    std::vector<std::string> entries, backups;
    bool operator==(const FolderState&) const = default;
};
FolderState StateOf(const fs::path& dir) {
    return {TakeSnapshot(dir), Names(dir), Names(dir / "backups")};
}

struct DamagedCase {
    const char* name;
    // Makes the archive from a sound backup of the fixture, written at `file`.
    std::function<void(const fs::path& file)> damage;
    const char* problem;
};
void PrintTo(const DamagedCase& c, std::ostream* out) {
    *out << c.name;
}

class RestoreRefuses : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(RestoreRefuses, AndTheFolderStaysAsItWas) {
    TempDir source;
    const Fixture fixture(source.path());
    TempDir elsewhere;
    const fs::path archive = elsewhere / "backup.tar.gz";
    ASSERT_EQ(RunCli(source.path(), {"backup", "--output", archive}).status, 0);
    GetParam().damage(archive);

    // A folder of the program's own, with a backup already.
    Folder target;
    ASSERT_EQ(RunCli(target.dir.path(), {"backup"}).status, 0);
    const FolderState before = StateOf(target.dir.path());
    const auto result = RunCli(target.dir.path(), {"restore", archive});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, HasSubstr(GetParam().problem));
    EXPECT_THAT(result.err,
                HasSubstr("nothing was restored; " + target.dir.path().string() + " is as it was"));
    EXPECT_EQ(StateOf(target.dir.path()), before);
}

Bytes Read(const fs::path& file) {
    return ReadFile(file);
}

INSTANTIATE_TEST_SUITE_P(
    Archives, RestoreRefuses,
    ::testing::Values(
        DamagedCase{"CutInHalf",
                    [](const fs::path& file) { fs::resize_file(file, fs::file_size(file) / 2); },
                    "is damaged or not a .tar.gz archive: truncated gzip input"},
        DamagedCase{"GzipTrailerCut",
                    [](const fs::path& file) { fs::resize_file(file, fs::file_size(file) - 4); },
                    "is damaged or not a .tar.gz archive"},
        DamagedCase{"CompressedBytesChanged",
                    [](const fs::path& file) {
                        Bytes bytes = Read(file);
                        for (std::size_t i = bytes.size() / 3; i < bytes.size() / 3 + 16; ++i)
                            bytes[i] ^= 0x5A;
                        WriteFile(file, bytes);
                    },
                    "is damaged or not a .tar.gz archive"},
        DamagedCase{"NotAnArchive",
                    [](const fs::path& file) {
                        WriteFile(file, Bytes{'D', 'a', 't', 'e', ',', 'W', '\n'});
                    },
                    "is damaged or not a .tar.gz archive"},
        DamagedCase{"NoFileThere", [](const fs::path& file) { fs::remove(file); },
                    "cannot be read"},
        DamagedCase{"EntryLeavingTheFolder",
                    [](const fs::path& file) {
                        WriteArchive(file, {{"user.bin", {}}, {"../x.bin", Bytes{1}}});
                    },
                    "the entry \"../x.bin\" is not a plain file name"},
        DamagedCase{"AbsolutePath",
                    [](const fs::path& file) {
                        WriteArchive(file, {{"/tmp/user.bin", {}}});
                    },
                    "the entry \"/tmp/user.bin\" is not a plain file name"},
        DamagedCase{"SymbolicLink",
                    [](const fs::path& file) {
                        WriteArchive(file, {{"user.bin", {}, AE_IFLNK, "/etc/passwd"}});
                    },
                    "the entry \"user.bin\" is not a regular file"},
        DamagedCase{
            "HardLink",
            [](const fs::path& file) {
                WriteArchive(file, {{"user.bin", {}}, {"tmAnn.bin", {}, AE_IFREG, "", "user.bin"}});
            },
            "the entry \"tmAnn.bin\" is not a regular file"},
        DamagedCase{"SameNameTwice",
                    [](const fs::path& file) {
                        WriteArchive(file, {{"user.bin", {}}, {"user.bin", Bytes{1}}});
                    },
                    "holds \"user.bin\" twice"},
        DamagedCase{"NoUserFile",
                    [](const fs::path& file) {
                        WriteArchive(file, {{"tmAnn.bin", {}}});
                    },
                    "holds no user.bin"},
        DamagedCase{"NotARecordFile",
                    [](const fs::path& file) {
                        WriteArchive(file, {{"user.bin", {}}, {"beach.jpg", Bytes{0xFF}}});
                    },
                    "\"beach.jpg\" is not a record file"},
        DamagedCase{"RecordFileFailsTheCheck",
                    [](const fs::path& file) {
                        std::vector<Entry> entries = ReadArchive(file);
                        for (Entry& entry : entries) {
                            if (entry.name == "tmAnn.bin")
                                PutAt<std::int32_t>(entry.bytes, 0, 601);
                        }
                        WriteArchive(file, entries);
                    },
                    "backup.tar.gz: tmAnn.bin: the header is 601, not 600"}));

TEST(RestoreVerb, ReplacesTheRecordFilesAndKeepsTheReplacedOnesInANewBackup) {
    TempDir source;
    const Fixture fixture(source.path());
    TempDir elsewhere;
    const fs::path archive = elsewhere / "backup.tar.gz";
    ASSERT_EQ(RunCli(source.path(), {"backup", "--output", archive}).status, 0);

    // Another folder: other users, a record file the archive does not hold, a picture.
    Folder target;
    WriteFile(target.dir / "bfGone.bin", Bytes{0x58, 0x02, 0, 0});
    const std::vector<Entry> replaced = RecordFiles(target.dir.path());
    const auto result = RunCli(target.dir.path(), {"restore", archive});
    ASSERT_EQ(result.status, 0) << result.err;

    EXPECT_THAT(RecordFiles(target.dir.path()), SameFiles(RecordFiles(source.path())));
    EXPECT_TRUE(fs::exists(target.dir / "beach.jpg"));
    const fs::path kept = target.dir / "backups" / "vitalog-20261210-103000.tar.gz";
    EXPECT_THAT(Names(target.dir / "backups"), ElementsAre(kept.filename().string()));
    EXPECT_THAT(ReadArchive(kept), SameFiles(replaced));
    // No scratch folder is left.
    EXPECT_EQ(Names(target.dir.path()),
              (std::vector<std::string>{"backups", "beach.jpg", "bfAnn.bin", "bfZo\xC3\xAB.bin",
                                        "bmiAnn.bin", "bmiZo\xC3\xAB.bin", "bmrAnn.bin",
                                        "bmrZo\xC3\xAB.bin", "bpZo\xC3\xAB.bin", "ptZo\xC3\xAB.bin",
                                        "tmAnn.bin", "tmZo\xC3\xAB.bin", "user.bin"}));

    EXPECT_THAT(result.out, HasSubstr("Restored " + archive.string() + " into " +
                                      target.dir.path().string() + ":\n"));
    EXPECT_THAT(result.out, HasSubstr("  user.bin: 2 records\n"));
    EXPECT_THAT(result.out, HasSubstr("  bpZo\xC3\xAB.bin: 2 records\n"));
    EXPECT_THAT(result.out, HasSubstr("  bfGone.bin: removed, the archive does not hold it\n"));
    EXPECT_THAT(result.out,
                HasSubstr("The replaced record files are kept in " + kept.string() + "\n"));
}

// A rename that fails once the replaced files are kept: every file goes back where it was.
TEST(RestoreVerb, ThatCannotPutAFileInPlaceUndoesItsMoves) {
    TempDir source;
    const Fixture fixture(source.path());
    TempDir elsewhere;
    const fs::path archive = elsewhere / "backup.tar.gz";
    ASSERT_EQ(RunCli(source.path(), {"backup", "--output", archive}).status, 0);

    Folder target;
    fs::remove(target.dir / "tmZo\xC3\xAB.bin");
    fs::create_directories(target.dir / "tmZo\xC3\xAB.bin" / "inside"); // no file fits there
    const Snapshot before = TakeSnapshot(target.dir.path());
    const auto result = RunCli(target.dir.path(), {"restore", archive});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("could not be replaced"));
    EXPECT_EQ(TakeSnapshot(target.dir.path()), before);
    EXPECT_TRUE(fs::is_directory(target.dir / "tmZo\xC3\xAB.bin" / "inside"));
    EXPECT_THAT(Names(target.dir / "backups"), ElementsAre("vitalog-20261210-103000.tar.gz"));
}

TEST(RestoreVerb, IntoAFolderWithoutRecordFilesKeepsNoBackup) {
    TempDir source;
    const Fixture fixture(source.path());
    TempDir elsewhere;
    const fs::path archive = elsewhere / "backup.tar.gz";
    ASSERT_EQ(RunCli(source.path(), {"backup", "--output", archive}).status, 0);

    TempDir target;
    const auto result = RunCli(target.path(), {"restore", archive});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(RecordFiles(target.path()), SameFiles(RecordFiles(source.path())));
    EXPECT_THAT(result.out, HasSubstr("The folder held no record files to replace.\n"));
    EXPECT_FALSE(fs::exists(target / "backups"));
}

// Restoring one of the folder's own backups, when the folder already holds ten: the archive
// read and the new backup of the replaced files both stay.
TEST(RestoreVerb, FromTheOldestOfTenBackupsKeepsItAndTheNewOne) {
    Folder folder;
    const fs::path backups = folder.dir / "backups";
    fs::create_directory(backups);
    const fs::path oldest = backups / BackupFileName(MakeDateTimeKey(2026, 1, 1, 8, 0, 0));
    ASSERT_EQ(RunCli(folder.dir.path(), {"backup", "--output", oldest}).status, 0);
    for (int day = 2; day <= 10; ++day)
        WriteFile(backups / BackupFileName(MakeDateTimeKey(2026, 1, day, 8, 0, 0)), Bytes{1});
    const std::vector<Entry> before = RecordFiles(folder.dir.path());

    const auto result = RunCli(folder.dir.path(), {"restore", oldest});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> names = Names(backups);
    EXPECT_EQ(names.size(), 10u);
    EXPECT_THAT(names, ::testing::Contains(oldest.filename().string()));
    EXPECT_THAT(names, ::testing::Contains("vitalog-20261210-103000.tar.gz"));
    EXPECT_THAT(RecordFiles(folder.dir.path()), SameFiles(before));
}

TEST(RestoreVerb, IsRefusedWhileTheProgramHoldsTheFolder) {
    TempDir source;
    const Fixture fixture(source.path());
    TempDir elsewhere;
    const fs::path archive = elsewhere / "backup.tar.gz";
    ASSERT_EQ(RunCli(source.path(), {"backup", "--output", archive}).status, 0);

    Folder target;
    const auto lock = DataDirectory::Lock(QString::fromStdString(target.dir.path().string()));
    ASSERT_TRUE(lock);
    const FolderState before = StateOf(target.dir.path());
    const auto result = RunCli(target.dir.path(), {"restore", archive});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err,
                HasSubstr("Vitalog is running with the data folder " + target.dir.path().string()));
    EXPECT_EQ(StateOf(target.dir.path()), before);
}

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* message;
};
void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << c.name;
}

class BackupUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(BackupUsage, IsAUsageError) {
    TempDir dir;
    const auto result = RunCli(dir.path(), GetParam().arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr(GetParam().message));
    EXPECT_TRUE(Names(dir.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, BackupUsage,
    ::testing::Values(
        UsageCase{"RestoreWithoutFile", {"restore"}, "restore: a file to read is missing"},
        UsageCase{"RestoreTwoFiles",
                  {"restore", "a.tar.gz", "b.tar.gz"},
                  "restore: unexpected argument b.tar.gz"},
        UsageCase{"RestoreWithOutput",
                  {"restore", "--output", "x", "a.tar.gz"},
                  "restore: --output does not apply here"},
        UsageCase{"BackupExtraArgument", {"backup", "extra"}, "backup: unexpected argument extra"},
        UsageCase{
            "BackupWithUser", {"backup", "--user", "Ann"}, "backup: --user does not apply here"},
        UsageCase{
            "BackupOutputWithoutValue", {"backup", "--output"}, "missing value after --output"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vitalog::test
