#include "controls/BackdropDialog.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

using vitalog::BackdropDialog;

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);

// 40 x 20: left half red, right half blue, so tiling and stretching can be told apart.
QPixmap Backdrop() {
    QPixmap backdrop(40, 20);
    backdrop.fill(QColor(Red));
    QPainter painter(&backdrop);
    painter.fillRect(20, 0, 20, 20, QColor(Blue));
    return backdrop;
}

} // namespace

class BackdropDialogTest : public QObject {
    Q_OBJECT

private slots:
    void centre_showsTheBackdropInTheMiddleOnTheDialogBackground() {
        BackdropDialog dialog;
        dialog.resize(200, 100);
        dialog.SetBackdrop(Backdrop());
        dialog.SetBackdropMode(BackdropDialog::Centre);
        const QImage image = dialog.grab().toImage();
        const QRgb background = dialog.palette().color(QPalette::Window).rgb();
        // Placed at ((200 - 40) / 2, (100 - 20) / 2) = (80, 40).
        QCOMPARE(image.pixel(80, 40), Red);
        QCOMPARE(image.pixel(119, 59), Blue);
        QCOMPARE(image.pixel(79, 40), background);
        QCOMPARE(image.pixel(120, 59), background);
        QCOMPARE(image.pixel(80, 60), background);
        QCOMPARE(image.pixel(0, 0), background);
        QCOMPARE(image.pixel(199, 99), background);
    }

    void centre_largerBackdropStartsAtTheOrigin() {
        BackdropDialog dialog;
        dialog.resize(30, 100);
        dialog.SetBackdrop(Backdrop());
        dialog.SetBackdropMode(BackdropDialog::Centre);
        const QImage image = dialog.grab().toImage();
        // Wider than the dialog: x is 0; lower than it: centred at y = 40.
        QCOMPARE(image.pixel(0, 40), Red);
        QCOMPARE(image.pixel(29, 40), Blue);
        QCOMPARE(image.pixel(0, 39), dialog.palette().color(QPalette::Window).rgb());
    }

    void tile_repeatsFromTheOrigin() {
        BackdropDialog dialog;
        dialog.resize(100, 50);
        dialog.SetBackdrop(Backdrop());
        QCOMPARE(dialog.BackdropMode(), int(BackdropDialog::Tile));
        const QImage image = dialog.grab().toImage();
        for (int x : {0, 40, 80})
            for (int y : {0, 20, 40}) {
                QCOMPARE(image.pixel(x, y), Red);
                QCOMPARE(image.pixel(x + 19, y), Red);
            }
        QCOMPARE(image.pixel(20, 0), Blue);
        QCOMPARE(image.pixel(60, 49), Blue);
        QCOMPARE(image.pixel(99, 49), Red);
    }

    void stretch_coversTheWholeDialog() {
        BackdropDialog dialog;
        dialog.resize(200, 100);
        dialog.SetBackdrop(Backdrop());
        dialog.SetBackdropMode(BackdropDialog::Stretch);
        const QImage image = dialog.grab().toImage();
        QCOMPARE(image.pixel(0, 0), Red);
        QCOMPARE(image.pixel(98, 99), Red);
        QCOMPARE(image.pixel(101, 0), Blue);
        QCOMPARE(image.pixel(199, 99), Blue);
    }

    void sharpBackdrop_isPlacedByItsLogicalSize_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("tile") << int(BackdropDialog::Tile);
        QTest::newRow("centre") << int(BackdropDialog::Centre);
        QTest::newRow("stretch") << int(BackdropDialog::Stretch);
    }

    void sharpBackdrop_isPlacedByItsLogicalSize() {
        QFETCH(int, mode);
        // Twice the pixels at twice the ratio: the same 40 x 20 picture on the dialog.
        QPixmap sharp = Backdrop().scaled(80, 40);
        sharp.setDevicePixelRatio(2);
        BackdropDialog plain;
        BackdropDialog dialog;
        for (BackdropDialog* d : {&plain, &dialog}) {
            d->resize(150, 70);
            d->SetBackdropMode(mode);
        }
        plain.SetBackdrop(Backdrop());
        dialog.SetBackdrop(sharp);
        QCOMPARE(dialog.grab().toImage(), plain.grab().toImage());
    }

    void drawnBackdrop_isRenderedForTheDialogsRatio() {
        BackdropDialog dialog;
        dialog.resize(200, 100);
        dialog.SetBackdropMode(BackdropDialog::Centre);
        QList<qreal> ratios;
        dialog.SetDrawnBackdrop([&ratios](qreal ratio) {
            ratios << ratio;
            return Backdrop();
        });
        QCOMPARE(ratios, QList<qreal>{dialog.devicePixelRatioF()});
        const QImage image = dialog.grab().toImage();
        QCOMPARE(image.pixel(80, 40), Red);
        QCOMPARE(image.pixel(119, 59), Blue);
        QCOMPARE(ratios.size(), 1); // the ratio has not changed: no second drawing

        // A plain picture replaces the drawing for good.
        QPixmap green(10, 10);
        green.fill(Qt::green);
        dialog.SetBackdrop(green);
        QCOMPARE(dialog.grab().toImage().pixel(100, 50), qRgb(0, 255, 0));
        QCOMPARE(ratios.size(), 1);
    }

    void setBackdropMode_ignoresOtherValues() {
        BackdropDialog dialog;
        dialog.SetBackdropMode(BackdropDialog::Stretch);
        dialog.SetBackdropMode(3);
        dialog.SetBackdropMode(-1);
        QCOMPARE(dialog.BackdropMode(), int(BackdropDialog::Stretch));
    }

    void noBackdrop_leavesThePlainBackground() {
        BackdropDialog dialog;
        dialog.resize(50, 50);
        QVERIFY(!dialog.SetBackdrop(QStringLiteral("/nonexistent/backdrop.png")));
        QVERIFY(dialog.Backdrop().isNull());
        const QImage image = dialog.grab().toImage();
        QCOMPARE(image.pixel(25, 25), dialog.palette().color(QPalette::Window).rgb());
    }

    void labels_areDrawnOverTheBackdrop() {
        BackdropDialog dialog;
        dialog.resize(200, 100);
        dialog.SetBackdrop(Backdrop());
        dialog.SetBackdropMode(BackdropDialog::Stretch);
        auto* label = new QLabel(QStringLiteral("Vitalog"), &dialog);
        label->setAutoFillBackground(true);
        label->setGeometry(10, 10, 80, 30);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(dialog.grab().toImage().pixel(11, 38), Red);
    }
};

QTEST_MAIN(BackdropDialogTest)
#include "BackdropDialogTest.moc"
