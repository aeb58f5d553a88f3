#include "core/procgen/meter_generator.h"

#include "core/base/failure.h"
#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/procgen/build_header.h"
#include "core/procgen/calibrator_limits.h"
#include "core/procgen/procedure_writer.h"
#include "core/procgen/step_fields.h"
#include "core/procgen/test_messages.h"
#include "core/spec/numbers.h"
#include "core/spec/tolerance.h"

#include <cmath>
#include <optional>
#include <string>

namespace kestrel {
namespace {

using F = MeterFunction;

// The blank before RANGE cuts a standard's name longer than FSC.
constexpr std::size_t kColBeforeRange = field::kRange.first - 1;
constexpr std::size_t kColAmplifier = field::kMod3.at + 1; // the booster flags stand one right of column 3
// A tolerance this long does not fit its field and gets a TOL step.
constexpr std::size_t kLongTolerance = 14;

struct Section {
    MeterFunction function;
    int titleText;
    std::string_view headWord;
    int dashes;
};

// Sections in the order they are written.
constexpr Section kSections[] = {
    {F::Dcv, kTextDcVoltsTest, "HEAD", 30},
    {F::Acv, kTextAcVoltsTest, "Head", 30},
    {F::Dci, kTextDcCurrentTest, "Head", 29},
    {F::Aci, kTextAcCurrentTest, "Head", 29},
    {F::Ohm, kTextResistanceTest, "Head", 32},
    {F::Tc, kTextTcTest, "Head", 34},
    {F::Rtd, kTextRtdTest, "Head", 25},
    {F::Cap, kTextCapacitanceTest, "Head", 33},
    {F::Freq, kTextFrequencyTest, "Head", 31},
};

// The largest nominal a calibrator sources in a function without a
// frequency-dependent limit, and what is written instead of a larger one.
struct FixedLimit {
    double largest;
    std::string_view replacement;  // used as it stands: it carries its own unit letter, if any
    std::string_view messageValue; // "<2>" of the message; "" means the largest value as a number
    int messageText;
};

bool isManualFunction(CalibratorFamily family, MeterFunction f)
{
    // The 3XXX and 76xx calibrators source no temperature and no capacitance.
    const bool lacking = family == CalibratorFamily::Family3xxx || family == CalibratorFamily::Family76xx;
    return lacking && (f == F::Tc || f == F::Rtd || f == F::Cap);
}

class MeterGenerator {
public:
    MeterGenerator(CalibratorFamily family, const MeterInputs& inputs, const TextLookup& texts,
        FieldOverflows* overflows, LineSources* sources)
        : family_(family), in_(inputs), texts_(texts), fields_(overflows), sources_(sources),
          fsc_(inputs.selections.reference), decSep_(inputs.decimalSeparator), is7320_(fsc_.substr(0, 4) == "7320")
    {
        if (sources_)
            writer.traceLines(&sources_->lines);
    }

    void run()
    {
        for (const Section& section : kSections)
            writeSection(section);
        const bool amplifier = family_ == CalibratorFamily::Family3xxx ? in_.has3711 : in_.has7625;
        const bool notedFamily = family_ == CalibratorFamily::Family3xxx || family_ == CalibratorFamily::Family76xx;
        buildHeader(writer, in_, texts_, notedFamily ? PreambleGap::AmplifierNote : PreambleGap::TwoBlankLines,
            notedFamily && amplifier);
    }

    ProcedureWriter writer;

    // After a failure: the point under way and every one not reached are left out.
    void noteFailure()
    {
        if (!sources_)
            return;
        if (open_ >= 0)
            leaveOut(sources_->points[static_cast<std::size_t>(open_)], PointReason::GenerationFailed);
        for (const MeterFunction f : kAllFunctions)
            for (int c = 0; c < SpecTable::columns(); ++c)
                if (!isBlank(in_.meter.table(f).cell(RowRange, c)) && !recorded(f, c))
                    sources_->points.push_back(
                        TestPoint{f, c, PointOutcome::LeftOut, PointReason::GenerationFailed, {}});
    }

private:
    // The point of column c, begun: the lines written from here on are its own.
    void beginPoint(MeterFunction f, int c, PointOutcome outcome, PointReason reason)
    {
        if (!sources_)
            return;
        open_ = static_cast<int>(sources_->points.size());
        sources_->points.push_back(TestPoint{f, c, outcome, reason, {}});
        writer.origin = LineSource{Page::Meter, f, c, open_};
    }
    void endPoint(MeterFunction f)
    {
        open_ = -1;
        writer.origin = LineSource{Page::Meter, f, -1, -1};
    }
    void setOutcome(PointOutcome outcome, PointReason reason)
    {
        if (open_ < 0)
            return;
        TestPoint& point = sources_->points[static_cast<std::size_t>(open_)];
        point.outcome = outcome;
        point.reason = reason;
    }
    void noteChange(
        LimitChange::Quantity quantity, std::string_view specified, std::string_view limit, std::string_view tested)
    {
        if (open_ < 0)
            return;
        TestPoint& point = sources_->points[static_cast<std::size_t>(open_)];
        point.outcome = PointOutcome::Reduced;
        point.changes.push_back(LimitChange{quantity, std::string(specified), std::string(limit), std::string(tested)});
    }
    static void leaveOut(TestPoint& point, PointReason reason)
    {
        point.outcome = PointOutcome::LeftOut;
        point.reason = reason;
        point.changes.clear();
    }
    bool recorded(MeterFunction f, int c) const
    {
        for (const TestPoint& point : sources_->points)
            if (point.function == f && point.column == c)
                return true;
        return false;
    }
    // The columns from `from` on that have a UUT range but get no test.
    void leaveOutFrom(MeterFunction f, const SpecTable& a, int from)
    {
        if (!sources_)
            return;
        for (int c = from; c < SpecTable::columns(); ++c)
            if (!isBlank(a.cell(RowRange, c)))
                sources_->points.push_back(TestPoint{f, c, PointOutcome::LeftOut, PointReason::AfterEmptyRange, {}});
    }

    void writeSection(const Section& section)
    {
        const SpecTable& a = in_.meter.table(section.function);
        if (isBlank(a.cell(RowRange, 0))) {
            leaveOutFrom(section.function, a, 1);
            return;
        }
        endPoint(section.function);
        writer.step(std::string(section.headWord) + "   \\{" + texts_.gettext(section.titleText) + "\\}");
        writer.comment(std::string("#").append(static_cast<std::size_t>(section.dashes), '-'));

        if (isManualFunction(family_, section.function)) {
            writeManualSection(section.function, a);
        } else {
            const std::string_view code = functionInfo(section.function).code;
            std::string frequency = "1K"; // the AC test frequency runs on from column to column
            int c = 0;
            for (; c < SpecTable::columns() && !isBlank(a.cell(RowRange, c)); ++c) {
                beginPoint(section.function, c, PointOutcome::AsSpecified, PointReason::None);
                if (const std::string given = trim(a.cell(RowFrequency, c)); !given.empty())
                    frequency = given;
                addTestMessages(
                    writer, in_.connections, in_.options, texts_, section.function, asTyped(a.cell(RowRange, c)), c);
                fields_.setTest(code, c);
                writeTest(section.function, a, c, frequency);
                writer.nextTest();
                endPoint(section.function);
            }
            leaveOutFrom(section.function, a, c);
        }
        writer.blank();
        writer.blank();
        writer.blank();
    }

    void writeTest(MeterFunction f, const SpecTable& a, int c, const std::string& frequency)
    {
        std::string n = trim(a.cell(RowLevel, c));
        const std::string_view nominalInput = n.empty() ? "range" : "level";
        if (n.empty())
            n = trim(a.cell(RowRange, c)); // tested at the range value
        const double value = textToValue(n, kHeldDecimalMark);
        const std::string tolerance = calcTolerance(a, c, in_.options.toleranceStyle, kHeldDecimalMark);

        std::string body(kMeterBodyWidth, ' ');
        if (charCount(tolerance) >= kLongTolerance) {
            if (f == F::Dcv || f == F::Acv)
                writer.blank();
            writer.step("TOL " + tolerance);
            overwriteAt(body, field::kTolerance.at, "TOL");
        } else {
            fields_.place(body, field::kTolerance, tolerance);
        }
        fields_.place(body, field::kFsc, fsc_);
        // RANGE shows the number only: "200m" gives 200, "-200.0" gives 200.
        const double range = std::fabs(leadingNumber(a.cell(RowRange, c)));
        overwriteAt(body, kColBeforeRange, " ");
        fields_.place(body, field::kRange, rangeNumberText(range), "range");

        if (f == F::Ohm && family_ == CalibratorFamily::Family3xxx && value < 10) {
            setOutcome(PointOutcome::Manual, PointReason::BelowTenOhms);
            writeManualResistance(n, value, tolerance);
            return;
        }

        std::string nominal = n;
        formatNominal(nominal, kHeldDecimalMark);
        writeFields(f, body, nominal, nominalInput, value, frequency);
        if (const auto limit = fixedLimit(f); limit && value > limit->largest) {
            writer.blank();
            const std::string largest =
                limit->messageValue.empty() ? numberText(limit->largest) : std::string(limit->messageValue);
            writeLimitMessage(limit->messageText, nominal, largest);
            noteChange(LimitChange::Quantity::Nominal, nominal, largest, limit->replacement);
            blankField(body, field::kNominal);
            fields_.place(body, field::kNominal, limit->replacement);
        }
        if (const auto result = acLimits(f, frequency, nominal)) {
            if (!result->reducedValue.empty()) {
                writer.blank();
                writeLimitMessage(
                    f == F::Acv ? kTextVoltageReduced : kTextCurrentReduced, nominal, result->reducedValue);
                const std::string reduced = result->reducedValue + (f == F::Acv ? "V" : "A");
                noteChange(LimitChange::Quantity::Nominal, nominal, result->reducedValue, reduced);
                blankField(body, field::kNominal);
                fields_.place(body, field::kNominal, reduced, nominalInput);
            }
            if (!result->changedFrequency.empty()) {
                writer.blank();
                writeLimitMessage(kTextFrequencyChanged, frequency, result->changedFrequency);
                const std::string changed = result->changedFrequency + "H";
                noteChange(LimitChange::Quantity::Frequency, frequency, result->changedFrequency, changed);
                blankField(body, field::kMod1);
                fields_.place(body, field::kMod1, changed, "frequency");
            }
        }
        writer.step(body);
    }

    void writeFields(MeterFunction f, std::string& body, const std::string& nominal, std::string_view nominalInput,
        double value, const std::string& frequency)
    {
        const std::string degrees = "deg" + charSubstr(in_.selections.tempScale, 1); // "°C" gives C
        const auto nominalField = [&](const std::string& text) {
            fields_.place(body, field::kNominal, text, nominalInput);
        };
        const auto frequencyField = [&] { fields_.place(body, field::kMod1, frequency + "H", "frequency"); };
        switch (f) {
        case F::Dcv:
            nominalField(nominal + "V");
            break;
        case F::Acv:
            nominalField(nominal + "V");
            frequencyField();
            break;
        case F::Dci:
            nominalField(nominal + "A");
            break;
        case F::Aci:
            nominalField(nominal + "A");
            frequencyField();
            break;
        case F::Ohm:
            if (family_ == CalibratorFamily::Family3xxx || family_ == CalibratorFamily::Family76xx)
                nominalField(getFixedOhmsValue(nominal, fsc_, ".") + "Z");
            else
                nominalField(nominal + "Z");
            break;
        case F::Tc:
            nominalField(nominal + degrees);
            fields_.place(body, field::kThermocouple, "_" + in_.selections.tcType + " TC");
            break;
        case F::Rtd:
            nominalField(nominal + degrees);
            overwriteAt(body, field::kMod1.at,
                "R" + std::to_string(rtdTypeIndex(in_.selections.reference, in_.selections.rtdType) + 1));
            break;
        case F::Cap:
            nominalField(nominal + (family_ == CalibratorFamily::Family64xx ? "F" : "f"));
            break;
        case F::Freq:
            nominalField(nominal + "H");
            overwriteAt(body, field::kMod1.at, "300mv");
            break;
        }

        const bool siFamily = family_ == CalibratorFamily::Family73xx || family_ == CalibratorFamily::Family64xx;
        if (siFamily && (f == F::Acv || f == F::Aci || f == F::Freq))
            overwriteAt(body, field::kMod2.at, "SI");
        const bool current = f == F::Dci || f == F::Aci;
        // The 7320's high-current terminals take over above 2.999 A.
        if (family_ == CalibratorFamily::Family73xx && is7320_ && current && value > 2.999)
            overwriteAt(body, field::kMod3.at, "HC");
        // The boosters: the 3711 for currents from 1.999 A, the 7625 for AC volts from 220 V.
        if (family_ == CalibratorFamily::Family3xxx && in_.has3711 && current && value >= 1.999)
            overwriteAt(body, kColAmplifier, "BC");
        if (family_ == CalibratorFamily::Family76xx && in_.has7625 && f == F::Acv && value >= 220)
            overwriteAt(body, kColAmplifier, "B1");
        overwriteAt(body, field::kCon.at, "2W");
    }

    std::optional<FixedLimit> fixedLimit(MeterFunction f) const
    {
        switch (family_) {
        case CalibratorFamily::Family73xx:
            switch (f) {
            case F::Dcv:
                return FixedLimit{1100, "1100", "", kTextVoltageReduced};
            case F::Dci:
                return is7320_ ? FixedLimit{20.5, "20.5", "", kTextCurrentReduced}
                               : FixedLimit{10.999, "10.999", "", kTextCurrentReduced};
            case F::Ohm:
                return is7320_ ? FixedLimit{1100000000, "1100MZ", "", kTextResistanceReduced}
                               : FixedLimit{330000000, "329.999MZ", "", kTextResistanceReduced};
            case F::Cap:
                return FixedLimit{0.0011, is7320_ ? "1.10mf" : "1100uf", "", kTextCapacitanceReduced};
            case F::Freq:
                return FixedLimit{2000000, "2.000MH", "", kTextFrequencyChanged};
            default:
                return std::nullopt;
            }
        case CalibratorFamily::Family3xxx:
        case CalibratorFamily::Family76xx: {
            const bool amplifier = family_ == CalibratorFamily::Family3xxx ? in_.has3711 : in_.has7625;
            switch (f) {
            case F::Dcv:
                return FixedLimit{1100, "1100", "", kTextVoltageReduced};
            case F::Dci:
                return amplifier ? FixedLimit{11, "11.00A", "", kTextCurrentReduced}
                                 : FixedLimit{1.99, "1.99A", "", kTextCurrentReduced};
            case F::Freq:
                return FixedLimit{1000000, "1.000MH", "", kTextFrequencyChanged};
            default:
                return std::nullopt;
            }
        }
        case CalibratorFamily::Family64xx:
            switch (f) {
            case F::Dcv:
                return FixedLimit{1050, "1050", "", kTextVoltageReduced};
            case F::Dci:
                return FixedLimit{20, "20.000", "", kTextCurrentReduced};
            case F::Aci:
                return FixedLimit{20, "20.000", "", kTextCurrentReduced};
            case F::Ohm:
                return FixedLimit{400000000, "400.000MZ", "", kTextResistanceReduced};
            case F::Cap:
                return FixedLimit{0.04, "40.000mF", "", kTextCapacitanceReduced};
            case F::Freq:
                return FixedLimit{100000, "100.00KH", "100K", kTextFrequencyChanged};
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<LimitResult> acLimits(MeterFunction f, const std::string& frequency, const std::string& nominal) const
    {
        if (f != F::Acv && f != F::Aci)
            return std::nullopt;
        const bool volts = f == F::Acv;
        switch (family_) {
        case CalibratorFamily::Family73xx:
            if (volts)
                return is7320_ ? limitsVoltHertz7320(frequency, nominal) : limitsVoltHertz7300(frequency, nominal);
            return is7320_ ? limitsAmpHertz7320(frequency, nominal) : limitsAmpHertz7300(frequency, nominal);
        case CalibratorFamily::Family3xxx:
            return volts ? limitsVoltHertz3xxx(frequency, nominal)
                         : limitsAmpHertz3xxx(frequency, nominal, in_.has3711);
        case CalibratorFamily::Family76xx:
            return volts ? limitsVoltHertz7600(frequency, nominal, in_.has7625)
                         : limitsAmpHertz7600(frequency, nominal, in_.has7625);
        case CalibratorFamily::Family64xx:
            // The 6400's AC current has a fixed limit instead.
            if (volts)
                return limitsVoltHertz6400(frequency, nominal);
            return std::nullopt;
        }
        return std::nullopt;
    }

    void writeLimitMessage(int textNumber, std::string_view from, std::string_view to)
    {
        std::string message = texts_.gettext(textNumber);
        message = replaceAll(std::move(message), "<1>", from);
        message = replaceAll(std::move(message), "<2>", to);
        message = replaceAll(std::move(message), "<3>", fsc_);
        writer.comment("# " + message);
    }

    // The 3XXX sources no resistance below 10 ohms: the operator applies a
    // resistor (or a short) and types in what the UUT reads.
    void writeManualResistance(const std::string& n, double value, const std::string& tolerance)
    {
        if (value == 0.0) {
            writer.step("DISP         Apply a Short across the UUT input");
            writer.step("MEMI         Enter UUT Reading");
            writer.step("MEMCX        0Z             " + tolerance);
            return;
        }
        std::string nominal = n;
        formatNominal(nominal, kHeldDecimalMark);
        writer.step("DISP         Apply a " + asTyped(n) + " ohm resistor across the UUT input");
        writer.step("MEMI         Enter UUT Reading");
        writer.step("MEMCX        " + nominal + "Z             " + tolerance);
    }

    // Temperature and capacitance on calibrators without them: the operator
    // sets an external standard and judges the reading against its limits.
    void writeManualSection(MeterFunction f, const SpecTable& a)
    {
        const bool capacitance = f == F::Cap;
        std::string note = replaceAll(texts_.gettext(kTextManualTestsNote), "<fsc>", fsc_);
        note = replaceAll(std::move(note), "<cr>", "\r\n# ");
        writer.comment("# " + note);
        writer.blank();
        writer.blank();
        writer.cont("MESS");
        int c = 0;
        for (; c < SpecTable::columns() && !isBlank(a.cell(RowRange, c)); ++c) {
            beginPoint(f, c, PointOutcome::Manual, PointReason::FunctionNotSourced);
            const std::string setting =
                toLower(texts_.gettext(capacitance ? kTextSetCapacitanceStandards : kTextSetTemperatureStandards));
            const std::string value =
                asTyped(a.cell(RowRange, c)) + (capacitance ? std::string() : in_.selections.tempScale);
            const std::string message = properCase(replaceAll(setting, "<value>", value));
            writer.cont("MESS         " + message);
            writer.cont("MESS");
            writer.step(
                "EVAL         " + texts_.gettext(kTextDoesUutRead) + (capacitance ? "" : " ") + manualLimits(f, a, c));
            writer.nextTest();
            writer.blank();
            endPoint(f);
        }
        leaveOutFrom(f, a, c);
    }

    // A held cell as the user typed it, with the locale's decimal mark: the
    // operator's messages quote it so.
    std::string asTyped(std::string_view cell) const { return shownCell(cell, decSep_); }

    // Column c of a alone, as column 0, with the signs of range and level dropped.
    static SpecTable magnitudeColumn(const SpecTable& a, int c)
    {
        SpecTable column(a.rows());
        for (int row = 0; row < a.rows(); ++row) {
            std::string cell = trim(a.cell(row, c));
            if ((row == RowRange || row == RowLevel) && startsWith(cell, "-"))
                cell.erase(0, 1);
            column.setCell(row, 0, cell);
        }
        return column;
    }

    // The prefix letter that ends a value text, with the power of ten from
    // base units into that letter's unit; none and 0 for a plain number.
    static std::pair<std::string, int> prefixUnit(std::string_view valueText)
    {
        static constexpr std::string_view kLetters[] = {"p", "n", "\xC2\xB5", "m", "K", "M", "G"};
        const std::size_t count = charCount(valueText);
        if (count == 0)
            return {"", 0};
        const std::string last = charSubstr(valueText, count - 1);
        for (const std::string_view letter : kLetters)
            if (last == letter)
                return {last, rangeUnitPower(letter)};
        return {"", 0};
    }

    // " between <lower><unit> and <upper><unit>", the limits being the test
    // value minus and plus its whole tolerance. They are written like the
    // value they surround: in the unit of its prefix letter, which they
    // carry ("between 4.653nf and 4.747nf"), as the shortest decimal number
    // of at most 15 significant digits, with the locale's decimal mark.
    std::string manualLimits(MeterFunction f, const SpecTable& a, int c) const
    {
        const std::string rangeText = trim(a.cell(RowRange, c));
        if (textToValue(rangeText, kHeldDecimalMark) == 0.0)
            return "0";
        std::string valueText = trim(a.cell(RowLevel, c));
        if (valueText.empty())
            valueText = rangeText;
        // The tolerance comes in the unit of the range text. It is taken
        // from the magnitudes of range and level, so that a negative test
        // value (-200 degrees) gets a band as wide as its positive twin.
        // Value and tolerance are exact decimals; only the limits are rounded, as they are written.
        const Decimal toleranceBase =
            absToleranceValue(magnitudeColumn(a, c), 0, kHeldDecimalMark).timesTenTo(-rangeUnitPower(rangeText));
        const auto [letter, power] = prefixUnit(valueText);
        const Decimal value = exactTextToValue(valueText, kHeldDecimalMark);
        const std::string lower = (value - toleranceBase).timesTenTo(power).text();
        const std::string upper = (value + toleranceBase).timesTenTo(power).text();
        const std::string unit = f == F::Cap ? std::string("f") : " " + in_.selections.tempScale;
        std::string text = " ";
        text.append(texts_.gettext(kTextBetween)).append(" ").append(lower).append(letter).append(unit);
        text.append(" ").append(texts_.gettext(kTextAnd));
        text.append(" ").append(upper).append(letter).append(unit);
        return replaceAll(std::string(text), ".", decSep_);
    }

    CalibratorFamily family_;
    const MeterInputs& in_;
    const TextLookup& texts_;
    FieldPlacer fields_;
    LineSources* sources_;
    int open_ = -1; // the point under way, an index into sources_->points
    std::string fsc_;
    std::string decSep_; // the locale's mark, for the limits the operator reads
    bool is7320_;
};

} // namespace

GeneratedProcedure meterProcedure(CalibratorFamily family, const MeterInputs& inputs, const TextLookup& texts,
    MessageSink& sink, FieldOverflows* overflows, LineSources* sources)
{
    MeterGenerator generator(family, inputs, texts, overflows, sources);
    try {
        generator.run();
    } catch (const ProcedureFailure& failure) {
        generator.noteFailure();
        sink.inform("Procedure Error: \r\n" + std::to_string(failure.number()) + "\r\n" + failure.what());
        return {generator.writer.takeText(), true};
    }
    return {generator.writer.takeText(), false};
}

} // namespace kestrel
