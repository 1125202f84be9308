// How long a statement-sized document takes to lay out through the canvas, to render a page
// for the screen, and to write as PDF.
#include "print/document.h"
#include "print/pagerender.h"
#include "print/pdfoutput.h"
#include "statementpages.h"

#include <QDir>
#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace duebell {
namespace {

QGuiApplication& Application() {
    static int argc = 1;
    static char name[] = "print_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
    return application;
}

void BM_LayOutTenPages(benchmark::State& state) {
    Application();
    for (auto _ : state) {
        TPqDocument document;
        BuildStatementPages(document.Canvas(), 10, [&] { document.NewPage(); });
        benchmark::DoNotOptimize(document.PageCount());
    }
}
BENCHMARK(BM_LayOutTenPages)->Unit(benchmark::kMillisecond);

void BM_RenderPageForScreenAt100Percent(benchmark::State& state) {
    Application();
    TPqDocument document;
    BuildStatementPages(document.Canvas(), 1, [&] { document.NewPage(); });
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPageImage(document.GetPage(1), 96));
}
BENCHMARK(BM_RenderPageForScreenAt100Percent)->Unit(benchmark::kMillisecond);

void BM_WriteTenPagePdf(benchmark::State& state) {
    Application();
    TPqDocument document;
    BuildStatementPages(document.Canvas(), 10, [&] { document.NewPage(); });
    QString file = QDir::temp().filePath("duebell_print_bench.pdf");
    for (auto _ : state)
        benchmark::DoNotOptimize(WritePdf(document.Pages(), file, "bench"));
    QFile::remove(file);
}
BENCHMARK(BM_WriteTenPagePdf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
