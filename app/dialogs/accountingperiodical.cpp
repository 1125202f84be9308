#include "app/dialogs/accountingperiodical.h"

#include "app/dialogs/accountingperiodicaladdedit.h"
#include "app/framework/headerframe.h"
#include "app/framework/helpsystem.h"
#include "app/framework/objectlistgrid.h"
#include "controls/uihooks.h"
#include "domain/configuration.h"
#include "domain/helpfile.h"
#include "domain/processobjects.h"
#include "objectlist/objectlist.h"
#include "objectlist/variant.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace duebell {

namespace {

// The reports' header frame: after an add, edit or delete that may have changed the reports,
// the configuration is written to its file.
class TfmeAccountingReports : public TfmeCustomHeaderFrame {
public:
    TfmeAccountingReports(std::function<void()> saveConfiguration, QWidget* parent)
        : TfmeCustomHeaderFrame(parent), saveConfiguration_(std::move(saveConfiguration)) {}

    void DoModify(TModifyMode mode) override {
        const TTovObjectList* reports = Grid()->ObjectList();
        const int before = reports != nullptr ? reports->Count() : 0;
        TfmeCustomHeaderFrame::DoModify(mode);
        const int after = reports != nullptr ? reports->Count() : 0;
        // An edit may have changed a loan's figures even when the report dialog was
        // cancelled afterwards; an add or a delete changed something only when the count did.
        if (mode == mmEdit || before != after)
            saveConfiguration_();
    }

private:
    std::function<void()> saveConfiguration_;
};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setFixedSize(75, 25);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfmReportAccountingPeriodical::TfmReportAccountingPeriodical(
    std::function<void()> saveConfiguration)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName("fmReportAccountingPeriodical");
    setWindowTitle("Accounting Report Periodical");

    fmeCustomHeaderFrame1_ = new TfmeAccountingReports(std::move(saveConfiguration), this);
    fmeCustomHeaderFrame1_->setObjectName("fmeCustomHeaderFrame1");
    fmeCustomHeaderFrame1_->HeaderBox()->setTitle(" Accounting Reports ");
    TTovObjectListGrid& grid = *fmeCustomHeaderFrame1_->Grid();
    grid.AddColumn("Report No.", "AccountingReportNo", 80);
    grid.AddColumn("From", "StartDate", 120);
    grid.AddColumn("To", "EndDate", 120);
    grid.AddColumn("Current Status", "ReportStatus", 180);
    fmeCustomHeaderFrame1_->setMinimumSize(540, 300);

    auto* buttons = new QWidget(this);
    buttons->setObjectName("pnlButtons");
    btnClose_ = MakeButton(buttons, "btnClose", "&Close");
    btnPrint_ = MakeButton(buttons, "btnPrint", "&Print");
    btnPreview_ = MakeButton(buttons, "btnPreview", "Pre&view");
    // Nothing is printed from this list yet: the two buttons are there, greyed.
    btnPrint_->setEnabled(false);
    btnPreview_->setEnabled(false);
    auto* buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(8, 8, 8, 8);
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnPrint_);
    buttonRow->addWidget(btnPreview_);
    buttonRow->addWidget(btnClose_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(fmeCustomHeaderFrame1_, 1);
    column->addWidget(buttons);

    connect(btnClose_, &QPushButton::clicked, this, &QDialog::reject);

    fmeCustomHeaderFrame1_->OnGetDetailFormClass =
        DetailFormClass<TfmReportAccountingPeriodicalAddEdit>();
    fmeCustomHeaderFrame1_->OnGetDetailParent = [] { return Configuration(); };
    grid.SetObjectList(Configuration()->AccountingPeriodicalReports.get());
    fmeCustomHeaderFrame1_->RefreshGrid();
}

TfmReportAccountingPeriodical::~TfmReportAccountingPeriodical() = default;

void TfmReportAccountingPeriodical::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1 || event->modifiers() != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    GuardEvent([this] {
        const auto* topic = static_cast<const TMorvaneFormHelpTopic*>(
            HelpFile().FormHelpTopics->LocateNoMove(Variant(objectName().toStdString())));
        if (topic != nullptr)
            ShowHelpContext(topic->HelpContext);
        else
            ShowHelpContents();
    });
}

} // namespace duebell
