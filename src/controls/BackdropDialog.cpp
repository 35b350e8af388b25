#include "BackdropDialog.h"

#include <QChildEvent>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace vitalog {

BackdropDialog::BackdropDialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

void BackdropDialog::SetBackdropMode(int mode) {
    if (mode < Tile || mode > Stretch)
        return;
    m_mode = mode;
    update();
}

void BackdropDialog::SetBackdrop(const QPixmap& backdrop) {
    m_render = nullptr;
    m_backdrop = backdrop;
    update();
}

void BackdropDialog::SetDrawnBackdrop(BackdropRenderer render) {
    m_render = std::move(render);
    m_backdrop = QPixmap();
    RenderBackdrop();
    update();
}

void BackdropDialog::RenderBackdrop() {
    m_renderedRatio = devicePixelRatioF();
    if (m_render)
        m_backdrop = m_render(m_renderedRatio);
}

bool BackdropDialog::SetBackdrop(const QString& path) {
    QPixmap backdrop;
    const bool loaded = backdrop.load(path);
    SetBackdrop(backdrop);
    return loaded;
}

void BackdropDialog::paintEvent(QPaintEvent* event) {
    // The window's own background has already been filled by now.
    QDialog::paintEvent(event);
    // A change of screen or scale repaints the whole window: the drawing follows it here.
    if (m_render && m_renderedRatio != devicePixelRatioF())
        RenderBackdrop();
    if (m_backdrop.isNull())
        return;

    QPainter painter(this);
    const int clientWidth = width();
    const int clientHeight = height();
    const QSize logical = m_backdrop.deviceIndependentSize().toSize();
    const int w = std::max(logical.width(), 1);
    const int h = std::max(logical.height(), 1);
    switch (m_mode) {
    case Tile:
        for (int y = 0; y < clientHeight; y += h)
            for (int x = 0; x < clientWidth; x += w)
                painter.drawPixmap(x, y, m_backdrop);
        break;
    case Centre: {
        const int x = w < clientWidth ? (clientWidth - w) / 2 : 0;
        const int y = h < clientHeight ? (clientHeight - h) / 2 : 0;
        painter.drawPixmap(x, y, m_backdrop);
        break;
    }
    case Stretch:
        painter.drawPixmap(rect(), m_backdrop);
        break;
    }
}

void BackdropDialog::showEvent(QShowEvent* event) {
    MakeLabelsTransparent();
    QDialog::showEvent(event);
}

void BackdropDialog::childEvent(QChildEvent* event) {
    QDialog::childEvent(event);
    if (event->type() == QEvent::ChildPolished)
        MakeLabelsTransparent();
}

void BackdropDialog::MakeLabelsTransparent() {
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setAutoFillBackground(false);
        label->setAttribute(Qt::WA_NoSystemBackground);
    }
}

} // namespace vitalog
