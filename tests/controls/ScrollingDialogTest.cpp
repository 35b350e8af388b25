#include "controls/ScrollingDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QStyle>
#include <QTest>

using vitalog::ScrollingDialog;
using Request = vitalog::ScrollingDialog::ScrollRequest;

namespace {

constexpr QSize Designed(400, 300);

// A dialog designed at 400 x 300 with a field in each corner.
class DesignedDialog : public ScrollingDialog {
public:
    DesignedDialog() {
        auto* layout = new QGridLayout(Content());
        topLeft = new QLineEdit(Content());
        bottomRight = new QPushButton(QStringLiteral("Print"), Content());
        layout->addWidget(topLeft, 0, 0, Qt::AlignTop | Qt::AlignLeft);
        layout->addWidget(bottomRight, 1, 1, Qt::AlignBottom | Qt::AlignRight);
        resize(Designed);
        InitScrolling();
    }

    QLineEdit* topLeft;
    QPushButton* bottomRight;
};

void ResizeTo(QWidget& widget, QSize size) {
    widget.resize(size);
    QTRY_COMPARE(widget.size(), size);
}

} // namespace

class ScrollingDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dialog = std::make_unique<DesignedDialog>();
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void cleanup() { m_dialog.reset(); }

    void setUp_recordsTheDesignedSize() {
        QVERIFY(m_dialog->IsInitialised());
        QCOMPARE(m_dialog->DesignedSize(), Designed);
        QCOMPARE(m_dialog->HorizontalMaximum(), 0);
        QCOMPARE(m_dialog->VerticalMaximum(), 0);
        QVERIFY(m_dialog->IsGripVisible());
        const Qt::WindowFlags flags = m_dialog->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowMaximizeButtonHint);
    }

    void sizeChange_setsMaximaAndGrip_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("horizontalMaximum");
        QTest::addColumn<int>("verticalMaximum");
        QTest::addColumn<int>("verticalPage");
        QTest::addColumn<bool>("grip");
        QTest::newRow("20 pixels narrower") << QSize(380, 300) << 2 << 0 << 0 << false;
        QTest::newRow("enlarged beyond design") << QSize(450, 350) << 0 << 0 << -12 << true;
        QTest::newRow("7 narrower truncates to 0") << QSize(393, 300) << 0 << 0 << 0 << true;
        QTest::newRow("8 narrower") << QSize(392, 300) << 1 << 0 << 0 << false;
        QTest::newRow("7 wider truncates to 0") << QSize(407, 300) << 0 << 0 << 0 << true;
        QTest::newRow("2 pixels too short") << QSize(400, 298) << 0 << 0 << 0 << true;
        QTest::newRow("40 pixels too short") << QSize(400, 260) << 0 << 10 << 10 << false;
        QTest::newRow("both short") << QSize(200, 100) << 25 << 50 << 50 << false;
        QTest::newRow("wider but too short") << QSize(500, 290) << 0 << 2 << 2 << false;
    }

    void sizeChange_setsMaximaAndGrip() {
        QFETCH(QSize, size);
        QFETCH(int, horizontalMaximum);
        QFETCH(int, verticalMaximum);
        QFETCH(int, verticalPage);
        QFETCH(bool, grip);
        ResizeTo(*m_dialog, size);
        QCOMPARE(m_dialog->HorizontalMaximum(), horizontalMaximum);
        QCOMPARE(m_dialog->VerticalMaximum(), verticalMaximum);
        QCOMPARE(m_dialog->VerticalPage(), verticalPage);
        QCOMPARE(m_dialog->IsGripVisible(), grip);
        // Real scroll bars show the same ranges, and only when there is something to scroll.
        QCOMPARE(m_dialog->HorizontalScrollBar()->maximum(), horizontalMaximum);
        QCOMPARE(m_dialog->VerticalScrollBar()->maximum(), verticalMaximum);
        QCOMPARE(m_dialog->HorizontalScrollBar()->isVisible(), horizontalMaximum > 0);
        QCOMPARE(m_dialog->VerticalScrollBar()->isVisible(), verticalMaximum > 0);
        if (grip) {
            const QRect gripRect = m_dialog->SizeGrip()->geometry();
            QCOMPARE(gripRect.bottomRight(), QPoint(size.width() - 1, size.height() - 1));
        }
    }

    void maximised_hidesTheGripEvenWithoutScrolling() {
        m_dialog->showMaximized();
        QTRY_VERIFY(m_dialog->isMaximized());
        QTRY_VERIFY(m_dialog->width() >= Designed.width());
        QCOMPARE(m_dialog->HorizontalMaximum(), 0);
        QCOMPARE(m_dialog->VerticalMaximum(), 0);
        QVERIFY(!m_dialog->IsGripVisible());

        m_dialog->showNormal();
        QTRY_VERIFY(!m_dialog->isMaximized());
        QVERIFY(m_dialog->IsGripVisible());
    }

    void pageDown_withZeroShortfallDoesNotMove() {
        ResizeTo(*m_dialog, QSize(400, 298));
        QCOMPARE(m_dialog->VerticalPage(), 0);
        m_dialog->Scroll(Qt::Vertical, Request::PageDown);
        QCOMPARE(m_dialog->VerticalPosition(), 0);
        QCOMPARE(m_dialog->Content()->pos(), QPoint(0, 0));
    }

    void scrollRequests_moveByTheirUnitsAndClamp_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("track");
        QTest::addColumn<int>("expected");
        // Dialog of 200 x 240: horizontal maximum 25, vertical maximum and page 15.
        const int h = Qt::Horizontal;
        const int v = Qt::Vertical;
        QTest::newRow("line right") << h << 0 << int(Request::LineDown) << 0 << 1;
        QTest::newRow("line left at 0 clamps") << h << 0 << int(Request::LineUp) << 0 << 0;
        QTest::newRow("page right is 8") << h << 3 << int(Request::PageDown) << 0 << 11;
        QTest::newRow("page right clamps") << h << 20 << int(Request::PageDown) << 0 << 25;
        QTest::newRow("page left is 8") << h << 20 << int(Request::PageUp) << 0 << 12;
        QTest::newRow("track") << h << 2 << int(Request::Track) << 17 << 17;
        QTest::newRow("track beyond clamps") << h << 2 << int(Request::Track) << 40 << 25;
        QTest::newRow("left end") << h << 9 << int(Request::Top) << 0 << 0;
        QTest::newRow("right end") << h << 9 << int(Request::Bottom) << 0 << 25;
        QTest::newRow("other") << h << 9 << int(Request::Other) << 0 << 9;
        QTest::newRow("line down") << v << 14 << int(Request::LineDown) << 0 << 15;
        QTest::newRow("line down at end") << v << 15 << int(Request::LineDown) << 0 << 15;
        QTest::newRow("page down is the shortfall") << v << 0 << int(Request::PageDown) << 0 << 15;
        QTest::newRow("page up is the shortfall") << v << 15 << int(Request::PageUp) << 0 << 0;
        QTest::newRow("line up") << v << 5 << int(Request::LineUp) << 0 << 4;
        QTest::newRow("bottom") << v << 5 << int(Request::Bottom) << 0 << 15;
    }

    void scrollRequests_moveByTheirUnitsAndClamp() {
        QFETCH(int, orientation);
        QFETCH(int, start);
        QFETCH(int, request);
        QFETCH(int, track);
        QFETCH(int, expected);
        ResizeTo(*m_dialog, QSize(200, 240));
        QCOMPARE(m_dialog->HorizontalMaximum(), 25);
        QCOMPARE(m_dialog->VerticalMaximum(), 15);
        const auto o = Qt::Orientation(orientation);
        m_dialog->Scroll(o, Request::Track, start);
        m_dialog->Scroll(o, Request(request), track);

        const bool horizontal = o == Qt::Horizontal;
        const int position =
            horizontal ? m_dialog->HorizontalPosition() : m_dialog->VerticalPosition();
        QCOMPARE(position, expected);
        const QScrollBar* bar =
            horizontal ? m_dialog->HorizontalScrollBar() : m_dialog->VerticalScrollBar();
        QCOMPARE(bar->value(), expected);
        const QPoint offset = horizontal ? QPoint(-expected * 8, 0) : QPoint(0, -expected * 4);
        QCOMPARE(m_dialog->Content()->pos(), offset);
    }

    void scrollBarActions_followTheDialogsUnits() {
        ResizeTo(*m_dialog, QSize(200, 240));
        QScrollBar* horizontal = m_dialog->HorizontalScrollBar();
        horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(m_dialog->HorizontalPosition(), 8);
        QCOMPARE(horizontal->value(), 8);
        QCOMPARE(m_dialog->Content()->x(), -64);
        horizontal->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(m_dialog->HorizontalPosition(), 25);

        QScrollBar* vertical = m_dialog->VerticalScrollBar();
        vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(m_dialog->VerticalPosition(), 1);
        QCOMPARE(m_dialog->Content()->y(), -4);
        vertical->setSliderPosition(7);
        QCOMPARE(m_dialog->VerticalPosition(), 7);
        QCOMPARE(m_dialog->Content()->y(), -28);
    }

    void sizeChange_scrollsBackToTheOrigin() {
        ResizeTo(*m_dialog, QSize(200, 240));
        m_dialog->Scroll(Qt::Horizontal, Request::Bottom);
        m_dialog->Scroll(Qt::Vertical, Request::Bottom);
        ResizeTo(*m_dialog, QSize(210, 250));
        QCOMPARE(m_dialog->HorizontalPosition(), 0);
        QCOMPARE(m_dialog->VerticalPosition(), 0);
        QCOMPARE(m_dialog->HorizontalScrollBar()->value(), 0);
        QCOMPARE(m_dialog->Content()->pos(), QPoint(0, 0));
        QCOMPARE(m_dialog->HorizontalMaximum(), 23);
    }

    void keyboardFocus_bringsTheFocusedControlIntoView() {
        ResizeTo(*m_dialog, QSize(200, 150));
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        const QRect view(0, 0, 200, 150);
        const auto shownRect = [this](QWidget* widget) {
            return QRect(widget->mapTo(m_dialog.get(), QPoint(0, 0)), widget->size());
        };
        QVERIFY(!view.contains(shownRect(m_dialog->bottomRight)));
        m_dialog->bottomRight->setFocus(Qt::TabFocusReason);
        QVERIFY(m_dialog->HorizontalPosition() > 0);
        QVERIFY(m_dialog->VerticalPosition() > 0);
        QVERIFY(view.contains(shownRect(m_dialog->bottomRight)));

        m_dialog->topLeft->setFocus(Qt::BacktabFocusReason);
        QVERIFY(view.contains(shownRect(m_dialog->topLeft)));
        QVERIFY(m_dialog->HorizontalPosition() <= 2);
    }

    void centredContent_sitsInTheMiddleAndStillScrolls_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QPoint>("scrolledToTheEnd");
        // Centred in what a scroll bar leaves free; scrolled only where it is too small.
        const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QTest::newRow("as designed") << Designed << QPoint(0, 0) << QPoint(0, 0);
        QTest::newRow("larger") << QSize(500, 361) << QPoint(50, 30) << QPoint(50, 30);
        QTest::newRow("wider but too short")
            << QSize(500, 260) << QPoint((100 - bar) / 2, 0) << QPoint((100 - bar) / 2, -40);
        QTest::newRow("taller but too narrow")
            << QSize(384, 400) << QPoint(0, (100 - bar) / 2) << QPoint(-16, (100 - bar) / 2);
        QTest::newRow("smaller") << QSize(200, 100) << QPoint(0, 0) << QPoint(-200, -200);
    }

    void centredContent_sitsInTheMiddleAndStillScrolls() {
        QFETCH(QSize, size);
        QFETCH(QPoint, origin);
        QFETCH(QPoint, scrolledToTheEnd);
        m_dialog->SetContentCentred(true);
        ResizeTo(*m_dialog, size);
        // The content keeps its designed size: nothing is stretched to the window's corners.
        QCOMPARE(m_dialog->Content()->geometry(), QRect(origin, Designed));
        m_dialog->Scroll(Qt::Horizontal, Request::Bottom);
        m_dialog->Scroll(Qt::Vertical, Request::Bottom);
        QCOMPARE(m_dialog->Content()->pos(), scrolledToTheEnd);

        m_dialog->SetContentCentred(false);
        QCOMPARE(m_dialog->Content()->geometry(),
                 QRect(QPoint(std::min(scrolledToTheEnd.x(), 0), std::min(scrolledToTheEnd.y(), 0)),
                       size.expandedTo(Designed)));
    }

    void firstShow_initialisesFromTheContent() {
        ScrollingDialog dialog;
        auto* layout = new QGridLayout(dialog.Content());
        auto* field = new QLineEdit(dialog.Content());
        field->setMinimumSize(300, 200);
        layout->addWidget(field);
        QVERIFY(!dialog.IsInitialised());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.IsInitialised());
        QCOMPARE(dialog.DesignedSize(), dialog.Content()->sizeHint());
        QCOMPARE(dialog.size(), dialog.DesignedSize());
    }

private:
    std::unique_ptr<DesignedDialog> m_dialog;
};

QTEST_MAIN(ScrollingDialogTest)
#include "ScrollingDialogTest.moc"
