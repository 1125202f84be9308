#include "app/framework/picklists.h"

#include "controls/gridbox.h"
#include "domain/clients.h"
#include "domain/loanbook.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"

#include <functional>
#include <string>
#include <vector>

namespace duebell {

namespace {

using RowTexts = std::function<std::vector<std::string>(TTovObjectItem&)>;

// Shapes the box, refills it from the list (or leaves it empty without a loan book) and
// chooses again the code it showed.
void FillPickList(TGridBox& box, const std::vector<int>& widths, const TTovObjectList* list,
                  const RowTexts& rowTexts) {
    box.SetDefaultRowHeight(16);
    box.SetDropDownCols(static_cast<int>(widths.size()));
    for (std::size_t c = 0; c < widths.size(); ++c)
        box.SetColWidth(static_cast<int>(c), widths[c]);
    box.SetSelectType(stRow);

    GridBoxItems& items = box.Items();
    const std::string code = box.Text().toStdString();
    const bool wasChosen = items.ItemIndex() >= 0;
    items.ClearForRefill();
    if (list != nullptr) {
        // The drop-down's view catches up once, not once per row.
        const TGridUpdate batch(*box.DropDownGrid()->Grid());
        for (TTovObjectItem* record : *list) {
            const std::vector<std::string> texts = rowTexts(*record);
            const int row = items.Add(texts.front());
            for (std::size_t c = 1; c < texts.size(); ++c)
                items.SetCell(row, static_cast<int>(c), texts[c]);
        }
    }
    const int row = items.FindRow(code);
    if (row >= 0)
        box.SetItemIndex(row);
    else if (wasChosen)
        box.SetText(""); // the chosen record has gone
}

} // namespace

void FillClientPickList(TGridBox& box) {
    TMorvaneData* data = Data();
    FillPickList(box, {80, 200}, data != nullptr ? &*data->Clients : nullptr,
                 [](TTovObjectItem& item) {
                     auto& client = static_cast<TMorvaneClient&>(item);
                     return std::vector<std::string>{client.ClientCode, client.FullNameStr()};
                 });
}

void FillPropertyPickList(TGridBox& box) {
    TMorvaneData* data = Data();
    FillPickList(
        box, {80, 200}, data != nullptr ? &*data->Properties : nullptr, [](TTovObjectItem& item) {
            auto& property = static_cast<TMorvaneProperty&>(item);
            return std::vector<std::string>{property.PropertyCode, property.Address->AddressStr()};
        });
}

void FillMortgagePickList(TGridBox& box) {
    TMorvaneData* data = Data();
    FillPickList(box, {80, 120, 200}, data != nullptr ? &*data->Mortgages : nullptr,
                 [](TTovObjectItem& item) {
                     auto& loan = static_cast<TMorvaneMortgage&>(item);
                     return std::vector<std::string>{loan.LoanNumber, loan.ClientName(),
                                                     loan.PropertyAddress()};
                 });
}

} // namespace duebell
