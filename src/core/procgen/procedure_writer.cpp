#include "core/procgen/procedure_writer.h"

#include <cstdio>

namespace kestrel {

std::string ProcedureWriter::takeText()
{
    std::string out = std::move(text_);
    text_.clear();
    return out;
}

std::string ProcedureWriter::stepField(int thousandths)
{
    if (thousandths < 0 || thousandths >= 1000 * 1000)
        throw ProcedureFailure(kErrOverflow, "Overflow");
    char buf[16];
    std::snprintf(buf, sizeof buf, "%7d.%03d", thousandths / 1000, thousandths % 1000);
    // "%7d" pads the integer part; the whole field is 7 characters wide.
    std::string field(buf);
    return field.substr(field.size() - 7);
}

void ProcedureWriter::countLine()
{
    // LineCount is a signed 16-bit count: passing 32767 overflows.
    if (lineCount_ == 32767)
        throw ProcedureFailure(kErrOverflow, "Overflow");
    ++lineCount_;
}

void ProcedureWriter::addCommentLine()
{
    countLine();
    text_ += line;
    text_ += "\r\n";
}

void ProcedureWriter::appendStepLine()
{
    const std::string field = stepField(step_);
    countLine();
    text_ += field;
    text_ += "  ";
    text_ += line;
    text_ += "\r\n";
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
