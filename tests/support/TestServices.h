#pragma once

#include "platform/AppServices.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/PrintService.h"
#include "platform/Prompter.h"
#include "platform/UrlOpener.h"

#include <QDateTime>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace vitalog::test {

// One message box as the program asked for it.
struct ShownBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

// Records every box and answers from a queue. A box that finds no scripted answer is an
// unexpected box: it is answered No (or OK) and reported by Unexpected().
class ScriptedPrompter : public Prompter {
public:
    void Answer(QMessageBox::StandardButton answer) { m_answers.enqueue(answer); }
    // Expect a box that is only acknowledged (OK).
    void ExpectOk() { m_answers.enqueue(QMessageBox::Ok); }

    QMessageBox::StandardButton Show(QWidget* parent, const QString& title, const QString& text,
                                     QMessageBox::Icon icon,
                                     QMessageBox::StandardButtons buttons) override;

    const QList<ShownBox>& Boxes() const { return m_boxes; }
    QStringList Texts() const;
    const ShownBox& Last() const { return m_boxes.last(); }
    void Clear() {
        m_boxes.clear();
        m_unexpected.clear();
        m_answers.clear();
    }
    const QStringList& Unexpected() const { return m_unexpected; }
    int PendingAnswers() const { return int(m_answers.size()); }

private:
    QQueue<QMessageBox::StandardButton> m_answers;
    QList<ShownBox> m_boxes;
    QStringList m_unexpected;
};

class ScriptedFileDialogs : public FileDialogs {
public:
    // The next dialog returns this path; an empty path means "cancelled".
    void NextFileName(const QString& path) { m_next.enqueue(path); }
    // The next save dialog fails (SaveFile only).
    void NextFailure() { m_next.enqueue(std::nullopt); }
    QString SaveFileName(QWidget*, const QString& title, const QString& defaultName,
                         const QString& filter) override;
    QString OpenFileName(QWidget*, const QString& title, const QString& filter) override;
    SaveFileAnswer SaveFile(QWidget*, const SaveFileRequest& request) override;

    QStringList titles;
    QStringList defaultNames;
    QStringList filters;
    QStringList defaultExtensions; // of SaveFile

private:
    QString Next();
    QQueue<std::optional<QString>> m_next;
};

// PDF printers writing into a folder; the print dialog is answered by a flag.
class PdfPrintService : public PrintService {
public:
    explicit PdfPrintService(QString folder) : m_folder(std::move(folder)) {}
    std::unique_ptr<QPrinter> DefaultPrinter() override;
    bool ShowPrintDialog(QPrinter& printer, QWidget* parent, int minPage, int maxPage) override;

    bool hasPrinter = true;
    bool acceptDialog = true;
    int dialogs = 0;
    int lastMinPage = 0;
    int lastMaxPage = 0;
    QStringList files;

private:
    QString m_folder;
};

class RecordingUrlOpener : public UrlOpener {
public:
    bool Open(const QString& address) override {
        opened << address;
        return true;
    }
    QStringList opened;
};

class FixedClock : public Clock {
public:
    QDateTime Now() const override { return now; }
    QDateTime now{QDate(2026, 12, 9), QTime(10, 30, 0)};
};

// Fakes wired into one AppServices on a fresh temporary data directory.
class TestServices {
public:
    // withDb: copy the shipped db/ files into the data directory.
    explicit TestServices(bool withDb = true);

private:
    QTemporaryDir m_dir; // first: the fakes below write into it

public:
    ScriptedPrompter prompter;
    ScriptedFileDialogs fileDialogs;
    PdfPrintService printService;
    RecordingUrlOpener urlOpener;
    FixedClock clock;
    AppServices services;

    QString DataDir() const { return services.dataDirectory; }
    QString FilePath(const QString& name) const { return DataDir() + QLatin1Char('/') + name; }
    QByteArray ReadFile(const QString& name) const;
};

} // namespace vitalog::test
