#include "TestServices.h"

#include "platform/DataDirectory.h"

#include <QDir>
#include <QFile>
#include <QPrinter>

namespace vitalog::test {

QMessageBox::StandardButton ScriptedPrompter::Show(QWidget*, const QString& title,
                                                   const QString& text, QMessageBox::Icon icon,
                                                   QMessageBox::StandardButtons buttons) {
    m_boxes.append({title, text, icon, buttons});
    if (m_answers.isEmpty()) {
        m_unexpected << title + QStringLiteral(": ") + text;
        return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
    }
    return m_answers.dequeue();
}

QStringList ScriptedPrompter::Texts() const {
    QStringList texts;
    for (const ShownBox& box : m_boxes)
        texts << box.text;
    return texts;
}

QString ScriptedFileDialogs::SaveFileName(QWidget*, const QString& title,
                                          const QString& defaultName, const QString& filter) {
    titles << title;
    defaultNames << defaultName;
    filters << filter;
    return Next();
}

QString ScriptedFileDialogs::OpenFileName(QWidget*, const QString& title, const QString& filter) {
    titles << title;
    filters << filter;
    return Next();
}

SaveFileAnswer ScriptedFileDialogs::SaveFile(QWidget*, const SaveFileRequest& request) {
    titles << request.title;
    defaultNames << request.defaultName;
    filters << request.filter;
    defaultExtensions << request.defaultExtension;
    if (m_next.isEmpty())
        return {SaveFileAnswer::Cancelled, {}};
    const std::optional<QString> next = m_next.dequeue();
    if (!next)
        return {SaveFileAnswer::Failed, {}};
    if (next->isEmpty())
        return {SaveFileAnswer::Cancelled, {}};
    return {SaveFileAnswer::Chosen, *next};
}

QString ScriptedFileDialogs::Next() {
    return m_next.isEmpty() ? QString() : m_next.dequeue().value_or(QString());
}

std::unique_ptr<QPrinter> PdfPrintService::DefaultPrinter() {
    if (!hasPrinter)
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    const QString file = m_folder + QStringLiteral("/print-%1.pdf").arg(files.size() + 1);
    printer->setOutputFileName(file);
    files << file;
    return printer;
}

bool PdfPrintService::ShowPrintDialog(QPrinter&, QWidget*, int minPage, int maxPage) {
    ++dialogs;
    lastMinPage = minPage;
    lastMaxPage = maxPage;
    return acceptDialog;
}

TestServices::TestServices(bool withDb) : printService(m_dir.path() + QStringLiteral("/prints")) {
    services.prompter = &prompter;
    services.fileDialogs = &fileDialogs;
    services.printService = &printService;
    services.urlOpener = &urlOpener;
    services.clock = &clock;
    services.dataDirectory = m_dir.path();
    QDir().mkpath(m_dir.path() + QStringLiteral("/prints"));
    if (withDb)
        DataDirectory::InstallDbFiles(m_dir.path());
}

QByteArray TestServices::ReadFile(const QString& name) const {
    QFile file(FilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace vitalog::test
