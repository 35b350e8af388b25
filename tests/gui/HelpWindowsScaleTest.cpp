// The pictures our code draws, at any scale: rendered at a device pixel ratio they are the same
// picture with finer detail, and lines keep their width. On a screen scaled to 200 % the help
// windows show them drawn for that screen, not enlarged from 100 %, and draw them again when a
// window moves to a screen of another scale. The offscreen platform is given two screens for
// it, at 100 % and at 200 %.
#include "TestServices.h"
#include "controls/MarkedComboBox.h"
#include "help/AboutBox.h"
#include "help/CaliperHelpWindow.h"
#include "help/DrawnPicture.h"
#include "help/HelpPageWindow.h"
#include "help/HelpPages.h"
#include "help/ProductArtwork.h"
#include "help/PurchaseDialog.h"
#include "help/SitePictures.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QtMath>

#include <cmath>
#include <functional>
#include <memory>
#include <tuple>

using namespace vitalog;
using namespace vitalog::test;

namespace {

QScreen* ScreenAt(qreal devicePixelRatio) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() == devicePixelRatio)
            return screen;
    return nullptr;
}

// Aligned 2 x 2 blocks of device pixels that are not all alike: detail finer than a pixel at
// half the ratio, which a picture merely enlarged from it does not have.
int FineDetail(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int blocks = 0;
    for (int y = 0; y + 1 < rgb.height(); y += 2)
        for (int x = 0; x + 1 < rgb.width(); x += 2) {
            const QRgb first = rgb.pixel(x, y);
            if (rgb.pixel(x + 1, y) != first || rgb.pixel(x, y + 1) != first ||
                rgb.pixel(x + 1, y + 1) != first)
                ++blocks;
        }
    return blocks;
}

// The mean difference of the colour channels of two images of one size, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b) {
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            const QRgb p = first.pixel(x, y);
            const QRgb q = second.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * first.width() * first.height());
}

QImage Rgb(const QImage& image) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    rgb.setDevicePixelRatio(1); // compared pixel for pixel
    return rgb;
}

// What the widget itself paints in the logical rectangle, without its children, in device
// pixels of its screen.
QImage Part(QWidget* widget, const QRect& logical) {
    const qreal ratio = widget->devicePixelRatioF();
    QImage image(logical.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    widget->render(&image, QPoint(), QRegion(logical), QWidget::DrawWindowBackground);
    return Rgb(image);
}

void ShowOn(QWidget* window, qreal devicePixelRatio) {
    QScreen* screen = ScreenAt(devicePixelRatio);
    QVERIFY(screen);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->windowHandle()->setScreen(screen);
    QTRY_COMPARE(window->devicePixelRatioF(), devicePixelRatio);
}

using DialogFactory = std::function<BackdropDialog*(AppServices&)>;
using PictureRenderer = std::function<QImage(qreal)>;

} // namespace

Q_DECLARE_METATYPE(DialogFactory)
Q_DECLARE_METATYPE(PictureRenderer)

class HelpWindowsScaleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void drawingsRenderSharplyAtAnyRatio_data();
    void drawingsRenderSharplyAtAnyRatio();
    void picturePenKeepsItsWidthInThePicture_data();
    void picturePenKeepsItsWidthInThePicture();
    void drawnBackdropsFollowTheScreen_data();
    void drawnBackdropsFollowTheScreen();
    void caliperPictureAndButtonsFollowTheScreen();
};

void HelpWindowsScaleTest::initTestCase() {
    QVERIFY2(ScreenAt(1) && ScreenAt(2), "the offscreen platform did not take both screens");
}

void HelpWindowsScaleTest::drawingsRenderSharplyAtAnyRatio_data() {
    QTest::addColumn<PictureRenderer>("render");
    QTest::addColumn<QSize>("logicalSize");
    QTest::addColumn<qreal>("ratio");
    const QList<std::tuple<const char*, PictureRenderer, QSize>> pictures{
        {"help page", [](qreal ratio) { return RenderHelpPage(3, ratio); }, HelpPageSize},
        {"formula table",
         [](qreal ratio) {
             return SitePicture(1, QStringLiteral("Which Formula?"), nullptr, ratio);
         },
         SitePictureSize},
        {"body diagram",
         [](qreal ratio) {
             return SitePicture(2, QStringLiteral("Entire Body Diagram"), nullptr, ratio);
         },
         SitePictureSize},
        {"skinfold site",
         [](qreal ratio) { return SitePicture(1, QStringLiteral("Subscapular"), nullptr, ratio); },
         SitePictureSize},
        {"tape site",
         [](qreal ratio) { return SitePicture(2, QStringLiteral("Hip"), nullptr, ratio); },
         SitePictureSize},
        {"logo", [](qreal ratio) { return LogoPicture(ratio); }, LogoSize},
        {"accessories", [](qreal ratio) { return AccessoriesPicture(nullptr, ratio); },
         AccessoriesSize},
    };
    for (const auto& [name, render, size] : pictures)
        for (const qreal ratio : {1.5, 2.0})
            QTest::addRow("%s at %g", name, ratio) << render << size << ratio;
}

void HelpWindowsScaleTest::drawingsRenderSharplyAtAnyRatio() {
    QFETCH(PictureRenderer, render);
    QFETCH(QSize, logicalSize);
    QFETCH(qreal, ratio);
    const QImage normal = render(1);
    const QImage scaled = render(ratio);
    QCOMPARE(normal.size(), logicalSize);
    QCOMPARE(normal.devicePixelRatio(), 1.0);
    QCOMPARE(scaled.devicePixelRatio(), ratio);
    QCOMPARE(scaled.size(),
             QSize(qCeil(logicalSize.width() * ratio), qCeil(logicalSize.height() * ratio)));
    QCOMPARE(scaled.deviceIndependentSize().toSize(), logicalSize);

    // The same picture, not a part of it enlarged nor a smaller copy in a corner: alike when
    // both are reduced to a quarter, which evens out how the text's edges fall on pixels.
    const QSize quarter = logicalSize / 4;
    const auto reduce = [quarter](const QImage& image) {
        return image.scaled(quarter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const double difference = MeanDifference(reduce(scaled), reduce(normal));
    QVERIFY2(difference < 4, qPrintable(QString::number(difference)));
    if (ratio == 2)
        QVERIFY(FineDetail(scaled) > 1000);
}

void HelpWindowsScaleTest::picturePenKeepsItsWidthInThePicture_data() {
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("zoom");
    // A line 2 pixels of the picture wide is 2 x ratio x zoom device pixels thick, whatever
    // the scale of the coordinates it is drawn in.
    QTest::newRow("as drawn") << 1.0 << 1.0 << 1.0;
    QTest::newRow("figure mapped small") << 0.5 << 1.0 << 1.0;
    QTest::newRow("close-up enlarged") << 4.0 << 1.0 << 1.0;
    QTest::newRow("at 200 %") << 0.5 << 2.0 << 1.0;
    QTest::newRow("printed three times as large") << 4.0 << 1.0 << 3.0;
}

void HelpWindowsScaleTest::picturePenKeepsItsWidthInThePicture() {
    QFETCH(qreal, scale);
    QFETCH(qreal, ratio);
    QFETCH(qreal, zoom);
    const DrawnPicture picture(QSize(40, 40), Qt::white, [scale](QPainter& painter) {
        painter.scale(scale, scale);
        painter.setPen(PicturePen(painter, Qt::black, 2));
        painter.drawLine(QPointF(0, 19 / scale), QPointF(40 / scale, 19 / scale));
    });
    // Onto a page the picture is painted into a larger target, as the printer does.
    QImage image(QSize(40, 40) * zoom * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    picture.Paint(painter, QRectF(0, 0, 40 * zoom, 40 * zoom));
    painter.end();

    int thickness = 0;
    for (int y = 0; y < image.height(); ++y)
        if (qGray(image.pixel(image.width() / 2, y)) < 128)
            ++thickness;
    QCOMPARE(thickness, qRound(2 * ratio * zoom));
}

void HelpWindowsScaleTest::drawnBackdropsFollowTheScreen_data() {
    QTest::addColumn<DialogFactory>("open");
    QTest::addColumn<PictureRenderer>("render");
    QTest::addColumn<QSize>("logicalSize");

    const DialogFactory helpPage = [](AppServices&) -> BackdropDialog* {
        return new HelpPageWindow(4, nullptr);
    };
    const DialogFactory aboutBox = [](AppServices& services) -> BackdropDialog* {
        return new AboutBox(services, nullptr);
    };
    const DialogFactory purchaseDialog = [](AppServices& services) -> BackdropDialog* {
        return new PurchaseDialog(services, nullptr);
    };
    QTest::newRow("help page") << helpPage << PictureRenderer([](qreal ratio) {
        return RenderHelpPage(4, ratio);
    }) << HelpPageSize;
    QTest::newRow("about box") << aboutBox << PictureRenderer(LogoPicture) << LogoSize;
    QTest::newRow("purchase dialog") << purchaseDialog << PictureRenderer([](qreal ratio) {
        return AccessoriesPicture(nullptr, ratio);
    }) << AccessoriesSize;
}

void HelpWindowsScaleTest::drawnBackdropsFollowTheScreen() {
    QFETCH(DialogFactory, open);
    QFETCH(PictureRenderer, render);
    QFETCH(QSize, logicalSize);
    TestServices services;
    const std::unique_ptr<BackdropDialog> dialog(open(services.services));
    const QSize windowSize = dialog->size();
    // The backdrop is centred; its place is the same at any scale.
    const QRect place(QPoint((windowSize.width() - logicalSize.width()) / 2,
                             (windowSize.height() - logicalSize.height()) / 2),
                      logicalSize);

    ShowOn(dialog.get(), 2);
    QCOMPARE(dialog->size(), windowSize);
    QCOMPARE(dialog->Backdrop().devicePixelRatio(), 2.0);
    QCOMPARE(dialog->Backdrop().size(), logicalSize * 2);
    QCOMPARE(dialog->Backdrop().deviceIndependentSize(), QSizeF(logicalSize));
    const QImage sharp = render(2);
    QCOMPARE(Rgb(dialog->Backdrop().toImage()), Rgb(sharp));
    // Shown one to one on the screen's pixels, with detail finer than a 100 % pixel.
    const QImage shown = Part(dialog.get(), place);
    QCOMPARE(shown, Rgb(sharp));
    QVERIFY2(FineDetail(shown) > 200, qPrintable(QString::number(FineDetail(shown))));

    // Moved to the 100 % screen it is drawn again for that one.
    dialog->windowHandle()->setScreen(ScreenAt(1));
    QTRY_COMPARE(dialog->devicePixelRatioF(), 1.0);
    dialog->repaint();
    QCOMPARE(dialog->Backdrop().devicePixelRatio(), 1.0);
    QCOMPARE(Part(dialog.get(), place), Rgb(render(1)));
    QCOMPARE(dialog->size(), windowSize);
}

void HelpWindowsScaleTest::caliperPictureAndButtonsFollowTheScreen() {
    TestServices services;
    CaliperHelpWindow window(nullptr, services.services, 2, 1);
    const QSize windowSize = window.size();
    ShowOn(&window, 2);
    QCOMPARE(window.size(), windowSize);
    QCOMPARE(window.PictureFrame()->size(), QSize(747, 489));

    const QString item = window.SiteList()->currentText();
    QCOMPARE(item, QStringLiteral("Entire Body Diagram"));
    QCOMPARE(window.Picture().devicePixelRatio(), 2.0);
    QCOMPARE(window.Picture().deviceIndependentSize(), QSizeF(SitePictureSize));
    QCOMPARE(Rgb(window.PictureFrame()->pixmap().toImage()), Rgb(SitePicture(2, item, nullptr, 2)));
    // The frame centres the picture in its 1-pixel border.
    const QRect place(QPoint(1, 2), SitePictureSize);
    const QImage shown = Part(window.PictureFrame(), place);
    QCOMPARE(shown, Rgb(SitePicture(2, item, nullptr, 2)));
    QVERIFY(FineDetail(shown) > 200);

    // Another site is drawn for the screen it is shown on.
    window.SiteList()->setCurrentIndex(window.SiteList()->findText(QStringLiteral("Hip")));
    QCOMPARE(window.Picture().devicePixelRatio(), 2.0);
    QCOMPARE(Rgb(window.Picture().toImage()),
             Rgb(SitePicture(2, QStringLiteral("Hip"), nullptr, 2)));

    // The buttons' drawn icons have their own pixmaps at 200 %.
    for (const QIcon& icon : {PrintIcon(), HelpIcon()}) {
        const QPixmap pixmap = icon.pixmap(QSize(24, 24), 2.0);
        QCOMPARE(pixmap.size(), QSize(48, 48));
        QVERIFY(FineDetail(pixmap.toImage()) > 20);
    }

    window.windowHandle()->setScreen(ScreenAt(1));
    QTRY_COMPARE(window.devicePixelRatioF(), 1.0);
    window.repaint();
    QCOMPARE(window.Picture().devicePixelRatio(), 1.0);
    QCOMPARE(Rgb(window.Picture().toImage()), Rgb(SitePicture(2, QStringLiteral("Hip"))));
}

int main(int argc, char** argv) {
    // Two screens side by side, the second scaled to 200 %.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"screens": [
        {"name": "Normal", "x": 0, "y": 0, "width": 1280, "height": 1024,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "Double", "x": 1280, "y": 0, "width": 1280, "height": 1024,
         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("QT_SCREEN_SCALE_FACTORS", "Normal=1;Double=2");

    QApplication app(argc, argv);
    HelpWindowsScaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HelpWindowsScaleTest.moc"
