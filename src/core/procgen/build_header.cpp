#include "core/procgen/build_header.h"

#include "core/base/failure.h"
#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/procgen/preamble.h"

#include <string>

namespace kestrel {

namespace {

// The Comments box behind "# ", as one comment line of the preamble: its
// later lines stand as the user typed them, without a "#" of their own.
// Every kind of line break (CR LF, LF, CR) is written as CR LF, the only
// line end a procedure has.
std::string commentLine(std::string_view comments)
{
    std::string out = "# ";
    out.reserve(comments.size() + 2);
    for (std::size_t i = 0; i < comments.size(); ++i) {
        const char ch = comments[i];
        if (ch != '\r' && ch != '\n') {
            out += ch;
            continue;
        }
        if (ch == '\r' && i + 1 < comments.size() && comments[i + 1] == '\n')
            ++i;
        out += "\r\n";
    }
    return out;
}

} // namespace

void buildHeader(ProcedureWriter& writer, const CommonInputs& inputs, const TextLookup& texts,
                 PreambleGap gap, bool amplifierConfigured)
{
    if (isBlank(writer.text()))
        return;
    const std::string body = writer.takeText();

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
    writer.comment(commentLine(inputs.identity.comments));
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

    writer.text() += "\r\n";
    writer.text() += body;

    writeClosingSteps(writer, texts, false);
}

} // namespace kestrel
