#include "controls/CXPGroupBox.h"

#include <QAccessible>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using vitalog::CXPGroupBox;

namespace {

const QRgb Border = qRgb(200, 0, 0);
const QRgb Title = qRgb(0, 0, 200);
const QRgb Body = qRgb(0, 200, 0);
const QRgb Parent = qRgb(255, 255, 255);

// A box of 200 x 100 on a white parent, in colours that tell every part apart.
struct Scene {
    Scene(const QString& caption, int style) {
        window.resize(240, 140);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor(Parent));
        window.setPalette(palette);
        box = new CXPGroupBox(caption, &window);
        box->setGeometry(10, 10, 200, 100);
        box->SetBorderColor(QColor(Border))
            .SetBackgroundColor(QColor(Title), QColor(Body))
            .SetCaptionTextColor(Qt::black)
            .SetBoxStyle(style);
    }

    QImage Render() const { return box->grab().toImage(); }

    QWidget window;
    CXPGroupBox* box = nullptr;
};

int CaptionHeight(const CXPGroupBox& box) {
    return QFontMetrics(box.CaptionFont()).height();
}

} // namespace

class CXPGroupBoxTest : public QObject {
    Q_OBJECT

private slots:
    void frameStyle_emptyCaptionDrawsAnUninterruptedFrame() {
        Scene scene(QString(), CXPGroupBox::FrameStyle);
        QVERIFY(scene.box->PaddedCaption().isEmpty());
        const QImage image = scene.Render();
        // The top line lies on the shrunk client rectangle's top edge; the corners are
        // rounded over 5 pixels.
        for (int x = 1 + 5; x <= 198 - 5; ++x)
            QCOMPARE(image.pixel(x, 1), Border);
        // Frame style fills nothing inside.
        QVERIFY(image.pixel(100, 50) != Title);
        QVERIFY(image.pixel(100, 50) != Body);
    }

    void frameStyle_captionBandInterruptsTheLine() {
        Scene scene(QStringLiteral("Parrillo"), CXPGroupBox::FrameStyle);
        const QImage image = scene.Render();
        const int ch = CaptionHeight(*scene.box);
        const int line = 1 + ch / 2;
        // The caption band starts 10 pixels in, the line runs on either side of it.
        QCOMPARE(image.pixel(8, line), Border);
        QCOMPARE(image.pixel(11, line), Title);
        QCOMPARE(image.pixel(190, line), Border);
        // Nothing of the frame above the line.
        QCOMPARE(image.pixel(100, 0), Parent);
    }

    void windowStyle_titleBandAboveTheBody() {
        Scene scene(QStringLiteral("Picture 1"), CXPGroupBox::WindowStyle);
        const QImage image = scene.Render();
        const int ch = CaptionHeight(*scene.box);
        const int bodyTop = 1 + ch + 4;
        QCOMPARE(image.pixel(100, 1), Border);
        QCOMPARE(image.pixel(190, bodyTop - 1), Title);
        QCOMPARE(image.pixel(190, bodyTop), Border);
        QCOMPARE(image.pixel(190, bodyTop + 1), Body);
        QCOMPARE(image.pixel(100, 90), Body);
        QCOMPARE(image.pixel(100, 98), Border);
        // Rounded corner: the parent shows through.
        QCOMPARE(image.pixel(1, 1), Parent);
    }

    void caption_placedByTheAlignment_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("expectedLeft"); // -1: centred
        QTest::newRow("frame left") << 0 << 0 << 1 + 10;
        QTest::newRow("frame centre") << 0 << 1 << -1;
        QTest::newRow("frame right") << 0 << 2 << 199 - 10;
        QTest::newRow("frame other value is left") << 0 << 7 << 1 + 10;
        QTest::newRow("window left") << 1 << 0 << 1 + 2;
        QTest::newRow("window right") << 1 << 2 << 199 - 2;
    }

    void caption_placedByTheAlignment() {
        QFETCH(int, style);
        QFETCH(int, alignment);
        QFETCH(int, expectedLeft);
        Scene scene(QStringLiteral("Measurements"), style);
        scene.box->SetCaptionTextColor(QColor(Title)).SetAlignment(alignment);
        const int cw = QFontMetrics(scene.box->CaptionFont())
                           .size(Qt::TextSingleLine, scene.box->PaddedCaption())
                           .width();
        if (expectedLeft == -1)
            expectedLeft = 1 + (198 - cw) / 2;
        if (alignment == 2)
            expectedLeft -= cw;
        // Find the caption band's (frame) or text's (window) extent on the caption's middle row.
        const QImage image = scene.Render();
        const int row =
            style == 0 ? 1 + CaptionHeight(*scene.box) / 2 : 3 + CaptionHeight(*scene.box) / 2;
        if (style == 0) {
            QCOMPARE(image.pixel(expectedLeft, row), Title);
            QCOMPARE(image.pixel(expectedLeft - 1, row), Border);
            QCOMPARE(image.pixel(expectedLeft + cw, row), Border);
        } else {
            // The text is title-coloured here too, so check the whole caption lies inside.
            scene.box->SetBackgroundColor(QColor(Body), QColor(Body));
            const QImage tinted = scene.Render();
            int first = -1;
            int last = -1;
            for (int x = 0; x < tinted.width(); ++x) {
                for (int y = 0; y < CaptionHeight(*scene.box) + 4; ++y) {
                    if (tinted.pixel(x, y) == Title) {
                        if (first < 0)
                            first = x;
                        last = x;
                    }
                }
            }
            QVERIFY(first >= expectedLeft);
            QVERIFY(last < expectedLeft + cw);
        }
        QCOMPARE(scene.box->GetAlignment(), alignment == 1 || alignment == 2 ? alignment : 0);
    }

    void setText_storesThePaddedCaptionAndNamesTheGroup() {
        CXPGroupBox box;
        QCOMPARE(&box.SetText(QStringLiteral("Jackson/Pollock 3 Site")), &box);
        QCOMPARE(box.PaddedCaption(), QStringLiteral(" Jackson/Pollock 3 Site "));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Jackson/Pollock 3 Site"));
        QCOMPARE(accessible->role(), QAccessible::Grouping);
    }

    void fontSetters_chainAndChangeOnlyTheCaptionFont() {
        QWidget window;
        auto* box = new CXPGroupBox(QStringLiteral("Compare"), &window);
        auto* label = new QLabel(QStringLiteral("inside"), box);
        box->SetFontName(QStringLiteral("Arial"))
            .SetFontSize(14)
            .SetFontBold(true)
            .SetFontItalic(true)
            .SetFontUnderline(true);
        const QFont font = box->CaptionFont();
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.pointSize(), 14);
        QCOMPARE(font.weight(), QFont::Bold);
        QVERIFY(font.italic());
        QVERIFY(font.underline());
        // The controls inside keep their own font.
        QVERIFY(!label->font().bold());
        QVERIFY(!box->font().bold());
        box->SetFontBold(false);
        QCOMPARE(box->CaptionFont().weight(), QFont::Normal);
    }

    void contents_startBelowALargeCaption() {
        QWidget window;
        auto* box = new CXPGroupBox(QStringLiteral("Picture"), &window);
        auto* layout = new QVBoxLayout(box);
        layout->addWidget(new QLabel(QStringLiteral("inside")));
        const int before = box->contentsRect().top();
        box->SetFontSize(30);
        QVERIFY(box->contentsRect().top() > before);
        QVERIFY(box->contentsRect().top() >= CaptionHeight(*box));
    }
};

QTEST_MAIN(CXPGroupBoxTest)
#include "CXPGroupBoxTest.moc"
