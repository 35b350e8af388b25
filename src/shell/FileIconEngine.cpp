#include "FileIconEngine.h"

#include "platform/SharpImage.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace vitalog {

bool FileIconEngine::AddFile(const QString& path, QIcon::Mode mode) {
    // The header tells the size; an unreadable file has none. Most commands have no hover
    // image: asking the readers about a missing file costs more than looking for it.
    const QSize size = QFileInfo::exists(path) ? QImageReader(path).size() : QSize();
    if (!size.isValid())
        return false;
    QString sharp = DoubleSizeFile(path);
    if (!QFileInfo::exists(sharp))
        sharp.clear();
    m_files[mode] = Files{path, sharp, size};
    return true;
}

const FileIconEngine::Files& FileIconEngine::FilesFor(QIcon::Mode mode) const {
    const auto it = m_files.find(mode);
    return it != m_files.end() ? it->second : m_files.at(QIcon::Normal);
}

const QIcon& FileIconEngine::Loaded(const QString& path) {
    auto it = m_loaded.find(path);
    if (it == m_loaded.end())
        it = m_loaded.emplace(path, QIcon(path)).first;
    return it->second;
}

QPixmap FileIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    if (m_files.empty())
        return {};
    // Disabled and selected looks are made from an image by Qt's own icon.
    const bool ownImage = mode == QIcon::Normal || mode == QIcon::Active;
    const Files& files = FilesFor(ownImage ? mode : QIcon::Normal);
    // Asked for more pixels than the image has: a high-resolution screen.
    const bool wantSharp = size.width() > files.size.width() || size.height() > files.size.height();
    const QString& path = wantSharp && !files.sharp.isEmpty() ? files.sharp : files.normal;
    return Loaded(path).pixmap(size, 1.0, ownImage ? QIcon::Normal : mode, state);
}

QSize FileIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State) {
    if (m_files.empty())
        return {};
    const QSize natural = FilesFor(mode).size;
    return natural.width() > size.width() || natural.height() > size.height()
               ? natural.scaled(size, Qt::KeepAspectRatio)
               : natural;
}

void FileIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                           QIcon::State state) {
    const qreal ratio = painter->device()->devicePixelRatioF();
    QPixmap image = pixmap(rect.size() * ratio, mode, state);
    image.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, image);
}

QList<QSize> FileIconEngine::availableSizes(QIcon::Mode mode, QIcon::State) {
    if (m_files.empty())
        return {};
    const Files& files = FilesFor(mode);
    QList<QSize> sizes{files.size};
    if (!files.sharp.isEmpty())
        sizes.append(files.size * 2);
    return sizes;
}

QIconEngine* FileIconEngine::clone() const {
    return new FileIconEngine(*this);
}

} // namespace vitalog
