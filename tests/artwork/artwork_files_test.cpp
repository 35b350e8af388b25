// Every image the program reads (db/) or builds in (src/resources/images/)
// must load, at the size the windows lay it out for; the .qrc must list
// exactly the PNGs that exist. Usage: artwork_files_test REPOSITORY_ROOT

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>

#include <cstdio>

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

void icon(const QDir& root, const QString& path, int size) {
    const QImage image = load(root, path, size, size);
    if (!image.isNull() && !image.hasAlphaChannel())
        fail(path + QStringLiteral(": has no alpha channel"));
}

// The chart pictures go into reports as 24-bit device-independent bitmaps.
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
}

void hotPair(const QDir& root, const QString& base, int size) {
    const QImage normal = load(root, base + QStringLiteral(".png"), size, size);
    const QImage hot = load(root, base + QStringLiteral("_hot.png"), size, size);
    if (!normal.isNull() && normal == hot)
        fail(base + QStringLiteral("_hot.png: same as the normal image"));
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
        icon(root, QStringLiteral("db/%1.ico").arg(QLatin1String(name)), 32);

    for (const char* name : {"bodyfatchart", "BMI", "bloodpressure"})
        chart(root, QStringLiteral("db/%1.bmp").arg(QLatin1String(name)));

    const QString img = QStringLiteral("src/resources/images/");
    for (const char* name : {"users", "slideshow", "graph", "print", "bmi", "history_bf",
                             "history_tape", "history_bmi", "history_users", "history_bp", "tape",
                             "bodyfat", "bp", "export", "about", "delete_bf"})
        icon(root, img + QStringLiteral("menu_%1.png").arg(QLatin1String(name)), 16);

    for (const char* name : {"users", "bodyfat", "history", "slideshow", "graph", "print", "export",
                             "website", "buy"}) {
        icon(root, img + QStringLiteral("toolbar_%1.png").arg(QLatin1String(name)), 32);
        icon(root, img + QStringLiteral("toolbar_%1_hot.png").arg(QLatin1String(name)), 32);
        hotPair(root, img + QStringLiteral("toolbar_%1").arg(QLatin1String(name)), 32);
    }
    for (const char* name : {"save", "delete", "help", "calculate"}) {
        icon(root, img + QStringLiteral("action_%1.png").arg(QLatin1String(name)), 24);
        icon(root, img + QStringLiteral("action_%1_hot.png").arg(QLatin1String(name)), 24);
        hotPair(root, img + QStringLiteral("action_%1").arg(QLatin1String(name)), 24);
    }
    icon(root, img + QStringLiteral("fallback_calculators.png"), 32);
    icon(root, img + QStringLiteral("fallback_history.png"), 32);
    icon(root, img + QStringLiteral("vitalog.png"), 256);
    icon(root, img + QStringLiteral("vitalog-48.png"), 48);

    // images.qrc: one entry per PNG, each reachable as :/images/<name>.
    QFile qrcFile(root.filePath(QStringLiteral("src/resources/images.qrc")));
    if (!qrcFile.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("src/resources/images.qrc: missing"));
    } else {
        const QString qrc = QString::fromUtf8(qrcFile.readAll());
        if (!qrc.contains(QStringLiteral("prefix=\"/images\"")))
            fail(QStringLiteral("images.qrc: no \"/images\" prefix"));
        QSet<QString> listed;
        static const QRegularExpression entry(
            QStringLiteral("<file alias=\"([^\"]+)\">images/([^<]+)</file>"));
        for (auto it = entry.globalMatch(qrc); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(1) != m.captured(2))
                fail(QStringLiteral("images.qrc: alias %1 for images/%2")
                         .arg(m.captured(1), m.captured(2)));
            listed.insert(m.captured(2));
        }
        const QStringList pngs =
            QDir(root.filePath(img)).entryList({QStringLiteral("*.png")}, QDir::Files);
        for (const QString& png : pngs)
            if (!listed.contains(png))
                fail(QStringLiteral("images.qrc does not list %1").arg(png));
        for (const QString& name : std::as_const(listed))
            if (!pngs.contains(name))
                fail(QStringLiteral("images.qrc lists missing %1").arg(name));
    }

    if (failures == 0)
        std::printf("all artwork files present and sized as expected\n");
    return failures == 0 ? 0 : 1;
}
