#include "Prompter.h"

namespace vitalog {

void Prompter::Information(QWidget* parent, const QString& text) {
    Show(parent, QStringLiteral("Information"), text, QMessageBox::Information, QMessageBox::Ok);
}

void Prompter::Warning(QWidget* parent, const QString& text) {
    Show(parent, QStringLiteral("Warning"), text, QMessageBox::Warning, QMessageBox::Ok);
}

void Prompter::Error(QWidget* parent, const QString& text) {
    Show(parent, QStringLiteral("Error"), text, QMessageBox::Critical, QMessageBox::Ok);
}

bool Prompter::AskYesNo(QWidget* parent, const QString& text) {
    return Show(parent, QStringLiteral("Question"), text, QMessageBox::Question,
                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void Prompter::Notice(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    Show(parent, ProgramTitle(), text, icon, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageBoxPrompter::Show(QWidget* parent, const QString& title,
                                                     const QString& text, QMessageBox::Icon icon,
                                                     QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace vitalog
