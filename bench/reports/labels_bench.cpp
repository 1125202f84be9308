// How long the address labels window takes to lay a run out in its preview: one sheet, 100
// sheets and the largest run it accepts (1000 sheets of 24), each label four lines.
#include "bench/benchapplication.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "print/previewmodel.h"
#include "reports/clientlabels.h"

#include <benchmark/benchmark.h>

namespace duebell {
namespace {

// state.range(0) sheets of L7159 labels: 24 recipients of that many labels each.
void BM_LayOutAddressLabels(benchmark::State& state) {
    bench::BenchApplication();
    auto configuration = MakeItem<TMorvaneConfiguration>(nullptr);
    configuration->Company = "Bellwether Finance";
    configuration->Address->StreetNo = "5";
    configuration->Address->UnstructuredAddress = "Creek St";
    configuration->Address->Suburb = "Brisbane";
    TClientLabelRun run(*configuration);
    std::vector<std::unique_ptr<TMorvaneClient>> clients;
    std::vector<TMorvaneClient*> recipients{&run.SelfAddressed()};
    for (int i = 1; i < 24; ++i) {
        clients.push_back(MakeItem<TMorvaneClient>(nullptr));
        TMorvaneClient& client = *clients.back();
        client.ClientCode = std::to_string(1000000 + i);
        client.Surname = "SMITH";
        client.GivenNames = "John";
        client.Surname2 = "SMITH";
        client.GivenNames2 = "Mary";
        client.PostalAddress->StreetNo = std::to_string(i);
        client.PostalAddress->StreetName = "Gum Rd";
        client.PostalAddress->Suburb = "Woodridge";
        recipients.push_back(&client);
    }
    run.SetRecipients(recipients);
    run.SetCopies(state.range(0));

    TPqPreviewModel preview;
    TPqLabelPrinter printer;
    printer.SetPreview(&preview);
    printer.OnDrawLabel = [&run](int labelNum, TPqValueRect& rect, TPqCanvas& canvas) {
        run.DrawLabel(labelNum, rect, canvas);
    };
    for (auto _ : state) {
        run.Layout(printer, TPqLabelTemplate::L7159_Address);
        benchmark::DoNotOptimize(preview.PageCount());
    }
    state.counters["pages"] = preview.PageCount();
}
BENCHMARK(BM_LayOutAddressLabels)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace duebell
