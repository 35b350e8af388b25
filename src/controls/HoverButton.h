#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QPushButton>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

namespace vitalog {

class UrlOpener;

// A flat push button that lights up under the mouse and shows an icon or a bitmap beside,
// above, right of or under its caption. It may open a web address when clicked.
class HoverButton : public QPushButton {
    Q_OBJECT

public:
    // Background and text colour for each drawing state.
    enum class ColorRole {
        BackgroundIn, // under the mouse or pressed
        TextIn,
        BackgroundOut,
        TextOut,
        BackgroundFocus,
        TextFocus,
    };

    static constexpr int MaxUrlLength = 260;

    explicit HoverButton(QWidget* parent = nullptr);
    explicit HoverButton(const QString& text, QWidget* parent = nullptr);
    ~HoverButton() override;

    // Image at the given size; an empty size means the icon's natural (largest) size. A
    // missing file leaves the button without an image.
    void SetIcon(const QIcon& icon, QSize size = QSize());
    void SetIcon(const QString& path, int width = 0, int height = 0);
    // Pixels of the transparent colour are not drawn. Replaces any icon.
    void SetBitmap(const QPixmap& bitmap, const QColor& transparent);
    void SetBitmap(const QString& path, const QColor& transparent);

    // 0 image left of the caption, 1 above, 2 right of it, 3 over it. Refuses anything else.
    bool SetAlign(int align, bool repaint = true);
    void SetFlat(bool flat, bool repaint = true);
    void SetDrawBorder(bool draws, bool repaint = true);
    void SetAlwaysTrack(bool always);
    void SetPressedOffset(QPoint offset, bool repaint = true);
    void SetImageOrigin(QPoint origin, bool repaint = true);
    // Paints the parent's background from now on; the next paint captures it anew.
    void SetDrawTransparent(bool repaint = true);

    void SetColor(ColorRole role, const QColor& color, bool repaint = true);
    // Back to the palette's button face and button text colours.
    void SetDefaultColors(bool repaint = true);
    QColor Color(ColorRole role) const;

    void SetTooltipText(const QString& text, bool activate = true);
    void ActivateTooltip(bool activate = true);

    // Keeps at most MaxUrlLength characters; empty clears it.
    void SetUrl(const QString& url);
    // Null means the system opener.
    void SetUrlOpener(UrlOpener* opener);

    bool IsFlat() const { return m_isFlat; }
    bool DrawsBorder() const { return m_drawsBorder; }
    bool AlwaysTracks() const { return m_alwaysTracks; }
    int Align() const { return m_align; }
    QPoint PressedOffset() const { return m_pressedOffset; }
    QPoint ImageOrigin() const { return m_imageOrigin; }
    bool DrawsTransparent() const { return m_drawsTransparent; }
    QString TooltipText() const { return m_tooltipText; }
    QString Url() const { return m_url; }
    QSize ImageSize() const { return m_imageSize; }
    bool HasImage() const { return !m_image.isNull(); }

    bool IsHovering() const { return m_isHovering; }
    bool IsPressed() const { return isDown(); }
    bool IsFocused() const { return hasFocus(); }
    bool IsDisabled() const { return !isEnabled(); }
    bool IsDefault() const { return isDefault(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnClicked();
    bool MayHover() const;
    void StartHover();
    void CancelHover();
    void CaptureBackground();
    void UpdateAccessibleName();
    void Repaint(bool repaint);

    bool m_isFlat = true;
    bool m_drawsBorder = true;
    bool m_alwaysTracks = true;
    int m_align = 0;
    QPoint m_pressedOffset{1, 1};
    QPoint m_imageOrigin{3, 3};
    bool m_drawsTransparent = false;
    // Unset colours follow the palette.
    std::array<std::optional<QColor>, 6> m_colors;
    QString m_tooltipText;
    bool m_tooltipActive = false;
    bool m_nameFromTooltip = false;
    QString m_url;
    UrlOpener* m_urlOpener = nullptr;
    QIcon m_image;
    QSize m_imageSize;
    bool m_isHovering = false;
    QPixmap m_backgroundCache;
    bool m_capturing = false;
    // Reached by the keyboard: the flat look then shows where the focus is.
    bool m_keyboardFocus = false;
};

} // namespace vitalog
