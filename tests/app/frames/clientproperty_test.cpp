// The "Clients" and "Properties" tabs: opened through the registry over their lists, codes
// offered as seven digits after the highest, the required fields of each dialog, and the
// refusal to delete a client or property a loan uses, before any question.
#include "app/dialogs/namelengths.h"
#include "app/frames/clientpropertywindows.h"
#include "app/frames/clientsframe.h"
#include "app/frames/propertiesframe.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "controls/modalresult.h"
#include "domain/clients.h"
#include "domain/loanbook.h"
#include "framework/editingbook.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace duebell {
namespace {

using test::EditNamed;
using test::Press;

const std::string DeleteCompliance = "WARNING!  Changing records may generate compliance "
                                     "issues\rAre you sure you wish to Delete this record?";
const std::string DeleteAgain = "Are you sure you wish to delete this record?";

class ClientsAndProperties : public test::EditingBook {
protected:
    ClientsAndProperties() { RegisterClientAndPropertyWindows(); }

    // The tab's frame as the main window makes it.
    template <class Frame>
    std::unique_ptr<Frame> OpenTab(const char* className, TTovObjectList* list) {
        WindowRequest request;
        request.list = list;
        OpenedWindow opened = OpenWindow(className, request);
        auto* frame = dynamic_cast<Frame*>(opened.widget.get());
        EXPECT_NE(frame, nullptr);
        opened.widget.release();
        return std::unique_ptr<Frame>(frame);
    }
    static std::vector<std::string> Column(TfmeCustomHeaderFrame& frame, int col) {
        std::vector<std::string> texts;
        for (int row = 1; row < frame.Grid()->RowCount(); ++row)
            texts.push_back(frame.Grid()->Cells(col, row));
        return texts;
    }
    static void Select(TfmeCustomHeaderFrame& frame, int row) {
        frame.Grid()->SelectRow(frame.Grid()->FixedRows() + row);
    }
    void Confirm(const std::string& question, PromptAnswer answer) {
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, question, answer);
    }
    static void FillProperty(QDialog& dialog, const char* streetName) {
        EditNamed(dialog, "edtStreetNo")->setText("5");
        EditNamed(dialog, "edtStreetName")->setText(streetName);
        EditNamed(dialog, "edtSuburb")->setText("Bardon");
        EditNamed(dialog, "edtState")->setText("QLD");
        EditNamed(dialog, "edtPostcode")->setText("4065");
    }

    ScopedWindowRegistry registry;
};

TEST_F(ClientsAndProperties,
       TheFirstPropertyIsOfferedCodeOneInSevenDigitsAndLaterOnesFollowTheHighest) {
    TTovObjectList& properties = *Data()->Properties;
    properties.FreeAll();
    auto frame = OpenTab<TfmeProperty>("TfmeProperty", &properties);
    EXPECT_EQ(frame->HeaderBox()->title(), " Property Overview ");
    EXPECT_EQ(frame->Grid()->Cells(0, 0), "Property Code");
    EXPECT_EQ(frame->Grid()->Cells(1, 0), "Address");

    driver.Expect([this](QDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), "Add/Edit Property");
        EXPECT_EQ(EditNamed(shown, "edtPropertyCode")->text(), "0000001");
        EXPECT_TRUE(EditNamed(shown, "edtPropertyCode")->isReadOnly());
        shown.show();
        FillProperty(shown, "");
        ExpectError("You must provide a value for the \"Street Name\" field");
        Press(shown, "btnSave");
        EXPECT_TRUE(shown.isVisible());
        EditNamed(shown, "edtStreetName")->setText("Jubilee Tce");
        Press(shown, "btnSave");
        return mrNone;
    });
    frame->AddButton()->click();
    EXPECT_EQ(Column(*frame, 0), std::vector<std::string>{"0000001"});
    EXPECT_EQ(Column(*frame, 1), std::vector<std::string>{"5 Jubilee Tce, Bardon, QLD, 4065"});

    // Codes 3 and 7 with 1 deleted: the next is 8 however few there are.
    for (const char* code : {"0000003", "0000007"}) {
        auto property = MakeItem<TMorvaneProperty>(Data());
        property->PropertyCode = code;
        properties.Add(std::move(property));
    }
    driver.Expect([](QDialog& shown) {
        EXPECT_EQ(EditNamed(shown, "edtPropertyCode")->text(), "0000008");
        Press(shown, "btnCancel");
        return mrNone;
    });
    frame->AddButton()->click();
    EXPECT_EQ(properties.Count(), 3);
}

TEST_F(ClientsAndProperties, AClientNeedsItsFirstApplicantAndAddressButNoStreetName) {
    auto frame = OpenTab<TfmeClients>("TfmeClients", Data()->Clients.get());
    EXPECT_EQ(frame->HeaderBox()->title(), " Client Overview ");
    EXPECT_EQ(Column(*frame, 1), (std::vector<std::string>{"Nguyen, Anh", "Okafor, Ada"}));
    struct Step {
        const char* field;
        const char* name;
        const char* text;
    };
    const Step steps[] = {{"edtSurname1", "Applicant 1 Surname", "Lee"},
                          {"edtGivenNames1", "Applicant 1 Given Names", "Kim"},
                          {"edtStreetNo", "Street No.", "9"},
                          {"edtSuburb", "Suburb", "Paddington"},
                          {"edtState", "State", "QLD"},
                          {"edtPostcode", "Post Code", "4064"}};
    driver.Expect([&](QDialog& shown) {
        EXPECT_EQ(shown.windowTitle(), "Add/Edit Client");
        EXPECT_EQ(EditNamed(shown, "edtClientCode")->text(), "0000003");
        shown.show();
        for (const Step& step : steps) {
            ExpectError(std::string("You must provide a value for the \"") + step.name +
                        "\" field");
            Press(shown, "btnSave");
            EXPECT_TRUE(shown.isVisible()) << step.name;
            EditNamed(shown, step.field)->setText(step.text);
        }
        Press(shown, "btnSave");
        return mrNone;
    });
    frame->AddButton()->click();
    EXPECT_EQ(Column(*frame, 0), (std::vector<std::string>{"0000001", "0000002", "0000003"}));
    EXPECT_EQ(Column(*frame, 1)[2], "Lee, Kim");
    EXPECT_TRUE(DataModified());
}

TEST_F(ClientsAndProperties, ARecordALoanUsesIsRefusedBeforeAnyQuestion) {
    auto properties = OpenTab<TfmeProperty>("TfmeProperty", Data()->Properties.get());
    auto clients = OpenTab<TfmeClients>("TfmeClients", Data()->Clients.get());

    prompter.Expect(PromptType::Error, PromptButtons::Ok,
                    "A property that is currently assigned to a mortgage cannot be deleted",
                    PromptAnswer::Ok);
    Select(*properties, 0);
    properties->DeleteButton()->click();
    prompter.Expect(PromptType::Error, PromptButtons::Ok,
                    "A client that is currently assigned to a mortgage cannot be deleted",
                    PromptAnswer::Ok);
    Select(*clients, 0);
    clients->DeleteButton()->click();
    EXPECT_EQ(Data()->Properties->Count(), 1);
    EXPECT_EQ(Data()->Clients->Count(), 2);

    // A client no loan uses goes after both questions; once the loan is gone, so does the
    // other.
    Confirm(DeleteCompliance, PromptAnswer::Yes);
    Confirm(DeleteAgain, PromptAnswer::Yes);
    Select(*clients, 1);
    clients->DeleteButton()->click();
    Data()->Mortgages->FreeAll();
    Confirm(DeleteCompliance, PromptAnswer::Yes);
    Confirm(DeleteAgain, PromptAnswer::Yes);
    Select(*clients, 0);
    clients->DeleteButton()->click();
    EXPECT_EQ(Data()->Clients->Count(), 0);
}

TEST_F(ClientsAndProperties, EditingAPropertyKeepsItsCodeAndWholeTexts) {
    // A suburb longer than the dialog takes typed (kept from before the limit) shows whole;
    // typing stops at the limit.
    auto& stored = static_cast<TMorvaneProperty&>(*Data()->Properties->PeekFirst());
    const QString longSuburb(SuburbLength + 5, 'M');
    stored.Address->Suburb = longSuburb.toStdString();
    auto frame = OpenTab<TfmeProperty>("TfmeProperty", Data()->Properties.get());
    Confirm("WARNING!  Changing records may generate compliance issues\rAre you sure you wish "
            "to Edit this record?",
            PromptAnswer::Yes);
    driver.Expect([&](QDialog& shown) {
        EXPECT_EQ(EditNamed(shown, "edtPropertyCode")->text(), "0000001");
        EXPECT_EQ(EditNamed(shown, "edtStreetName")->text(), "Main St");
        EXPECT_EQ(EditNamed(shown, "edtSuburb")->text().toStdString(), longSuburb.toStdString());
        QLineEdit* state = EditNamed(shown, "edtState");
        state->clear();
        QTest::keyClicks(state, QString(StateLength + 5, 'W'));
        EXPECT_EQ(state->text().toStdString(), std::string(StateLength, 'W'));
        FillProperty(shown, "High St");
        Press(shown, "btnSave");
        return mrNone;
    });
    Select(*frame, 0);
    frame->EditButton()->click();
    const auto& property = static_cast<TMorvaneProperty&>(*Data()->Properties->PeekFirst());
    EXPECT_EQ(property.PropertyCode, "0000001");
    EXPECT_EQ(property.Address->StreetName, "High St");
}

} // namespace
} // namespace duebell
