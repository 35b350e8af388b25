#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace vitalog {

// Every message box of the program goes through here, so tests can script the answers.
class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows one box; returns the button chosen.
    virtual QMessageBox::StandardButton Show(QWidget* parent, const QString& title,
                                             const QString& text, QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons) = 0;

    // The program's conventions: success, invalid input, failure, Yes/No question.
    void Information(QWidget* parent, const QString& text);
    void Warning(QWidget* parent, const QString& text);
    void Error(QWidget* parent, const QString& text);
    bool AskYesNo(QWidget* parent, const QString& text);
    // A box titled with the program's name.
    void Notice(QWidget* parent, const QString& text, QMessageBox::Icon icon);

    static QString ProgramTitle() { return QStringLiteral("Vitalog"); }
};

// Real QMessageBox, modal to the parent.
class MessageBoxPrompter : public Prompter {
public:
    QMessageBox::StandardButton Show(QWidget* parent, const QString& title, const QString& text,
                                     QMessageBox::Icon icon,
                                     QMessageBox::StandardButtons buttons) override;
};

} // namespace vitalog
