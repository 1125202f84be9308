// A page flip in the preview: the next page shown and painted in a 1000 x 800 viewport, at
// 100, 200 and 800 %. Memory is what the flip leaves allocated (heap_MB) and the process's
// peak resident size (peak_RSS_MB, meaningful when one zoom runs alone per process). Run with
// QT_SCALE_FACTOR=2 for a screen of device pixel ratio 2.
#include "bench/benchapplication.h"
#include "print/previewwidget.h"
#include "statementpages.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

namespace duebell {
namespace {

double HeapMegabytes() {
    struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024 * 1024);
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void BM_PreviewPageFlip(benchmark::State& state) {
    bench::BenchApplication();
    const double heapBefore = HeapMegabytes();
    {
        TPqPreview preview;
        preview.resize(1000, 800);
        TPqPreviewModel& model = preview.Model();
        BuildStatementPages(model.Canvas(), 2, [&] { model.NewPage(); });
        model.SetMaxZoom(800);
        model.SetZoom(static_cast<int>(state.range(0)));
        preview.show();
        QImage screen(preview.viewport()->size() * preview.devicePixelRatioF(),
                      QImage::Format_ARGB32_Premultiplied);
        screen.setDevicePixelRatio(preview.devicePixelRatioF());
        for (auto _ : state) {
            if (model.CurrentPage() == 1)
                model.NextPage();
            else
                model.PrevPage();
            preview.viewport()->render(&screen);
            benchmark::DoNotOptimize(screen.constBits());
        }
        state.counters["heap_MB"] = HeapMegabytes() - heapBefore;
        state.counters["dpr"] = preview.devicePixelRatioF();
    }
    state.counters["peak_RSS_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_PreviewPageFlip)->Arg(100)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
