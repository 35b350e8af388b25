#include "platform/SharpImage.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace vitalog;

class SharpImageTest : public QObject {
    Q_OBJECT

private slots:
    void doubleSizeFileNames();
    void chosenByTheScreensRatio();
};

void SharpImageTest::doubleSizeFileNames() {
    QCOMPARE(DoubleSizeFile(QStringLiteral("/d/db/BMI.bmp")), QStringLiteral("/d/db/BMI@2x.bmp"));
    QCOMPARE(DoubleSizeFile(QStringLiteral(":/images/a.b/menu")),
             QStringLiteral(":/images/a.b/menu@2x"));
    QCOMPARE(DoubleSizeFile(QStringLiteral("x.tar.png")), QStringLiteral("x.tar@2x.png"));
}

void SharpImageTest::chosenByTheScreensRatio() {
    QTemporaryDir dir;
    const QString normalPath = dir.filePath(QStringLiteral("chart.bmp"));
    QImage normal(30, 20, QImage::Format_RGB32);
    normal.fill(Qt::red);
    QVERIFY(normal.save(normalPath));

    // Without an "@2x" file every screen gets the file itself.
    QCOMPARE(ReadSharpImage(normalPath, 2).size(), QSize(30, 20));
    QCOMPARE(ReadSharpImage(normalPath, 2).devicePixelRatio(), 1.0);

    QImage sharp(60, 40, QImage::Format_RGB32);
    sharp.fill(Qt::blue);
    QVERIFY(sharp.save(DoubleSizeFile(normalPath)));
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        const QImage read = ReadSharpImage(normalPath, ratio);
        QCOMPARE(read.deviceIndependentSize(), QSizeF(30, 20));
        QCOMPARE(read.pixel(0, 0), ratio > 1 ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
    }

    // An unreadable "@2x" file is no error.
    QFile broken(DoubleSizeFile(normalPath));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a picture");
    broken.close();
    QCOMPARE(ReadSharpImage(normalPath, 2).pixel(0, 0), qRgb(255, 0, 0));
    QVERIFY(ReadSharpImage(dir.filePath(QStringLiteral("missing.bmp")), 2).isNull());
}

QTEST_GUILESS_MAIN(SharpImageTest)
#include "SharpImageTest.moc"
