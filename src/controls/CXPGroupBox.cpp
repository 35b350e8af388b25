#include "CXPGroupBox.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>

namespace vitalog {

namespace {

// Corner ellipse of 10 x 10 pixels.
constexpr int CornerRadius = 5;

} // namespace

CXPGroupBox::CXPGroupBox(QWidget* parent) : CXPGroupBox(QString(), parent) {}

CXPGroupBox::CXPGroupBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

CXPGroupBox& CXPGroupBox::SetBorderColor(const QColor& color) {
    m_borderColor = color;
    return Changed();
}

CXPGroupBox& CXPGroupBox::SetCaptionTextColor(const QColor& color) {
    m_captionTextColor = color;
    return Changed();
}

CXPGroupBox& CXPGroupBox::SetBackgroundColor(const QColor& title, const QColor& body) {
    m_titleColor = title;
    m_bodyColor = body;
    return Changed();
}

CXPGroupBox& CXPGroupBox::SetBackgroundColor(const QColor& both) {
    return SetBackgroundColor(both, both);
}

CXPGroupBox& CXPGroupBox::SetBoxStyle(int style) {
    m_style = style == WindowStyle ? WindowStyle : FrameStyle;
    return Changed();
}

CXPGroupBox& CXPGroupBox::SetText(const QString& caption) {
    // The title stays unpadded: it gives the mnemonic and the accessible name.
    setTitle(caption);
    return Changed(true);
}

CXPGroupBox& CXPGroupBox::SetFontBold(bool bold) {
    QFont font = CaptionFont();
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    m_captionFont = font;
    return Changed(true);
}

CXPGroupBox& CXPGroupBox::SetFontName(const QString& face) {
    QFont font = CaptionFont();
    font.setFamilies({face});
    m_captionFont = font;
    return Changed(true);
}

CXPGroupBox& CXPGroupBox::SetFontUnderline(bool underline) {
    QFont font = CaptionFont();
    font.setUnderline(underline);
    m_captionFont = font;
    return Changed(true);
}

CXPGroupBox& CXPGroupBox::SetFontItalic(bool italic) {
    QFont font = CaptionFont();
    font.setItalic(italic);
    m_captionFont = font;
    return Changed(true);
}

CXPGroupBox& CXPGroupBox::SetFontSize(int points) {
    QFont font = CaptionFont();
    if (points > 0)
        font.setPointSize(points);
    m_captionFont = font;
    return Changed(true);
}

CXPGroupBox& CXPGroupBox::SetFont(const QFont& font) {
    m_captionFont = font;
    return Changed(true);
}

CXPGroupBox& CXPGroupBox::SetAlignment(int alignment) {
    m_alignment =
        (alignment == CaptionCentre || alignment == CaptionRight) ? alignment : CaptionLeft;
    return Changed();
}

QColor CXPGroupBox::BorderColor() const {
    return m_borderColor.value_or(palette().color(QPalette::Active, QPalette::Dark));
}

QColor CXPGroupBox::CaptionTextColor() const {
    return m_captionTextColor.value_or(palette().color(QPalette::Active, QPalette::WindowText));
}

QColor CXPGroupBox::TitleBackgroundColor() const {
    return m_titleColor.value_or(palette().color(QPalette::Active, QPalette::Button));
}

QColor CXPGroupBox::BodyBackgroundColor() const {
    return m_bodyColor.value_or(palette().color(QPalette::Active, QPalette::Button));
}

QString CXPGroupBox::PaddedCaption() const {
    const QString caption = title();
    return caption.isEmpty() ? QString() : QLatin1Char(' ') + caption + QLatin1Char(' ');
}

QFont CXPGroupBox::CaptionFont() const {
    return m_captionFont.value_or(font());
}

void CXPGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFont font = CaptionFont();
    painter.setFont(font);

    const QString caption = PaddedCaption();
    const int textFlags =
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    QSize captionSize(0, 0);
    if (!caption.isEmpty())
        captionSize = painter.fontMetrics().size(textFlags, caption);
    const int cw = captionSize.width();
    const int ch = captionSize.height();

    // Everything is drawn inside the client rectangle shrunk by one pixel; outlines are
    // drawn with a one-pixel pen, so their rectangles are one pixel smaller.
    const QRect area = rect().adjusted(1, 1, -1, -1);
    const QPen border(BorderColor(), 1);
    QRect captionRect;

    if (m_style == WindowStyle) {
        painter.setPen(border);
        painter.setBrush(TitleBackgroundColor());
        painter.drawRoundedRect(area.adjusted(0, 0, -1, -1), CornerRadius, CornerRadius);

        const QRect body(QPoint(area.left(), area.top() + ch + 4), area.bottomRight());
        painter.setBrush(BodyBackgroundColor());
        painter.drawRect(body.adjusted(0, 0, -1, -1));

        int left = area.left() + 2;
        if (m_alignment == CaptionCentre)
            left = area.left() + (area.width() - cw) / 2;
        else if (m_alignment == CaptionRight)
            left = area.right() + 1 - 2 - cw;
        captionRect = QRect(left, area.top() + 2, cw, ch);
    } else {
        int left = area.left() + 10;
        if (m_alignment == CaptionCentre)
            left = area.left() + (area.width() - cw) / 2;
        else if (m_alignment == CaptionRight)
            left = area.right() + 1 - 10 - cw;
        captionRect = QRect(left, area.top(), cw, ch);

        const QRect frame(QPoint(area.left(), area.top() + ch / 2), area.bottomRight());
        painter.setPen(border);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frame.adjusted(0, 0, -1, -1), CornerRadius, CornerRadius);
        // The caption band interrupts the frame line.
        if (!captionRect.isEmpty())
            painter.fillRect(captionRect, TitleBackgroundColor());
    }

    if (!caption.isEmpty()) {
        painter.setPen(CaptionTextColor());
        painter.drawText(captionRect, textFlags | Qt::TextDontClip, caption);
    }
}

void CXPGroupBox::initStyleOption(QStyleOptionGroupBox* option) const {
    QGroupBox::initStyleOption(option);
    // Lets the box place its contents below our caption, not the style's.
    option->text = PaddedCaption();
    option->fontMetrics = QFontMetrics(CaptionFont());
}

CXPGroupBox& CXPGroupBox::Changed(bool captionGeometry) {
    if (captionGeometry) {
        // The group box recomputes its contents margins on a style change.
        QEvent styleChange(QEvent::StyleChange);
        QGroupBox::changeEvent(&styleChange);
    }
    update();
    if (QWidget* parent = parentWidget())
        parent->update(geometry());
    return *this;
}

} // namespace vitalog
