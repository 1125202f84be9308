#include "reports/reportlabelsclient.h"

#include "app/framework/typedfields.h"
#include "controls/exspinedit.h"
#include "controls/uihooks.h"
#include "domain/clients.h"
#include "domain/configuration.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "print/pagenavigator.h"
#include "print/previewwidget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace duebell {

namespace {

constexpr TPqNavButtonSet NavigatorButtons =
    NavButton(pqFirstPage) | NavButton(pqPrevPage) | NavButton(pqNextPage) | NavButton(pqLastPage) |
    NavButton(pqZoomIn) | NavButton(pqZoomOut) | NavButton(pqActualSize) | NavButton(pqFitWidth) |
    NavButton(pqFitHeight) | NavButton(pqFitWholePage);

QTreeWidgetItem* Row(QTreeWidget* list, const std::string& applicant1,
                     const std::string& applicant2, const std::string& address) {
    return new QTreeWidgetItem(list, {QString::fromStdString(applicant1),
                                      QString::fromStdString(applicant2),
                                      QString::fromStdString(address)});
}

} // namespace

TfmReportLabelsClient::TfmReportLabelsClient(QWidget* parent)
    : QDialog(parent), PqPageNavigator1(new TPqPageNavigator(this)),
      PqPreview1(new TPqPreview(this)), pnlReportParameters(new QWidget(this)),
      edtNoLabels(new TExSpinEdit), cmbLabelStyle(new QComboBox), lvwRecipientList(new QTreeWidget),
      btnPrint(new QPushButton("&Print", this)), btnClose(new QPushButton("&Close", this)),
      run_(*Configuration()) {
    setObjectName("fmReportLabelsClient");
    setWindowTitle("Print Address Labels");
    PqPageNavigator1->setObjectName("PqPageNavigator1");
    PqPreview1->setObjectName("PqPreview1");
    pnlReportParameters->setObjectName("pnlReportParameters");
    edtNoLabels->setObjectName("edtNoLabels");
    cmbLabelStyle->setObjectName("cmbLabelStyle");
    lvwRecipientList->setObjectName("lvwRecipientList");
    btnPrint->setObjectName("btnPrint");
    btnClose->setObjectName("btnClose");

    // The preview: A4 upright at 40 %, 10 % to 200 %, measured from the paper's corner.
    TPqPreviewModel& preview = PqPreview1->Model();
    preview.SetPaperSize(TPqPaperSize::A4);
    preview.SetOrientation(pqPortrait);
    preview.SetMinZoom(10);
    preview.SetMaxZoom(200);
    preview.SetZoom(40);
    preview.Canvas().SetCoordsRelativeTo(pqFromPage);
    PqPageNavigator1->SetVisibleButtons(NavigatorButtons);
    PqPageNavigator1->SetPreview(PqPreview1);
    PqPageNavigator1->Loaded();

    labelPrinter_.SetPreview(&preview);
    labelPrinter_.OnDrawLabel = [this](int labelNum, TPqValueRect& rect, TPqCanvas& canvas) {
        run_.DrawLabel(labelNum, rect, canvas);
    };

    edtNoLabels->SetValueType(vtInteger);
    edtNoLabels->SetMinValue(1);
    edtNoLabels->SetMaxValue(100000);
    edtNoLabels->SetValue(1);
    edtNoLabels->setMaximumWidth(100);
    for (std::size_t i = 1; i < LabelStyleNames.size(); ++i)
        cmbLabelStyle->addItem(LabelStyleNames[i]);
    cmbLabelStyle->setCurrentIndex(0);

    lvwRecipientList->setColumnCount(3);
    lvwRecipientList->setHeaderLabels({"Applicant 1", "Applicant 2", "Postal Address"});
    lvwRecipientList->setRootIsDecorated(false);
    lvwRecipientList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvwRecipientList->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwRecipientList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwRecipientList->setColumnWidth(0, 120);
    lvwRecipientList->setColumnWidth(1, 120);
    lvwRecipientList->header()->setStretchLastSection(true);
    FillRecipients();

    // The panel: " Parameters " above " Destination List ".
    auto* parameters = new QGroupBox(" Parameters ", pnlReportParameters);
    auto* form = new QFormLayout(parameters);
    form->addRow("No. of Labels", edtNoLabels);
    form->addRow("Label Style", cmbLabelStyle);
    auto* destinations = new QGroupBox(" Destination List ", pnlReportParameters);
    auto* destinationLayout = new QVBoxLayout(destinations);
    destinationLayout->addWidget(lvwRecipientList);
    auto* panelLayout = new QVBoxLayout(pnlReportParameters);
    panelLayout->setContentsMargins(6, 0, 0, 0);
    panelLayout->addWidget(parameters);
    panelLayout->addWidget(destinations, 1);
    pnlReportParameters->setFixedWidth(420);

    auto* body = new QHBoxLayout;
    body->addWidget(pnlReportParameters);
    body->addWidget(PqPreview1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 6, 6);
    layout->addWidget(PqPageNavigator1);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(lvwRecipientList, &QTreeWidget::itemSelectionChanged, this,
            [this] { GuardEvent([this] { lbxRecipientListClick(lvwRecipientList); }); });
    connect(edtNoLabels, &TExSpinEdit::Changed, this,
            [this] { GuardEvent([this] { lbxRecipientListClick(edtNoLabels); }); });
    connect(cmbLabelStyle, &QComboBox::currentIndexChanged, this,
            [this] { GuardEvent([this] { lbxRecipientListClick(cmbLabelStyle); }); });
    connect(btnPrint, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { btnPrintClick(); }); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in the count field must not start printing.
    btnPrint->setAutoDefault(false);
    btnClose->setAutoDefault(false);
    resize(1000, 640);
}

// The label printer goes before the preview (a child widget) does.
TfmReportLabelsClient::~TfmReportLabelsClient() = default;

void TfmReportLabelsClient::FillRecipients() {
    Row(lvwRecipientList, "Self Addressed", "", Configuration()->Address->AddressStr());
    rowClients_.push_back(&run_.SelfAddressed());
    for (TTovObjectItem* item : *Data()->Clients) {
        auto* client = static_cast<TMorvaneClient*>(item);
        Row(lvwRecipientList, client->FullNameStr(), client->FullName2Str(),
            client->PostalAddress->AddressStr());
        rowClients_.push_back(client);
    }
}

void TfmReportLabelsClient::lbxRecipientListClick(QWidget* sender) {
    std::vector<TMorvaneClient*> chosen;
    for (int row = 0; row < lvwRecipientList->topLevelItemCount(); ++row)
        if (lvwRecipientList->topLevelItem(row)->isSelected())
            chosen.push_back(rowClients_[static_cast<std::size_t>(row)]);
    run_.SetRecipients(std::move(chosen));
    run_.SetCopies(TClientLabelRun::CopiesFrom(edtNoLabels->GetValue()));
    pnlReportParameters->setEnabled(false);
    struct Enable {
        QWidget* panel;
        ~Enable() { panel->setEnabled(true); }
    } enable{pnlReportParameters};
    run_.Layout(labelPrinter_,
                static_cast<TPqLabelTemplate>(std::max(cmbLabelStyle->currentIndex(), 0) + 1));
    if (sender != nullptr)
        sender->setFocus();
}

void TfmReportLabelsClient::btnPrintClick() {
    // The labels laid out follow the count as last read; a count it cannot hold is refused.
    CheckTypedFields(*this);
    PqPreview1->Model().SetCurrentPage(1);
    PqPreview1->Model().Print();
}

void TfmReportLabelsClient::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    GuardEvent([this] { PqPreview1->FitWidth(); });
}

} // namespace duebell
