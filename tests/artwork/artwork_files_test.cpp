// Every image the program reads (db/) or builds in (src/resources/images/)
// must load, at the size the windows lay it out for, and every icon has its
// "@2x" file: the same drawing at twice the resolution. images.qrc must list
// exactly the PNGs that exist, db.qrc exactly the files in db/ (a new data
// folder receives what db.qrc lists). Usage: artwork_files_test REPOSITORY_ROOT

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

int failures = 0;

void fail(const QString& what) {
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    ++failures;
}

QImage load(const QDir& root, const QString& path, int width, int height) {
    QImageReader reader(root.filePath(path));
    QImage image = reader.read();
    if (image.isNull()) {
        fail(path + QStringLiteral(": does not load: ") + reader.errorString());
        return image;
    }
    if (image.width() != width || image.height() != height)
        fail(QStringLiteral("%1: %2 x %3, expected %4 x %5")
                 .arg(path)
                 .arg(image.width())
                 .arg(image.height())
                 .arg(width)
                 .arg(height));
    return image;
}

QString doubleSizePath(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

QImage icon(const QDir& root, const QString& path, int size) {
    const QImage image = load(root, path, size, size);
    if (!image.isNull() && !image.hasAlphaChannel())
        fail(path + QStringLiteral(": has no alpha channel"));
    return image;
}

// Mean difference per channel of two images of one size, premultiplied.
double meanDifference(const QImage& a, const QImage& b, int* worst = nullptr) {
    double total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qAlpha(p) - qAlpha(q), qRed(p) - qRed(q), qGreen(p) - qGreen(q),
                                qBlue(p) - qBlue(q)}) {
                total += std::abs(d);
                if (worst)
                    *worst = std::max(*worst, std::abs(d));
            }
        }
    return total / (4.0 * a.width() * a.height());
}

// The @2x image, averaged over 2 x 2 pixels, must give the 1x image back (a stale or swapped
// file does not), and must not be the 1x image enlarged (that is the blur it is there to mend).
// Text is hinted to each size's own pixels, so single pixels of a picture with text may differ
// much; only the mean says there whether it is the same drawing.
void sameDrawing(const QString& path, const QImage& normal, const QImage& sharp,
                 bool withText = false) {
    const QImage a = normal.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = sharp.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage halved(a.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int j = 0; j < 2; ++j)
                for (int i = 0; i < 2; ++i) {
                    const QRgb q = b.pixel(2 * x + i, 2 * y + j);
                    sum[0] += qAlpha(q), sum[1] += qRed(q), sum[2] += qGreen(q), sum[3] += qBlue(q);
                }
            halved.setPixel(
                x, y,
                qRgba((sum[1] + 2) / 4, (sum[2] + 2) / 4, (sum[3] + 2) / 4, (sum[0] + 2) / 4));
        }
    int worst = 0;
    const double mean = meanDifference(halved, a, &worst);
    if (mean > 2.0 || (!withText && worst > 32))
        fail(QStringLiteral("%1: not the drawing of the 1x image (mean difference %2, largest %3)")
                 .arg(doubleSizePath(path))
                 .arg(mean, 0, 'f', 2)
                 .arg(worst));
    const QImage blurred = a.scaled(b.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (b == a.scaled(b.size()) || meanDifference(b, blurred) < 2.0)
        fail(doubleSizePath(path) + QStringLiteral(": the 1x image enlarged"));
}

// An icon shown at `size` logical pixels, and its "@2x" file for 200 % scaling.
QImage sharpIcon(const QDir& root, const QString& path, int size) {
    const QImage normal = icon(root, path, size);
    const QImage sharp = icon(root, doubleSizePath(path), 2 * size);
    if (!normal.isNull() && !sharp.isNull() && sharp.size() == 2 * normal.size())
        sameDrawing(path, normal, sharp);
    return normal;
}

// The chart pictures go into reports as 24-bit device-independent bitmaps; screens at 200 %
// show their "@2x" file.
void chart(const QDir& root, const QString& path) {
    QFile file(root.filePath(path));
    if (!file.open(QIODevice::ReadOnly)) {
        fail(path + QStringLiteral(": missing"));
        return;
    }
    const QByteArray head = file.read(30);
    if (head.size() < 30 || !head.startsWith("BM") || quint8(head[28]) != 24 ||
        quint8(head[29]) != 0)
        fail(path + QStringLiteral(": not a 24-bit BMP"));
    QImageReader reader(root.filePath(path));
    const QImage image = reader.read();
    if (image.isNull())
        fail(path + QStringLiteral(": does not load: ") + reader.errorString());
    else if (image.width() < 600 || image.width() > 800 || image.height() < 200)
        fail(QStringLiteral("%1: %2 x %3 is not a legible chart size")
                 .arg(path)
                 .arg(image.width())
                 .arg(image.height()));
    const QImage sharp(root.filePath(doubleSizePath(path)));
    if (sharp.isNull() || sharp.size() != 2 * image.size())
        fail(doubleSizePath(path) + QStringLiteral(": missing or not twice the size"));
    else
        sameDrawing(path, image, sharp, /*withText=*/true);
}

void hotPair(const QDir& root, const QString& base, int size) {
    const QImage normal = sharpIcon(root, base + QStringLiteral(".png"), size);
    const QImage hot = sharpIcon(root, base + QStringLiteral("_hot.png"), size);
    if (!normal.isNull() && normal == hot)
        fail(base + QStringLiteral("_hot.png: same as the normal image"));
}

// A qrc file's entries: alias -> file as written.
QMap<QString, QString> qrcEntries(const QDir& root, const QString& path) {
    QMap<QString, QString> entries;
    QFile file(root.filePath(path));
    if (!file.open(QIODevice::ReadOnly)) {
        fail(path + QStringLiteral(": missing"));
        return entries;
    }
    static const QRegularExpression entry(
        QStringLiteral("<file alias=\"([^\"]+)\">([^<]+)</file>"));
    for (auto it = entry.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
        const auto m = it.next();
        entries.insert(m.captured(1), m.captured(2));
    }
    return entries;
}

// Lists exactly `files`, each under its own name from `folder` (as the qrc file spells it).
void listsExactly(const QString& qrc, const QMap<QString, QString>& entries,
                  const QStringList& files, const QString& folder) {
    for (const QString& f : files)
        if (!entries.contains(f))
            fail(QStringLiteral("%1 does not list %2").arg(qrc, f));
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (!files.contains(it.key()))
            fail(QStringLiteral("%1 lists missing %2").arg(qrc, it.key()));
        if (it.value() != folder + it.key())
            fail(QStringLiteral("%1: alias %2 for %3").arg(qrc, it.key(), it.value()));
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork_files_test REPOSITORY_ROOT\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));

    for (const char* name : {"calculator2", "tape", "bmi", "bp", "history_bf", "history_tp",
                             "history_bp", "history_bmi", "history_usr"})
        sharpIcon(root, QStringLiteral("db/%1.ico").arg(QLatin1String(name)), 32);

    for (const char* name : {"bodyfatchart", "BMI", "bloodpressure"})
        chart(root, QStringLiteral("db/%1.bmp").arg(QLatin1String(name)));

    const QString img = QStringLiteral("src/resources/images/");
    for (const char* name : {"users", "slideshow", "graph", "print", "bmi", "history_bf",
                             "history_tape", "history_bmi", "history_users", "history_bp", "tape",
                             "bodyfat", "bp", "export", "about", "delete_bf"})
        sharpIcon(root, img + QStringLiteral("menu_%1.png").arg(QLatin1String(name)), 16);

    for (const char* name :
         {"users", "bodyfat", "history", "slideshow", "graph", "print", "export", "website", "buy"})
        hotPair(root, img + QStringLiteral("toolbar_%1").arg(QLatin1String(name)), 32);
    for (const char* name : {"save", "delete", "help", "calculate"})
        hotPair(root, img + QStringLiteral("action_%1").arg(QLatin1String(name)), 24);
    sharpIcon(root, img + QStringLiteral("fallback_calculators.png"), 32);
    sharpIcon(root, img + QStringLiteral("fallback_history.png"), 32);
    icon(root, img + QStringLiteral("vitalog.png"), 256);
    icon(root, img + QStringLiteral("vitalog-48.png"), 48);

    // images.qrc: one entry per PNG, each reachable as :/images/<name>.
    const QString images = QStringLiteral("src/resources/images.qrc");
    QFile qrcFile(root.filePath(images));
    if (qrcFile.open(QIODevice::ReadOnly) && !qrcFile.readAll().contains("prefix=\"/images\""))
        fail(QStringLiteral("images.qrc: no \"/images\" prefix"));
    listsExactly(images, qrcEntries(root, images),
                 QDir(root.filePath(img)).entryList({QStringLiteral("*.png")}, QDir::Files),
                 QStringLiteral("images/"));
    // db.qrc: every file of db/, which a new data folder receives.
    const QString db = QStringLiteral("src/resources/db.qrc");
    listsExactly(db, qrcEntries(root, db),
                 QDir(root.filePath(QStringLiteral("db"))).entryList(QDir::Files),
                 QStringLiteral("../../db/"));

    if (failures == 0)
        std::printf("all artwork files present and sized as expected\n");
    return failures == 0 ? 0 : 1;
}
