#include "ScreenCatalog.h"

#include "CBMI_BMR.h"
#include "CBloodPressure.h"
#include "CBodyFatResults.h"
#include "CCalcBF.h"
#include "CFormPTView.h"
#include "CGraphing.h"
#include "CTapeMeasurement.h"
#include "CUser.h"
#include "ScaleImportDialog.h"
#include "history/CVitalogView.h"

namespace vitalog {

ScreenRegistry ProgramScreens() {
    ScreenRegistry registry;
    registry.RegisterCommand(CommandId::FileImportScale, ImportFromScaleApp);
    registry.Register(ScreenClass::CUser, [](CMainFrame& frame, AppServices& services) {
        return new CUser(frame, services);
    });
    registry.Register(ScreenClass::CTapeMeasurement, [](CMainFrame& frame, AppServices& services) {
        return new CTapeMeasurement(frame, services);
    });
    registry.Register(ScreenClass::CBMI_BMR, [](CMainFrame& frame, AppServices& services) {
        return new CBMI_BMR(frame, services);
    });
    registry.Register(ScreenClass::CBloodPressure, [](CMainFrame& frame, AppServices& services) {
        return new CBloodPressure(frame, services);
    });
    registry.Register(ScreenClass::CVitalogView, [](CMainFrame& frame, AppServices& services) {
        return new CVitalogView(frame, services);
    });
    registry.Register(ScreenClass::CBodyFatResults, [](CMainFrame& frame, AppServices& services) {
        return new CBodyFatResults(frame, services);
    });
    registry.Register(ScreenClass::CCalcBF, [](CMainFrame& frame, AppServices& services) {
        return new CCalcBF(frame, services);
    });
    registry.Register(ScreenClass::CFormPTView, [](CMainFrame& frame, AppServices& services) {
        return new CFormPTView(frame, services);
    });
    registry.Register(ScreenClass::CGraphing, [](CMainFrame& frame, AppServices& services) {
        return new CGraphing(frame, services);
    });
    return registry;
}

} // namespace vitalog
