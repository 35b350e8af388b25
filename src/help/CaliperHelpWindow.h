#pragma once

#include "DrawnPicture.h"
#include "controls/ScrollingDialog.h"

#include <QPixmap>
#include <QStringList>

class QComboBox;
class QLabel;

namespace vitalog {

struct AppServices;

class HoverButton;
class MarkedComboBox;

// How to take each body-fat measurement: a site list and one picture per site, for men or for
// women, which can be printed. Resizable: scrolling when smaller than designed, centred when
// larger. Modeless; deletes itself when closed, and closes the calculating-body-fat help page
// with it.
class CaliperHelpWindow : public ScrollingDialog {
    Q_OBJECT

public:
    // Which set of site pictures is shown: 1 men, 2 women. Program-wide; 2 at start.
    static int CaliperSex;

    // The site list in order; "Caliper Method" and "Tape Method" are headings. The list ends
    // with "Abdomen", "Neck" for men and "Waist", "Neck", "Hip" for women.
    static const QStringList CommonSites; // items 0 to 13

    // userSex: 1 man, 2 woman.
    CaliperHelpWindow(QWidget* parent, AppServices& services, int userSex, int siteIndex);

    QComboBox* SexList() const { return m_sexList; }
    MarkedComboBox* SiteList() const { return m_siteList; }
    QLabel* PictureFrame() const { return m_pictureFrame; }
    HoverButton* PrintButton() const { return m_printButton; }
    HoverButton* HelpButton() const { return m_helpButton; }
    // The picture shown for the chosen site, rendered at the frame's device pixel ratio; null
    // for a heading.
    const QPixmap& Picture() const { return m_picture; }

    // Prints the shown picture on one page.
    void Print();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void OnSiteChosen();
    void OnSexChosen();
    void ShowPicture();

    AppServices& m_services;
    QComboBox* m_sexList = nullptr;
    MarkedComboBox* m_siteList = nullptr;
    QLabel* m_pictureFrame = nullptr;
    HoverButton* m_printButton = nullptr;
    HoverButton* m_helpButton = nullptr;
    DrawnPicture m_drawing;
    QPixmap m_picture;
};

} // namespace vitalog
