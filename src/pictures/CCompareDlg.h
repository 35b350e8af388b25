#pragma once

#include "records/DateKey.h"
#include "records/UserRecord.h"

#include <QDialog>

class QComboBox;

namespace vitalog {

class HoverButton;
struct AppServices;

// "Compare Two Pictures": two saved pictures, each chosen by its date and its file name. Each
// chosen file is loaded at once, the first into picture slot 0 and the second into slot 1;
// the compare button hands both dates back (Accepted).
class CCompareDlg : public QDialog {
    Q_OBJECT
public:
    CCompareDlg(AppServices& services, const UserRecord& user, QWidget* parent = nullptr);

    DateKey FirstDate() const { return m_dates[0]; }
    DateKey SecondDate() const { return m_dates[1]; }

    void reject() override;

private:
    void FillDateLists();
    void DateChosen(int side);
    void FileChosen(int side);

    AppServices& m_services;
    UserRecord m_user;
    QComboBox* m_dateLists[2] = {};
    QComboBox* m_fileLists[2] = {};
    DateKey m_dates[2] = {0, 0};
};

} // namespace vitalog
