#include "core/procgen/build_header.h"

#include "core/base/failure.h"
#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/procgen/preamble.h"
#include "core/procgen/rich_text_escapes.h"

#include <string>

namespace kestrel {

void buildHeader(ProcedureWriter& writer, const CommonInputs& inputs, const TextLookup& texts, PreambleGap gap,
    bool amplifierConfigured)
{
    if (isBlank(writer.text()))
        return;
    const std::string body = writer.takeText();
    const std::vector<LineSource> bodyLines = writer.takeLines();
    writer.origin = LineSource{};

    // The counts are those the body reached; the header and preamble lines
    // written below are not part of them. LineCount is a 16-bit count, so
    // its "+ 11" can overflow.
    const int tests = writer.testNumber();
    if (writer.lineCount() > 32767 - 11)
        throw ProcedureFailure(kErrOverflow, "Overflow");
    // The seven header lines go in as one line; the rule and the column
    // header are lines of their own.
    writer.comment(headerLines(inputs, tests, writer.lineCount() + 11));
    writer.comment(kHeaderRule);
    writer.comment(kColumnHeader);
    writer.blank();
    writer.blank();

    writer.comment("# Procedure by Kestrel");
    // The Comments box as one comment line of the preamble: its later lines
    // stand as the user typed them, without a "#" of their own, each ended
    // by CR LF, the only line end a procedure has.
    writer.comment("# " + escapeTypedText(normalizeLineBreaks(inputs.identity.comments, "\r\n")));
    if (gap == PreambleGap::TwoBlankLines) {
        writer.blank();
        writer.blank();
    } else {
        if (amplifierConfigured)
            writer.comment("# " + texts.gettext(kTextUses7625));
        writer.blank();
    }
    writer.comment("# " + texts.gettext(kTextSystemFlags));
    writer.comment("# -------------");

    writeFlagSteps(writer, inputs, texts);
    if (writeMeasurementUncertainty(writer, inputs, texts)) {
        writer.blank();
        writer.blank();
        writer.blank();
    }

    writer.append("\r\n");
    writer.append(body, bodyLines);

    writeClosingSteps(writer, texts, false);
}

} // namespace kestrel
