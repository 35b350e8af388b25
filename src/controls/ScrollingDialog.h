#pragma once

#include <QDialog>
#include <QSize>

class QScrollBar;
class QSizeGrip;

namespace vitalog {

// A dialog with a fixed designed layout that the user may resize: made smaller than designed
// it scrolls its content, in units of 8 pixels across and 4 pixels down; otherwise a size grip
// sits in the bottom-right corner. Made larger, the content grows with it from the top-left
// corner, or stays at its designed size in the middle when it is centred. Derived dialogs build
// their widgets in Content() and call InitScrolling() when they are done (or leave it to the
// first show).
class ScrollingDialog : public QDialog {
    Q_OBJECT

public:
    enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Track, Top, Bottom, Other };

    static constexpr int HorizontalUnit = 8;
    static constexpr int VerticalUnit = 4;

    explicit ScrollingDialog(QWidget* parent = nullptr);
    ~ScrollingDialog() override;

    // The widget that holds the dialog's controls and scrolls.
    QWidget* Content() const { return m_content; }

    // Centres the content in each direction in which the dialog is larger than designed; in a
    // direction in which it is smaller the content still scrolls.
    void SetContentCentred(bool centred);
    bool IsContentCentred() const { return m_centred; }

    // Handles one scroll bar request; trackPosition is used by Track only.
    void Scroll(Qt::Orientation orientation, ScrollRequest request, int trackPosition = 0);

    bool IsInitialised() const { return m_initialised; }
    QSize DesignedSize() const { return m_designedSize; }
    int HorizontalPosition() const { return m_horizontalPosition; }
    int HorizontalMaximum() const { return m_horizontalMaximum; }
    int VerticalPosition() const { return m_verticalPosition; }
    int VerticalMaximum() const { return m_verticalMaximum; }
    int VerticalPage() const { return m_verticalPage; }
    bool IsGripVisible() const;
    QScrollBar* HorizontalScrollBar() const { return m_horizontalBar; }
    QScrollBar* VerticalScrollBar() const { return m_verticalBar; }
    QSizeGrip* SizeGrip() const { return m_grip; }

    QSize sizeHint() const override;

protected:
    // Records the designed client size: the dialog's size when it was resized explicitly,
    // else the content's preferred size. Size changes before it are ignored.
    void InitScrolling();

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void SizeChanged();
    void PlaceChildren();
    // Where the content's top-left corner goes for the present size and scroll positions.
    QPoint ContentOrigin() const;
    void OnScrollAction(Qt::Orientation orientation, int action);
    void OnFocusChanged(QWidget* now);

    QWidget* m_content;
    QScrollBar* m_horizontalBar;
    QScrollBar* m_verticalBar;
    QSizeGrip* m_grip;
    QSize m_designedSize;
    bool m_initialised = false;
    bool m_centred = false;
    int m_horizontalPosition = 0;
    int m_horizontalMaximum = 0;
    int m_verticalPosition = 0;
    int m_verticalMaximum = 0;
    int m_verticalPage = 0;
    QMetaObject::Connection m_focusConnection;
};

} // namespace vitalog
