#include "gui/compare/change_fields.h"

#include <array>

namespace kestrel::gui {
namespace {

struct PathControl {
    std::string_view path;
    const char* control;
    bool optionButtons = false;
};

// The inputs outside the grid as the specification file names them.
constexpr std::array kPathControls{
    PathControl{"page", "Main_TabStrip"},
    PathControl{"procedure.name", "ProcName"},
    PathControl{"procedure.author", "AuthorName"},
    PathControl{"procedure.revision", "Revision"},
    PathControl{"procedure.comments", "Comments"},
    PathControl{"options.tolerance_style", "Proc_Tol_", true},
    PathControl{"options.function_messages", "chk_Add_FUNCTION_Message"},
    PathControl{"options.autoranging", "chk_Add_RANGE_message"},
    PathControl{"options.post_test_window", "PauseBetweenTests_", true},
    PathControl{"options.operator_buttons.list", "OperatorControl_0"},
    PathControl{"options.operator_buttons.cancel", "OperatorControl_1"},
    PathControl{"options.operator_buttons.repeat", "OperatorControl_2"},
    PathControl{"options.data_entry", "DataEntry_", true},
    PathControl{"options.tur_checking", "TUR_Check_Off"},
    PathControl{"options.measurements", "Meas_Unc_No_Readings"},
    PathControl{"meter.reference", "Reference"},
    PathControl{"meter.tc_type", "TCtypes"},
    PathControl{"meter.rtd_type", "RTDtypes"},
    PathControl{"meter.temp_scale", "TempScale"},
    PathControl{"scope.reference", "ScopeReference"},
    PathControl{"scope.channels", "NumChannels"},
    PathControl{"scope.vert_gain_low", "VertGain1"},
    PathControl{"scope.vert_gain_high", "VertGain2"},
    PathControl{"scope.vertical_accuracy", "VerticalAccuracy"},
    PathControl{"scope.sweep_fast", "Sweep1"},
    PathControl{"scope.sweep_slow", "Sweep2"},
    PathControl{"scope.timebase_accuracy", "TimebaseAccuracy"},
    PathControl{"scope.bandwidth", "Bandwidth"},
    PathControl{"scope.risetime_test", "chk_Risetime"},
    PathControl{"scope.risetime", "Risetime"},
    PathControl{"scope.impedance_test", "chk_Impedance"},
    PathControl{"scope.accuracy_1m_ohm", "Accuracy_1M_Ohm"},
    PathControl{"scope.accuracy_50_ohm", "Accuracy_50_Ohm"},
    PathControl{"scope.capacitance", "Capacitance"},
    PathControl{"scope.cap_accuracy", "CapAccuracy"},
};

} // namespace

ChangeField controlOfPath(std::string_view path)
{
    // A connection record, or any of its fields, is a row of the list.
    if (path.starts_with("connections["))
        return {QStringLiteral("ConnectionList")};
    for (const PathControl& each : kPathControls)
        if (each.path == path)
            return {QString::fromLatin1(each.control), each.optionButtons};
    return {};
}

} // namespace kestrel::gui
