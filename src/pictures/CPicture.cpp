#include "CPicture.h"

#include "platform/Prompter.h"
#include "reports/RtfPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>
#include <QRect>

#include <new>
#include <vector>

namespace vitalog {

namespace {

const QString ErrorTitle = QStringLiteral("CPicture Error");
const QString NoMemory = QStringLiteral("Can not allocate enough memory\t");

} // namespace

void CPicture::ShowError(const QString& text) const {
    if (m_prompter)
        m_prompter->Show(m_owner, ErrorTitle, text, QMessageBox::Critical, QMessageBox::Ok);
}

bool CPicture::LoadFromFile(const QString& path) {
    if (IsLoaded())
        Release();
    bool result = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(file.errorString().left(255));
        m_dataSize = 0;
    } else {
        const qint64 length = file.size();
        std::vector<char> buffer;
        try {
            buffer.resize(std::size_t(length));
        } catch (const std::bad_alloc&) {
            ShowError(NoMemory);
            return false;
        }
        const qint64 read = length > 0 ? file.read(buffer.data(), length) : 0;
        if (read > 0)
            result = LoadFromMemory(buffer.data(), read);
        m_dataSize = std::int32_t(qMin<qint64>(length, INT32_MAX));
    }
    if (IsLoaded()) {
        m_widthPixels = std::int32_t(HimetricToPixels(HimetricWidth(), LoaderPixelsPerInch));
        m_heightPixels = std::int32_t(HimetricToPixels(HimetricHeight(), LoaderPixelsPerInch));
    } else {
        m_widthPixels = m_heightPixels = 0;
        result = false;
    }
    return result;
}

bool CPicture::LoadFromMemory(const char* bytes, std::int64_t count) {
    if (!bytes || count <= 0)
        return false;
    QByteArray data = QByteArray::fromRawData(bytes, qsizetype(count));
    QBuffer stream(&data);
    if (!stream.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&stream);
    // Photographs carry their orientation in EXIF; show them upright.
    reader.setAutoTransform(true);
    // A photograph of a modern camera is larger than Qt's default limit of 128 MB.
    reader.setAllocationLimit(1024);
    QImage image = reader.read();
    if (image.isNull())
        return false; // not a picture the reader knows: the caller says so
    m_picture = std::move(image);
    return true;
}

void CPicture::Release() {
    m_picture = QImage();
    m_heightPixels = 0;
    m_dataSize = 0;
    m_widthPixels = 0;
}

std::int64_t CPicture::HimetricWidth() const {
    return IsLoaded() ? PixelsToHimetric(m_picture.width()) : 0;
}

std::int64_t CPicture::HimetricHeight() const {
    return IsLoaded() ? PixelsToHimetric(m_picture.height()) : 0;
}

bool CPicture::DrawInRect(QPainter* painter, const QRect& rect) const {
    if (!painter || !painter->isActive() || !IsLoaded())
        return false;
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(rect, m_picture);
    painter->restore();
    return true;
}

bool CPicture::DrawMagnified(QPainter* painter, const QPoint& topLeft, const QSize& base,
                             int magnifyX, int magnifyY) const {
    if (!painter || !painter->isActive() || !IsLoaded() || !painter->device())
        return false;
    const QPaintDevice* device = painter->device();
    const auto deviceWidth = HimetricToPixels(HimetricWidth(), device->logicalDpiX());
    const auto deviceHeight = HimetricToPixels(HimetricHeight(), device->logicalDpiY());
    const QSize size(int(base.width() + deviceWidth * magnifyX),
                     int(base.height() + deviceHeight * magnifyY));
    return DrawInRect(painter, QRect(topLeft, size));
}

bool CPicture::MeasureOnDevice(const QPaintDevice* device) {
    if (!device || !IsLoaded()) {
        m_widthPixels = m_heightPixels = 0;
        return false;
    }
    m_widthPixels = std::int32_t(HimetricToPixels(HimetricWidth(), device->logicalDpiX()));
    m_heightPixels = std::int32_t(HimetricToPixels(HimetricHeight(), device->logicalDpiY()));
    return true;
}

std::array<CPicture, PictureSlotCount>& PictureSlots() {
    static std::array<CPicture, PictureSlotCount> table;
    return table;
}

void ReleasePictureSlots() {
    for (CPicture& slot : PictureSlots())
        slot.Release();
}

int LoadedSlotCount() {
    int count = 0;
    while (count < PictureSlotCount && PictureSlots()[std::size_t(count)].IsLoaded())
        ++count;
    return count;
}

void SetPictureSlotsPrompter(Prompter* prompter, QWidget* owner) {
    for (CPicture& slot : PictureSlots())
        slot.SetPrompter(prompter, owner);
}

} // namespace vitalog
