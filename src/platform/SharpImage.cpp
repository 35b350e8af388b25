#include "SharpImage.h"

#include <QFileInfo>
#include <QImageReader>

namespace vitalog {

QString DoubleSizeFile(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype at = dot > path.lastIndexOf(QLatin1Char('/')) ? dot : path.size();
    return path.left(at) + QStringLiteral("@2x") + path.mid(at);
}

QImage ReadSharpImage(const QString& path, qreal devicePixelRatio) {
    const QString sharpPath = DoubleSizeFile(path);
    if (devicePixelRatio > 1 && QFileInfo::exists(sharpPath)) {
        QImage sharp = QImageReader(sharpPath).read();
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return QImageReader(path).read();
}

} // namespace vitalog
