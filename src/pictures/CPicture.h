#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class QPaintDevice;
class QPainter;
class QPoint;
class QRect;
class QSize;

namespace vitalog {

class Prompter;

// One picture read from the user's disk, with its size, drawn stretched into a rectangle or at
// a whole-number magnification. Its own failures are shown in "CPicture Error" boxes; a file
// that is no known picture gives false without a box (the caller tells the user).
class CPicture {
public:
    CPicture() = default;
    virtual ~CPicture() = default;
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Where the boxes go; without a prompter nothing is shown.
    void SetPrompter(Prompter* prompter, QWidget* owner) {
        m_prompter = prompter;
        m_owner = owner;
    }

    bool LoadFromFile(const QString& path);
    bool LoadFromMemory(const char* bytes, std::int64_t count);
    void Release();

    // False, without a box, on a missing painter or an empty picture.
    bool DrawInRect(QPainter* painter, const QRect& rect) const;
    // Natural size on the device (base) plus magnification times the device size.
    bool DrawMagnified(QPainter* painter, const QPoint& topLeft, const QSize& base, int magnifyX,
                       int magnifyY) const;
    bool MeasureOnDevice(const QPaintDevice* device);

    bool IsLoaded() const { return !m_picture.isNull(); }
    const QImage& PictureHandle() const { return m_picture; }
    std::int32_t WidthPixels() const { return m_widthPixels; }
    std::int32_t HeightPixels() const { return m_heightPixels; }
    std::int32_t DataSize() const { return m_dataSize; }
    // The extent in hundredths of a millimetre, from the pixels at 96 dpi.
    std::int64_t HimetricWidth() const;
    std::int64_t HimetricHeight() const;

private:
    void ShowError(const QString& text) const;

    QImage m_picture;
    std::int32_t m_heightPixels = 0;
    std::int32_t m_dataSize = 0;
    std::int32_t m_widthPixels = 0;
    Prompter* m_prompter = nullptr;
    // The boxes' owner; the slots outlive every main window of a test run.
    QPointer<QWidget> m_owner;
};

inline constexpr int PictureSlotCount = 8;

// The program-wide table of pictures shown together; also the most that one date may hold.
// The loaded pictures are slots 0, 1, ... up to the first empty one.
std::array<CPicture, PictureSlotCount>& PictureSlots();
void ReleasePictureSlots();
int LoadedSlotCount();
// Every slot reports its failures through this prompter, in boxes owned by owner.
void SetPictureSlotsPrompter(Prompter* prompter, QWidget* owner);

} // namespace vitalog
