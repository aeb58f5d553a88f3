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
    EXPECT_EQ(w.text(), "  1.007  HEAD\r\n# note\r\n  1.008  DISP         a\r\n  1.008  DISP         b\r\n"
                        "  1.009  DISP         c\r\n");
    EXPECT_EQ(w.lineCount(), 5);
    EXPECT_EQ(w.stepThousandths(), 1010);
}

TEST(ProcedureWriter, NextTestStartsAtStepOne)
{
    ProcedureWriter w(3014);
    w.nextTest();
    EXPECT_EQ(w.stepThousandths(), 4001);
    EXPECT_EQ(ProcedureWriter::stepField(12010), " 12.010");
    EXPECT_EQ(ProcedureWriter::stepField(999999), "999.999");
}

TEST(ProcedureWriter, ThousandTestsDoNotFitTheField)
{
    ProcedureWriter w(999001);
    EXPECT_NO_THROW(w.step("HEAD"));
    w.nextTest();
    EXPECT_THROW(w.step("HEAD"), ProcedureFailure);
}

TEST(ProcedureWriter, LineCountOverflowFails)
{
    ProcedureWriter w;
    for (int i = 0; i < 32767; ++i)
        w.blank();
    EXPECT_THROW(w.blank(), ProcedureFailure);
}

} // namespace
} // namespace kestrel
