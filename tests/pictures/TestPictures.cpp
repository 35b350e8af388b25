#include "TestPictures.h"

#include "pictures/PictureRecords.h"
#include "records/RecordFile.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTest>

namespace vitalog::test {

namespace {

std::filesystem::path Data(const QString& dataDir) {
    return std::filesystem::path(QFile::encodeName(dataDir).toStdString());
}

} // namespace

bool WritePicture(const QString& path, QSize size, const QColor& color, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QImageWriter writer(path, format ? QByteArray(format) : QByteArray());
    return writer.write(image);
}

bool WritePhoto(const QString& path, QSize size, const QColor& figure, const QString& caption) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(140, 180, 230));
    sky.setColorAt(1, QColor(230, 240, 250));
    p.fillRect(image.rect(), sky);
    p.fillRect(QRect(0, size.height() * 3 / 4, size.width(), size.height() / 4),
               QColor(120, 150, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(figure);
    const int w = size.width();
    const int h = size.height();
    p.drawEllipse(QPoint(w / 2, h / 4), w / 10, w / 10);
    p.drawRoundedRect(QRect(w / 2 - w / 7, h / 4 + w / 9, 2 * w / 7, h / 2), 8, 8);
    p.setPen(Qt::black);
    QFont font = p.font();
    font.setPixelSize(qMax(10, h / 14));
    p.setFont(font);
    p.drawText(QRect(0, h - h / 6, w, h / 6), Qt::AlignCenter, caption);
    p.end();
    return image.save(path);
}

void AddBodyComposition(const QString& dataDir, const UserRecord& user, DateKey date,
                        double bodyFat, double weight) {
    BodyFatRecord record;
    record.user = user;
    record.user.weight = weight;
    record.bodyFat = bodyFat;
    record.fatWeight = weight * bodyFat / 100;
    record.leanWeight = weight - record.fatWeight;
    record.date = date;
    QCOMPARE(BodyFatFile::Append(Data(dataDir), record), StoreResult::Done);
}

void AddTape(const QString& dataDir, const UserRecord& user, DateKey date) {
    TapeRecord record;
    record.user = user;
    record.biceps = 10;
    record.forearmOrHip = 11;
    record.chest = 12;
    record.waist = 13;
    record.neck = 14;
    record.calf = 15;
    record.thigh = 16;
    record.date = date;
    QCOMPARE(TapeFile::Append(Data(dataDir), record), StoreResult::Done);
}

void AddPicture(const QString& dataDir, const UserRecord& user, DateKey date, const QString& path) {
    PictureRecord record;
    record.user = user;
    record.date = date;
    QVERIFY(record.SetPath(PathToStored(path)));
    QCOMPARE(PictureFile::Append(Data(dataDir), record), StoreResult::Done);
}

} // namespace vitalog::test
