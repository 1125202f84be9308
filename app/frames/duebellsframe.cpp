#include "app/frames/duebellsframe.h"

#include "app/frames/alertactions.h"
#include "app/framework/listobserver.h"
#include "app/framework/messagedialog.h"
#include "app/framework/objectlistgrid.h"
#include "domain/alert.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"

#include <QVBoxLayout>

namespace duebell {

namespace {

// What names an alert among the current ones: its loan, day and message.
struct AlertKey {
    std::string loanNumber;
    TDateTime alertDay;
    std::string alertMessage;

    explicit AlertKey(const TMorvaneAlert& alert)
        : loanNumber(alert.LoanNumber), alertDay(alert.AlertDay), alertMessage(alert.AlertMessage) {
    }

    // The book's current alert of this key, when there still is one.
    TMorvaneAlert* FindIn(TMorvaneData& book) const {
        for (TTovObjectItem* item : *book.CurrentAlerts) {
            auto* alert = static_cast<TMorvaneAlert*>(item);
            if (alert->LoanNumber == loanNumber && alert->AlertDay == alertDay &&
                alert->AlertMessage == alertMessage)
                return alert;
        }
        return nullptr;
    }
};

} // namespace

// Follows the current alerts of one loan book while it is the program's.
class TfmeDuebells::AlertsObserver {
public:
    AlertsObserver(TMorvaneData& book, std::function<void()> changed)
        : book_(&book), observer_(book.CurrentAlerts.get(), [this, changed = std::move(changed)] {
              if (Data() == book_)
                  changed();
          }) {}
    TMorvaneData* Book() const { return book_; }

private:
    TMorvaneData* book_;
    TMorvaneObserver observer_;
};

TfmeDuebells::TfmeDuebells(TTovObjectList* alerts, QWidget* parent) : TfmeCustomFrame(parent) {
    setObjectName("fmeDuebells");
    stgHeaderGrid_ = new TTovObjectListGrid(this);
    stgHeaderGrid_->setObjectName("stgHeaderGrid");
    stgHeaderGrid_->AddColumn("Loan Number", "LoanNumber", 80);
    stgHeaderGrid_->AddColumn("Property Address", "PropertyAddress", 200);
    stgHeaderGrid_->AddColumn("Client Name", "ClientName", 140);
    stgHeaderGrid_->AddColumn("Status", "AlertMessage", 180);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(stgHeaderGrid_);
    // Room beside the columns for the grid's border and a vertical scroll bar.
    DesignedAt(624, 300);

    stgHeaderGrid_->OnDblClick = [this] { GridDblClick(); };
    stgHeaderGrid_->SetObjectList(alerts);
    stgHeaderGrid_->RefreshGrid();
}

TfmeDuebells::~TfmeDuebells() = default;

void TfmeDuebells::MortgagesChanged() {
    // Once following the book's alerts, the grid hears every change of them itself.
    const TMorvaneData* book = Data();
    if (book != nullptr && alertsObserver_ != nullptr && alertsObserver_->Book() == book &&
        stgHeaderGrid_->ObjectList() == book->CurrentAlerts.get())
        return;
    ShowCurrentAlerts();
}

void TfmeDuebells::ShowCurrentAlerts() {
    TMorvaneData* book = Data();
    if (book == nullptr)
        return;
    if (alertsObserver_ == nullptr || alertsObserver_->Book() != book)
        alertsObserver_ = std::make_unique<AlertsObserver>(*book, [this] { ShowCurrentAlerts(); });
    stgHeaderGrid_->SetObjectList(book->CurrentAlerts.get());
    stgHeaderGrid_->RefreshGrid();
}

void TfmeDuebells::GridDblClick() {
    const std::vector<TTovObject*>& selected = stgHeaderGrid_->SelectedObjects();
    const auto* chosen =
        selected.empty() ? nullptr : dynamic_cast<const TMorvaneAlert*>(selected.front());
    if (chosen == nullptr)
        return;
    // The alerts may be rebuilt while the question is open: keep what names the alert.
    const AlertKey asked(*chosen);
    const int action =
        MessageDlgEx(AlertActionQuestion, mtConfirmation, mbPrint | mbClear | mbCancel, 0);
    if (action != mrPrint && action != mrClear)
        return;
    TMorvaneData* book = Data();
    TMorvaneAlert* alert = book != nullptr ? asked.FindIn(*book) : nullptr;
    if (alert == nullptr)
        return;
    if (action == mrPrint) {
        PrintAlert(*alert);
        return;
    }
    ClearCurrentAlert(*book, *alert);
    stgHeaderGrid_->RefreshGrid();
    // The tab's caption follows whether alerts remain.
    window()->update();
}

} // namespace duebell
