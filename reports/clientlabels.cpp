#include "reports/clientlabels.h"

#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/prompt.h"
#include "objectlist/exceptions.h"
#include "print/canvas.h"
#include "print/previewmodel.h"
#include "reports/fittedtext.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace duebell {

TClientLabelRun::TClientLabelRun(const TMorvaneConfiguration& configuration)
    : selfAddressed_(MakeItem<TMorvaneClient>(nullptr)) {
    selfAddressed_->ClientCode = SelfAddressedClientCode;
    selfAddressed_->Surname = configuration.Company;
    selfAddressed_->PostalAddress->AssignProperties(*configuration.Address);
    selfAddressed_->PostalAddress->StreetName = configuration.Address->UnstructuredAddress;
}

TClientLabelRun::~TClientLabelRun() = default;

void TClientLabelRun::SetRecipients(std::vector<TMorvaneClient*> clients) {
    recipients_ = std::move(clients);
    std::stable_sort(recipients_.begin(), recipients_.end(),
                     [](const TMorvaneClient* a, const TMorvaneClient* b) {
                         return a->ClientCode < b->ClientCode;
                     });
}

std::int64_t TClientLabelRun::CopiesFrom(double value) {
    // The field's text may hold any whole number, or none (its minimum); rounded as the
    // field shows it, and never fewer than one label each.
    if (!(value >= 1))
        return 1;
    return std::llround(std::min(value, double{INT_MAX}));
}

std::int64_t TClientLabelRun::LabelCount() const {
    return copies_ * static_cast<std::int64_t>(recipients_.size());
}

TMorvaneClient* TClientLabelRun::RecipientOf(std::int64_t labelNum) const {
    if (labelNum < 1)
        return nullptr;
    const std::int64_t index = (labelNum - 1) / copies_;
    return index < static_cast<std::int64_t>(recipients_.size())
               ? recipients_[static_cast<std::size_t>(index)]
               : nullptr;
}

void TClientLabelRun::DrawLabel(int labelNum, TPqValueRect& rect, TPqCanvas& canvas) const {
    const TMorvaneClient* client = RecipientOf(labelNum);
    if (client == nullptr)
        return;
    // Each line keeps 5 mm from both sides and stays above the next line and the label's
    // bottom edge, drawn smaller where it would not fit: the printer clips to the label,
    // which would cut a long address's state and postcode.
    const double left = rect.GetLeft().GetAsMillimeters() + 5;
    const double top = rect.GetTop().GetAsMillimeters();
    const double width = rect.GetRight().GetAsMillimeters() - left - 5;
    const double bottom = rect.GetBottom().GetAsMillimeters();
    const std::string lines[] = {client->FullNameStr(), client->FullName2Str(),
                                 client->PostalAddress->FullStreetStr(),
                                 client->PostalAddress->FullSuburbStr()};
    for (int i = 0; i < 4; ++i) {
        const double y = top + 5 + 8 * i;
        FittedTextOut(canvas, left, y, width, std::min(8.0, bottom - y), lines[i]);
    }
}

void TClientLabelRun::Layout(TPqLabelPrinter& printer, TPqLabelTemplate style) {
    TPqPreviewModel* preview = printer.Preview();
    if (preview == nullptr)
        throw InternalError("The label printer has no preview.");
    std::string refusal;
    {
        TPqUpdateScope update(*preview);
        preview->Clear();
        printer.SetTemplate(style);
        if (recipients_.empty())
            return;
        const std::int64_t labels = LabelCount();
        const std::int64_t sheets = printer.SheetsNeeded(labels);
        if (labels <= INT_MAX && sheets <= TPqLabelPrinter::MaxSheets) {
            printer.SetLabelCount(static_cast<int>(labels));
            preview->SetCurrentPage(1);
            return;
        }
        refusal = std::to_string(labels) + " labels would fill " + std::to_string(sheets) +
                  " pages.  No more than " + std::to_string(TPqLabelPrinter::MaxSheets) +
                  " pages of labels can be laid out at once: choose fewer labels or fewer "
                  "recipients.";
    }
    ReportError(refusal);
}

} // namespace duebell
