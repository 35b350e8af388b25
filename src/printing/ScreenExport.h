#pragma once

#include "reports/RtfWriter.h"
#include "reports/ScreenReport.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QImage;
class QWidget;

namespace vitalog {

class Screen;
struct AppServices;

// One run of a screen's Export command: the save dialog, the document and the closing
// message. A screen calls ExportOpen and, when it answers true, writes its title, table and
// own part and ends with ExportFooter. Pictures named in the document are read relative to the
// data folder.
class ScreenExport {
public:
    explicit ScreenExport(Screen& screen);

    // The save dialog, then the document. False when none is open: cancelled (silently), the
    // dialog failed or the file could not be created (each with its message).
    bool ExportOpen(const QString& defaultFileName);
    // The title text followed by the current user's name.
    void ExportTitle(const QString& title);
    void ComparisonTable(const std::vector<ComparisonRow>& rows);
    // Footer, closing and the message that says how it went.
    void ExportFooter();
    // The same with a footer line of the caller's.
    void ExportFooter(const QString& footerText);

    RtfWriter& Writer() { return m_writer; }
    // The file ExportOpen opened.
    const QString& FilePath() const { return m_path; }
    // InsertPictureFitted with its refusal shown as an error box.
    RtfResult InsertPictureFitted(const RtfPicture& picture);

    // A text as the document holds it (Windows-1252). The screens refuse texts without such a
    // form before they export; should one slip through, its odd characters read "?".
    static std::string DocumentText(const QString& text);
    // A comparison row from shown texts.
    static ComparisonRow Row(const QString& label, const QString& current, const QString& last);
    // Reads and decodes a picture file, turned upright as its EXIF says; nullopt when it
    // cannot be read.
    static std::optional<RtfPicture> LoadPicture(const QString& path);
    // A decoded picture as the writer takes it; null for a null image.
    static RtfPicture PictureFromImage(const QImage& image);

    static QString FooterText();

private:
    QWidget* m_parent;
    AppServices& m_services;
    std::string m_userName; // Windows-1252, as stored
    QString m_path;
    RtfWriter m_writer;
};

} // namespace vitalog
