#pragma once
// The procedure under construction and the line routines every generator
// writes with. Lines end in CR LF. Step lines carry a 7-character step
// number (test.step, always with "." and three decimals), two blanks and
// the step body; comment lines are written as they are.
#include "core/base/failure.h"
#include "core/procgen/line_sources.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class ProcedureWriter {
public:
    // StepNumber is kept in thousandths so that 999 increments never drift.
    explicit ProcedureWriter(int startThousandths = 1007) : step_(startThousandths) { }

    std::string& text() { return text_; }
    const std::string& text() const { return text_; }
    std::string takeText();

    // The current line, composed by the generator before a line routine.
    std::string line;

    int testNumber() const { return step_ / 1000; }
    int lineCount() const { return lineCount_; }

    // Add_Comment_Line: the current line as it is; it stays in `line`.
    void addCommentLine();
    // Add_Line: a step line with the current number; clears `line`, step + 0.001.
    void addLine();
    // Add_Line_No_Increment: as addLine, the next step keeps the number.
    void addLineNoIncrement();
    // StepNumber + 0.001 without writing a line.
    void incrementStep() { step_ += 1; }
    // Next_Test: integer part + 1, then + 0.001 (3.014 becomes 4.001).
    void nextTest() { step_ = (step_ / 1000 + 1) * 1000 + 1; }

    // Line sources (line_sources.h): once `lines` is given, every line
    // written is recorded in it with `origin` as it stands at the time.
    void traceLines(std::vector<LineSource>* lines) { trace_ = lines; }
    LineSource origin;
    // The lines recorded so far, taken out (none when not tracing); with
    // takeText, the body that a header goes in front of.
    std::vector<LineSource> takeLines();
    // Text that ends in CR LF appended as it is, its lines recorded with
    // `origin`, or as `lines` (taken before with takeLines).
    void append(std::string_view text);
    void append(std::string_view text, const std::vector<LineSource>& lines);

    // Shorthands: set the current line and write it.
    void comment(std::string_view text);
    void blank() { comment(""); }
    void step(std::string_view body);
    void cont(std::string_view body);

    // The 7-character step-number field, e.g. "  1.007"; fails from 1000.000.
    static std::string stepField(int thousandths);

private:
    void countLine();
    void appendStepLine();
    void trace(std::string_view written);

    std::string text_;
    int step_;
    int lineCount_ = 0;
    std::vector<LineSource>* trace_ = nullptr;
};

} // namespace kestrel
