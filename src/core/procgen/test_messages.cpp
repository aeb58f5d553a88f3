#include "core/procgen/test_messages.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/procgen/rich_text_escapes.h"

#include <string>

namespace kestrel {
namespace {

constexpr std::string_view kDisp = "DISP         ";
constexpr std::string_view kPic = "PIC          ";

// The wizard stores its lines joined by CR LF; every CR starts a new DISP
// line, so a text ending in CR LF gives a last line with an empty operand.
void writeDisplayLines(ProcedureWriter& writer, std::string_view text)
{
    std::size_t start = 0;
    while (true) {
        const std::size_t cr = text.find('\r', start);
        const std::string_view piece = text.substr(start, cr == std::string_view::npos ? cr : cr - start);
        std::string operand;
        operand.reserve(piece.size());
        for (const char ch : piece)
            if (ch != '\n')
                operand += ch;
        writer.cont(std::string(kDisp) + escapeTypedText(operand));
        if (cr == std::string_view::npos)
            break;
        start = cr + 1;
    }
    // All lines of one display share a step number; the next step moves on.
    writer.incrementStep();
}

} // namespace

void addTestMessages(ProcedureWriter& writer, const ConnectionStore& instructions, const ProcedureOptions& options,
    const TextLookup& texts, MeterFunction function, std::string_view currentRange, int column)
{
    if (const ConnectionRecord* record = instructions.findUnique(function, column)) {
        // Only a missing field counts as none: the wizard may store an empty
        // picture name, and Tessel then gets the PIC step it asked for.
        if (record->text)
            writeDisplayLines(writer, *record->text);
        if (record->pic)
            writer.step(std::string(kPic) + escapeTypedText(*record->pic));
        writer.blank();
        return;
    }
    if (options.functionMessages && column == 0)
        writer.step(
            std::string(kDisp) + texts.gettext(kTextSetUutMode) + " " + std::string(functionInfo(function).code));
    if (!options.autoranging)
        writer.step(std::string(kDisp) + texts.gettext(kTextSetUutRange) + " " + std::string(currentRange));
}

} // namespace kestrel
