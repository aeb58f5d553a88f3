// Window timings, offscreen: a committed cell to the procedure preview
// holding the new text, for the largest meter specification (nine
// functions x 26 columns, a record on every column), the pane alone and in
// the main window beside the grid, whose marks of reduced points repaint in
// the same pass. The cell alternates between two values, so every pass
// changes the procedure. (main() is bench_viewer.cpp's.)
#include "core/app/session.h"
#include "core/base/message_sink.h"
#include "full_specification.h"
#include "gui/document/document.h"
#include "gui/main/main_window.h"
#include "gui/viewer/procedure_preview.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace kestrel {
namespace {

// The pane as it stands beside the pages on a 1080-line screen.
constexpr int kWidth = 640;
constexpr int kHeight = 900;

// The largest specification in a document of its own, with its settings
// in a scratch folder.
struct FullDocument {
    QTemporaryDir config;
    SilentSink sink;
    gui::Document document{makeSession()};

    std::unique_ptr<Session> makeSession()
    {
        auto session = std::make_unique<Session>(StartUpEnvironment{1033, 1033, config.path().toStdString(), {}}, sink);
        session->inputs = fullSpecification("7320", 26);
        return session;
    }
};

// Stores a cell in the middle of the procedure (the lines above it stay),
// alternating two values, and waits until the preview holds the new text
// and the pass's paint is done.
void timeCommittedCells(benchmark::State& state, gui::Document& document, const gui::ProcedurePreview& preview)
{
    QApplication::processEvents(); // the first text, laid out and painted
    const std::string values[2] = {"4.5", "5.5"};
    int pass = 0;
    for (auto _ : state) {
        const int before = preview.replacements();
        document.setCell(2, 13, values[++pass % 2]);
        while (preview.replacements() == before)
            QApplication::processEvents(); // the update, then its paint
        QApplication::processEvents();
    }
    state.counters["lines"] = preview.textBox()->blockCount();
}

void BM_CommittedCellToPreview(benchmark::State& state)
{
    FullDocument full;
    gui::ProcedurePreview preview(full.document);
    preview.resize(kWidth, kHeight);
    preview.show();
    timeCommittedCells(state, full.document, preview);
}

BENCHMARK(BM_CommittedCellToPreview)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same in the window, with the preview and the calibrator coverage
// shown: the pass holds the grid's repaint and its marks, which work out
// the chosen standard's coverage; the coverage table counts later, after
// its pause, and is not timed.
void BM_CommittedCellToPreviewInTheWindow(benchmark::State& state)
{
    FullDocument full;
    gui::MainWindow window(full.document);
    window.resize(1600, 1000);
    window.show();
    for (const char* pane : {"mnuPreview", "mnuCoverage"})
        if (auto* entry = window.control<QAction>(QString::fromLatin1(pane)); !entry->isChecked())
            entry->trigger();
    timeCommittedCells(state, full.document, *window.control<gui::ProcedurePreview>(QStringLiteral("dock_Preview")));
}

BENCHMARK(BM_CommittedCellToPreviewInTheWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace kestrel
