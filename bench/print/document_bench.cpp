// How long a statement-sized document takes to lay out through the canvas, to render a page
// for the screen, and to write as PDF.
#include "print/document.h"
#include "print/pagerender.h"
#include "print/pdfoutput.h"

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

// 'pages' pages of a ledger table: 50 rows of five columns with ruled lines.
void BuildStatement(TPqDocument& document, int pages) {
    TPqCanvas& canvas = document.Canvas();
    canvas.SetCoordsRelativeTo(pqFromUserMargins);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            document.NewPage();
        canvas.Font().SetSize(16);
        canvas.Font().SetStyle(fsBold);
        canvas.CentredTextOut(85, 0, "Statement of account");
        canvas.Font().SetSize(9);
        canvas.Font().SetStyle(0);
        for (int row = 0; row < 50; ++row) {
            double y = 15 + row * 4.5;
            canvas.TextOut(0, y, "12/03/2024");
            canvas.TextOut(25, y, "Instalment received");
            canvas.TextOut(95, y, "$1,250.00");
            canvas.TextOut(125, y, "$0.00");
            canvas.TextOut(150, y, "$184,312.57");
            canvas.Line(0, y + 4.2, 170, y + 4.2);
        }
        canvas.TextBox(0, 245, 170, 0, 1,
                       "Payments received after the statement date will appear on the next "
                       "statement. Please contact us if any entry is not as you expect.",
                       taLeftJustify, pqTop);
    }
}

void BM_LayOutTenPages(benchmark::State& state) {
    Application();
    for (auto _ : state) {
        TPqDocument document;
        BuildStatement(document, 10);
        benchmark::DoNotOptimize(document.PageCount());
    }
}
BENCHMARK(BM_LayOutTenPages)->Unit(benchmark::kMillisecond);

void BM_RenderPageForScreenAt100Percent(benchmark::State& state) {
    Application();
    TPqDocument document;
    BuildStatement(document, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderPageImage(document.GetPage(1), 96));
}
BENCHMARK(BM_RenderPageForScreenAt100Percent)->Unit(benchmark::kMillisecond);

void BM_WriteTenPagePdf(benchmark::State& state) {
    Application();
    TPqDocument document;
    BuildStatement(document, 10);
    QString file = QDir::temp().filePath("duebell_print_bench.pdf");
    for (auto _ : state)
        benchmark::DoNotOptimize(WritePdf(document.Pages(), file, "bench"));
    QFile::remove(file);
}
BENCHMARK(BM_WriteTenPagePdf)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
