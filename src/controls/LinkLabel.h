#pragma once

#include <QAbstractButton>
#include <QString>

namespace vitalog {

class UrlOpener;

// A hyperlink-style control: shows its text underlined and, when clicked or activated from the
// keyboard (Space, Enter), opens prefix + address in the user's own program. Without an
// address its own text is opened. It takes the keyboard focus and is announced by its text.
class LinkLabel : public QAbstractButton {
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    void SetAddress(const QString& address) { m_address = address; }
    QString Address() const { return m_address; }
    void SetPrefix(const QString& prefix) { m_prefix = prefix; }
    QString Prefix() const { return m_prefix; }
    void SetTooltipText(const QString& tooltip);
    // Null means the system opener.
    void SetUrlOpener(UrlOpener* opener) { m_opener = opener; }

    // What a click opens.
    QString Target() const;
    // Resizes the control to its text.
    void SizeToText();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Open();

    QString m_address;
    QString m_prefix;
    UrlOpener* m_opener = nullptr;
    bool m_hovering = false;
};

} // namespace vitalog
