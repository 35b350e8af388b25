#include "NavigationBar.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace vitalog {

NavigationBar::NavigationBar(QWidget* parent) : QDockWidget(parent), m_pages(new QToolBox(this)) {
    setObjectName(QStringLiteral("navigationBar"));
    setWindowTitle(QStringLiteral("Navigation"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::Bold);
    m_pages->setFont(font);
    m_pages->setObjectName(QStringLiteral("navigationPages"));
    m_pages->setAccessibleName(QStringLiteral("Navigation"));
    setWidget(m_pages);
}

int NavigationBar::AddPage(const QString& title) {
    auto* page = new QWidget;
    page->setAutoFillBackground(true);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, Qt::white);
    page->setPalette(pal);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 8, 6, 8);
    layout->setSpacing(10);
    layout->addStretch(1);
    page->setAccessibleName(title);
    const int index = m_pages->addItem(page, title);
    // The tool box paints pages with the button colour; the pages are white.
    page->setBackgroundRole(QPalette::Window);
    if (auto* viewport = page->parentWidget()) {
        viewport->setAutoFillBackground(true);
        viewport->setPalette(pal);
        viewport->setBackgroundRole(QPalette::Window);
        // The page's scroll area would be a Tab stop that shows nothing; its buttons are.
        if (auto* scroller = qobject_cast<QScrollArea*>(viewport->parentWidget()))
            scroller->setFocusPolicy(Qt::NoFocus);
    }
    // The page header is the only way to a closed page: the keyboard reaches it too, and
    // Space or Enter opens the page.
    const auto headers = m_pages->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    if (!headers.isEmpty()) {
        QAbstractButton* header = headers.last();
        header->setFocusPolicy(Qt::TabFocus);
        header->installEventFilter(this);
    }
    return index + 1;
}

QToolButton* NavigationBar::AddButton(int page, QAction* action, int position) {
    QWidget* pageWidget = m_pages->widget(page - 1);
    auto* layout = static_cast<QVBoxLayout*>(pageWidget->layout());
    auto* button = new QToolButton(pageWidget);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setAccessibleName(action->iconText());
    // The stretch stays last so the buttons sit at the top of the page.
    const int buttons = layout->count() - 1;
    const int at = (position < 0 || position > buttons) ? buttons : position;
    layout->insertWidget(at, button);
    return button;
}

QAbstractButton* NavigationBar::PageHeader(int page) const {
    const auto headers = m_pages->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    return page >= 1 && page <= headers.size() ? headers[page - 1] : nullptr;
}

bool NavigationBar::eventFilter(QObject* watched, QEvent* event) {
    // Only the page headers are watched.
    auto* header = static_cast<QAbstractButton*>(watched);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            header->click();
            return true;
        }
    } else if (event->type() == QEvent::Paint && header->hasFocus()) {
        // The tool box draws no focus frame on its headers: the header paints itself, then the
        // frame goes on top.
        static_cast<QObject*>(header)->event(event);
        QPainter painter(header);
        QStyleOptionFocusRect option;
        option.initFrom(header);
        option.rect = header->rect().adjusted(2, 2, -2, -2);
        option.backgroundColor = header->palette().color(header->backgroundRole());
        header->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, header);
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void NavigationBar::ActivatePage(int page) {
    if (page >= 1 && page <= m_pages->count())
        m_pages->setCurrentIndex(page - 1);
}

int NavigationBar::ActivePage() const {
    return m_pages->currentIndex() + 1;
}

} // namespace vitalog
