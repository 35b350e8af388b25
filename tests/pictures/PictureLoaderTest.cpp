// The picture loader and the picture slots: what a slot holds after good and bad files, the
// formats it reads, and the sizes it draws at.
#include "TestPictures.h"
#include "TestServices.h"
#include "pictures/CPicture.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace vitalog;
using namespace vitalog::test;

namespace {

// The smallest GIF: one red pixel (Qt reads GIF but does not write it).
const QByteArray OnePixelGif = QByteArray::fromHex(
    "474946383961010001008000 00ff0000ffffff21f90401000000002c000000000100010000020244"
    "01003b"
    "");

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The bounding box of the pixels of a colour.
QRect Extent(const QImage& image, const QColor& color) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage Canvas(QSize size, int dpi = 96) {
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const int perMetre = qRound(dpi / 0.0254);
    canvas.setDotsPerMeterX(perMetre);
    canvas.setDotsPerMeterY(perMetre);
    return canvas;
}

} // namespace

class PictureLoaderTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_prompter.Clear();
        m_picture.SetPrompter(&m_prompter, nullptr);
        m_picture.Release();
    }

    void readsEachFormat_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("writerFormat");
        QTest::addColumn<QSize>("size");
        QTest::newRow("BMP") << "p.bmp" << QByteArray("bmp") << QSize(40, 30);
        QTest::newRow("DIB, read as BMP") << "p.dib" << QByteArray("bmp") << QSize(41, 29);
        QTest::newRow("JPG") << "p.jpg" << QByteArray("jpg") << QSize(64, 48);
        QTest::newRow("ICO") << "p.ico" << QByteArray("ico") << QSize(32, 32);
        QTest::newRow("PNG") << "p.png" << QByteArray("png") << QSize(33, 17);
        QTest::newRow("TIFF") << "p.tif" << QByteArray("tiff") << QSize(20, 50);
        QTest::newRow("WebP") << "p.webp" << QByteArray("webp") << QSize(24, 24);
        QTest::newRow("GIF") << "p.gif" << QByteArray() << QSize(1, 1);
        // A name that lies about the format: the bytes decide.
        QTest::newRow("PNG named .jpg") << "png.jpg" << QByteArray("png") << QSize(12, 7);
    }
    void readsEachFormat() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, writerFormat);
        QFETCH(QSize, size);
        const QString path = m_dir.filePath(fileName);
        if (writerFormat.isEmpty()) {
            QVERIFY(WriteBytes(path, OnePixelGif));
        } else {
            if (!QImageWriter::supportedImageFormats().contains(writerFormat))
                QSKIP("Qt's image format plug-ins are not installed (qt6-image-formats-plugins)");
            QVERIFY(WritePicture(path, size, Qt::red, writerFormat.constData()));
        }
        QVERIFY(m_picture.LoadFromFile(path));
        QCOMPARE(QSize(m_picture.WidthPixels(), m_picture.HeightPixels()), size);
        QCOMPARE(m_picture.DataSize(), QFileInfo(path).size());
        // 2540 hundredths of a millimetre to the inch, 96 pixels to the inch.
        QCOMPARE(m_picture.HimetricWidth(), (size.width() * 2540 + 48) / 96);
        QVERIFY(m_prompter.Boxes().isEmpty());
    }

    // Files that are no picture give false and an empty slot; only a file that cannot be opened
    // says so in a box of its own.
    void refusesWhatIsNoPicture_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("box");
        QTest::newRow("zero bytes") << "empty.jpg" << QByteArray() << false;
        QTest::newRow("text named .jpg")
            << "notes.jpg" << QByteArray("These are my notes, not a photo.\n") << false;
        QTest::newRow("cut-off JPEG header")
            << "cut.jpg" << QByteArray::fromHex("ffd8ffe000104a46") << false;
        // Metafiles have no decoder here: refused like any unknown bytes.
        QTest::newRow("EMF") << "drawing.emf"
                             << QByteArray::fromHex("010000006c00000000000000000000000a0000000a"
                                                    "000000000000000000000020454d460000010000")
                             << false;
        QTest::newRow("missing file") << "" << QByteArray() << true;
    }
    void refusesWhatIsNoPicture() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, box);
        QString path = m_dir.filePath(QStringLiteral("gone.jpg"));
        if (!fileName.isEmpty()) {
            path = m_dir.filePath(fileName);
            QVERIFY(WriteBytes(path, bytes));
        }
        // A picture held before is let go whatever happens next.
        QVERIFY(WritePicture(m_dir.filePath("held.png"), QSize(8, 8)));
        QVERIFY(m_picture.LoadFromFile(m_dir.filePath("held.png")));

        QVERIFY(!m_picture.LoadFromFile(path));
        QVERIFY(!m_picture.IsLoaded());
        QCOMPARE(m_picture.WidthPixels(), 0);
        QCOMPARE(m_picture.HeightPixels(), 0);
        if (box) {
            QCOMPARE(m_prompter.Boxes().size(), 1);
            QCOMPARE(m_prompter.Last().title, QStringLiteral("CPicture Error"));
            QCOMPARE(m_prompter.Last().icon, QMessageBox::Critical);
            QVERIFY(!m_prompter.Last().text.isEmpty());
            QCOMPARE(m_picture.DataSize(), 0);
        } else {
            QVERIFY(m_prompter.Boxes().isEmpty());
        }
    }

    void secondLoadReplacesFirst() {
        QVERIFY(WritePicture(m_dir.filePath("a.png"), QSize(40, 30), Qt::red));
        QVERIFY(WritePicture(m_dir.filePath("b.png"), QSize(20, 10), Qt::blue));
        QVERIFY(m_picture.LoadFromFile(m_dir.filePath("a.png")));
        QVERIFY(m_picture.LoadFromFile(m_dir.filePath("b.png")));
        QCOMPARE(m_picture.PictureHandle().size(), QSize(20, 10));
        QCOMPARE(m_picture.PictureHandle().pixelColor(0, 0), QColor(Qt::blue));
        m_picture.Release();
        m_picture.Release(); // on an empty picture: nothing changes
        QVERIFY(!m_picture.IsLoaded());
        QCOMPARE(m_picture.DataSize(), 0);
    }

    void turnsPhotographsUpright() {
        // A camera held upright writes a landscape frame and says "turn by 90 degrees".
        QImage frame(40, 20, QImage::Format_RGB32);
        frame.fill(Qt::red);
        QImageWriter writer(m_dir.filePath("upright.jpg"), "jpg");
        writer.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(writer.write(frame));
        QVERIFY(m_picture.LoadFromFile(m_dir.filePath("upright.jpg")));
        QCOMPARE(QSize(m_picture.WidthPixels(), m_picture.HeightPixels()), QSize(20, 40));
    }

    // Magnification m draws at (m + 1) times the size the picture has on the device.
    void drawsMagnified_data() {
        QTest::addColumn<int>("magnification");
        QTest::addColumn<int>("deviceDpi");
        QTest::addColumn<QSize>("drawn");
        QTest::newRow("natural size") << 0 << 96 << QSize(30, 20);
        QTest::newRow("twice") << 1 << 96 << QSize(60, 40);
        QTest::newRow("natural size at 192 dpi") << 0 << 192 << QSize(60, 40);
        QTest::newRow("twice at 192 dpi") << 1 << 192 << QSize(120, 80);
    }
    void drawsMagnified() {
        QFETCH(int, magnification);
        QFETCH(int, deviceDpi);
        QFETCH(QSize, drawn);
        QVERIFY(WritePicture(m_dir.filePath("m.png"), QSize(30, 20), Qt::red));
        QVERIFY(m_picture.LoadFromFile(m_dir.filePath("m.png")));
        QImage canvas = Canvas(QSize(200, 120), deviceDpi);
        QVERIFY(m_picture.MeasureOnDevice(&canvas));
        QPainter painter(&canvas);
        QVERIFY(m_picture.DrawMagnified(&painter, QPoint(5, 7),
                                        QSize(m_picture.WidthPixels(), m_picture.HeightPixels()),
                                        magnification, magnification));
        painter.end();
        QCOMPARE(Extent(canvas, Qt::red), QRect(QPoint(5, 7), drawn));
    }

    void drawingNeedsPainterAndPicture() {
        QImage canvas = Canvas(QSize(50, 50));
        QPainter painter(&canvas);
        QVERIFY(!m_picture.DrawInRect(&painter, QRect(0, 0, 10, 10)));
        QVERIFY(!m_picture.DrawMagnified(&painter, QPoint(), QSize(10, 10), 0, 0));
        QVERIFY(!m_picture.MeasureOnDevice(&canvas));
        QVERIFY(WritePicture(m_dir.filePath("d.png"), QSize(10, 10)));
        QVERIFY(m_picture.LoadFromFile(m_dir.filePath("d.png")));
        QVERIFY(!m_picture.DrawInRect(nullptr, QRect(0, 0, 10, 10)));
        QVERIFY(!m_picture.MeasureOnDevice(nullptr));
        QCOMPARE(m_picture.WidthPixels(), 0);
        QVERIFY(m_prompter.Boxes().isEmpty());
    }

    void drawsStretchedIntoRect() {
        QVERIFY(WritePicture(m_dir.filePath("s.png"), QSize(30, 20), Qt::red));
        QVERIFY(m_picture.LoadFromFile(m_dir.filePath("s.png")));
        QImage canvas = Canvas(QSize(100, 100));
        QPainter painter(&canvas);
        QVERIFY(m_picture.DrawInRect(&painter, QRect(10, 20, 15, 50)));
        painter.end();
        QCOMPARE(Extent(canvas, Qt::red), QRect(10, 20, 15, 50));
    }

    // The slots form one row of pictures up to the first empty one.
    void slotsCountUpToFirstGap() {
        ReleasePictureSlots();
        QCOMPARE(LoadedSlotCount(), 0);
        QVERIFY(WritePicture(m_dir.filePath("x.png"), QSize(4, 4)));
        auto& table = PictureSlots();
        QVERIFY(table[0].LoadFromFile(m_dir.filePath("x.png")));
        QVERIFY(table[1].LoadFromFile(m_dir.filePath("x.png")));
        QVERIFY(table[3].LoadFromFile(m_dir.filePath("x.png")));
        QCOMPARE(LoadedSlotCount(), 2);
        QVERIFY(table[2].LoadFromFile(m_dir.filePath("x.png")));
        QCOMPARE(LoadedSlotCount(), 4);
        ReleasePictureSlots();
        QCOMPARE(LoadedSlotCount(), 0);
        QVERIFY(!table[3].IsLoaded());
    }

private:
    QTemporaryDir m_dir;
    ScriptedPrompter m_prompter;
    CPicture m_picture;
};

QTEST_MAIN(PictureLoaderTest)
#include "PictureLoaderTest.moc"
