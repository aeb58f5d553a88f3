#include "core/procgen/preamble.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/procgen/rich_text_escapes.h"

#include <algorithm>

namespace kestrel {
namespace {

// Flag letters are placed at 1-based positions of a procedure-wide line whose
// "ASK-"/"ASK+" word stands at 9 to 12; after trimming, each flag sits 8
// columns further left in the step body.
std::string flagLine(std::string line, std::string_view word)
{
    if (isBlank(line))
        return {};
    overwriteAt(line, 9, word);
    return trim(line);
}

// A header line: its title, blanks to the value column, its value.
std::string headerLine(std::string_view title, std::string_view value)
{
    std::string line(title);
    line.resize(std::max(line.size(), kHeaderValueColumn - 1), ' ');
    return line.append(value);
}

} // namespace

std::string askMinus(const ProcedureOptions& options)
{
    std::string line(kProcedureWidth, ' ');
    overwriteAt(line, 75, "V");
    if (!options.operatorButtons.list)
        overwriteAt(line, 70, "L");
    if (!options.operatorButtons.cancel)
        overwriteAt(line, 56, "X");
    if (!options.operatorButtons.repeat)
        overwriteAt(line, 38, "P");
    if (options.postTestWindow == PostTestWindow::OnFailure)
        overwriteAt(line, 54, "F");
    return flagLine(std::move(line), "ASK-");
}

std::string askPlus(const ProcedureOptions& options)
{
    std::string line(kProcedureWidth, ' ');
    switch (options.dataEntry) {
    case DataEntry::GoNoGo:
        overwriteAt(line, 24, "G");
        break;
    case DataEntry::Keyboard:
        overwriteAt(line, 24, "K");
        break;
    case DataEntry::All:
        overwriteAt(line, 24, "B");
        break;
    case DataEntry::Slew:
        break;
    }
    if (options.postTestWindow == PostTestWindow::Always)
        overwriteAt(line, 66, "A");
    return flagLine(std::move(line), "ASK+");
}

std::string headerLines(const CommonInputs& inputs, int numberOfTests, int numberOfLines)
{
    return headerLine("INSTRUMENT:", escapeTypedText(inputs.identity.name)) + "\r\n" +
        headerLine("DATE:", inputs.headerDate) + "\r\n" +
        headerLine("AUTHOR:", escapeTypedText(inputs.identity.author)) + "\r\n" +
        headerLine("REVISION:", escapeTypedText(inputs.identity.revision)) + "\r\n" +
        headerLine("ADJUSTMENT THRESHOLD:", "70%") + "\r\n" +
        headerLine("NUMBER OF TESTS:", std::to_string(numberOfTests)) + "\r\n" +
        headerLine("NUMBER OF LINES:", std::to_string(numberOfLines));
}

std::string headerBlock(const CommonInputs& inputs, int numberOfTests, int numberOfLines)
{
    std::string out = headerLines(inputs, numberOfTests, numberOfLines);
    out.append("\r\n").append(kHeaderRule).append("\r\n").append(kColumnHeader).append("\r\n");
    return out;
}

void writeFlagSteps(ProcedureWriter& writer, const CommonInputs& inputs, const TextLookup& texts)
{
    if (const std::string minus = askMinus(inputs.options); !minus.empty())
        writer.step(minus);
    if (const std::string plus = askPlus(inputs.options); !plus.empty())
        writer.step(plus);
    if (inputs.connections.empty())
        return;
    // The wizard's own instructions replace Tessel's automatic messages.
    if (inputs.options.functionMessages) {
        writer.blank();
        writer.comment("# " + texts.gettext(kTextNoAutoModeMessages));
        writer.step("ASK-" + std::string(62, ' ') + "W");
    }
    if (inputs.options.autoranging) {
        writer.blank();
        writer.comment("# " + texts.gettext(kTextNoAutoRangeMessages));
        writer.step("ASK-   R");
    }
}

bool writeMeasurementUncertainty(ProcedureWriter& writer, const CommonInputs& inputs, const TextLookup& texts)
{
    writer.blank();
    if (inputs.options.measurements < 1)
        return false;
    writer.comment("# " + texts.gettext(kTextEnableMeasurementUncertainty));
    writer.step("VSET         nmeas = " + std::to_string(inputs.options.measurements));
    writer.blank();
    writer.comment("# " + texts.gettext(kTextEnableWelchSatterthwaite));
    writer.step("VSET         WS = Yes");
    return true;
}

void writeClosingSteps(ProcedureWriter& writer, const TextLookup& texts, bool sharedDisplayNumber)
{
    writer.step("HEAD");
    const std::string first = "DISP         !               " + texts.gettext(kTextProcedureBanner);
    if (sharedDisplayNumber)
        writer.cont(first);
    else
        writer.step(first);
    writer.step("DISP         !               " + texts.gettext(kTextCompletedBanner));
}

} // namespace kestrel
