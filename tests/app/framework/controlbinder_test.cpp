#include "app/framework/controlbinder.h"
#include "controls/datepicker.h"
#include "controls/exspinedit.h"
#include "controls/gridbox.h"
#include "controls/numedit.h"
#include "domain/periods.h"
#include "objectlist/datetime.h"
#include "objectlist/exceptions.h"
#include "objectlist/objectlist.h"
#include "support/qtapp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace duebell {
namespace {

class TBoundAddress : public TTovRecord<TBoundAddress> {
public:
    using TTovRecord::TTovRecord;
    std::string Suburb;
    std::string PostCode;

    static void DeclareProperties(TTovPropertyTable<TBoundAddress>& table) {
        table.Property("Suburb", &TBoundAddress::Suburb)
            .Property("PostCode", &TBoundAddress::PostCode);
    }
};

// A record with a property of every kind a dialog binds.
class TBoundRecord : public TTovRecord<TBoundRecord> {
public:
    explicit TBoundRecord(TTovObjectItem* owner)
        : TTovRecord(owner), Address(CreateItem<TBoundAddress>(this)) {}

    std::string Name;
    std::int32_t Count = 0;
    Currency Amount;
    TDate Due;
    bool Active = false;
    std::string Notes;
    std::string Period;
    std::int32_t PeriodNumber = 0; // 1-based position among the statement periods
    std::string LoanNumber;
    std::unique_ptr<TBoundAddress> Address;
    std::string Summary() const { return Name + " (" + Address->PostCode + ")"; }

    static void DeclareProperties(TTovPropertyTable<TBoundRecord>& table) {
        table.Property("Name", &TBoundRecord::Name)
            .Property("Count", &TBoundRecord::Count)
            .Property("Amount", &TBoundRecord::Amount)
            .Property("Due", &TBoundRecord::Due)
            .Property("Active", &TBoundRecord::Active)
            .Property("Notes", &TBoundRecord::Notes)
            .Property("Period", &TBoundRecord::Period)
            .Property("PeriodNumber", &TBoundRecord::PeriodNumber)
            .Property("LoanNumber", &TBoundRecord::LoanNumber)
            .Property("Summary", &TBoundRecord::Summary)
            .SubRecord("Address", &TBoundRecord::Address);
    }
};

std::unique_ptr<TBoundRecord> NewRecord() {
    return MakeItem<TBoundRecord>(nullptr);
}

Currency Cents(std::int64_t cents) {
    return Currency::fromRaw(cents * 100);
}

// A small form of real widgets, each bound the way the dialogs bind them.
class BinderForm : public ::testing::Test {
protected:
    void SetUp() override {
        for (std::string_view period : StatementPeriodNames) {
            cmbPeriod->addItem(QString::fromUtf8(period.data(), period.size()));
            cmbPeriodNumber->addItem(QString::fromUtf8(period.data(), period.size()));
        }
        cmbLoanNumber->SetSelectType(stRow);
        cmbLoanNumber->SetDropDownCols(2);
        cmbLoanNumber->SetStyle(gsDropDownList);
        for (const char* code : {"0000001", "0000002", "0000003"})
            cmbLoanNumber->Items().Add(code);
        binder.AddRows({
            {edtName, "Text", "Name"},
            {edtCount, "Value", "Count"},
            {edtAmount, "Value", "Amount"},
            {edtDue, "Date", "Due"},
            {chkActive, "Checked", "Active"},
            {edtNotes, "Lines", "Notes"},
            {cmbPeriod, "Text", "Period"},
            {cmbPeriodNumber, "ItemIndex1", "PeriodNumber"},
            {cmbLoanNumber, "Text", "LoanNumber"},
            {edtPostCode, "Text", "Address.PostCode"},
            {lblSummary, "Text", "Summary"},
        });
        record->Name = "Smith & Co";
        record->Count = 7;
        record->Amount = Cents(123450);
        record->Due = TDate(45000); // 15/03/2023
        record->Active = true;
        record->Notes = "Unit 4,\r\nThe Grange";
        record->Period = "Quarterly";
        record->PeriodNumber = 3;
        record->LoanNumber = "0000002";
        record->Address->PostCode = "4000";
    }

    QWidget form;
    QLineEdit* edtName = new QLineEdit(&form);
    TExSpinEdit* edtCount = new TExSpinEdit(&form);
    TCurrencyEdit* edtAmount = new TCurrencyEdit(&form);
    TDatePicker* edtDue = new TDatePicker(&form);
    QCheckBox* chkActive = new QCheckBox(&form);
    QPlainTextEdit* edtNotes = new QPlainTextEdit(&form);
    QComboBox* cmbPeriod = new QComboBox(&form);
    QComboBox* cmbPeriodNumber = new QComboBox(&form);
    TGridBox* cmbLoanNumber = new TGridBox(&form);
    QLineEdit* edtPostCode = new QLineEdit(&form);
    QLabel* lblSummary = new QLabel(&form);
    TTovObjectListControlAware binder;
    std::unique_ptr<TBoundRecord> record = NewRecord();
};

TEST_F(BinderForm, ARecordGoesIntoTheControlsAndTheirChangesComeBack) {
    binder.ObjectToControls(record.get());
    EXPECT_EQ(edtName->text(), "Smith & Co");
    EXPECT_EQ(edtCount->GetValue(), 7);
    EXPECT_EQ(edtAmount->GetValue(), 1234.5);
    EXPECT_EQ(edtDue->Date(), 45000);
    EXPECT_TRUE(chkActive->isChecked());
    EXPECT_EQ(edtNotes->toPlainText(), "Unit 4,\nThe Grange");
    EXPECT_EQ(cmbPeriod->currentIndex(), 1);
    EXPECT_EQ(cmbPeriodNumber->currentText(), "Tri-Yearly");
    EXPECT_EQ(cmbLoanNumber->ItemIndex(), 1);
    EXPECT_EQ(edtPostCode->text(), "4000");
    EXPECT_EQ(lblSummary->text(), "Smith & Co (4000)");

    edtName->setText("Jones");
    edtCount->SetValue(12);
    edtAmount->SetValue(99.95);
    edtDue->SetDate(45031);
    chkActive->setChecked(false);
    edtNotes->setPlainText("PO Box 9\nToowong");
    cmbPeriod->setCurrentIndex(3);
    cmbPeriodNumber->setCurrentIndex(0);
    cmbLoanNumber->SetItemIndex(2);
    edtPostCode->setText("4066");
    lblSummary->setText("not stored: read-only");
    binder.ControlsToObject(*record);

    EXPECT_EQ(record->Name, "Jones");
    EXPECT_EQ(record->Count, 12);
    EXPECT_EQ(record->Amount, Cents(9995));
    EXPECT_EQ(record->Due, TDate(45031));
    EXPECT_FALSE(record->Active);
    EXPECT_EQ(record->Notes, "PO Box 9\r\nToowong");
    EXPECT_EQ(record->Period, "Half-Yearly");
    EXPECT_EQ(record->PeriodNumber, 1);
    EXPECT_EQ(record->LoanNumber, "0000003");
    EXPECT_EQ(record->Address->PostCode, "4066");
    EXPECT_EQ(record->Summary(), "Jones (4066)");
}

TEST_F(BinderForm, NoRecordEmptiesEveryControl) {
    binder.ObjectToControls(record.get());
    binder.ObjectToControls(nullptr);
    EXPECT_EQ(edtName->text(), "");
    EXPECT_EQ(edtCount->text(), "0");
    EXPECT_EQ(edtAmount->GetValue(), 0);
    EXPECT_EQ(edtDue->Date(), 0);
    EXPECT_FALSE(chkActive->isChecked());
    EXPECT_EQ(edtNotes->toPlainText(), "");
    EXPECT_EQ(cmbPeriod->currentIndex(), -1);
    EXPECT_EQ(cmbPeriodNumber->currentIndex(), -1);
    EXPECT_EQ(cmbLoanNumber->ItemIndex(), -1);
    EXPECT_EQ(edtPostCode->text(), "");
}

TEST_F(BinderForm, FillingFiresNoChangeHandlers) {
    int changes = 0;
    const auto count = [&] { ++changes; };
    QObject::connect(edtName, &QLineEdit::textChanged, count);
    QObject::connect(chkActive, &QCheckBox::toggled, count);
    QObject::connect(edtNotes, &QPlainTextEdit::textChanged, count);
    QObject::connect(cmbPeriod, &QComboBox::currentIndexChanged, count);
    QObject::connect(cmbPeriodNumber, &QComboBox::currentIndexChanged, count);
    edtDue->OnChange = count;
    binder.ObjectToControls(record.get());
    binder.ObjectToControls(nullptr);
    EXPECT_EQ(changes, 0);
    // The handlers are there: a user's change reaches them.
    edtName->setText("typed");
    edtDue->SetDate(45100);
    EXPECT_EQ(changes, 2);
}

TEST_F(BinderForm, OurControlsFillQuietlyToo) {
    int changes = 0;
    const auto count = [&] { ++changes; };
    edtCount->OnChange = count;
    edtAmount->OnChange = count;
    cmbLoanNumber->OnChange = count;
    TCustomComboEdit edtCode;
    edtCode.OnChange = count;
    binder.AddRow(&edtCode, "Text", "LoanNumber");
    binder.ObjectToControls(record.get());
    binder.ObjectToControls(nullptr);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(edtCode.Text(), "");
    // A change the user makes still reaches the handlers.
    edtCount->SetValue(3);
    cmbLoanNumber->SetItemIndex(0);
    EXPECT_EQ(changes, 2);
}

TEST_F(BinderForm, DropDownListsChooseOnlyTheirOwnEntries) {
    struct Case {
        const char* period;
        std::int32_t number;
        int shownIndex;
        int shownNumberIndex;
    };
    for (const Case& c :
         {Case{"Quarterly", 4, 1, 3}, Case{"Daily", 0, -1, -1}, Case{"quarterly", 7, -1, -1}}) {
        record->Period = c.period;
        record->PeriodNumber = c.number;
        binder.ObjectToControls(record.get());
        EXPECT_EQ(cmbPeriod->currentIndex(), c.shownIndex) << c.period;
        EXPECT_EQ(cmbPeriodNumber->currentIndex(), c.shownNumberIndex) << c.number;
    }
    // Nothing chosen stores an empty text and position 0; never the text that was not offered.
    binder.ControlsToObject(*record);
    EXPECT_EQ(record->Period, "");
    EXPECT_EQ(record->PeriodNumber, 0);

    // An editable combo box takes any text.
    cmbPeriod->setEditable(true);
    record->Period = "Daily";
    binder.ObjectToControls(record.get());
    EXPECT_EQ(cmbPeriod->currentText(), "Daily");
    cmbPeriod->setCurrentText("Fortnightly-ish");
    binder.ControlsToObject(*record);
    EXPECT_EQ(record->Period, "Fortnightly-ish");
}

TEST_F(BinderForm, ZeroBasedPositionsOfAComboBox) {
    TTovObjectListControlAware positions;
    positions.AddRow(cmbPeriod, "ItemIndex0", "Count");
    record->Count = 2;
    positions.ObjectToControls(record.get());
    EXPECT_EQ(cmbPeriod->currentText(), "Tri-Yearly");
    cmbPeriod->setCurrentIndex(-1);
    positions.ControlsToObject(*record);
    EXPECT_EQ(record->Count, -1);
}

TEST_F(BinderForm, ADestroyedControlIsSkipped) {
    delete edtName;
    delete edtNotes;
    EXPECT_EQ(binder.Rows()[0].Control, nullptr);
    EXPECT_EQ(binder.Rows()[5].Control, nullptr);
    EXPECT_EQ(binder.Rows().size(), 11u);
    binder.ObjectToControls(record.get());
    edtPostCode->setText("4101");
    binder.ControlsToObject(*record);
    EXPECT_EQ(record->Name, "Smith & Co");
    EXPECT_EQ(record->Notes, "Unit 4,\r\nThe Grange");
    EXPECT_EQ(record->Address->PostCode, "4101");
}

TEST_F(BinderForm, RowsThatDoNotResolveAreSkipped) {
    TTovObjectListControlAware odd;
    odd.AddRows({
        {edtName, "Text", "NoSuchProperty"},
        {edtName, "Text", "Address.NoSuchProperty"},
        {edtName, "Text", "Name.Suburb"}, // Name holds no record
        {edtName, "NoSuchProperty", "Name"},
        {edtName, "Text", ""}, // not bound yet
    });
    edtName->setText("kept");
    odd.ObjectToControls(record.get());
    EXPECT_EQ(edtName->text(), "kept");
    odd.ControlsToObject(*record);
    EXPECT_EQ(record->Name, "Smith & Co");
    EXPECT_EQ(record->Address->Suburb, "");
}

TEST_F(BinderForm, AValueThePropertyCannotTakeChangesNothing) {
    TTovObjectListControlAware binding;
    QLineEdit edtCountText;
    binding.AddRows({{edtName, "Text", "Name"},
                     {edtPostCode, "Text", "Address.PostCode"},
                     {&edtCountText, "Text", "Count"}});
    edtName->setText("Changed");
    edtPostCode->setText("9999");
    edtCountText.setText("twelve");
    try {
        binding.ControlsToObject(*record);
        ADD_FAILURE() << "letters went into a number";
    } catch (const EControlValueError& e) {
        EXPECT_EQ(e.Control(), &edtCountText); // the dialog focuses the control named
    }
    EXPECT_EQ(record->Name, "Smith & Co");
    EXPECT_EQ(record->Address->PostCode, "4000");
    EXPECT_EQ(record->Count, 7);
    edtCountText.setText("12");
    binding.ControlsToObject(*record);
    EXPECT_EQ(record->Count, 12);
    EXPECT_EQ(record->Name, "Changed");
}

TEST_F(BinderForm, ListFormsShowTheLastRecordAndWriteEveryRecord) {
    auto second = NewRecord();
    second->Name = "Second";
    second->Address->PostCode = "2000";
    auto notARecord = std::make_unique<TTovObjectList>(&TBoundRecord::ClassManager());
    binder.ObjectToControls({record.get(), notARecord.get(), second.get()});
    EXPECT_EQ(edtName->text(), "Second");
    EXPECT_EQ(edtPostCode->text(), "2000");
    edtPostCode->setText("3000");
    binder.ControlsToObject({record.get(), notARecord.get(), second.get()});
    EXPECT_EQ(record->Address->PostCode, "3000");
    EXPECT_EQ(second->Address->PostCode, "3000");
    EXPECT_EQ(record->Name, "Second");
}

TEST(BinderAutoFill, UnboundNamedControlsGetRowsForTheirProperties) {
    QWidget owner;
    auto* bound = new QLineEdit(&owner);
    bound->setObjectName("edtBound");
    auto* group = new QWidget(&owner);
    group->setObjectName("grpInner");
    auto* inner = new QLineEdit(group);
    inner->setObjectName("edtInner");
    auto* spin = new TExSpinEdit(&owner);
    spin->setObjectName("edtSpin");
    new QLineEdit(&owner); // no name: no row
    TTovObjectListControlAware binder;
    binder.AddRow(bound, "Text", "Name");
    binder.AutoFill(owner);

    std::vector<std::string> rows;
    for (const auto& row : binder.Rows())
        rows.push_back(row.Control->objectName().toStdString() + " - " + row.ControlProperty +
                       " - " + row.PropertyName);
    EXPECT_EQ(rows, (std::vector<std::string>{"edtBound - Text - Name", "edtInner - Text - ",
                                              "edtSpin - Text - ", "edtSpin - Value - "}));
    // Rows without a record path do nothing.
    inner->setText("left alone");
    binder.ObjectToControls(nullptr);
    EXPECT_EQ(inner->text(), "left alone");
}

} // namespace
} // namespace duebell
