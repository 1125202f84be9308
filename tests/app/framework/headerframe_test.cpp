// The list frames: button states, the compliance and delete questions, Add, Edit and Delete
// through the record dialog, the refusal of a second instalment fee of one description, the
// refresh of every header frame, buttons that follow a selection leaving the list, the loan
// book's observers, and columns that stretch.
#include "app/framework/headerframe.h"
#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "domain/loantransactions.h"
#include "editingbook.h"
#include "examples/exampleclientdialog.h"
#include "examples/exampleclientsframe.h"
#include "examples/examplefeedialog.h"

#include <QGroupBox>
#include <QPushButton>

namespace duebell {
namespace {

using examples::TfmeExampleClients;
using test::EditNamed;
using test::Press;

const std::string EditQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                 "Are you sure you wish to Edit this record?";
const std::string DeleteQuestion = "WARNING!  Changing records may generate compliance issues\r"
                                   "Are you sure you wish to Delete this record?";
const std::string DeleteAgain = "Are you sure you wish to delete this record?";
const std::string Duplicate =
    "You have attempted to create a duplicate record.  Entry will be ignored";

// A frame with no dialog of its own: it changes only when every header frame is refreshed.
class TfmePlainClients : public TfmeCustomHeaderFrame {
public:
    TfmePlainClients() {
        Grid()->AddColumn("Client Code", "ClientCode", 100);
        Grid()->SetObjectList(Data()->Clients.get());
        RefreshGrid();
    }
};

struct AfterModify {
    TModifyMode mode;
    TTovObjectItem* record;
};

class ListFrame : public test::EditingBook {
protected:
    ListFrame() {
        frame.OnAfterModify = [this](TfmeCustomHeaderFrame& sender, TModifyMode mode,
                                     TTovObjectItem* record, TfmCustomDetailForm& dialog) {
            EXPECT_EQ(&sender, &frame);
            EXPECT_EQ(dialog.Item(), record); // the dialog is still there
            after.push_back({mode, record});
        };
    }

    void Ask(const std::string& question, PromptAnswer answer) {
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, question, answer);
    }
    std::vector<std::string> Codes(const TfmeCustomHeaderFrame& shown) const {
        std::vector<std::string> codes;
        for (int row = 1; row < shown.Grid()->RowCount(); ++row)
            codes.push_back(shown.Grid()->Cells(0, row));
        return codes;
    }
    std::string SelectedCode() const { return frame.Grid()->Cells(0, frame.Grid()->Row()); }

    TfmeExampleClients frame{Data()->Clients.get()};
    std::vector<AfterModify> after;
};

TEST_F(ListFrame, AnEmptyListShowsOneBlankRowAndOnlyAdd) {
    EXPECT_EQ(frame.HeaderBox()->title(), " Client Overview ");
    EXPECT_EQ(frame.AddButton()->text(), "&Add");
    EXPECT_EQ(frame.EditButton()->text(), "&Edit/View");
    EXPECT_EQ(frame.DeleteButton()->text(), "&Delete");
    EXPECT_EQ(Codes(frame), (std::vector<std::string>{"0000001", "0000002"}));
    EXPECT_TRUE(frame.EditButton()->isEnabled());

    TTovObjectList empty(&TMorvaneClient::ClassManager());
    TfmeExampleClients none(&empty);
    EXPECT_EQ(none.Grid()->RowCount(), 2); // the captions and one blank row
    EXPECT_EQ(Codes(none), (std::vector<std::string>{""}));
    EXPECT_TRUE(none.AddButton()->isEnabled());
    EXPECT_FALSE(none.EditButton()->isEnabled());
    EXPECT_FALSE(none.DeleteButton()->isEnabled());

    TfmeExampleClients noList(nullptr);
    EXPECT_FALSE(noList.AddButton()->isEnabled());
}

TEST_F(ListFrame, AddInsertsTheRecordSelectsItAndRefreshesEveryHeaderFrame) {
    TfmePlainClients other;
    driver.Expect([](QDialog& shown) {
        EXPECT_EQ(EditNamed(shown, "edtClientCode")->text(), "0000003");
        EditNamed(shown, "edtSurname1")->setText("Brown");
        EditNamed(shown, "edtGivenNames1")->setText("Sam");
        EditNamed(shown, "edtStreetNo")->setText("3");
        EditNamed(shown, "edtSuburb")->setText("Ashgrove");
        EditNamed(shown, "edtState")->setText("QLD");
        EditNamed(shown, "edtPostcode")->setText("4060");
        Press(shown, "btnSave");
        return mrNone;
    });
    frame.AddButton()->click(); // no question before an add
    ASSERT_EQ(Data()->Clients->Count(), 3);
    TTovObjectItem* added = Data()->Clients->PeekLast();
    EXPECT_EQ(added->Owner(), Data()); // as a client loaded with the book
    EXPECT_EQ(Codes(other), (std::vector<std::string>{"0000001", "0000002", "0000003"}));
    EXPECT_EQ(frame.Grid()->Cells(1, 3), "Brown, Sam");
    EXPECT_EQ(SelectedCode(), "0000003");
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].mode, mmAdd);
    EXPECT_EQ(after[0].record, added);
    EXPECT_TRUE(DataModified());
}

TEST_F(ListFrame, EditAndDeleteFollowTheSelectionWhenItsRecordLeavesTheList) {
    TfmePlainClients plain; // it follows no change of the list by itself
    plain.Grid()->SelectRow(2);
    ASSERT_TRUE(plain.DeleteButton()->isEnabled());
    TTovObjectItem* gone = Data()->Clients->Locate(Variant(std::string("0000002")));
    Data()->Clients->Delete();
    delete gone;
    EXPECT_TRUE(plain.Grid()->SelectedObjects().empty());
    EXPECT_FALSE(plain.EditButton()->isEnabled());
    EXPECT_FALSE(plain.DeleteButton()->isEnabled());
    EXPECT_TRUE(plain.AddButton()->isEnabled());
}

TEST_F(ListFrame, AddThenCancelChangesNothingAndFreesTheNewRecord) {
    frame.Grid()->SelectRow(2);
    const int clients = TMorvaneClient::ClassManager().InstanceCount();
    driver.Expect([](QDialog& shown) {
        EditNamed(shown, "edtSurname1")->setText("Brown");
        Press(shown, "btnCancel");
        return mrNone;
    });
    frame.AddButton()->click();
    EXPECT_EQ(Data()->Clients->Count(), 2);
    EXPECT_EQ(TMorvaneClient::ClassManager().InstanceCount(), clients);
    EXPECT_EQ(SelectedCode(), "0000002");
    EXPECT_TRUE(after.empty());
    EXPECT_FALSE(DataModified());
}

TEST_F(ListFrame, AnAddTheListRefusesReachesTheErrorBoxAndLeavesTheRecordOut) {
    const int clients = TMorvaneClient::ClassManager().InstanceCount();
    driver.Expect([](QDialog& shown) {
        EditNamed(shown, "edtClientCode")->setText("0000002"); // a code already taken
        EditNamed(shown, "edtSurname1")->setText("Brown");
        EditNamed(shown, "edtGivenNames1")->setText("Sam");
        EditNamed(shown, "edtStreetNo")->setText("3");
        EditNamed(shown, "edtSuburb")->setText("Ashgrove");
        EditNamed(shown, "edtState")->setText("QLD");
        EditNamed(shown, "edtPostcode")->setText("4060");
        Press(shown, "btnSave");
        return mrNone;
    });
    ExpectError(Duplicate);
    frame.AddButton()->click();
    EXPECT_EQ(Data()->Clients->Count(), 2);
    EXPECT_EQ(TMorvaneClient::ClassManager().InstanceCount(), clients);
    EXPECT_TRUE(after.empty());
}

TEST_F(ListFrame, EditAsksTheComplianceQuestionAndReselectsTheRecordWhereverItMoved) {
    frame.Grid()->SelectRow(2);
    Ask(EditQuestion, PromptAnswer::No);
    frame.EditButton()->click(); // No: no dialog
    EXPECT_TRUE(after.empty());

    Ask(EditQuestion, PromptAnswer::Yes);
    driver.Expect([](QDialog& shown) {
        EXPECT_EQ(EditNamed(shown, "edtSurname1")->text(), "Okafor");
        EditNamed(shown, "edtSurname1")->setText("Okafor-Smith");
        // Meanwhile a client with a lower code arrives: the edited one moves down a row.
        auto earlier = MakeItem<TMorvaneClient>(Data());
        earlier->ClientCode = "0000000";
        Data()->Clients->Add(std::move(earlier));
        Press(shown, "btnSave");
        return mrNone;
    });
    frame.EditButton()->click();
    EXPECT_EQ(Codes(frame), (std::vector<std::string>{"0000000", "0000001", "0000002"}));
    EXPECT_EQ(frame.Grid()->Row(), 3);
    EXPECT_EQ(frame.Grid()->Cells(1, 3), "Okafor-Smith, Ada");
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].mode, mmEdit);
    EXPECT_EQ(after[0].record, &Client(2));

    // A cancelled edit still reselects its record and reports.
    frame.Grid()->SelectRow(1);
    Ask(EditQuestion, PromptAnswer::Yes);
    driver.Expect([](QDialog& shown) {
        Press(shown, "btnCancel");
        return mrNone;
    });
    frame.EditButton()->click();
    EXPECT_EQ(SelectedCode(), "0000000");
    EXPECT_EQ(after.size(), 2u);
}

TEST_F(ListFrame, DeleteIsConfirmedTwiceAndNoToEitherDeletesNothing) {
    TfmePlainClients other;
    frame.Grid()->SelectRow(2);
    Ask(DeleteQuestion, PromptAnswer::No);
    frame.DeleteButton()->click();
    Ask(DeleteQuestion, PromptAnswer::Yes);
    Ask(DeleteAgain, PromptAnswer::No);
    frame.DeleteButton()->click();
    EXPECT_EQ(Data()->Clients->Count(), 2);
    EXPECT_FALSE(DataModified());

    const int clients = TMorvaneClient::ClassManager().InstanceCount();
    Ask(DeleteQuestion, PromptAnswer::Yes);
    Ask(DeleteAgain, PromptAnswer::Yes);
    frame.DeleteButton()->click();
    EXPECT_EQ(Codes(frame), std::vector<std::string>{"0000001"});
    EXPECT_EQ(Codes(other), std::vector<std::string>{"0000001"});
    EXPECT_EQ(TMorvaneClient::ClassManager().InstanceCount(), clients - 1);
    EXPECT_TRUE(DataModified());
    EXPECT_TRUE(after.empty()); // a delete reports nothing
}

TEST_F(ListFrame, ASecondInstalmentFeeOfOneDescriptionIsRefusedAndFreed) {
    TfmeCustomHeaderFrame fees;
    fees.Grid()->AddColumn("Description", "FeeDescription", 160);
    fees.Grid()->SetObjectList(Loan().InstallmentFees.get());
    fees.RefreshGrid();
    fees.OnGetDetailFormClass = DetailFormClass<examples::TfmExampleInstalmentFee>();
    fees.OnGetDetailParent = [this] { return &Loan(); };
    int reported = 0;
    fees.OnAfterModify = [&](auto&, auto, auto*, auto&) { ++reported; };
    const auto addFee = [this, &fees](const char* description) {
        driver.Expect([description](QDialog& shown) {
            EditNamed(shown, "edtFeeDescription")->setText(description);
            Press(shown, "btnSave");
            return mrNone;
        });
        fees.AddButton()->click();
    };

    addFee("Insurance");
    ASSERT_EQ(Loan().InstallmentFees->Count(), 1);
    EXPECT_EQ(Loan().InstallmentFees->First()->Owner(), &Loan());
    const int live = TMorvaneInstallmentFee::ClassManager().InstanceCount();
    ExpectError(Duplicate);
    addFee("Insurance");
    EXPECT_EQ(Loan().InstallmentFees->Count(), 1);
    EXPECT_EQ(TMorvaneInstallmentFee::ClassManager().InstanceCount(), live);
    EXPECT_EQ(reported, 1);
    addFee("insurance"); // another case is another description
    EXPECT_EQ(Loan().InstallmentFees->Count(), 2);
    EXPECT_EQ(reported, 2);
}

TEST_F(ListFrame, AFrameWithNoDialogSaysSoInsteadOfOpeningNothing) {
    TfmePlainClients plain;
    plain.setObjectName("fmePlainClients");
    ExpectError("Internal error.  The list \"fmePlainClients\" has no record dialog.");
    plain.AddButton()->click();
    EXPECT_EQ(Data()->Clients->Count(), 2);
}

// Counts what a frame hears of the loan book's three lists.
class TfmeListening : public TfmeCustomFrame {
public:
    int clients = 0, properties = 0, mortgages = 0;

protected:
    void ClientsChanged() override { ++clients; }
    void PropertiesChanged() override { ++properties; }
    void MortgagesChanged() override { ++mortgages; }
};

TEST_F(ListFrame, FramesHearEveryChangeOfTheLoanBooksListsWhileBothLive) {
    { TfmeListening gone; }
    TfmeListening listening;
    Data()->Clients->NotifyListeners(ckItemAdded, nullptr); // the refresh after loading
    Data()->Properties->NotifyListeners(ckItemAdded, nullptr);
    Data()->Properties->NotifyListeners(ckItemAdded, nullptr);
    const std::unique_ptr<TTovObjectItem> loan(Data()->Mortgages->First());
    Data()->Mortgages->Delete();
    EXPECT_EQ(listening.clients, 1);
    EXPECT_EQ(listening.properties, 2);
    EXPECT_EQ(listening.mortgages, 1);

    // The example frame refreshes itself when a client is added anywhere.
    auto client = MakeItem<TMorvaneClient>(Data());
    client->ClientCode = "0000009";
    Data()->Clients->Add(std::move(client));
    EXPECT_EQ(Codes(frame), (std::vector<std::string>{"0000001", "0000002", "0000009"}));
    EXPECT_EQ(listening.clients, 2);

    // The loan book goes away first: its lists go without the frames hearing more, and the
    // frames outlive them.
    SetData(nullptr);
    EXPECT_EQ(listening.clients, 2);
}

TEST_F(ListFrame, ColumnsStretchWithTheFrameFromTheirDesignedWidth) {
    frame.show();
    frame.resize(960, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.Grid()->Column(0).Width(), 200);
    EXPECT_EQ(frame.Grid()->Column(1).Width(), 720);
    EXPECT_EQ(frame.AddButton()->width(), 75); // buttons keep their size
}

} // namespace
} // namespace duebell
