#include "core/spec/column_commands.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"
#include "core/spec/numbers.h"
#include "core/spec/tolerance.h"

namespace kestrel {
namespace {

bool validColumn(int c) { return c >= 0 && c < kColumnCount; }

} // namespace

bool columnCommandsEnabled(const SpecTable& table) { return !isBlank(table.cell(RowRange, 0)); }

bool insertColumn(SpecTable& table, int c)
{
    if (!columnCommandsEnabled(table) || !validColumn(c))
        return false;
    table.insertColumn(c);
    return true;
}

bool deleteColumn(SpecTable& table, MeterFunction f, int c, MessageSink& sink, const TextLookup& texts)
{
    if (!validColumn(c))
        return false;
    const std::string& range = table.cell(RowRange, c);
    if (!isBlank(range)) {
        const std::string question =
            textWith(texts, kTextReallyDeleteRange, {range, texts.gettext(functionInfo(f).deleteUnitText)});
        if (!sink.ask(question, texts.gettext(kTextWarning), MessageIcon::Exclamation))
            return false;
    }
    table.removeColumn(c);
    return true;
}

bool copyColumn(SpecTable& table, int c)
{
    if (!columnCommandsEnabled(table) || !validColumn(c) || c == kColumnCount - 1)
        return false;
    for (int r = 0; r < table.rows(); ++r)
        table.setCell(r, c + 1, table.cell(r, c));
    return true;
}

bool duplicateRange(SpecTable& table, int c)
{
    if (!columnCommandsEnabled(table) || !validColumn(c) || c == kColumnCount - 1)
        return false;
    for (int r = 0; r < table.rows(); ++r) {
        const std::string& source = table.cell(r, c);
        if (source.empty())
            continue; // the target keeps what it had
        const bool scaled = r == RowRange || r == RowLevel || r == RowFixed;
        table.setCell(r, c + 1, scaled ? multGrid(source, kHeldDecimalMark) : source);
    }
    return true;
}

bool clearSpecification(
    MeterInputs& inputs, SpecView& view, ClearScope scope, MessageSink& sink, const TextLookup& texts)
{
    if (!sink.ask(texts.gettext(kTextReallyClearSpecification), texts.gettext(kTextProgramName), MessageIcon::None,
            MessageAnswer::Cancel))
        return false;
    if (scope == ClearScope::All) {
        inputs.connections.clear();
        inputs.meter.clear();
        inputs.identity.comments.clear();
        inputs.identity.name.clear();
        view = SpecView{};
    } else {
        inputs.connections.clearFunction(view.function);
        inputs.meter.table(view.function).clear();
    }
    return true;
}

} // namespace kestrel
