#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QSize>
#include <QString>

#include <map>
#include <utility>

namespace vitalog {

// An icon made of image files that are decoded only when first drawn, and then only at the
// resolution asked for: a file and its "@2x" file of twice the resolution per mode. Most of
// the program's images (menu images, hover images, "@2x" files at 100 %) are never drawn at
// start-up, and decoding them all there doubled the time to the first paint.
class FileIconEngine : public QIconEngine {
public:
    // False (and nothing added) if the file is not a readable image. A missing "@2x" file is
    // no error: the image is then enlarged.
    bool AddFile(const QString& path, QIcon::Mode mode);

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override { return QStringLiteral("FileIconEngine"); }
    bool isNull() override { return m_files.empty(); }

private:
    struct Files {
        QString normal;
        QString sharp; // empty when there is none
        QSize size;    // of the normal file, read from its header
    };
    // The files for a mode: Active falls back to Normal, as Qt's own icons do.
    const Files& FilesFor(QIcon::Mode mode) const;
    // The decoded image of one file, as an icon that draws it.
    const QIcon& Loaded(const QString& path);

    std::map<QIcon::Mode, Files> m_files;
    std::map<QString, QIcon> m_loaded;
};

} // namespace vitalog
