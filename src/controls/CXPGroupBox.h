#pragma once

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QString>

#include <optional>

namespace vitalog {

// A group box with rounded corners and a coloured caption band: a frame whose line the
// caption interrupts, or a filled window with a title band above a coloured body.
// Every setter repaints at once and returns the box, so calls can be chained.
class CXPGroupBox : public QGroupBox {
    Q_OBJECT

public:
    enum BoxStyle { FrameStyle = 0, WindowStyle = 1 };
    enum CaptionAlignment { CaptionLeft = 0, CaptionCentre = 1, CaptionRight = 2 };

    explicit CXPGroupBox(QWidget* parent = nullptr);
    explicit CXPGroupBox(const QString& caption, QWidget* parent = nullptr);

    CXPGroupBox& SetBorderColor(const QColor& color);
    CXPGroupBox& SetCaptionTextColor(const QColor& color);
    CXPGroupBox& SetBackgroundColor(const QColor& title, const QColor& body);
    CXPGroupBox& SetBackgroundColor(const QColor& both);
    // 0 frame, 1 window; other values are taken as frame.
    CXPGroupBox& SetBoxStyle(int style);
    CXPGroupBox& SetText(const QString& caption);
    CXPGroupBox& SetFontBold(bool bold);
    CXPGroupBox& SetFontName(const QString& face);
    CXPGroupBox& SetFontUnderline(bool underline);
    CXPGroupBox& SetFontItalic(bool italic);
    CXPGroupBox& SetFontSize(int points);
    CXPGroupBox& SetFont(const QFont& font);
    // 1 centre, 2 right, any other value left.
    CXPGroupBox& SetAlignment(int alignment);

    QColor BorderColor() const;
    QColor CaptionTextColor() const;
    QColor TitleBackgroundColor() const;
    QColor BodyBackgroundColor() const;
    int GetBoxStyle() const { return m_style; }
    int GetAlignment() const { return m_alignment; }
    // The caption as drawn, with its padding; empty when the box has no caption.
    QString PaddedCaption() const;
    QFont CaptionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void initStyleOption(QStyleOptionGroupBox* option) const override;

private:
    CXPGroupBox& Changed(bool captionGeometry = false);

    std::optional<QColor> m_borderColor;
    std::optional<QColor> m_captionTextColor;
    std::optional<QColor> m_titleColor;
    std::optional<QColor> m_bodyColor;
    int m_style = FrameStyle;
    int m_alignment = CaptionLeft;
    // Kept apart from the widget's font so the children do not inherit it.
    std::optional<QFont> m_captionFont;
};

} // namespace vitalog
