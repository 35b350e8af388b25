#pragma once

#include "controls/BackdropDialog.h"

namespace vitalog {

// A small fixed window showing one screen's help page picture, centred, with no caption
// text and no controls. Modeless; it deletes itself when closed.
class HelpPageWindow : public BackdropDialog {
    Q_OBJECT

public:
    HelpPageWindow(int topic, QWidget* parent);

    int Topic() const { return m_topic; }
    // False for a topic without a page: the window is then empty.
    bool HasPage() const { return !Backdrop().isNull(); }

private:
    int m_topic;
};

} // namespace vitalog
