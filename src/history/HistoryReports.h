#pragma once

// The history's printed text and its exported document, for the table the view shows. Both
// read the record files again (newest first; all users in the order of "user.bin"), so the
// order the table is sorted in on screen plays no part. Plain C++: they take the data folder
// and the current user and never ask or tell the user anything, so that a command-line tool
// can call them as well as the view. Texts are Windows-1252, as stored.

#include "HistoryTables.h"
#include "records/UserRecord.h"
#include "reports/RtfResult.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vitalog {

class RtfWriter;

// The fixed texts of one variant.
struct HistoryReportNames {
    std::string_view fileName;    // the export's default file name
    std::string_view exportTitle; // followed by the user's name, except for all users
    std::string_view missing;     // the message when there are no records; %s is the name
};

// For ShownTable::None every text is empty.
HistoryReportNames HistoryReportNamesOf(ShownTable table);

// What a print or an export found.
enum class HistoryReportOutcome {
    Done,      // the text, or the document, holds the records
    NoRecords, // the variant's message says so
    Nothing,   // no table shown, or "user.bin" could not be read: nothing to say
};

struct HistoryPrintText {
    HistoryReportOutcome outcome = HistoryReportOutcome::Nothing;
    std::string text; // the text to print, or the message when there are no records
};

// The print text of the table: its title and one block per record.
HistoryPrintText BuildHistoryPrintText(ShownTable table, const std::filesystem::path& dataDir,
                                       const UserRecord& user);

struct HistoryExportBody {
    HistoryReportOutcome outcome = HistoryReportOutcome::Nothing;
    std::string message; // with NoRecords
    std::size_t rows = 0;
};

// Writes the title, the table and what comes before the footer into an open document (the
// one the export frame opened with ExportFonts and ExportColours); records are written as
// they are read, so a long history needs no more memory than a short one. With Done the
// caller ends the document with ExportFooter. Otherwise the title and the header row are all
// it holds and the document is closed here; the caller removes the file, since a report
// without its records is of no use to anybody.
HistoryExportBody WriteHistoryExportBody(RtfWriter& writer, ShownTable table,
                                         const std::filesystem::path& dataDir,
                                         const UserRecord& user);

struct HistoryExportFile {
    HistoryReportOutcome outcome = HistoryReportOutcome::Nothing;
    RtfResult result = RtfResult::RtfSuccess; // of opening, or else of closing, the document
    std::string message;                      // with NoRecords
};

// The whole export into a file: open, body, footer with footerText. A file without records
// is removed again.
HistoryExportFile ExportHistory(const std::filesystem::path& file, ShownTable table,
                                const std::filesystem::path& dataDir, const UserRecord& user,
                                std::string_view footerText);

} // namespace vitalog
