#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <functional>

namespace vitalog {

// A dialog that paints a picture as its whole background, tiled, centred or stretched, with
// its labels drawn transparently over it. The picture is placed by its logical size, whatever
// its device pixel ratio.
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
    // A picture drawn by code, rendered for the dialog's device pixel ratio: again whenever that
    // ratio changes (the dialog moved to a screen of another scale), so that it stays sharp.
    using BackdropRenderer = std::function<QPixmap(qreal devicePixelRatio)>;
    void SetDrawnBackdrop(BackdropRenderer render);
    const QPixmap& Backdrop() const { return m_backdrop; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    void MakeLabelsTransparent();
    void RenderBackdrop();

    QPixmap m_backdrop;
    BackdropRenderer m_render;
    qreal m_renderedRatio = 0;
    int m_mode = Tile;
};

} // namespace vitalog
