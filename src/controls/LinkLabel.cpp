#include "LinkLabel.h"

#include "platform/UrlOpener.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace vitalog {

namespace {
constexpr int Padding = 2; // room for the focus frame round the text
const QColor LinkColor(0, 60, 190);
const QColor HoverColor(200, 40, 40);
} // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setAccessibleName(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    connect(this, &QAbstractButton::clicked, this, &LinkLabel::Open);
}

void LinkLabel::SetTooltipText(const QString& tooltip) {
    setToolTip(tooltip);
    setAccessibleDescription(tooltip);
}

QString LinkLabel::Target() const {
    return m_prefix + (m_address.isEmpty() ? text() : m_address);
}

void LinkLabel::SizeToText() {
    resize(sizeHint());
}

QSize LinkLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()), metrics.height()) +
           QSize(2 * Padding, 2 * Padding);
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(m_hovering || isDown() ? HoverColor : LinkColor);
    painter.drawText(rect().adjusted(Padding, Padding, -Padding, -Padding),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void LinkLabel::Open() {
    UrlOpener& opener = m_opener ? *m_opener : UrlOpener::System();
    opener.Open(Target());
}

} // namespace vitalog
