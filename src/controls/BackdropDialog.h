#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

namespace vitalog {

// A dialog that paints a picture as its whole background, tiled, centred or stretched, with
// its labels drawn transparently over it.
class BackdropDialog : public QDialog {
    Q_OBJECT

public:
    enum Mode { Tile = 0, Centre = 1, Stretch = 2 };

    explicit BackdropDialog(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Accepts 0, 1 and 2; other values are ignored.
    void SetBackdropMode(int mode);
    int BackdropMode() const { return m_mode; }
    void SetBackdrop(const QPixmap& backdrop);
    // Loads the picture from a file or resource path; false when it cannot be read.
    bool SetBackdrop(const QString& path);
    const QPixmap& Backdrop() const { return m_backdrop; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    void MakeLabelsTransparent();

    QPixmap m_backdrop;
    int m_mode = Tile;
};

} // namespace vitalog
