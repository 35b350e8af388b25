#include "ScrollingDialog.h"

#include <QApplication>
#include <QScrollBar>
#include <QSizeGrip>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>

namespace vitalog {

namespace {

ScrollingDialog::ScrollRequest RequestFor(int action) {
    using Request = ScrollingDialog::ScrollRequest;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return Request::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
        return Request::LineDown;
    case QAbstractSlider::SliderPageStepSub:
        return Request::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
        return Request::PageDown;
    case QAbstractSlider::SliderMove:
        return Request::Track;
    case QAbstractSlider::SliderToMinimum:
        return Request::Top;
    case QAbstractSlider::SliderToMaximum:
        return Request::Bottom;
    default:
        return Request::Other;
    }
}

} // namespace

ScrollingDialog::ScrollingDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_content(new QWidget(this)), m_horizontalBar(new QScrollBar(Qt::Horizontal, this)),
      m_verticalBar(new QScrollBar(Qt::Vertical, this)), m_grip(new QSizeGrip(this)) {
    // Our own grip replaces the dialog's, which would not follow the scrolling rules.
    setSizeGripEnabled(false);
    m_content->setObjectName(QStringLiteral("scrollingContentWidget"));
    for (QScrollBar* bar : {m_horizontalBar, m_verticalBar}) {
        bar->setRange(0, 0);
        bar->setSingleStep(1);
        bar->hide();
        // The bars only scroll; the keyboard reaches every control by tabbing.
        bar->setFocusPolicy(Qt::NoFocus);
    }
    m_horizontalBar->setPageStep(8);
    m_horizontalBar->setAccessibleName(tr("Horizontal scroll bar"));
    m_verticalBar->setAccessibleName(tr("Vertical scroll bar"));
    m_grip->hide();

    connect(m_horizontalBar, &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollAction(Qt::Horizontal, action); });
    connect(m_verticalBar, &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollAction(Qt::Vertical, action); });
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

ScrollingDialog::~ScrollingDialog() {
    // Destroying the children moves the focus; this object is half gone by then.
    disconnect(m_focusConnection);
}

void ScrollingDialog::Scroll(Qt::Orientation orientation, ScrollRequest request,
                             int trackPosition) {
    const bool horizontal = orientation == Qt::Horizontal;
    int& position = horizontal ? m_horizontalPosition : m_verticalPosition;
    const int maximum = horizontal ? m_horizontalMaximum : m_verticalMaximum;
    // The vertical page is the last shortfall, which may be 0 or less.
    const int page = horizontal ? 8 : (m_verticalPage >= 1 ? m_verticalPage : 1);

    int change = 0;
    switch (request) {
    case ScrollRequest::LineUp:
        change = -1;
        break;
    case ScrollRequest::LineDown:
        change = 1;
        break;
    case ScrollRequest::PageUp:
        change = -page;
        break;
    case ScrollRequest::PageDown:
        change = page;
        break;
    case ScrollRequest::Track:
        change = trackPosition - position;
        break;
    case ScrollRequest::Top:
        change = -position;
        break;
    case ScrollRequest::Bottom:
        change = maximum - position;
        break;
    case ScrollRequest::Other:
        break;
    }
    change = std::clamp(change, -position, std::max(maximum - position, -position));
    if (change == 0)
        return;

    position += change;
    m_content->move(ContentOrigin());
    QScrollBar* bar = horizontal ? m_horizontalBar : m_verticalBar;
    bar->setValue(position);
}

void ScrollingDialog::SetContentCentred(bool centred) {
    m_centred = centred;
    if (m_initialised)
        PlaceChildren();
}

bool ScrollingDialog::IsGripVisible() const {
    return !m_grip->isHidden();
}

QSize ScrollingDialog::sizeHint() const {
    return m_initialised ? m_designedSize : m_content->sizeHint();
}

void ScrollingDialog::InitScrolling() {
    if (m_initialised)
        return;
    m_horizontalPosition = 0;
    m_verticalPosition = 0;
    if (testAttribute(Qt::WA_Resized)) {
        m_designedSize = size();
    } else {
        m_designedSize = m_content->sizeHint().expandedTo(m_content->minimumSizeHint());
        if (!m_designedSize.isValid())
            m_designedSize = size();
        resize(m_designedSize);
    }
    m_initialised = true;

    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_grip->resize(extent, extent);
    SizeChanged();
}

void ScrollingDialog::showEvent(QShowEvent* event) {
    if (!m_initialised)
        InitScrolling();
    QDialog::showEvent(event);
}

void ScrollingDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_initialised)
        SizeChanged();
    else
        PlaceChildren();
}

void ScrollingDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Maximising may leave the size as it was, but the grip must still go.
    if (event->type() == QEvent::WindowStateChange && m_initialised)
        SizeChanged();
}

void ScrollingDialog::wheelEvent(QWheelEvent* event) {
    QScrollBar* bar = m_verticalMaximum > 0     ? m_verticalBar
                      : m_horizontalMaximum > 0 ? m_horizontalBar
                                                : nullptr;
    if (bar)
        QCoreApplication::sendEvent(bar, event);
    else
        QDialog::wheelEvent(event);
}

void ScrollingDialog::SizeChanged() {
    // Back to the origin first; the new size decides how far the content may move.
    m_horizontalPosition = 0;
    m_verticalPosition = 0;

    // Integer division truncates toward zero, as the shortfalls must.
    const int horizontalShortfall = (m_designedSize.width() - width()) / HorizontalUnit;
    const int verticalShortfall = (m_designedSize.height() - height()) / VerticalUnit;
    m_verticalPage = verticalShortfall;

    const bool maximised = isMaximized();
    m_grip->setVisible(horizontalShortfall <= 0 && verticalShortfall <= 0 && !maximised);

    m_horizontalMaximum = std::max(horizontalShortfall, 0);
    m_verticalMaximum = std::max(verticalShortfall, 0);
    m_horizontalPosition = std::min(m_horizontalPosition, m_horizontalMaximum);
    m_verticalPosition = std::min(m_verticalPosition, m_verticalMaximum);
    m_horizontalBar->setRange(0, m_horizontalMaximum);
    m_horizontalBar->setValue(m_horizontalPosition);
    m_verticalBar->setRange(0, m_verticalMaximum);
    m_verticalBar->setPageStep(std::max(m_verticalPage, 1));
    m_verticalBar->setValue(m_verticalPosition);
    m_horizontalBar->setVisible(m_horizontalMaximum > 0);
    m_verticalBar->setVisible(m_verticalMaximum > 0);

    PlaceChildren();
}

void ScrollingDialog::PlaceChildren() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const bool horizontalShown = m_horizontalMaximum > 0;
    const bool verticalShown = m_verticalMaximum > 0;

    QSize contentSize = size();
    if (m_initialised)
        contentSize = m_centred ? m_designedSize : contentSize.expandedTo(m_designedSize);
    m_content->setGeometry(QRect(ContentOrigin(), contentSize));

    m_horizontalBar->setGeometry(0, height() - extent, width() - (verticalShown ? extent : 0),
                                 extent);
    m_verticalBar->setGeometry(width() - extent, 0, extent,
                               height() - (horizontalShown ? extent : 0));
    if (!isMaximized())
        m_grip->move(width() - m_grip->width(), height() - m_grip->height());

    m_horizontalBar->raise();
    m_verticalBar->raise();
    m_grip->raise();
}

QPoint ScrollingDialog::ContentOrigin() const {
    QPoint origin(-m_horizontalPosition * HorizontalUnit, -m_verticalPosition * VerticalUnit);
    if (m_centred && m_initialised) {
        // In the middle of what the scroll bars leave free.
        const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const int viewWidth = width() - (m_verticalMaximum > 0 ? extent : 0);
        const int viewHeight = height() - (m_horizontalMaximum > 0 ? extent : 0);
        if (m_horizontalMaximum == 0)
            origin.setX(std::max((viewWidth - m_designedSize.width()) / 2, 0));
        if (m_verticalMaximum == 0)
            origin.setY(std::max((viewHeight - m_designedSize.height()) / 2, 0));
    }
    return origin;
}

void ScrollingDialog::OnScrollAction(Qt::Orientation orientation, int action) {
    QScrollBar* bar = orientation == Qt::Horizontal ? m_horizontalBar : m_verticalBar;
    const ScrollRequest request = RequestFor(action);
    Scroll(orientation, request, bar->sliderPosition());
    // Our rules, not the bar's own step sizes, decide where it ends up.
    bar->setSliderPosition(orientation == Qt::Horizontal ? m_horizontalPosition
                                                         : m_verticalPosition);
}

void ScrollingDialog::OnFocusChanged(QWidget* now) {
    // Keeps the control that the keyboard reached in view.
    if (!now || !m_initialised || !m_content->isAncestorOf(now))
        return;
    if (m_horizontalMaximum == 0 && m_verticalMaximum == 0)
        return;

    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int viewWidth = width() - (m_verticalMaximum > 0 ? extent : 0);
    const int viewHeight = height() - (m_horizontalMaximum > 0 ? extent : 0);
    const QRect target(now->mapTo(m_content, QPoint(0, 0)), now->size());

    const auto reveal = [](int position, int unit, int start, int end, int view) {
        const int first = position * unit;
        if (start < first)
            return start / unit;
        if (end > first + view)
            return std::min(start / unit, (end - view + unit - 1) / unit);
        return position;
    };
    Scroll(
        Qt::Horizontal, ScrollRequest::Track,
        reveal(m_horizontalPosition, HorizontalUnit, target.left(), target.right() + 1, viewWidth));
    Scroll(Qt::Vertical, ScrollRequest::Track,
           reveal(m_verticalPosition, VerticalUnit, target.top(), target.bottom() + 1, viewHeight));
}

} // namespace vitalog
