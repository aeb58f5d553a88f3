#pragma once
// What each calibrator can source at a given frequency. Before an AC step is
// written the generator asks the limit routine of its calibrator whether the
// amplitude must come down or the frequency must move; an empty text means
// "no change". Amplitude and frequency arrive as the texts written into the
// procedure (engineering notation, "." as decimal mark) and the results come
// back in the same notation ("3.20", "330m", "10K", "73.3333333333333").
#include <string>
#include <string_view>

namespace kestrel {

struct LimitResult {
    std::string reducedValue;     // the amplitude to write instead, or ""
    std::string changedFrequency; // the frequency to write instead, or ""
    bool operator==(const LimitResult&) const = default;
};

LimitResult limitsVoltHertz7300(std::string_view frequency, std::string_view amplitude);
LimitResult limitsVoltHertz7320(std::string_view frequency, std::string_view amplitude);
LimitResult limitsAmpHertz7300(std::string_view frequency, std::string_view amplitude);
LimitResult limitsAmpHertz7320(std::string_view frequency, std::string_view amplitude);
// The 7625 amplifier lifts the 7600's AC volts bands and its AC current cap.
LimitResult limitsVoltHertz7600(std::string_view frequency, std::string_view amplitude, bool has7625);
LimitResult limitsAmpHertz7600(std::string_view frequency, std::string_view amplitude, bool has7625);
LimitResult limitsVoltHertz6400(std::string_view frequency, std::string_view amplitude);
LimitResult limitsVoltHertz3xxx(std::string_view frequency, std::string_view amplitude);
// The 3711 amplifier raises the 3XXX's AC current cap and highest frequency.
LimitResult limitsAmpHertz3xxx(std::string_view frequency, std::string_view amplitude, bool has3711);

} // namespace kestrel
