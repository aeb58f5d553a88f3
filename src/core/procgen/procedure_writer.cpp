#include "core/procgen/procedure_writer.h"

#include "core/procgen/step_layout.h"

namespace kestrel {

std::string ProcedureWriter::takeText()
{
    std::string out = std::move(text_);
    text_.clear();
    return out;
}

std::vector<LineSource> ProcedureWriter::takeLines()
{
    if (!trace_)
        return {};
    std::vector<LineSource> out = std::move(*trace_);
    trace_->clear();
    return out;
}

void ProcedureWriter::append(std::string_view text)
{
    text_ += text;
    trace(text);
}

void ProcedureWriter::append(std::string_view text, const std::vector<LineSource>& lines)
{
    text_ += text;
    if (trace_)
        trace_->insert(trace_->end(), lines.begin(), lines.end());
}

// One source per CR LF: a comment may hold several lines (the header
// block, a typed text, the manual note).
void ProcedureWriter::trace(std::string_view written)
{
    if (!trace_)
        return;
    for (std::size_t at = written.find("\r\n"); at != std::string_view::npos; at = written.find("\r\n", at + 2))
        trace_->push_back(origin);
}

std::string ProcedureWriter::stepField(int thousandths)
{
    if (thousandths < 0 || thousandths >= 1000 * 1000)
        throw ProcedureFailure(kErrOverflow, "Overflow");
    // "test.step", right-aligned; written by hand because every line of a
    // procedure needs one.
    static_assert(kStepNumberWidth == 7, "999.999 fills the step number");
    std::string field(kStepNumberWidth, ' ');
    int value = thousandths;
    for (std::size_t i = 6; i >= 4; --i, value /= 10)
        field[i] = static_cast<char>('0' + value % 10);
    field[3] = '.';
    std::size_t i = 2;
    do {
        field[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0 && i-- > 0);
    return field;
}

void ProcedureWriter::countLine()
{
    // LineCount is a signed 16-bit count: passing 32767 overflows.
    if (lineCount_ == 32767)
        throw ProcedureFailure(kErrOverflow, "Overflow");
    ++lineCount_;
}

// The line is in the text before the count is taken, so the line that
// overflows LineCount still stands in the partial procedure.
void ProcedureWriter::addCommentLine()
{
    const std::size_t from = text_.size();
    text_ += line;
    text_ += "\r\n";
    trace(std::string_view(text_).substr(from));
    countLine();
}

void ProcedureWriter::appendStepLine()
{
    const std::string field = stepField(step_);
    text_ += field;
    text_.append(kStepNumberGap, ' ');
    const std::size_t from = text_.size();
    text_ += line;
    text_ += "\r\n";
    trace(std::string_view(text_).substr(from));
    countLine();
    line.clear();
}

void ProcedureWriter::addLine()
{
    appendStepLine();
    step_ += 1;
}

void ProcedureWriter::addLineNoIncrement() { appendStepLine(); }

void ProcedureWriter::comment(std::string_view text)
{
    line = text;
    addCommentLine();
}

void ProcedureWriter::step(std::string_view body)
{
    line = body;
    addLine();
}

void ProcedureWriter::cont(std::string_view body)
{
    line = body;
    addLineNoIncrement();
}

} // namespace kestrel
