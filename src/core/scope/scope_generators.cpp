#include "core/scope/scope_generators.h"

#include "core/base/failure.h"
#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/procgen/preamble.h"
#include "core/procgen/procedure_writer.h"
#include "core/procgen/rich_text_escapes.h"
#include "core/procgen/step_fields.h"
#include "core/scope/scope_inputs.h"
#include "core/scope/scope_numbers.h"
#include "core/spec/numbers.h"

#include <array>
#include <string>
#include <string_view>

// One generator writes both scope procedures. The multi-channel calibrators
// (8240 five-channel, 8600 four-channel) switch the UUT channel from the
// calibrator, so their procedure differs only in the one connection message
// before the channels, the channel blocks, the terminator and impedance
// instructions, the timebase spacing, the modifier rules and the title.

namespace kestrel {
namespace {

// Six divisions of each vertical setting, indexed like VertGain1 and
// VertGain2.
struct AmplitudePoint {
    std::string_view range;
    std::string_view nominal;
};

constexpr std::array<AmplitudePoint, 6> kLowRange{{
    {"50", "300.0mV"},
    {"20", "120.0mV"},
    {"10", "60.0mV"},
    {"5", "30.0mV"},
    {"2", "12.0mV"},
    {"1", "6.0mV"},
}};
constexpr std::array<AmplitudePoint, 6> kHighRange{{
    {"5", "30.0V"},
    {"2", "12.0V"},
    {"1", "6.0V"},
    {".5", "3.0V"},
    {"200", "1200mv"},
    {"100", "600mv"},
}};

const AmplitudePoint& amplitude(const std::array<AmplitudePoint, 6>& table, int index)
{
    if (index < 0 || index >= static_cast<int>(table.size()))
        throw ProcedureFailure(kErrSubscript, "Subscript out of range");
    return table[static_cast<std::size_t>(index)];
}

// Calibrator lines are kScopeLineWidth blanks with each value written at
// its field's column; trailing blanks stay in the line.

// Fixed calibrator set-ups, written after the FSC.
constexpr std::string_view kBandwidthReference = "         30mVpp                       50kH           LS SC S  L";
constexpr std::string_view kBandwidthLevel = "         30mVpp                                      LS SC S  L";
// The bandwidth frequency starts one left of MOD1 and, with its trailing
// blanks, ends before the "LS" in MOD2.
constexpr StepField kBandwidthFrequency{
    field::kMod1.title, field::kMod1.first, field::kMod2.at - 1, field::kMod1.first - 1};
// The 8240 takes its channel as "C1" ending just before MOD2's letters.
constexpr std::size_t kColChannelCode = field::kMod2.at - 2;
constexpr std::string_view kRisetimeEdge = "         100mVpp                      10kH           ED SC S  L";
constexpr std::string_view kMarker = "         0.1mT                                       MK SC S  L";
constexpr std::string_view kMarker6400 = "         0.1mT                        0.2Vpp         MK SC S  L";
constexpr std::string_view kMarker8600 = "         0.1mT                        0.1Vpp         MK SC S  L";
constexpr std::string_view kTrigger6400 = "6400         200mVpp                      1kH            LS SC S  L";

constexpr std::string_view kDisp = "DISP         ";
constexpr std::string_view kHead = "HEAD         ";
constexpr std::string_view kMess = "MESS         ";
constexpr std::string_view kEval = "EVAL         ";

class ScopeProcedure {
public:
    ScopeProcedure(const CommonInputs& inputs, const ScopeInputs& scope, const TextLookup& texts, bool multiChannel,
        FieldOverflows* overflows)
        : in_(inputs), scope_(scope), texts_(texts), multi_(multiChannel), fields_(overflows)
    {
        fields_.setTest("scope", -1);
    }

    // Everything up to and including the timebase section.
    void writeBody();
    // Modifier adjustment, header in front, closing steps after.
    std::string finish();
    const std::string& partialText() const { return writer_.text(); }

private:
    std::string t(int number) const { return texts_.gettext(number); }
    std::string disp(int number) const { return std::string(kDisp) + t(number); }
    std::string heading(int number) const { return std::string(kHead) + "\\{" + t(number) + "\\}"; }
    std::string withFsc(std::string text) const
    {
        text = replaceAll(std::move(text), "<fsc>", fsc_);
        return replaceAll(std::move(text), "<FSC>", fsc_);
    }
    void blanks(int count)
    {
        for (int i = 0; i < count; ++i)
            writer_.blank();
    }

    void writeSystemFlags();
    void writeStandardPreparation();
    void writeMultiChannelConnection();
    void writeChannel(int channel);
    void writeChannelBanner(const std::string& channel);
    void writeTriggerTest();
    void writeVertical();
    void writeBandwidth();
    void writeRisetime(int channel);
    void writeImpedance(int channel);
    std::string impedanceLine(std::string_view nominal, const std::string& accuracy, std::string_view input);
    void writeTimebase();
    std::string timebaseLine(std::string_view entry, bool slowRange);
    void adjustModifiers();

    const CommonInputs& in_;
    const ScopeInputs& scope_;
    const TextLookup& texts_;
    const bool multi_;
    FieldPlacer fields_;
    std::string reference_;
    std::string fsc_;
    bool is300MHz_ = false;
    ProcedureWriter writer_{1001};
};

void ScopeProcedure::writeBody()
{
    reference_ = std::string(scopeListEntry(kScopeReferences, scope_.reference));
    fsc_ = scopeFsc(scope_.reference);
    is300MHz_ = is300MHzOption(scope_.reference);

    writeSystemFlags();
    writeStandardPreparation();
    if (multi_)
        writeMultiChannelConnection();
    const int channels = channelCount(scope_);
    for (int c = 1; c <= channels; ++c)
        writeChannel(c);
    blanks(2);
    writeTimebase();
}

void ScopeProcedure::writeSystemFlags()
{
    blanks(3);
    writer_.comment("# " + t(kTextSystemFlags));
    writer_.comment("# -------------");
    writeFlagSteps(writer_, in_, texts_);
    writeMeasurementUncertainty(writer_, in_, texts_);
}

void ScopeProcedure::writeStandardPreparation()
{
    writer_.blank();
    writer_.comment("# " + t(kTextWarmup));
    writer_.comment("# ------");
    writer_.step(std::string(kHead) + t(kTextWarmup));
    writer_.step(disp(kTextBeSureUutWarmedUp));

    writer_.blank();
    writer_.comment("# " + t(kTextSelfTestHeading));
    writer_.comment("# ----------");
    writer_.step(std::string(kHead) + t(kTextSelfTestHeading));
    writer_.step(disp(kTextPerformSelfTest));
    writer_.step(std::string(kEval) + "\\{" + t(kTextDidSelfTestPass) + "\\}");

    writer_.blank();
    writer_.comment("# " + t(kTextSignalPathCompensation));
    writer_.comment("# -----------------------");
    writer_.step(std::string(kHead) + t(kTextSignalPathCompensation));
    writer_.step("RSLT         =" + t(kTextSignalPathCompensationPerformed));

    // Both the source and, except on the 7300, its scope module are reset.
    blanks(2);
    writer_.comment("# " + t(kTextResetStandard));
    writer_.comment("# ---------------");
    writer_.step(fsc_ + "         *");
    if (fsc_ != "7300")
        writer_.step("M" + fsc_ + "        *");
    writer_.blank();
}

void ScopeProcedure::writeMultiChannelConnection()
{
    switch (channelCount(scope_)) {
    case 4:
        writer_.step(withFsc(disp(kTextConnectFourChannelsFrom)));
        writer_.step(withFsc(disp(kTextUutChannels1To4)));
        break;
    case 2:
        writer_.step(withFsc(disp(kTextConnectTwoChannelsFrom)));
        writer_.step(withFsc(disp(kTextUutChannels1And2)));
        break;
    case 1:
        writer_.step(withFsc(disp(kTextConnectOneChannelFrom)));
        break;
    }
}

void ScopeProcedure::writeChannel(int channel)
{
    const std::string c = std::to_string(channel);
    if (multi_) {
        blanks(2);
        writeChannelBanner(c);
        blanks(3);

        // The calibrator routes its output to the channel under test.
        writer_.comment("# Set channel");
        std::string line(kScopeLineWidth, ' ');
        if (fsc_ == "8600") {
            overwriteAt(line, field::kFsc.at, "M8600");
            overwriteAt(line, field::kTolerance.at, "CH" + c);
        } else {
            overwriteAt(line, field::kFsc.at, "M7320");
            overwriteAt(line, kColChannelCode, "C" + c);
        }
        writer_.step(line);
        blanks(2);
        if (channel == 1)
            writeTriggerTest();
    } else {
        if (channel == 1)
            writeTriggerTest();
        blanks(2);
        writeChannelBanner(c);
        writer_.blank();
        if (in_.options.functionMessages) {
            writer_.comment("# Connection");
            writer_.cont(disp(kTextUseUnterminatedCoax));
            std::string text = withFsc(
                disp(fsc_ == "8240" || fsc_ == "8600" ? kTextConnectChannel1ToUutChannel : kTextConnectToUutChannel));
            text = replaceAll(std::move(text), "<Channel>", c);
            text = replaceAll(std::move(text), "<channel>", c);
            if (in_.options.autoranging)
                writer_.cont(text);
            else
                writer_.step(text);
        }
        blanks(2);
    }

    writeVertical();
    writeBandwidth();
    if (scope_.risetimeTest)
        writeRisetime(channel);
    if (scope_.impedanceTest)
        writeImpedance(channel);
}

void ScopeProcedure::writeChannelBanner(const std::string& channel)
{
    const std::string stars = "#" + std::string(76, '*');
    writer_.comment(stars);
    writer_.comment("#" + std::string(35, ' ') + t(kTextChannel) + " " + channel);
    writer_.comment(stars);
}

void ScopeProcedure::writeTriggerTest()
{
    writer_.comment("# " + t(kTextTriggerTest));
    writer_.comment("# -------------");
    if (fsc_ == "6400") {
        writer_.step(kTrigger6400);
    } else {
        std::string line(kScopeLineWidth, ' ');
        overwriteAt(line, field::kFsc.at, fsc_);
        overwriteAt(line, field::kNominal.at, "300mv");
        overwriteAt(line, field::kMod1.at, "1KH");
        overwriteAt(line, field::kMod2.at, "ZQ");
        overwriteAt(line, field::kMod3.at, "S");
        writer_.step(line);
    }
    writer_.step(disp(kTextAdjustStableDisplay));
    blanks(2);
}

void ScopeProcedure::writeVertical()
{
    writer_.comment("# " + t(kTextNominalSixDivisions));
    writer_.blank();
    writer_.step(heading(kTextVertical));
    writer_.comment("#---------------------------------------------");
    writer_.blank();
    if (multi_ && fsc_ == "8240")
        writer_.step(disp(kTextRemoveTerminatorsSet1M));
    writer_.step(disp(kTextAlignTraceToBottom));
    writer_.blank();

    const std::string tolerance = numberText(leadingNumber(scope_.verticalAccuracy)) + "%";
    const auto point = [&](const AmplitudePoint& p) {
        std::string line(kScopeLineWidth, ' ');
        overwriteAt(line, field::kFsc.at, fsc_);
        overwriteAt(line, field::kRange.at, p.range);
        overwriteAt(line, field::kNominal.at, p.nominal);
        fields_.place(line, field::kTolerance, tolerance, scopeFieldKey(ScopeField::VerticalAccuracy));
        overwriteAt(line, field::kMod3.at, "SC");
        writer_.step(line);
        writer_.nextTest();
    };
    // From the most sensitive setting chosen up to 50 mV/div, then from
    // 100 mV/div up to the least sensitive setting chosen.
    for (int i = scope_.vertGain1; i >= 0; --i)
        point(amplitude(kLowRange, i));
    for (int j = static_cast<int>(kVertGain2.size()) - 1; j >= scope_.vertGain2; --j)
        point(amplitude(kHighRange, j));
}

void ScopeProcedure::writeBandwidth()
{
    blanks(2);
    writer_.step(heading(kTextBandwidth));
    writer_.comment("#-------------------------------------");
    // The 8600 needs no external terminator; with the multi-channel 8240
    // the operator also switches the UUT input to 50 ohm.
    if (multi_) {
        if (fsc_ == "8240") {
            writer_.cont(withFsc(disp(kTextInsertTerminator)));
            writer_.step(disp(kTextSetUut50Ohm));
        }
    } else if (fsc_ != "8600") {
        writer_.cont(withFsc(disp(kTextInsertTerminator)));
    }
    writer_.cont(disp(kTextSetChannel1Gain5mV));
    writer_.step(disp(kTextSetTimebase5us));
    writer_.blank();

    writer_.step(fsc_ + std::string(kBandwidthReference));
    writer_.step(disp(kTextAdjustStableDisplay50kHz));
    std::string line = fsc_ + std::string(kBandwidthLevel);
    fields_.place(line, kBandwidthFrequency, scope_.bandwidth + "MH    ", scopeFieldKey(ScopeField::Bandwidth));
    writer_.step(line);
    writer_.step(std::string(kEval) + "\\{" +
        replaceAll(t(kTextAmplitudeAtBandwidthQuestion), "<bandwidth>", scope_.bandwidth) + "\\}");
}

void ScopeProcedure::writeRisetime(int channel)
{
    const std::string c = std::to_string(channel);
    blanks(2);
    writer_.step(heading(kTextRisetimeHeading));
    writer_.comment("#-------------------------------------");
    writer_.cont(disp(kTextSetCouplingDc));
    writer_.cont(disp(kTextSetFastestTimebase));
    writer_.cont(disp(kTextMagnifierOn));
    writer_.cont(disp(kTextTriggerSlopePlus));
    writer_.step(replaceAll(disp(kTextAlignTraceToBottom), "<channel>", c));
    writer_.step(fsc_ + std::string(kRisetimeEdge));
    writer_.blank();

    writer_.step(std::string(kMess) + t(kTextAdjustXPosition));
    writer_.step("MESS");
    writer_.step(std::string(kMess) + t(kTextUsingYPosition));
    writer_.step(std::string(kMess) + t(kTextBottomEdgeToZeroPercent));
    writer_.step("MESS");
    writer_.cont(std::string(kMess) + t(kTextAdjustAmplitudeTop));
    writer_.cont(std::string(kMess) + t(kTextWaveformAt100Percent));
    writer_.blank();

    // Without a typed limit the risetime follows from the bandwidth:
    // 350 / bandwidth in MHz gives nanoseconds.
    std::string limit = scope_.risetime;
    if (limit.empty()) {
        const double bandwidth = leadingNumber(scope_.bandwidth);
        // A number beyond a double's range also reads as 0; it is not one.
        if (bandwidth == 0.0 && !Decimal::parse(leadingNumberText(scope_.bandwidth)).isZero())
            throw ProcedureFailure(kErrOverflow, "Bandwidth out of range");
        if (bandwidth == 0.0)
            throw ProcedureFailure(kErrDivisionByZero, "Division by zero");
        limit = decimalsText(350.0 / bandwidth, 1, 4);
    }
    std::string eval = std::string(kEval) + t(kTextRisetimeQuestion);
    eval = replaceAll(std::move(eval), " <channel>", "XXX");
    eval = replaceAll(std::move(eval), "channel", "");
    eval = replaceAll(std::move(eval), "XXX", "\\{Channel " + trim(c));
    eval = replaceAll(std::move(eval), "<risetime>", limit);
    writer_.step(eval + "\\}");
    writer_.blank();
    writer_.nextTest();
}

std::string ScopeProcedure::impedanceLine(std::string_view nominal, const std::string& accuracy, std::string_view input)
{
    std::string line(kScopeLineWidth, ' ');
    overwriteAt(line, field::kFsc.at, fsc_);
    overwriteAt(line, field::kNominal.at, nominal);
    fields_.place(line, field::kTolerance, numberText(leadingNumber(trim(accuracy))) + "%", input);
    overwriteAt(line, field::kMod3.at, "ZM");
    overwriteAt(line, field::kCon.at, "2W");
    return line;
}

void ScopeProcedure::writeImpedance(int channel)
{
    blanks(2);
    writer_.step(std::string(kHead) + "\\{" +
        replaceAll(t(kTextInputImpedanceChannel), "<channel>", std::to_string(channel)) + " \\}");
    writer_.comment("#----------------------------------------------");
    if (multi_) {
        // The calibrator measures 50 ohm first, with the UUT input switched.
        writer_.cont(disp(kTextAlignTraceToBottom));
        writer_.step(disp(kTextSetUut50Ohm));
        writer_.comment("# " + t(kTextImpedance50));
        writer_.step(impedanceLine("50Z", scope_.accuracy50Ohm, scopeFieldKey(ScopeField::Accuracy50Ohm)));
        writer_.step(disp(fsc_ == "8240" ? kTextRemoveTerminatorsSet1M : kTextSetUut1M));
        writer_.comment("# " + t(kTextImpedance1M));
        writer_.step(impedanceLine("1.000MZ", scope_.accuracy1MOhm, scopeFieldKey(ScopeField::Accuracy1MOhm)));
    } else {
        writer_.comment("# " + t(kTextImpedance1M));
        writer_.step(impedanceLine("1.000MZ", scope_.accuracy1MOhm, scopeFieldKey(ScopeField::Accuracy1MOhm)));
        writer_.comment("# " + t(kTextImpedance50));
        writer_.step(impedanceLine("50Z", scope_.accuracy50Ohm, scopeFieldKey(ScopeField::Accuracy50Ohm)));
    }
    if (!isBlank(scope_.capAccuracy) && !isBlank(scope_.capacitance)) {
        writer_.comment("# " + t(kTextInputCapacitance));
        std::string line(kScopeLineWidth, ' ');
        overwriteAt(line, field::kFsc.at, fsc_);
        fields_.place(line, field::kNominal, numberText(leadingNumber(scope_.capacitance)) + "pF",
            scopeFieldKey(ScopeField::Capacitance));
        fields_.place(line, field::kTolerance, numberText(leadingNumber(scope_.capAccuracy)) + "%",
            scopeFieldKey(ScopeField::CapAccuracy));
        overwriteAt(line, field::kMod3.at, "ZM");
        overwriteAt(line, field::kMod4.at, "N");
        overwriteAt(line, field::kCon.at, "2W");
        writer_.step(line);
    }
}

std::string ScopeProcedure::timebaseLine(std::string_view entry, bool slowRange)
{
    const std::string number = numberText(leadingNumber(entry));
    std::string unit = "T";
    if (contains(entry, "m"))
        unit = "mT";
    else if (contains(entry, "\xC2\xB5"))
        unit = "uT";
    else if (!slowRange && contains(entry, "n"))
        unit = "nT";

    std::string tolerance = numberText(leadingNumber(scope_.timebaseAccuracy));
    if (contains(scope_.timebaseAccuracy, "%"))
        tolerance += "%";
    else if (containsNoCase(scope_.timebaseAccuracy, "ppm"))
        tolerance += "p%";
    else
        tolerance += "%";

    std::string line(kScopeLineWidth, ' ');
    overwriteAt(line, field::kFsc.at, fsc_);
    overwriteAt(line, field::kRange.at, number);
    overwriteAt(line, field::kNominal.at, number + unit);
    fields_.place(line, field::kTolerance, tolerance, scopeFieldKey(ScopeField::TimebaseAccuracy));
    if (fsc_ == "6400")
        overwriteAt(line, field::kMod1.at, "0.2vpp");
    else if (fsc_ == "8600")
        overwriteAt(line, field::kMod1.at, "0.1vpp");
    overwriteAt(line, field::kMod2.at, "MK");
    overwriteAt(line, field::kMod3.at, "SC");
    overwriteAt(line, field::kCon.at, "L");
    if (slowRange)
        return line;

    // Fast sweeps change the marker settings model by model. The rules run
    // in this order and a later one wins where two write the same column.
    const double period = textToValue(entry, ".");
    constexpr double k1_8ns = 1.8e-9;
    constexpr double k1_6ns = 1.6e-9;
    constexpr double k9ns = 9e-9;
    constexpr double k75ns = 75e-9;
    if (fsc_ == "7300" && period < k1_8ns)
        overwriteAt(line, field::kNominal.at, "2nT");
    if (fsc_ == "8240" && period < k1_8ns)
        overwriteAt(line, field::kNominal.at, "2nT");
    if (fsc_ == "6400" && period < k1_6ns)
        overwriteAt(line, field::kNominal.at, "2nT");
    if (fsc_ == "7300" && !is300MHz_ && period < k75ns)
        overwriteAt(line, field::kMod2.at, "M4");
    if (fsc_ == "8600" && period <= k9ns)
        overwriteAt(line, field::kMod2.at, "M4");
    if (fsc_ == "8600" && period > k9ns)
        overwriteAt(line, field::kMod2.at, "M2");
    if (fsc_ == "7320" && !is300MHz_ && period < k75ns) {
        overwriteAt(line, field::kMod2.at, "M4");
        overwriteAt(line, field::kMod3.at, "S6");
    }
    if (fsc_ == "8240" && period < k75ns) {
        overwriteAt(line, field::kMod2.at, "M4");
        overwriteAt(line, field::kMod3.at, "S6");
    }
    if (fsc_ == "7320" && period < k1_8ns)
        overwriteAt(line, field::kNominal.at, "2nT");
    return line;
}

void ScopeProcedure::writeTimebase()
{
    writer_.step(heading(kTextTimebaseTest));
    writer_.comment("#" + std::string(42, '-'));
    if (multi_)
        writer_.blank();
    writer_.cont(disp(kTextSetChannel1Gain500mV));
    writer_.cont(disp(kTextSetTimebase50us));
    std::string_view marker = kMarker;
    if (fsc_ == "6400")
        marker = kMarker6400;
    else if (fsc_ == "8600")
        marker = kMarker8600;
    writer_.cont(fsc_ + std::string(marker));
    writer_.blank();
    writer_.cont(disp(kTextTimebaseStableDisplay));
    writer_.cont(disp(kTextAdjustYPosToMarker));
    writer_.cont(disp(kTextMarkerOnMiddleLine));
    writer_.blank();

    for (int i = scope_.sweep1; i < static_cast<int>(kSweep1.size()); ++i) {
        writer_.step(timebaseLine(scopeListEntry(kSweep1, i), false));
        writer_.nextTest();
    }
    for (int j = 0; j <= scope_.sweep2; ++j) {
        writer_.step(timebaseLine(scopeListEntry(kSweep2, j), true));
        writer_.nextTest();
    }
}

void ScopeProcedure::adjustModifiers()
{
    // The generic "SC" (scope mode) and "MK" (marker) modifiers become the
    // ones each calibrator's scope option understands.
    std::string& text = writer_.text();
    const bool sixHundredMHz73 = !multi_ && !is300MHz_ && reference_.substr(0, 2) == "73";
    if (sixHundredMHz73 || fsc_ == "8240") {
        text = replaceAll(std::move(text), " SC ", " S6 ");
        text = replaceAll(std::move(text), " MK ", " M1 ");
    }
    if (fsc_ == "8600") {
        text = replaceAll(std::move(text), " SC ", "    ");
        text = replaceAll(std::move(text), " MK ", " M2 ");
    }
}

std::string ScopeProcedure::finish()
{
    // The closing test is counted; its three lines are not.
    const int tests = writer_.testNumber();
    const int lines = writer_.lineCount() + 11;
    adjustModifiers();
    const std::string header =
        headerBlock(in_, tests, lines) + "\r\n" + (multi_ ? "# " : " ") + t(kTextScopeProcedureTitle) + "\r\n";
    writeClosingSteps(writer_, texts_, true);
    return header + writer_.text() + "\r\n";
}

GeneratedProcedure generate(const CommonInputs& inputs, const ScopeInputs& scope, const TextLookup& texts,
    MessageSink& sink, bool multiChannel, FieldOverflows* overflows)
{
    ScopeProcedure procedure(inputs, scope, texts, multiChannel, overflows);
    try {
        procedure.writeBody();
        return {procedure.finish(), false};
    } catch (const ProcedureFailure& failure) {
        // The texts come escaped for the procedure (see rich_text_escapes.h);
        // a message shows them as typed.
        sink.inform(unescapeProcedureText(multiChannel
                ? errorReport(texts, " Scope ", failure.what())
                : errorReport(texts, " Single_Channel_Scope Error ", std::to_string(failure.number()))));
        return {procedure.partialText(), true};
    }
}

// Every line of a scope procedure is the page's own.
GeneratedProcedure traced(GeneratedProcedure procedure, LineSources* sources)
{
    if (sources) {
        std::size_t lines = 0;
        for (std::size_t at = procedure.text.find("\r\n"); at != std::string::npos;
             at = procedure.text.find("\r\n", at + 2))
            ++lines;
        *sources = LineSources{std::vector<LineSource>(lines, LineSource{Page::Scope, std::nullopt, -1, -1}), {}};
    }
    return procedure;
}

} // namespace

GeneratedProcedure scopeProcedureSingleChannel(const CommonInputs& inputs, const ScopeInputs& scope,
    const TextLookup& texts, MessageSink& sink, FieldOverflows* overflows, LineSources* sources)
{
    return traced(generate(inputs, scope, texts, sink, false, overflows), sources);
}

GeneratedProcedure scopeProcedureMultiChannel(const CommonInputs& inputs, const ScopeInputs& scope,
    const TextLookup& texts, MessageSink& sink, FieldOverflows* overflows, LineSources* sources)
{
    return traced(generate(inputs, scope, texts, sink, true, overflows), sources);
}

} // namespace kestrel
