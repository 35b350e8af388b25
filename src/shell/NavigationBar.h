#pragma once

#include <QDockWidget>
#include <QIcon>

class QAbstractButton;
class QToolBox;
class QToolButton;
class QVBoxLayout;

namespace vitalog {

// The outlook-style bar docked on the left: pages of large icon buttons.
class NavigationBar : public QDockWidget {
    Q_OBJECT
public:
    enum Page { CalculatorsPage = 1, HistoryPage = 2 };

    explicit NavigationBar(QWidget* parent = nullptr);

    // Adds a page and returns its number (1-based).
    int AddPage(const QString& title);
    // Adds a button (its action carries caption, icon, tooltip and command).
    QToolButton* AddButton(int page, QAction* action, int position = -1);
    void ActivatePage(int page);
    int ActivePage() const;
    QToolBox* Pages() const { return m_pages; }
    // The header that opens the page (1-based), or nullptr.
    QAbstractButton* PageHeader(int page) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolBox* m_pages;
};

} // namespace vitalog
