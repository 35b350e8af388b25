#include "controls/HoverButton.h"
#include "platform/UrlOpener.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using vitalog::HoverButton;

namespace {

class RecordingUrlOpener : public vitalog::UrlOpener {
public:
    bool Open(const QString& address) override {
        opened.append(address);
        return true;
    }
    QStringList opened;
};

QPixmap SolidPixmap(QSize size, const QColor& color) {
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

void SendEnter(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    QEnterEvent enter(centre, widget->mapToGlobal(centre), widget->mapToGlobal(centre));
    QApplication::sendEvent(widget, &enter);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons,
               Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QImage Render(QWidget* widget) {
    return widget->grab().toImage();
}

// The button may hold the focus; the tests want one background in both states.
void SetIdleBackground(HoverButton* button, const QColor& color) {
    button->SetColor(HoverButton::ColorRole::BackgroundOut, color);
    button->SetColor(HoverButton::ColorRole::BackgroundFocus, color);
}

} // namespace

class HoverButtonTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_window = std::make_unique<QWidget>();
        m_window->resize(300, 200);
        m_button = new HoverButton(QStringLiteral("Compare"), m_window.get());
        m_button->setGeometry(20, 20, 120, 60);
        m_button->SetUrlOpener(&m_opener);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup() {
        m_window.reset();
        m_opener.opened.clear();
    }

    void defaults_matchTheFlatButton() {
        QVERIFY(m_button->IsFlat());
        QVERIFY(m_button->DrawsBorder());
        QVERIFY(m_button->AlwaysTracks());
        QCOMPARE(m_button->Align(), 0);
        QCOMPARE(m_button->PressedOffset(), QPoint(1, 1));
        QCOMPARE(m_button->ImageOrigin(), QPoint(3, 3));
        QVERIFY(!m_button->DrawsTransparent());
        QVERIFY(!m_button->IsHovering());
        QCOMPARE(m_button->Color(HoverButton::ColorRole::BackgroundOut),
                 m_button->palette().color(QPalette::Active, QPalette::Button));
        QCOMPARE(m_button->Color(HoverButton::ColorRole::TextIn),
                 m_button->palette().color(QPalette::Active, QPalette::ButtonText));
    }

    void setAlign_acceptsZeroToThreeAndRefusesTheRest() {
        QVERIFY(m_button->SetAlign(1));
        QCOMPARE(m_button->Align(), 1);
        const QImage before = Render(m_button);

        QVERIFY(!m_button->SetAlign(4));
        QVERIFY(!m_button->SetAlign(-1));
        QCOMPARE(m_button->Align(), 1);
        QCOMPARE(Render(m_button), before);

        QVERIFY(m_button->SetAlign(3));
        QCOMPARE(m_button->Align(), 3);
    }

    void hover_raisedBorderWhileTheMouseIsOver() {
        SetIdleBackground(m_button, Qt::white);
        m_button->SetColor(HoverButton::ColorRole::BackgroundIn, Qt::yellow);
        QCOMPARE(Render(m_button).pixel(0, 0), QColor(Qt::white).rgb());

        SendEnter(m_button);
        QVERIFY(m_button->IsHovering());
        const QImage hovering = Render(m_button);
        // Raised: highlight top-left, shadow bottom-right, "in" colour inside.
        QCOMPARE(hovering.pixel(0, 0), m_button->palette().color(QPalette::Light).rgb());
        QCOMPARE(hovering.pixel(119, 59), m_button->palette().color(QPalette::Dark).rgb());
        QCOMPARE(hovering.pixel(5, 5), QColor(Qt::yellow).rgb());

        SendMouse(m_button, QEvent::MouseMove, QPoint(200, 10), Qt::NoButton);
        QVERIFY(!m_button->IsHovering());
        QCOMPARE(Render(m_button).pixel(0, 0), QColor(Qt::white).rgb());
    }

    void hover_withoutBorderWhenDrawBorderIsOff() {
        m_button->SetColor(HoverButton::ColorRole::BackgroundIn, Qt::yellow);
        m_button->SetDrawBorder(false);
        SendEnter(m_button);
        QVERIFY(m_button->IsHovering());
        QCOMPARE(Render(m_button).pixel(0, 0), QColor(Qt::yellow).rgb());
    }

    void hover_notStartedWhileTheLeftButtonIsHeld() {
        SendMouse(m_button, QEvent::MouseMove, QPoint(10, 10), Qt::LeftButton);
        QVERIFY(!m_button->IsHovering());
        SendMouse(m_button, QEvent::MouseMove, QPoint(11, 10), Qt::NoButton);
        QVERIFY(m_button->IsHovering());
    }

    void hover_endsWhenTheFocusIsLost() {
        auto* other = new QLabel(QStringLiteral("x"), m_window.get());
        other->setFocusPolicy(Qt::StrongFocus);
        other->show();
        m_button->setFocus();
        SendEnter(m_button);
        QVERIFY(m_button->IsHovering());
        other->setFocus();
        QVERIFY(!m_button->IsHovering());
    }

    void disabled_neverHoversAndDrawsEmbossed() {
        m_button->SetIcon(QIcon(SolidPixmap(QSize(16, 16), Qt::red)));
        const QImage enabled = Render(m_button);

        m_button->setEnabled(false);
        SendEnter(m_button);
        SendMouse(m_button, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
        QVERIFY(!m_button->IsHovering());
        QVERIFY(m_button->IsDisabled());

        const QImage disabled = Render(m_button);
        QVERIFY(disabled != enabled);
        // The icon loses its colour.
        const QColor iconPixel = disabled.pixelColor(3 + 8, 30);
        QVERIFY2(iconPixel.rgb() != QColor(Qt::red).rgb(), qPrintable(iconPixel.name()));
        QCOMPARE(enabled.pixel(3 + 8, 30), QColor(Qt::red).rgb());
        // The caption is drawn in the highlight and shadow colours only.
        const QRgb light = m_button->palette().color(QPalette::Active, QPalette::Light).rgb();
        const QRgb dark = m_button->palette().color(QPalette::Active, QPalette::Dark).rgb();
        bool sawLight = false;
        bool sawDark = false;
        for (int y = 0; y < disabled.height(); ++y) {
            for (int x = 40; x < disabled.width(); ++x) {
                sawLight = sawLight || disabled.pixel(x, y) == light;
                sawDark = sawDark || disabled.pixel(x, y) == dark;
            }
        }
        QVERIFY(sawLight);
        QVERIFY(sawDark);
    }

    void disabled_dropsAHoverInProgress() {
        SendEnter(m_button);
        QVERIFY(m_button->IsHovering());
        m_button->setEnabled(false);
        QVERIFY(!m_button->IsHovering());
    }

    void disabled_movesTheFocusOn() {
        auto* next = new HoverButton(QStringLiteral("Next"), m_window.get());
        next->setGeometry(150, 20, 80, 30);
        next->show();
        m_button->setFocus();
        QVERIFY(m_button->hasFocus());
        m_button->setEnabled(false);
        QVERIFY(next->hasFocus());
    }

    void disabled_lastTabStopGivesTheFocusToTheParent() {
        auto* box = new QWidget(m_window.get());
        box->setGeometry(0, 100, 200, 80);
        auto* only = new HoverButton(QStringLiteral("Only"), box);
        only->setGeometry(10, 10, 80, 30);
        box->show();
        m_button->setEnabled(false);
        only->setFocus();
        QVERIFY(only->hasFocus());
        only->setEnabled(false);
        QCOMPARE(QApplication::focusWidget(), box);
    }

    void press_sunkenOnlyWhileHeldOverTheButton() {
        QSignalSpy clicked(m_button, &QAbstractButton::clicked);
        const QRgb shadow = m_button->palette().color(QPalette::Dark).rgb();
        const QPoint inside(60, 30);
        const QPoint outside(200, 150);

        SendMouse(m_button, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(m_button->IsPressed());
        QCOMPARE(Render(m_button).pixel(0, 0), shadow);

        SendMouse(m_button, QEvent::MouseMove, outside, Qt::LeftButton);
        QVERIFY(!m_button->IsPressed());
        QVERIFY(!m_button->IsHovering());
        QVERIFY(Render(m_button).pixel(0, 0) != shadow);

        SendMouse(m_button, QEvent::MouseMove, inside, Qt::LeftButton);
        QVERIFY(m_button->IsPressed());
        QVERIFY(!m_button->IsHovering());
        QCOMPARE(Render(m_button).pixel(0, 0), shadow);

        SendMouse(m_button, QEvent::MouseMove, outside, Qt::LeftButton);
        SendMouse(m_button, QEvent::MouseButtonRelease, outside, Qt::NoButton, Qt::LeftButton);
        QVERIFY(!m_button->IsPressed());
        QVERIFY(Render(m_button).pixel(0, 0) != shadow);
        QCOMPARE(clicked.count(), 0);
    }

    void press_movesImageAndCaptionByThePressedOffset() {
        m_button->setText(QString());
        m_button->SetIcon(QIcon(SolidPixmap(QSize(16, 16), Qt::red)));
        m_button->SetPressedOffset(QPoint(4, 2));
        // Without caption the image is centred: 52..67 across, 22..37 down.
        QCOMPARE(Render(m_button).pixel(52, 22), QColor(Qt::red).rgb());
        SendMouse(m_button, QEvent::MouseButtonPress, QPoint(60, 30), Qt::LeftButton,
                  Qt::LeftButton);
        const QImage pressed = Render(m_button);
        QVERIFY(pressed.pixel(52, 22) != QColor(Qt::red).rgb());
        QCOMPARE(pressed.pixel(56, 24), QColor(Qt::red).rgb());
        SendMouse(m_button, QEvent::MouseButtonRelease, QPoint(60, 30), Qt::NoButton,
                  Qt::LeftButton);
    }

    void url_clickOpensTheAddressAndStillReportsTheClick() {
        m_button->SetUrl(QStringLiteral("https://example.org/vitalog"));
        QSignalSpy clicked(m_button, &QAbstractButton::clicked);
        QTest::mouseClick(m_button, Qt::LeftButton);
        QCOMPARE(m_opener.opened, QStringList{QStringLiteral("https://example.org/vitalog")});
        QCOMPARE(clicked.count(), 1);
        QVERIFY(m_button->hasFocus());
    }

    void url_emptyOpensNothing() {
        m_button->SetUrl(QStringLiteral("https://example.org"));
        m_button->SetUrl(QString());
        QSignalSpy clicked(m_button, &QAbstractButton::clicked);
        QTest::mouseClick(m_button, Qt::LeftButton);
        QVERIFY(m_opener.opened.isEmpty());
        QCOMPARE(clicked.count(), 1);
    }

    void url_keepsAtMost260Characters() {
        const QString longUrl = QStringLiteral("https://example.org/") + QString(300, u'a');
        m_button->SetUrl(longUrl);
        QCOMPARE(m_button->Url(), longUrl.left(260));
    }

    void imageLayout_followsTheAlignment_data() {
        QTest::addColumn<int>("align");
        QTest::addColumn<bool>("caption");
        QTest::addColumn<QPoint>("imageTopLeft");
        // Button 120 x 60, image 16 x 16, origin (3, 3).
        QTest::newRow("left with caption") << 0 << true << QPoint(3, 22);
        QTest::newRow("left without caption") << 0 << false << QPoint(52, 22);
        QTest::newRow("above with caption") << 1 << true << QPoint(52, 3);
        QTest::newRow("above without caption") << 1 << false << QPoint(52, 22);
        QTest::newRow("right with caption") << 2 << true << QPoint(101, 22);
        QTest::newRow("over caption") << 3 << true << QPoint(52, 22);
    }

    void imageLayout_followsTheAlignment() {
        QFETCH(int, align);
        QFETCH(bool, caption);
        QFETCH(QPoint, imageTopLeft);
        if (!caption)
            m_button->setText(QString());
        SetIdleBackground(m_button, Qt::white);
        m_button->SetIcon(QIcon(SolidPixmap(QSize(16, 16), Qt::red)));
        QVERIFY(m_button->SetAlign(align));
        const QImage image = Render(m_button);
        QCOMPARE(image.pixel(imageTopLeft), QColor(Qt::red).rgb());
        QCOMPARE(image.pixel(imageTopLeft + QPoint(15, 15)), QColor(Qt::red).rgb());
        QCOMPARE(image.pixel(imageTopLeft - QPoint(1, 1)), QColor(Qt::white).rgb());
        QCOMPARE(image.pixel(imageTopLeft + QPoint(16, 16)), QColor(Qt::white).rgb());
    }

    void setIcon_usesTheRequestedOrTheNaturalSize() {
        m_button->SetIcon(QIcon(SolidPixmap(QSize(20, 10), Qt::red)));
        QCOMPARE(m_button->ImageSize(), QSize(20, 10));
        m_button->SetIcon(QIcon(SolidPixmap(QSize(32, 32), Qt::red)), QSize(24, 24));
        QCOMPARE(m_button->ImageSize(), QSize(24, 24));

        QIcon sizes(SolidPixmap(QSize(16, 16), Qt::red));
        sizes.addPixmap(SolidPixmap(QSize(48, 48), Qt::red));
        sizes.addPixmap(SolidPixmap(QSize(24, 24), Qt::red));
        m_button->SetIcon(sizes);
        QCOMPARE(m_button->ImageSize(), QSize(48, 48));

        m_button->SetIcon(QStringLiteral("/nonexistent/help.ico"), 24, 24);
        QVERIFY(!m_button->HasImage());
    }

    void setBitmap_leavesTheTransparentColourUndrawn() {
        m_button->setText(QString());
        SetIdleBackground(m_button, Qt::white);
        QPixmap bitmap = SolidPixmap(QSize(16, 16), Qt::magenta);
        {
            QPainter painter(&bitmap);
            painter.fillRect(4, 4, 8, 8, Qt::blue);
        }
        m_button->SetBitmap(bitmap, Qt::magenta);
        QCOMPARE(m_button->ImageSize(), QSize(16, 16));
        const QImage image = Render(m_button);
        QCOMPARE(image.pixel(52, 22), QColor(Qt::white).rgb());
        QCOMPARE(image.pixel(56, 26), QColor(Qt::blue).rgb());
    }

    void drawTransparent_showsTheParentUnderTheButtonAndRecapturesOnRequest() {
        m_window->setAutoFillBackground(true);
        QPalette palette = m_window->palette();
        palette.setColor(QPalette::Window, Qt::green);
        m_window->setPalette(palette);
        SetIdleBackground(m_button, Qt::white);
        m_button->SetDrawTransparent();
        QVERIFY(m_button->DrawsTransparent());
        QCOMPARE(Render(m_button).pixel(2, 2), QColor(Qt::green).rgb());

        // The cache keeps the old background until it is discarded.
        palette.setColor(QPalette::Window, Qt::cyan);
        m_window->setPalette(palette);
        QCOMPARE(Render(m_button).pixel(2, 2), QColor(Qt::green).rgb());
        m_button->SetDrawTransparent();
        QCOMPARE(Render(m_button).pixel(2, 2), QColor(Qt::cyan).rgb());
    }

    void accessibleName_isTheCaptionOrTheTooltipOfAnImageButton() {
        QAccessibleInterface* captioned = QAccessible::queryAccessibleInterface(m_button);
        QVERIFY(captioned);
        QCOMPARE(captioned->text(QAccessible::Name), QStringLiteral("Compare"));

        auto* imageOnly = new HoverButton(m_window.get());
        imageOnly->SetIcon(QIcon(SolidPixmap(QSize(16, 16), Qt::red)));
        imageOnly->SetTooltipText(QStringLiteral("Compare two pictures"));
        QCOMPARE(imageOnly->toolTip(), QStringLiteral("Compare two pictures"));
        QAccessibleInterface* image = QAccessible::queryAccessibleInterface(imageOnly);
        QVERIFY(image);
        QCOMPARE(image->text(QAccessible::Name), QStringLiteral("Compare two pictures"));

        // A caption given later wins once the button is shown.
        auto* laterCaption = new HoverButton(m_window.get());
        laterCaption->SetTooltipText(QStringLiteral("Print this page"));
        laterCaption->setText(QStringLiteral("&Print"));
        laterCaption->show();
        QCOMPARE(QAccessible::queryAccessibleInterface(laterCaption)->text(QAccessible::Name),
                 QStringLiteral("Print"));
    }

    void tooltip_inactiveKeepsTheTextButShowsNone() {
        m_button->SetTooltipText(QStringLiteral("Help"), false);
        QCOMPARE(m_button->TooltipText(), QStringLiteral("Help"));
        QVERIFY(m_button->toolTip().isEmpty());
        m_button->ActivateTooltip();
        QCOMPARE(m_button->toolTip(), QStringLiteral("Help"));
    }

    void keyboard_spaceClicksAndOpensTheUrl() {
        m_button->SetUrl(QStringLiteral("mailto:help@example.org"));
        QSignalSpy clicked(m_button, &QAbstractButton::clicked);
        m_button->setFocus();
        QTest::keyClick(m_button, Qt::Key_Space);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(m_opener.opened, QStringList{QStringLiteral("mailto:help@example.org")});
    }

    void keyboard_focusReachedByTabIsVisible() {
        const QImage idle = m_button->grab().toImage();
        m_button->setFocus(Qt::MouseFocusReason);
        QCOMPARE(m_button->grab().toImage(), idle); // the flat look shows no mouse focus
        m_button->clearFocus();
        m_button->setFocus(Qt::TabFocusReason);
        QVERIFY(m_button->grab().toImage() != idle);
        m_button->clearFocus();
        QCOMPARE(m_button->grab().toImage(), idle);
    }

private:
    std::unique_ptr<QWidget> m_window;
    HoverButton* m_button = nullptr;
    RecordingUrlOpener m_opener;
};

QTEST_MAIN(HoverButtonTest)
#include "HoverButtonTest.moc"
