// Window timings, offscreen: Create to the procedure viewer shown with the
// highlighting switched on, and switching the highlighting off and on, for
// the largest meter specification (nine functions x 26 columns, a record on
// every column).
#include "core/app/create.h"
#include "full_specification.h"
#include "gui/viewer/procedure_viewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace kestrel {
namespace {

// A viewer as it opens on a 1080-line screen: 8990 twips by 0.8 of the height.
constexpr int kWidth = 599;
constexpr int kHeight = 864;

// The largest procedure and what a viewer of it needs.
struct LargestProcedure {
    ProcedureInputs inputs = fullSpecification("7320", 26);
    EnglishLookup texts;
    SilentSink sink;
    ViewerState shared;
    gui::ViewerContext context{texts, sink, {}, {}, shared};

    std::string create() { return createProcedure(inputs, texts, sink).text; }
    void showHighlighted(gui::ProcedureViewer& viewer) const
    {
        viewer.resize(kWidth, kHeight);
        viewer.show();
        viewer.findChild<QCheckBox*>(QStringLiteral("chk_Colorize"))->setChecked(true);
        QApplication::processEvents(); // paints
    }
};

void BM_CreateToHighlightedViewer(benchmark::State& state)
{
    LargestProcedure largest;
    int lines = 0;
    for (auto _ : state) {
        gui::ProcedureViewer viewer(largest.context, largest.create(), largest.inputs.selections.reference, false);
        largest.showHighlighted(viewer);
        lines = viewer.textBox()->blockCount();
    }
    state.counters["lines"] = lines;
}

void BM_ToggleHighlightingOffAndOn(benchmark::State& state)
{
    LargestProcedure largest;
    gui::ProcedureViewer viewer(largest.context, largest.create(), largest.inputs.selections.reference, false);
    largest.showHighlighted(viewer);
    // Somewhere in the middle, where every line has something to colour.
    viewer.setFirstVisibleLine(viewer.textBox()->blockCount() / 2);
    auto* colorize = viewer.findChild<QCheckBox*>(QStringLiteral("chk_Colorize"));
    for (auto _ : state) {
        colorize->setChecked(false);
        QApplication::processEvents();
        colorize->setChecked(true);
        QApplication::processEvents();
    }
}

BENCHMARK(BM_CreateToHighlightedViewer)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ToggleHighlightingOffAndOn)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace kestrel

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
