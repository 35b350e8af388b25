// vitalog_artwork ROOT [--sheet PREFIX]
//
// Draws every icon, toolbar image and classification chart of Vitalog and
// writes them into the source tree under ROOT (db/ and src/resources/images/),
// together with src/resources/images.qrc. The output is the same, byte for
// byte, on every run with the same fonts installed.
//
// --sheet PREFIX also writes review sheets (PREFIX-nav.png, -menu, -toolbar,
// -action, -program, -zoom and -charts) that show each image at 100 % and
// 200 % on white and on the screens' light blue.
//
// Every icon shown on screen also gets "name@2x.ext", the same drawing at twice
// the resolution, which the program uses at 200 % scaling.

#include "charts.h"
#include "icons.h"
#include "painting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

const QColor kScreenBlue(191, 219, 255);

bool writeFile(const QString& root, const QString& relative, const QByteArray& format,
               const QImage& image) {
    const QString path = QDir(root).filePath(relative);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        std::fprintf(stderr, "cannot create the folder of %s\n", qPrintable(path));
        return false;
    }
    QImageWriter writer(path, format);
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool writeImage(const QString& root, const art::Artwork& a) {
    bool ok = writeFile(root, a.path, a.format, a.image);
    if (!a.image2x.isNull())
        ok = writeFile(root, art::doubleSizePath(a.path), a.format, a.image2x) && ok;
    return ok;
}

// Every PNG in the images folder, under the "/images" prefix by its bare name.
bool writeQrc(const QString& root) {
    const QDir images(QDir(root).filePath(QStringLiteral("src/resources/images")));
    const QStringList files = images.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    QString text;
    QTextStream out(&text);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/images\">\n";
    for (const QString& f : files)
        out << "    <file alias=\"" << f << "\">images/" << f << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    QFile qrc(QDir(root).filePath(QStringLiteral("src/resources/images.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(qrc.fileName()));
        return false;
    }
    qrc.write(text.toUtf8());
    return true;
}

QImage zoomed(const QImage& image, int factor) {
    return image.scaled(image.size() * factor); // nearest neighbour: shows the real pixels
}

void label(QPainter& p, int x, int y, const QString& text) {
    p.setPen(QColor(60, 60, 60));
    p.setFont(art::uiFont(11));
    p.drawText(QPointF(x, y + 11), text);
}

// Tiles of: name, then [1x 2x] on white and [1x 2x] on the screens' blue; the 2x is the @2x
// image where there is one, else the 1x enlarged.
void iconSheet(const std::vector<const art::Artwork*>& icons, const QString& file) {
    if (icons.empty())
        return;
    int s = 0;
    for (const auto* a : icons)
        s = std::max(s, a->image.width());
    const bool big = s > 48;
    const int panelW = big ? s + 8 : s * 3 + 12;
    const int panelH = big ? s + 8 : 2 * s + 8;
    const int tileW = std::max(2 * panelW + 18, 150), tileH = panelH + 26;
    const int perRow = std::max(1, 900 / tileW);
    const int rows = int((icons.size() + perRow - 1) / perRow);
    QImage sheet(tileW * perRow, rows * tileH, QImage::Format_RGB32);
    sheet.fill(QColor(236, 236, 236));
    QPainter p(&sheet);
    for (size_t i = 0; i < icons.size(); ++i) {
        const art::Artwork& a = *icons[i];
        const int x = int(i % perRow) * tileW, y = int(i / perRow) * tileH;
        label(p, x + 6, y + 2, QFileInfo(a.path).fileName());
        const QColor bgs[] = {Qt::white, kScreenBlue};
        for (int b = 0; b < 2; ++b) {
            const int px = x + 6 + b * (panelW + 6);
            p.fillRect(QRect(px, y + 18, panelW, panelH), bgs[b]);
            p.drawImage(QPoint(px + 4, y + 22), a.image);
            if (!big)
                p.drawImage(QPoint(px + 8 + a.image.width(), y + 22),
                            a.image2x.isNull() ? zoomed(a.image, 2) : a.image2x);
        }
    }
    p.end();
    sheet.save(file);
}

// Every small image at 400 % (nearest), for checking the pixels themselves.
void zoomSheet(const std::vector<art::Artwork>& icons, const QString& file) {
    std::vector<const art::Artwork*> small;
    for (const auto& a : icons)
        if (a.image.width() <= 32)
            small.push_back(&a);
    const int cell = 140, perRow = 10;
    const int rows = int((small.size() + perRow - 1) / perRow);
    QImage sheet(cell * perRow, rows * cell, QImage::Format_RGB32);
    sheet.fill(QColor(240, 240, 240));
    QPainter p(&sheet);
    for (size_t i = 0; i < small.size(); ++i) {
        const int x = int(i % perRow) * cell, y = int(i / perRow) * cell;
        const QImage z = zoomed(small[i]->image, 4);
        p.fillRect(QRect(x + 2, y + 2, cell - 4, cell - 4),
                   (i / perRow) % 2 ? Qt::white : kScreenBlue);
        p.drawImage(QPoint(x + (cell - z.width()) / 2, y + (cell - z.height()) / 2), z);
    }
    p.end();
    sheet.save(file);
}

// Charts at 100 % and at the report's 50 %, on the screens' pale yellow box.
void chartSheet(const std::vector<art::Artwork>& charts, const QString& file) {
    int w = 0, h = 0;
    for (const auto& a : charts) {
        w = std::max(w, a.image.width() + a.image.width() / 2 + 30);
        h += a.image.height() + 20;
    }
    QImage sheet(w, h, QImage::Format_RGB32);
    sheet.fill(QColor(255, 255, 204));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    int y = 10;
    for (const auto& a : charts) {
        p.drawImage(QPoint(10, y), a.image);
        p.drawImage(QRectF(20 + a.image.width(), y, a.image.width() / 2.0, a.image.height() / 2.0),
                    a.image);
        y += a.image.height() + 20;
    }
    p.end();
    sheet.save(file);
}

} // namespace

int main(int argc, char** argv) {
    // Drawing needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    QString root;
    QString sheet;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sheet") && i + 1 < args.size())
            sheet = args[++i];
        else if (root.isEmpty())
            root = args[i];
        else
            root.clear(), i = int(args.size());
    }
    if (root.isEmpty() || !QFileInfo(root).isDir()) {
        std::fprintf(stderr, "usage: vitalog_artwork REPOSITORY_ROOT [--sheet PREFIX]\n");
        return 2;
    }

    const std::vector<art::Artwork> icons = art::iconArtwork();
    const std::vector<art::Artwork> charts = art::chartArtwork();
    bool ok = true;
    for (const auto& a : icons)
        ok = writeImage(root, a) && ok;
    for (const auto& a : charts)
        ok = writeImage(root, a) && ok;
    ok = writeQrc(root) && ok;

    if (!sheet.isEmpty()) {
        // One sheet per kind, each small enough to view whole.
        const std::pair<const char*, std::function<bool(const art::Artwork&)>> kinds[] = {
            {"nav",
             [](const art::Artwork& a) {
                 return a.format == "ico" || a.path.contains(QLatin1String("fallback"));
             }},
            {"menu",
             [](const art::Artwork& a) { return a.path.contains(QLatin1String("/menu_")); }},
            {"toolbar",
             [](const art::Artwork& a) { return a.path.contains(QLatin1String("/toolbar_")); }},
            {"action",
             [](const art::Artwork& a) { return a.path.contains(QLatin1String("/action_")); }},
            {"program",
             [](const art::Artwork& a) { return a.path.contains(QLatin1String("vitalog")); }},
        };
        for (const auto& [kind, wanted] : kinds) {
            std::vector<const art::Artwork*> picked;
            for (const auto& a : icons)
                if (wanted(a))
                    picked.push_back(&a);
            iconSheet(picked, sheet + QStringLiteral("-%1.png").arg(QLatin1String(kind)));
        }
        zoomSheet(icons, sheet + QStringLiteral("-zoom.png"));
        chartSheet(charts, sheet + QStringLiteral("-charts.png"));
    }
    std::size_t written = charts.size();
    for (const auto& a : icons)
        written += a.image2x.isNull() ? 1 : 2;
    std::printf("%zu images written under %s\n", written, qPrintable(root));
    return ok ? 0 : 1;
}
