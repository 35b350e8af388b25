#pragma once

#include <QString>

class QWidget;

namespace vitalog {

// A save dialog that names its default extension and may fail. The filter is the program's
// own form: pairs of description and pattern separated by "|", ending in "||".
struct SaveFileRequest {
    QString title;
    QString filter;
    QString defaultExtension; // without the dot
    QString defaultName;
};

struct SaveFileAnswer {
    enum Outcome { Chosen, Cancelled, Failed };
    Outcome outcome = Cancelled;
    QString path; // when Chosen
};

// Save and open dialogs. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString SaveFileName(QWidget* parent, const QString& title, const QString& defaultName,
                                 const QString& filter) = 0;
    virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    // Asks before overwriting a file. By default the plain save dialog, which cannot fail.
    virtual SaveFileAnswer SaveFile(QWidget* parent, const SaveFileRequest& request);

    // The program's filter as Qt writes it: "RTF (rtf)|*.rtf|All Files (*.*)|*.*||" becomes
    // "RTF (rtf) (*.rtf);;All Files (*.*)", "Pictures|*.bmp;*.jpg||" "Pictures (*.bmp *.jpg)".
    static QString QtFilter(const QString& programFilter);
};

class QtFileDialogs : public FileDialogs {
public:
    QString SaveFileName(QWidget* parent, const QString& title, const QString& defaultName,
                         const QString& filter) override;
    QString OpenFileName(QWidget* parent, const QString& title, const QString& filter) override;
    SaveFileAnswer SaveFile(QWidget* parent, const SaveFileRequest& request) override;
};

} // namespace vitalog
