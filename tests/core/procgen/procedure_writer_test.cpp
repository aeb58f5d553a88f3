#include "core/procgen/procedure_writer.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(ProcedureWriter, StepLinesCarryNumberFieldAndCount)
{
    ProcedureWriter w;
    w.step("HEAD");
    w.comment("# note");
    w.cont("DISP         a");
    w.cont("DISP         b");
    w.incrementStep();
    w.step("DISP         c");
    EXPECT_EQ(w.text(),
        "  1.007  HEAD\r\n# note\r\n  1.008  DISP         a\r\n  1.008  DISP         b\r\n"
        "  1.009  DISP         c\r\n");
    EXPECT_EQ(w.lineCount(), 5);
    ProcedureWriter next(3014);
    next.nextTest();
    next.step("HEAD");
    EXPECT_EQ(next.text(), "  4.001  HEAD\r\n");
    EXPECT_EQ(ProcedureWriter::stepField(12010), " 12.010");
}

TEST(ProcedureWriter, ThousandTestsOrTooManyLinesFail)
{
    ProcedureWriter w(999001);
    EXPECT_NO_THROW(w.step("HEAD"));
    w.nextTest();
    EXPECT_THROW(w.step("HEAD"), ProcedureFailure);

    ProcedureWriter lines;
    for (int i = 0; i < 32767; ++i)
        lines.blank();
    EXPECT_THROW(lines.blank(), ProcedureFailure);
    EXPECT_EQ(lines.text().size(), 2u * 32768); // the overflowing line is kept
}

} // namespace
} // namespace kestrel
