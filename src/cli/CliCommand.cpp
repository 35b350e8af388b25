#include "CliCommand.h"

#include "CsvDetail.h"
#include "CsvTables.h"
#include "DemoData.h"
#include "ScaleImport.h"

#include "backup/Backups.h"
#include "backup/IntegrityCheck.h"
#include "help/VendorConfig.h"
#include "history/HistoryReports.h"
#include "platform/DataDirectory.h"
#include "records/TextEncoding.h"
#include "records/Users.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace vitalog::cli {

namespace {

struct UsageError {
    std::string message;
};

struct Options {
    std::optional<std::string> dataDir, user, output, weightUnit, lengthUnit;
    bool overwrite = false;
    bool dryRun = false;
    bool help = false;
    std::vector<std::string> positional;
};

Options Parse(const std::vector<std::string>& arguments) {
    Options options;
    const auto value = [&](std::size_t& i, const std::string& name) {
        const std::string& argument = arguments[i];
        if (argument.size() > name.size() && argument[name.size()] == '=')
            return argument.substr(name.size() + 1);
        if (i + 1 >= arguments.size() || arguments[i + 1].empty())
            throw UsageError{"missing value after " + name};
        return arguments[++i];
    };
    const auto is = [](const std::string& argument, const std::string& name) {
        return argument == name || argument.starts_with(name + "=");
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::optional<std::string>* target = nullptr;
        std::string name;
        if (is(argument, "--data-dir"))
            target = &options.dataDir, name = "--data-dir";
        else if (is(argument, "--user"))
            target = &options.user, name = "--user";
        else if (is(argument, "--output"))
            target = &options.output, name = "--output";
        else if (is(argument, "--weight-unit"))
            target = &options.weightUnit, name = "--weight-unit";
        else if (is(argument, "--length-unit"))
            target = &options.lengthUnit, name = "--length-unit";
        if (target) {
            if (*target)
                throw UsageError{name + " is given twice"};
            *target = value(i, name);
            if ((*target)->empty())
                throw UsageError{"missing value after " + name};
        } else if (argument == "--overwrite") {
            options.overwrite = true;
        } else if (argument == "--dry-run") {
            options.dryRun = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument.size() > 1 && argument.starts_with('-')) {
            throw UsageError{"unknown option " + argument};
        } else {
            options.positional.push_back(argument);
        }
    }
    return options;
}

// What each verb takes besides --data-dir.
struct VerbShape {
    std::string_view name;
    std::size_t operands; // after the verb
    bool takesKind, takesUser, takesOutput, needsOutput, takesOverwrite;
};

constexpr VerbShape Verbs[]{
    {"users", 0, false, false, false, false, false},
    {"export-csv", 1, true, true, true, false, false},
    {"import-csv", 2, true, true, false, false, true},
    {"import-scale", 1, false, true, false, false, true},
    {"export-history", 1, true, true, true, true, false},
    {"print-history", 1, true, true, false, false, false},
    {"check", 0, false, false, false, false, false},
    {"demo", 0, false, false, false, false, false},
    {"backup", 0, false, false, true, false, false},
    {"restore", 1, false, false, false, false, false},
};

constexpr std::string_view HistoryKinds[]{"bodyfat", "tape", "bmi", "bp", "users"};

const VerbShape& CheckShape(const Options& options) {
    if (options.positional.empty())
        throw UsageError{"no command given"};
    const std::string& verb = options.positional.front();
    const VerbShape* shape = nullptr;
    for (const VerbShape& candidate : Verbs) {
        if (candidate.name == verb)
            shape = &candidate;
    }
    if (!shape)
        throw UsageError{"unknown command " + verb};
    const std::string name(shape->name);
    if (options.positional.size() - 1 < shape->operands)
        throw UsageError{name + ": " +
                         (shape->takesKind && options.positional.size() == 1
                              ? std::string("which kind of record?")
                              : std::string("a file to read is missing"))};
    if (options.positional.size() - 1 > shape->operands)
        throw UsageError{name + ": unexpected argument " + options.positional[shape->operands + 1]};

    bool usersKind = false;
    if (shape->takesKind) {
        const std::string& kind = options.positional[1];
        const bool history = verb.ends_with("-history");
        const bool known = history ? std::find(std::begin(HistoryKinds), std::end(HistoryKinds),
                                               kind) != std::end(HistoryKinds)
                                   : CsvKindNamed(kind).has_value();
        if (!known)
            throw UsageError{name + ": unknown kind " + kind + " (" +
                             (history ? "bodyfat, tape, bmi, bp or users"
                                      : "users, bodyfat, tape, bmi, bp or pictures") +
                             ")"};
        usersKind = kind == "users";
    }
    if (options.user && !(shape->takesUser && !usersKind))
        throw UsageError{name + ": --user does not apply here"};
    if (shape->takesUser && !usersKind && !options.user)
        throw UsageError{name + ": --user NAME is required"};
    if (options.output && !shape->takesOutput)
        throw UsageError{name + ": --output does not apply here"};
    if (shape->needsOutput && !options.output)
        throw UsageError{name + ": --output FILE is required"};
    if (options.overwrite && !shape->takesOverwrite)
        throw UsageError{name + ": --overwrite does not apply here"};
    const bool scale = verb == "import-scale";
    for (const auto& [given, option] : {std::pair(options.weightUnit.has_value(), "--weight-unit"),
                                        std::pair(options.lengthUnit.has_value(), "--length-unit"),
                                        std::pair(options.dryRun, "--dry-run")}) {
        if (given && !scale)
            throw UsageError{name + ": " + option + " does not apply here"};
    }
    if (options.weightUnit && !ScaleWeightUnitNamed(*options.weightUnit))
        throw UsageError{name + ": unknown weight unit " + *options.weightUnit + " (kg, lb or st)"};
    if (options.lengthUnit && !ScaleLengthUnitNamed(*options.lengthUnit))
        throw UsageError{name + ": unknown length unit " + *options.lengthUnit + " (cm or in)"};
    if (verb == "demo" && !options.dataDir)
        throw UsageError{"demo: --data-dir DIR is required, so that demo data never lands in "
                         "the everyday data folder by mistake"};
    return *shape;
}

std::filesystem::path PathOf(const QString& directory) {
    return std::filesystem::path(QFile::encodeName(directory).toStdString());
}

std::string Shown(const QString& text) {
    return text.toStdString();
}

// Writes the whole text or nothing useful: false when the file cannot be written.
bool WriteFile(const std::string& file, const std::string& text) {
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream << text;
    stream.close();
    return static_cast<bool>(stream);
}

// The data directory's lock, held while a verb writes; the window program holds the same.
class WriteSession {
public:
    bool Open(const QString& directory, std::ostream& err) {
        QString error;
        if (!DataDirectory::Prepare(directory, &error)) {
            err << "vitalog-cli: " << Shown(error) << '\n';
            return false;
        }
        return Lock(directory, err);
    }

    // The lock alone, on a folder that exists: nothing is added to it.
    bool Lock(const QString& directory, std::ostream& err) {
        lock_ = DataDirectory::Lock(directory);
        if (!lock_) {
            err << "vitalog-cli: Vitalog is running with the data folder " << Shown(directory)
                << "; close it first (only one program at a time may change a data folder)\n";
            return false;
        }
        return true;
    }

private:
    std::unique_ptr<QLockFile> lock_;
};

int ListUserNames(const std::filesystem::path& dataDir, std::ostream& out) {
    std::error_code ec;
    if (!std::filesystem::exists(dataDir / UserFileName, ec))
        return ExitOk;
    for (const std::string& name : ListUsers(dataDir))
        out << Cp1252ToUtf8(name).value_or(name) << '\n';
    return ExitOk;
}

int ExportTable(const std::filesystem::path& dataDir, const Options& options, std::ostream& out,
                std::ostream& err) {
    const CsvKind kind = *CsvKindNamed(options.positional[1]);
    std::ostringstream text;
    std::string error;
    if (!ExportCsv(dataDir, kind, options.user.value_or(""), text, error)) {
        err << "vitalog-cli: " << error << '\n';
        return ExitRefused;
    }
    if (!options.output) {
        out << text.str();
        return ExitOk;
    }
    if (!WriteFile(*options.output, text.str())) {
        err << "vitalog-cli: " << *options.output << " could not be written\n";
        return ExitRefused;
    }
    return ExitOk;
}

// The whole of an input file; false, said on err, when it cannot be read.
bool ReadInputFile(const std::string& file, std::string& text, std::ostream& err) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream.is_open() || QFileInfo(QString::fromStdString(file)).isDir()) {
        err << "vitalog-cli: " << file << " cannot be read\n";
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    return true;
}

int ImportTable(const QString& directory, const Options& options, std::ostream& out,
                std::ostream& err) {
    const CsvKind kind = *CsvKindNamed(options.positional[1]);
    const std::string& file = options.positional[2];
    std::string text;
    if (!ReadInputFile(file, text, err))
        return ExitRefused;
    WriteSession session;
    if (!session.Open(directory, err))
        return ExitRefused;
    const ImportOutcome outcome =
        ImportCsv(PathOf(directory), kind, options.user.value_or(""), text, options.overwrite);
    for (const std::string& problem : outcome.problems)
        err << "vitalog-cli: " << file << ": " << problem << '\n';
    if (!outcome.ok) {
        if (outcome.imported + outcome.overwritten == 0)
            err << "vitalog-cli: nothing was imported\n";
        return ExitRefused;
    }
    out << outcome.imported << " imported, " << outcome.skipped << " skipped (already recorded), "
        << outcome.overwritten << " overwritten\n";
    return ExitOk;
}

// A scale app's export: its readings become body composition and tape records.
int ImportScaleFile(const QString& directory, const Options& options, std::ostream& out,
                    std::ostream& err) {
    const std::string& file = options.positional[1];
    std::string text;
    if (!ReadInputFile(file, text, err))
        return ExitRefused;
    ScaleOptions scale;
    scale.weightUnit = ScaleWeightUnitNamed(options.weightUnit.value_or("kg")).value();
    scale.lengthUnit = ScaleLengthUnitNamed(options.lengthUnit.value_or("cm")).value();
    scale.overwrite = options.overwrite;
    scale.dryRun = options.dryRun;
    // A dry run writes nothing, but reads a folder the window may be writing: the lock keeps
    // its counts true.
    WriteSession session;
    if (!session.Open(directory, err))
        return ExitRefused;
    const ScaleReport report = ImportScale(PathOf(directory), *options.user, text, scale);
    for (const std::string& problem : report.problems)
        err << "vitalog-cli: " << file << ": " << problem << '\n';
    if (!report.ok) {
        err << "vitalog-cli: nothing was imported\n";
        return ExitRefused;
    }
    for (const std::string& line : ScaleReportLines(report))
        out << line << '\n';
    return ExitOk;
}

std::string Utf8(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252).value_or(cp1252);
}

ShownTable HistoryTableNamed(std::string_view kind) {
    if (kind == "bodyfat")
        return ShownTable::BodyComposition;
    if (kind == "tape")
        return ShownTable::Tape;
    if (kind == "bmi")
        return ShownTable::BmiBmr;
    if (kind == "bp")
        return ShownTable::BloodPressure;
    return ShownTable::AllUsers;
}

// The history's print text or its exported document, built by the same code as the window
// program's history Print and Export.
int History(const std::filesystem::path& dataDir, const Options& options, bool print,
            std::ostream& out, std::ostream& err) {
    const ShownTable table = HistoryTableNamed(options.positional[1]);
    UserRecord user{};
    if (table != ShownTable::AllUsers) {
        std::string error;
        const auto profile = detail::FindProfile(dataDir, *options.user, error);
        if (!profile) {
            err << "vitalog-cli: " << error << '\n';
            return ExitRefused;
        }
        user = *profile;
    }
    if (print) {
        const HistoryPrintText text = BuildHistoryPrintText(table, dataDir, user);
        if (text.outcome == HistoryReportOutcome::Done) {
            out << Utf8(text.text);
            return ExitOk;
        }
        err << "vitalog-cli: "
            << (text.outcome == HistoryReportOutcome::NoRecords ? Utf8(text.text)
                                                                : std::string("no users to list"))
            << '\n';
        return ExitRefused;
    }
    // The footer the window program's exports end with.
    const std::string footer = std::string("Vitalog - ") + VendorWebAddress;
    const HistoryExportFile result =
        ExportHistory(*options.output, table, dataDir, user, *Utf8ToCp1252(footer));
    if (result.outcome == HistoryReportOutcome::NoRecords) {
        err << "vitalog-cli: " << Utf8(result.message) << '\n';
        return ExitRefused;
    }
    if (result.result != RtfResult::RtfSuccess) {
        err << "vitalog-cli: " << *options.output << " could not be written\n";
        return ExitRefused;
    }
    if (result.outcome != HistoryReportOutcome::Done) {
        err << "vitalog-cli: no users to list\n";
        return ExitRefused;
    }
    return ExitOk;
}

int Check(const std::filesystem::path& dataDir, std::ostream& out) {
    const auto lines = CheckDataDirectory(dataDir);
    for (const std::string& line : lines)
        out << line << '\n';
    return lines.empty() ? ExitOk : ExitRefused;
}

int Demo(const QString& directory, DateKey today, std::ostream& out, std::ostream& err) {
    const std::filesystem::path dataDir = PathOf(directory);
    if (HoldsUserFile(dataDir)) {
        err << "vitalog-cli: " << Shown(directory) << " already holds " << UserFileName
            << "; demo data goes into an empty or new data folder only\n";
        return ExitRefused;
    }
    WriteSession session;
    if (!session.Open(directory, err))
        return ExitRefused;
    std::string error;
    if (!MakeDemoData(dataDir, today, error)) {
        err << "vitalog-cli: " << error << '\n';
        return ExitRefused;
    }
    out << "Demo data for Alex and Maria written to " << Shown(directory) << '\n';
    return ExitOk;
}

// The record files into an archive: the given file, else a new backup in the folder's backups.
int Backup(const QString& directory, const Options& options, const DateTimeKey& now,
           std::ostream& out, std::ostream& err) {
    const std::filesystem::path dataDir = PathOf(directory);
    if (!HoldsUserFile(dataDir)) {
        err << "vitalog-cli: " << Shown(directory) << " holds no " << UserFileName
            << "; there is nothing to back up\n";
        return ExitRefused;
    }
    // A backup taken while the window writes could hold a record half written.
    WriteSession session;
    if (!session.Lock(directory, err))
        return ExitRefused;
    const BackupOutcome outcome =
        options.output ? WriteBackup(dataDir, *options.output) : MakeBackup(dataDir, now);
    if (!outcome.ok) {
        err << "vitalog-cli: the backup failed: " << outcome.error << '\n';
        return ExitRefused;
    }
    out << outcome.files.size() << " record files backed up to " << outcome.archive.string()
        << '\n';
    return ExitOk;
}

int Restore(const QString& directory, const Options& options, const DateTimeKey& now,
            std::ostream& out, std::ostream& err) {
    const std::string& file = options.positional[1];
    // A folder that exists gets nothing but the lock before the archive has passed its check.
    WriteSession session;
    if (!(QFileInfo(directory).isDir() ? session.Lock(directory, err)
                                       : session.Open(directory, err)))
        return ExitRefused;
    const RestoreOutcome outcome = RestoreBackup(PathOf(directory), file, now);
    if (!outcome.ok) {
        for (const std::string& problem : outcome.problems)
            err << "vitalog-cli: " << problem << '\n';
        err << "vitalog-cli: nothing was restored; " << Shown(directory) << " is as it was\n";
        return ExitRefused;
    }
    out << "Restored " << file << " into " << Shown(directory) << ":\n";
    for (const RestoredFile& restored : outcome.files) {
        out << "  " << restored.name << ": ";
        if (restored.records)
            out << *restored.records << (*restored.records == 1 ? " record" : " records");
        else
            out << restored.size << (restored.size == 1 ? " byte" : " bytes");
        out << '\n';
    }
    for (const std::string& name : outcome.removed)
        out << "  " << name << ": removed, the archive does not hold it\n";
    if (outcome.keptIn.empty())
        out << "The folder held no record files to replace.\n";
    else
        out << "The replaced record files are kept in " << outcome.keptIn.string() << '\n';
    return ExitOk;
}

} // namespace

std::string UsageText() {
    return "Usage:\n"
           "  vitalog-cli [--data-dir DIR] users\n"
           "  vitalog-cli [--data-dir DIR] export-csv KIND [--user NAME] [--output FILE]\n"
           "  vitalog-cli [--data-dir DIR] import-csv KIND --user NAME [--overwrite] FILE\n"
           "  vitalog-cli [--data-dir DIR] import-scale --user NAME [--weight-unit kg|lb|st]\n"
           "              [--length-unit cm|in] [--overwrite] [--dry-run] FILE\n"
           "  vitalog-cli [--data-dir DIR] export-history HKIND [--user NAME] --output FILE\n"
           "  vitalog-cli [--data-dir DIR] print-history HKIND [--user NAME]\n"
           "  vitalog-cli [--data-dir DIR] check\n"
           "  vitalog-cli --data-dir DIR demo\n"
           "  vitalog-cli [--data-dir DIR] backup [--output FILE]\n"
           "  vitalog-cli [--data-dir DIR] restore FILE\n"
           "\n"
           "KIND: users, bodyfat, tape, bmi, bp, pictures. HKIND: bodyfat, tape, bmi, bp, users.\n"
           "--user is required for every kind but users. The data folder is --data-dir, else\n"
           "VITALOG_DATA_DIR, else the folder Vitalog itself uses.\n"
           "Exit status: 0 done, 1 refused or a problem found, 2 usage error.\n";
}

int Run(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    Options options;
    const VerbShape* shape = nullptr;
    try {
        options = Parse(invocation.arguments);
        if (options.help) {
            out << UsageText();
            return ExitOk;
        }
        shape = &CheckShape(options);
    } catch (const UsageError& error) {
        err << "vitalog-cli: " << error.message << "\n\n" << UsageText();
        return ExitUsage;
    }

    const QString directory =
        DataDirectory::Resolve(QString::fromStdString(options.dataDir.value_or("")),
                               QString::fromStdString(invocation.dataDirEnvironment));
    const std::string_view verb = shape->name;
    if (verb == "demo")
        return Demo(directory, invocation.today, out, err);
    if (verb == "import-csv")
        return ImportTable(directory, options, out, err);
    if (verb == "import-scale")
        return ImportScaleFile(directory, options, out, err);
    if (verb == "restore")
        return Restore(directory, options, invocation.now, out, err);

    // The reading verbs never make a folder or a file.
    if (!QFileInfo(directory).isDir()) {
        err << "vitalog-cli: there is no data folder " << Shown(directory) << '\n';
        return ExitRefused;
    }
    const std::filesystem::path dataDir = PathOf(directory);
    if (verb == "users")
        return ListUserNames(dataDir, out);
    if (verb == "export-csv")
        return ExportTable(dataDir, options, out, err);
    if (verb == "check")
        return Check(dataDir, out);
    if (verb == "backup")
        return Backup(directory, options, invocation.now, out, err);
    return History(dataDir, options, verb == "print-history", out, err);
}

} // namespace vitalog::cli
