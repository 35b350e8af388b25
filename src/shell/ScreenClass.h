#pragma once

namespace vitalog {

// The screens SwitchScreen can create, by class.
enum class ScreenClass {
    CUser,
    CCalcBF,
    CBodyFatResults,
    CTapeMeasurement,
    CBMI_BMR,
    CBloodPressure,
    CVitalogView,
    CGraphing,
    CFormPTView,
};

} // namespace vitalog
