#include "HoverButton.h"

#include "platform/UrlOpener.h"

#include <QApplication>
#include <QBitmap>
#include <QEnterEvent>
#include <QFile>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace vitalog {

namespace {

constexpr int RoleIndex(HoverButton::ColorRole role) {
    return static_cast<int>(role);
}

} // namespace

HoverButton::HoverButton(QWidget* parent) : HoverButton(QString(), parent) {}

HoverButton::HoverButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setFlat(true);
    // Hover starts on the first move over the button too, not only on entering it.
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
    // Connected first, so the address opens before the parent hears of the click.
    connect(this, &QAbstractButton::clicked, this, &HoverButton::OnClicked);
}

HoverButton::~HoverButton() = default;

void HoverButton::SetIcon(const QIcon& icon, QSize size) {
    if (!size.isValid() || size.isEmpty()) {
        // An icon file may hold several sizes; the largest is its natural one.
        const QList<QSize> sizes = icon.availableSizes();
        size = icon.actualSize(QSize(32, 32));
        for (const QSize& available : sizes)
            if (available.width() * available.height() > size.width() * size.height())
                size = available;
    }
    m_image = icon;
    m_imageSize = icon.isNull() ? QSize() : size;
    UpdateAccessibleName();
    updateGeometry();
    update();
}

void HoverButton::SetIcon(const QString& path, int width, int height) {
    SetIcon(QFile::exists(path) ? QIcon(path) : QIcon(), QSize(width, height));
}

void HoverButton::SetBitmap(const QPixmap& bitmap, const QColor& transparent) {
    QPixmap masked = bitmap;
    if (!masked.isNull() && transparent.isValid())
        masked.setMask(bitmap.createMaskFromColor(transparent, Qt::MaskInColor));
    m_image = masked.isNull() ? QIcon() : QIcon(masked);
    m_imageSize = masked.isNull() ? QSize() : masked.size();
    UpdateAccessibleName();
    updateGeometry();
    update();
}

void HoverButton::SetBitmap(const QString& path, const QColor& transparent) {
    SetBitmap(QPixmap(path), transparent);
}

bool HoverButton::SetAlign(int align, bool repaint) {
    if (align < 0 || align > 3)
        return false;
    m_align = align;
    updateGeometry();
    Repaint(repaint);
    return true;
}

void HoverButton::SetFlat(bool flat, bool repaint) {
    m_isFlat = flat;
    setFlat(flat);
    if (!flat)
        CancelHover();
    Repaint(repaint);
}

void HoverButton::SetDrawBorder(bool draws, bool repaint) {
    m_drawsBorder = draws;
    Repaint(repaint);
}

void HoverButton::SetAlwaysTrack(bool always) {
    m_alwaysTracks = always;
}

void HoverButton::SetPressedOffset(QPoint offset, bool repaint) {
    m_pressedOffset = offset;
    Repaint(repaint);
}

void HoverButton::SetImageOrigin(QPoint origin, bool repaint) {
    m_imageOrigin = origin;
    updateGeometry();
    Repaint(repaint);
}

void HoverButton::SetDrawTransparent(bool repaint) {
    m_drawsTransparent = true;
    m_backgroundCache = QPixmap();
    Repaint(repaint);
}

void HoverButton::SetColor(ColorRole role, const QColor& color, bool repaint) {
    m_colors[RoleIndex(role)] = color;
    Repaint(repaint);
}

void HoverButton::SetDefaultColors(bool repaint) {
    m_colors.fill(std::nullopt);
    Repaint(repaint);
}

QColor HoverButton::Color(ColorRole role) const {
    if (const auto& color = m_colors[RoleIndex(role)])
        return *color;
    switch (role) {
    case ColorRole::TextIn:
    case ColorRole::TextOut:
    case ColorRole::TextFocus:
        return palette().color(QPalette::Active, QPalette::ButtonText);
    default:
        return palette().color(QPalette::Active, QPalette::Button);
    }
}

void HoverButton::SetTooltipText(const QString& text, bool activate) {
    m_tooltipText = text;
    ActivateTooltip(activate);
    UpdateAccessibleName();
}

void HoverButton::ActivateTooltip(bool activate) {
    m_tooltipActive = activate;
    setToolTip(activate ? m_tooltipText : QString());
}

void HoverButton::SetUrl(const QString& url) {
    m_url = url.left(MaxUrlLength);
}

void HoverButton::SetUrlOpener(UrlOpener* opener) {
    m_urlOpener = opener;
}

QSize HoverButton::sizeHint() const {
    const QString caption = text();
    const QSize text =
        caption.isEmpty() ? QSize(0, 0) : fontMetrics().size(Qt::TextShowMnemonic, caption);
    const QSize image = m_imageSize.isValid() ? m_imageSize : QSize(0, 0);
    const int ox = m_imageOrigin.x();
    const int oy = m_imageOrigin.y();
    QSize hint;
    if (caption.isEmpty()) {
        hint = image + QSize(2 * ox, 2 * oy);
    } else if (m_align == 1) {
        hint = QSize(qMax(image.width(), text.width()) + 2 * ox,
                     oy + image.height() + text.height() + oy);
    } else if (m_align == 3) {
        hint = image.expandedTo(text) + QSize(2 * ox, 2 * oy);
    } else {
        const int gap = image.isEmpty() ? 0 : ox;
        hint = QSize(ox + image.width() + gap + text.width() + ox,
                     qMax(image.height(), text.height()) + 2 * oy);
    }
    return hint.expandedTo(QSize(16, 16));
}

QSize HoverButton::minimumSizeHint() const {
    return sizeHint();
}

void HoverButton::paintEvent(QPaintEvent*) {
    // While the parent's background is captured, this button must not show in it.
    if (m_capturing)
        return;

    QPainter painter(this);
    const QRect client = rect();
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool disabled = !isEnabled();
    const bool in = m_isHovering || pressed;

    // Background
    if (m_drawsTransparent) {
        if (m_backgroundCache.isNull())
            CaptureBackground();
        if (!m_backgroundCache.isNull())
            painter.drawPixmap(0, 0, m_backgroundCache);
    } else {
        const ColorRole role = in        ? ColorRole::BackgroundIn
                               : focused ? ColorRole::BackgroundFocus
                                         : ColorRole::BackgroundOut;
        painter.fillRect(client, Color(role));
    }

    // Border
    const QColor shadow = palette().color(QPalette::Active, QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Active, QPalette::Light);
    if (m_isFlat) {
        if (m_drawsBorder && (pressed || m_isHovering)) {
            // Sunken: shadow top and left; raised: highlight top and left.
            const QColor topLeft = pressed ? shadow : highlight;
            const QColor bottomRight = pressed ? highlight : shadow;
            painter.setPen(topLeft);
            painter.drawLine(client.topLeft(), client.topRight());
            painter.drawLine(client.topLeft(), client.bottomLeft());
            painter.setPen(bottomRight);
            painter.drawLine(client.bottomLeft(), client.bottomRight());
            painter.drawLine(client.topRight(), client.bottomRight());
        }
    } else {
        QRect frame = client;
        if (focused || isDefault()) {
            painter.setPen(Qt::black);
            painter.drawRect(frame.adjusted(0, 0, -1, -1));
            frame.adjust(1, 1, -1, -1);
        }
        if (pressed) {
            painter.setPen(shadow);
            painter.drawRect(frame.adjusted(0, 0, -1, -1));
        } else {
            qDrawWinButton(&painter, frame, palette(), false);
        }
    }

    // Image
    const bool hasCaption = !text().isEmpty();
    QRect caption = client;
    if (!m_image.isNull() && m_imageSize.isValid()) {
        const int w = m_imageSize.width();
        const int h = m_imageSize.height();
        QRect image(0, 0, w, h);
        const int centredX = client.left() + (client.width() - w) / 2;
        const int centredY = client.top() + (client.height() - h) / 2;
        switch (m_align) {
        case 0:
            if (hasCaption) {
                image.moveLeft(client.left() + m_imageOrigin.x());
                caption.setLeft(caption.left() + w + m_imageOrigin.x());
            } else {
                image.moveLeft(centredX);
            }
            image.moveTop(centredY);
            break;
        case 1:
            image.moveLeft(centredX);
            if (hasCaption) {
                image.moveTop(client.top() + m_imageOrigin.y());
                caption.setTop(caption.top() + h);
            } else {
                image.moveTop(centredY);
            }
            break;
        case 2:
            if (hasCaption) {
                image.moveLeft(client.right() + 1 - m_imageOrigin.x() - w);
                caption.setRight(caption.right() - w - m_imageOrigin.x());
            } else {
                image.moveLeft(centredX);
            }
            image.moveTop(centredY);
            break;
        default:
            image.moveTopLeft(QPoint(centredX, centredY));
            break;
        }
        if (pressed)
            image.translate(m_pressedOffset);
        m_image.paint(&painter, image, Qt::AlignCenter, disabled ? QIcon::Disabled : QIcon::Normal);
    }

    // Caption, measured with word wrap and centred as a block.
    if (hasCaption) {
        const int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
        QRect block = painter.fontMetrics().boundingRect(caption, flags, text());
        block.moveCenter(caption.center());
        if (pressed)
            block.translate(m_pressedOffset);
        if (disabled) {
            // Embossed: highlight one pixel down and right, then shadow.
            painter.setPen(highlight);
            painter.drawText(block.translated(1, 1), flags, text());
            painter.setPen(shadow);
            painter.drawText(block, flags, text());
        } else {
            const ColorRole role = in        ? ColorRole::TextIn
                                   : focused ? ColorRole::TextFocus
                                             : ColorRole::TextOut;
            painter.setPen(Color(role));
            painter.drawText(block, flags, text());
        }
    }

    // Mouse users see no focus frame on the flat look; keyboard users need one.
    if (m_isFlat && focused && m_keyboardFocus) {
        painter.setPen(QPen(Color(ColorRole::TextFocus), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(client.adjusted(2, 2, -3, -3));
    }
}

void HoverButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        StartHover();
}

void HoverButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    CancelHover();
}

void HoverButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    if (!rect().contains(event->position().toPoint()))
        CancelHover();
    else if (!(event->buttons() & Qt::LeftButton))
        StartHover();
}

void HoverButton::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    m_keyboardFocus = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                      reason == Qt::ShortcutFocusReason;
    update();
}

void HoverButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    m_keyboardFocus = false;
    CancelHover();
    // Disabling a focused button with no later tab stop leaves nothing focused: give the
    // focus to the parent instead.
    if (!isEnabled() && !QApplication::focusWidget() && parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
}

void HoverButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled())
            CancelHover();
        break;
    case QEvent::ActivationChange:
        if (!isActiveWindow())
            CancelHover();
        break;
    case QEvent::ThemeChange:
        m_backgroundCache = QPixmap();
        SetDefaultColors(true);
        break;
    case QEvent::FontChange:
        updateGeometry();
        break;
    default:
        break;
    }
}

void HoverButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    m_backgroundCache = QPixmap();
}

void HoverButton::moveEvent(QMoveEvent* event) {
    QPushButton::moveEvent(event);
    m_backgroundCache = QPixmap();
}

void HoverButton::showEvent(QShowEvent* event) {
    QPushButton::showEvent(event);
    // The caption may have been set after the tooltip.
    UpdateAccessibleName();
}

void HoverButton::OnClicked() {
    setFocus(Qt::MouseFocusReason);
    if (m_url.isEmpty())
        return;
    UrlOpener& opener = m_urlOpener ? *m_urlOpener : UrlOpener::System();
    opener.Open(m_url);
}

bool HoverButton::MayHover() const {
    return m_isFlat && isEnabled() && (m_alwaysTracks || isActiveWindow());
}

void HoverButton::StartHover() {
    if (m_isHovering || !MayHover())
        return;
    m_isHovering = true;
    update();
}

void HoverButton::CancelHover() {
    if (!m_isFlat || !m_isHovering)
        return;
    m_isHovering = false;
    update();
}

void HoverButton::CaptureBackground() {
    QWidget* top = window();
    if (top == this || !isVisible())
        return;
    const qreal ratio = devicePixelRatioF();
    QPixmap capture(size() * ratio);
    capture.setDevicePixelRatio(ratio);
    capture.fill(Qt::transparent);
    const QRect area(mapTo(top, QPoint(0, 0)), size());
    // Rendering the window paints this button again; it draws nothing then. Qt would warn of
    // a recursive repaint while our own paint event runs, so that mark is lifted meanwhile.
    const bool inPaint = testAttribute(Qt::WA_WState_InPaintEvent);
    setAttribute(Qt::WA_WState_InPaintEvent, false);
    m_capturing = true;
    top->render(&capture, QPoint(), QRegion(area),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
    m_capturing = false;
    setAttribute(Qt::WA_WState_InPaintEvent, inPaint);
    m_backgroundCache = capture;
}

void HoverButton::UpdateAccessibleName() {
    // A button showing only its image is announced by its tooltip, the command's caption.
    if (text().isEmpty() && !m_tooltipText.isEmpty()) {
        if (accessibleName().isEmpty() || m_nameFromTooltip) {
            setAccessibleName(m_tooltipText);
            m_nameFromTooltip = true;
        }
    } else if (m_nameFromTooltip) {
        setAccessibleName(QString());
        m_nameFromTooltip = false;
    }
}

void HoverButton::Repaint(bool repaint) {
    if (repaint)
        update();
}

} // namespace vitalog
