// The "Duebells" tab: the alert grid and its columns, the empty list until the loan list
// first changes, a grid that follows every change of the current alerts at once, no alert for
// a loan less than a cent behind its schedule, and the double-click question whose Print opens
// the alert's report through the registry and whose Clear clears the alert.
#include "../support/dialogdriver.h"
#include "../support/smallbook.h"
#include "app/frames/alertactions.h"
#include "app/frames/duebellsframe.h"
#include "app/frames/duebellswindows.h"
#include "app/framework/messagedialog.h"
#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "domain/alert.h"
#include "domain/alertrules.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "scriptedprompter.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::BookToday;

// A current alert of the loan book, made as the alert rules make them.
void RaiseAlert(TMorvaneAlertType type, TMorvaneMortgageStatus stage, const std::string& message,
                int statement = 0, int fee = 0) {
    auto alert = MakeItem<TMorvaneAlert>(nullptr);
    alert->LoanNumber = "0000001";
    alert->PropertyAddress = "12 Main St, Hilltop";
    alert->ClientName = "Nguyen, Anh";
    alert->AlertMessage = message;
    alert->AlertType = type;
    alert->MortgageStatus = stage;
    alert->StatementNumber = statement;
    alert->FeeNumber = fee;
    alert->AlertDay = TDateTime(BookToday - 1);
    AddAlert(*Data(), std::move(alert));
}

class DuebellsTab : public ::testing::Test {
protected:
    DuebellsTab() {
        SetConfiguration(test::SetUpConfiguration());
        SetData(test::BookWithAlerts());
        // Drawn on 3 March and never paid: on 30 June, the day of reference, it is 88 days
        // behind (since 3 April), past the default and foreclose periods (14 + 30 days) but
        // not the eviction period as well (104 days).
        Data()->RefreshAlerts();
        SetDataModified(false);
        frame = std::make_unique<TfmeDuebells>(&EmptyAlertList());
    }
    ~DuebellsTab() override {
        frame.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }

    TTovObjectListGrid& Grid() const { return *frame->Grid(); }
    std::vector<std::string> Column(int col) const {
        std::vector<std::string> cells;
        for (int row = 1; row < Grid().RowCount(); ++row)
            cells.push_back(Grid().Cells(col, row));
        return cells;
    }
    // Whether every row's alert is one of the book's current alerts, and every current alert
    // has its row.
    bool RowsAreTheCurrentAlerts() const {
        const TTovObjectList& current = *Data()->CurrentAlerts;
        int shown = 0;
        for (int row = 1; row < Grid().RowCount(); ++row) {
            const std::vector<TTovObject*>& objects = Grid().RowObjects(row);
            if (objects.empty())
                continue;
            ++shown;
            if (std::find(current.begin(), current.end(), objects.front()) == current.end())
                return false;
        }
        return shown == current.Count();
    }
    static void AnnounceLoans() { Data()->Mortgages->NotifyListeners(ckItemAdded, nullptr); }
    // The next question is the alert question, answered with the given button.
    void Answer(int button) {
        driver.Expect([button](QDialog& shown) {
            auto& question = dynamic_cast<TMessageForm&>(shown);
            EXPECT_EQ(question.findChild<QLabel*>("Message")->text().toStdString(),
                      AlertActionQuestion);
            EXPECT_EQ(question.windowTitle(), "Confirm");
            EXPECT_EQ(question.HelpContext(), 0);
            return button;
        });
    }
    void SelectAlert(const std::string& message) {
        for (int row = 1; row < Grid().RowCount(); ++row)
            if (Grid().Cells(3, row) == message) {
                Grid().SelectRow(row);
                return;
            }
        ADD_FAILURE() << "no alert " << message;
    }

    ScopedFixedClock clock{BookToday + 0.5};
    test::RecordingHooks hooks;
    testing::ScriptedPrompter prompter;
    test::DialogDriver driver;
    std::unique_ptr<TfmeDuebells> frame;
};

TEST_F(DuebellsTab, ShowsTheEmptyListUntilTheLoansChangeThenTheCurrentAlerts) {
    EXPECT_EQ(frame->objectName(), "fmeDuebells");
    std::vector<std::string> captions;
    for (int col = 0; col < Grid().ColCount(); ++col)
        captions.push_back(Grid().Cells(col, 0));
    EXPECT_EQ(captions, (std::vector<std::string>{"Loan Number", "Property Address", "Client Name",
                                                  "Status"}));
    EXPECT_EQ(Grid().ColWidths(1), 200);
    ASSERT_EQ(Data()->CurrentAlerts->Count(), 1);
    EXPECT_EQ(Column(0), (std::vector<std::string>{""}));

    AnnounceLoans();
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0000001"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"12 Main St, Hilltop"}));
    EXPECT_EQ(Column(2), (std::vector<std::string>{"Nguyen, Anh"}));
    EXPECT_EQ(Column(3), (std::vector<std::string>{"TERMINATION notice for LOAN now due"}));

    // Rows in the list's order: by loan, day, then message.
    RaiseAlert(atStatementDue, msAhead, "Statement \"1\" now due", 1);
    RaiseAlert(atPaymentChange, msAhead, "PAYMENT CHANGE notice now due");
    EXPECT_EQ(Column(3),
              (std::vector<std::string>{"PAYMENT CHANGE notice now due", "Statement \"1\" now due",
                                        "TERMINATION notice for LOAN now due"}));
}

TEST_F(DuebellsTab, FollowsEveryChangeOfTheCurrentAlertsAtOnce) {
    AnnounceLoans();
    TMorvaneMortgage& loan = *static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst());
    // A recalculation frees the loan's alerts and raises new ones: no loan-list notification
    // comes, and the grid never holds a freed alert.
    loan.Recalculate();
    EXPECT_TRUE(RowsAreTheCurrentAlerts());
    EXPECT_EQ(Column(0), (std::vector<std::string>{"0000001"}));

    // Drawn down today, the loan raises nothing.
    loan.Contract->PossessionDate = TDate(BookToday);
    loan.Recalculate();
    EXPECT_EQ(Column(0), (std::vector<std::string>{""}));

    RaiseAlert(atPayoutNotice, msAhead, "PAYOUT notice now due");
    EXPECT_EQ(Column(3), (std::vector<std::string>{"PAYOUT notice now due"}));
    EXPECT_TRUE(RowsAreTheCurrentAlerts());
    Data()->RefreshAlerts();
    EXPECT_EQ(Column(0), (std::vector<std::string>{""}));
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(DuebellsTab, ALoanPaidUpToTheCentItsNoticeAskedForHasNoAlertUntilItIsACentBehind) {
    // Weekly from Monday 02/06/2025, 146,000 over two years at 7.3 % (0.0002 a day): the
    // instalment 146,000 x r / (1 - (1 + r)^-104), r = 0.073 / 52, is 1,509.80. Paid on 09, 16
    // and 23/06, not on 30/06: on 30/06 and 01/07 interest runs on 141,470.60 against the
    // schedule's 139,960.80, 28.2941 - 27.9922 = 0.3019 a day more, and the interest of 02/07
    // puts the loan 1,509.80 + 0.6038 = 1,510.4038 behind. The Notice of Arrears asks for
    // $1,510.40, paid on 04/07: 0.0038 behind, $0.00 to the cent. 02/07 and 03/07 were also
    // behind (28.4664 - 28.1643 = 0.3021 a day): the interest of Saturday 02/08, on the
    // balances of Sunday 03/08, leaves it 0.0038 + 0.6042 = 0.6080 behind, $0.61.
    TMorvaneMortgage& loan = *static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst());
    TMorvaneContract& contract = *loan.Contract;
    contract.PossessionDate = TDate(EncodeDate(2025, 6, 2));
    contract.ContractAmount = contract.Deposit + Currency::fromUnits(146000);
    contract.ContractTerm = 2;
    contract.ReferenceRate = TPercentage{Currency::fromDouble(7.3)};
    contract.PaymentPeriod = "Weekly";
    const auto pay = [&loan](int month, int day, std::int64_t cents) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(&loan);
        payment->TransactionDate = TDate(EncodeDate(2025, month, day));
        payment->DateAdded = TDateTime(EncodeDate(2025, month, day) + 0.4);
        payment->PaymentType = "Payment";
        payment->TransactionAmount = Currency::fromRaw(cents * 100);
        loan.LoanTransactions->Add(std::move(payment));
    };
    for (const auto& [month, day] : {std::pair{6, 9}, {6, 16}, {6, 23}, {7, 7}, {7, 14}, {7, 21},
                                     {7, 28}, {8, 4}})
        pay(month, day, 150980);
    pay(7, 4, 151040);
    AnnounceLoans();
    const auto statusOn = [this](int month, int day) {
        clock.Set(EncodeDate(2025, month, day) + 0.5);
        Data()->RefreshAlerts();
        return Column(3);
    };
    using Rows = std::vector<std::string>;
    EXPECT_EQ(statusOn(7, 3), Rows{"ARREARS notice for LOAN now due"});
    EXPECT_EQ(statusOn(7, 5), Rows{""});
    EXPECT_EQ(statusOn(8, 3), Rows{""});
    EXPECT_EQ(statusOn(8, 4), Rows{"ARREARS notice for LOAN now due"}); // a day behind
    EXPECT_TRUE(hooks.errors.empty());
}

// The daily refresh of many loans, one loan's recalculation and a batch of raised alerts each
// refill the grid once (the refill ends with the grid's click), never once per alert, and
// leave it showing exactly the current alerts.
TEST_F(DuebellsTab, ABurstOfChangesIsShownOnceAndExactly) {
    AnnounceLoans();
    const auto& first = *static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst());
    std::vector<std::string> loanNumbers{"0000001"};
    for (int n = 2; n <= 30; ++n) {
        auto loan = MakeItem<TMorvaneMortgage>(Data());
        loan->LoanNumber = "00000" + std::string(n < 10 ? "0" : "") + std::to_string(n);
        loan->ClientCode = first.ClientCode;
        loan->PropertyCode = first.PropertyCode;
        loan->Contract->AssignProperties(*first.Contract);
        loanNumbers.push_back(loan->LoanNumber);
        Data()->Mortgages->Add(std::move(loan));
    }
    int refills = 0;
    Grid().OnClick = [&refills] { ++refills; };

    Data()->RefreshAlerts();
    EXPECT_EQ(refills, 1);
    EXPECT_EQ(Column(0), loanNumbers); // each loan as far behind as the first
    EXPECT_TRUE(RowsAreTheCurrentAlerts());

    auto& fifth = *static_cast<TMorvaneMortgage*>(Data()->Mortgages->Locate(Variant("0000005")));
    fifth.Contract->PossessionDate = TDate(BookToday); // drawn down today: nothing is due
    fifth.Recalculate();
    EXPECT_EQ(refills, 2);
    loanNumbers.erase(loanNumbers.begin() + 4);
    EXPECT_EQ(Column(0), loanNumbers);
    EXPECT_TRUE(RowsAreTheCurrentAlerts());

    {
        const TTovListUpdate batch(*Data()->CurrentAlerts);
        RaiseAlert(atStatementDue, msAhead, "Statement \"1\" now due", 1);
        RaiseAlert(atPaymentChange, msAhead, "PAYMENT CHANGE notice now due");
        EXPECT_EQ(refills, 2);
    }
    EXPECT_EQ(refills, 3);
    EXPECT_EQ(Grid().RowCount(), 1 + 29 + 2);
    EXPECT_TRUE(RowsAreTheCurrentAlerts());
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(DuebellsTab, ADoubleClickWithNoAlertDoesNothing) {
    frame->resize(640, 300);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    // The empty list's blank row, then the current alerts emptied.
    for (int pass = 0; pass < 2; ++pass) {
        Grid().SelectRow(1);
        const QPoint cell = Grid().viewport()->mapFrom(&Grid(), Grid().CellRect(0, 1).center());
        QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, cell);
        EXPECT_EQ(driver.shown(), 0);
        AnnounceLoans();
        Data()->CurrentAlerts->FreeAll();
    }
    EXPECT_FALSE(DataModified());
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(DuebellsTab, CancelChangesNothingAndClearOfTheLastAlertEmptiesTheTab) {
    AnnounceLoans();
    Grid().SelectRow(1);
    Answer(mrCancel);
    frame->GridDblClick();
    EXPECT_EQ(Data()->CurrentAlerts->Count(), 1);
    EXPECT_FALSE(DataModified());

    // The buttons of the question, as Ctrl+C copies them.
    const std::unique_ptr<TMessageForm> question =
        CreateMessageDialog(AlertActionQuestion, mtConfirmation, mbPrint | mbClear | mbCancel);
    EXPECT_NE(question->Text().find("Print   Clear   Cancel   "), std::string::npos);
    EXPECT_NE(question->findChild<QWidget*>("Print"), nullptr);

    Answer(mrClear);
    frame->GridDblClick();
    EXPECT_EQ(Column(0), (std::vector<std::string>{""}));
    EXPECT_EQ(Data()->CurrentAlerts->Count(), 0);
    EXPECT_EQ(Data()->ClearedDuebells->Count(), 1);
    EXPECT_FALSE(Data()->HasAlerts); // the tab's caption turns black
    EXPECT_TRUE(DataModified());

    // The same day's refresh does not raise it again.
    Data()->RefreshAlerts();
    EXPECT_EQ(Column(0), (std::vector<std::string>{""}));
    EXPECT_FALSE(Data()->HasAlerts);
}

TEST_F(DuebellsTab, ClearOfOneOfSeveralAlertsKeepsTheOthers) {
    AnnounceLoans();
    RaiseAlert(atStatementDue, msAhead, "Statement \"1\" now due", 1);
    Data()->HasAlerts = true;
    SelectAlert("Statement \"1\" now due");
    Answer(mrClear);
    frame->GridDblClick();
    EXPECT_EQ(Column(3), (std::vector<std::string>{"TERMINATION notice for LOAN now due"}));
    EXPECT_TRUE(Data()->HasAlerts);
}

// Each kind of alert and stage, and the report it opens with what it chooses.
TEST(AlertReports, EachAlertOpensTheReportOfItsTypeAndStage) {
    struct Case {
        TMorvaneAlertType type;
        TMorvaneMortgageStatus stage;
        const char* report; // nullptr: none
        int statement;
        int fee;
    };
    const Case cases[] = {
        {atStatementDue, msAhead, "TfmReportStatement", 3, 0},
        {atLoanArrears, msInArrears, "TfmReportLoanArrears", 0, 0},
        {atLoanArrears, msDefaulted, "TfmReportLoanDefault", 0, 0},
        {atLoanArrears, msForeclosed, "TfmReportLoanForeclosure", 0, 0},
        {atLoanArrears, msEviction, "TfmReportLoanEviction", 0, 0},
        {atLoanArrears, msAhead, nullptr, 0, 0},
        {atFeeArrears, msInArrears, "TfmReportFeesArrears", 0, 12},
        {atFeeArrears, msDefaulted, "TfmReportFeesDefault", 0, 12},
        {atFeeArrears, msForeclosed, "TfmReportFeesForeclosure", 0, 12},
        {atFeeArrears, msEviction, "TfmReportFeesEviction", 0, 12},
        {atFeeArrears, msAhead, nullptr, 0, 0},
        {atPaymentChange, msAhead, "TfmReportPaymentChange", 0, 0},
        {atPayoutNotice, msAhead, "TfmReportPayoutNotice", 0, 0},
    };
    for (const Case& c : cases) {
        auto alert = MakeItem<TMorvaneAlert>(nullptr);
        alert->LoanNumber = "0000042";
        alert->AlertType = c.type;
        alert->MortgageStatus = c.stage;
        alert->StatementNumber = 3; // only a statement alert passes it on
        alert->FeeNumber = 12;      // only a fee alert passes it on
        const std::optional<AlertReport> report = ReportForAlert(*alert);
        ASSERT_EQ(report.has_value(), c.report != nullptr) << c.type << "/" << c.stage;
        if (!report)
            continue;
        EXPECT_EQ(report->className, c.report);
        EXPECT_EQ(report->request.loanNumber, "0000042");
        EXPECT_EQ(report->request.statementNumber, c.statement) << c.report;
        EXPECT_EQ(report->request.feeNumber, c.fee) << c.report;
    }
}

TEST_F(DuebellsTab, PrintOpensTheReportWithTheLoanAndStatementOrFeeChosen) {
    ScopedWindowRegistry registry;
    std::vector<std::pair<std::string, WindowRequest>> opened;
    for (const char* report :
         {"TfmReportStatement", "TfmReportFeesDefault", "TfmReportLoanForeclosure"})
        RegisterWindow(report, [&opened, report](const WindowRequest& request) {
            opened.emplace_back(report, request);
            return OpenedWindow{};
        });
    AnnounceLoans();
    RaiseAlert(atStatementDue, msAhead, "Statement \"2\" now due", 2);
    RaiseAlert(atFeeArrears, msDefaulted, "DEFAULT notice for FEE \"7\" now due", 0, 7);

    for (const char* message : {"Statement \"2\" now due", "DEFAULT notice for FEE \"7\" now due",
                                "TERMINATION notice for LOAN now due"}) {
        SelectAlert(message);
        Answer(mrPrint);
        frame->GridDblClick();
    }
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].first, "TfmReportStatement");
    EXPECT_EQ(opened[0].second.loanNumber, "0000001");
    EXPECT_EQ(opened[0].second.statementNumber, 2);
    EXPECT_EQ(opened[1].first, "TfmReportFeesDefault");
    EXPECT_EQ(opened[1].second.loanNumber, "0000001");
    EXPECT_EQ(opened[1].second.feeNumber, 7);
    EXPECT_EQ(opened[2].first, "TfmReportLoanForeclosure");
    EXPECT_EQ(opened[2].second.statementNumber, 0);
    // Printing clears nothing.
    EXPECT_EQ(Data()->CurrentAlerts->Count(), 3);
    EXPECT_FALSE(DataModified());
}

TEST_F(DuebellsTab, AnAlertRebuiltWhileTheQuestionIsOpenIsFoundAgainOrLeftAlone) {
    AnnounceLoans();
    TMorvaneMortgage& loan = *static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst());
    Grid().SelectRow(1);
    driver.Expect([&](QDialog&) {
        loan.Recalculate(); // the same alert, a new record
        return mrClear;
    });
    frame->GridDblClick();
    EXPECT_EQ(Data()->CurrentAlerts->Count(), 0);
    EXPECT_EQ(Data()->ClearedDuebells->Count(), 1);

    Data()->ClearedDuebells->FreeAll();
    Data()->RefreshAlerts();
    Grid().SelectRow(1);
    driver.Expect([&](QDialog&) {
        loan.Contract->PossessionDate = TDate(BookToday);
        loan.Recalculate(); // the alert is gone
        return mrClear;
    });
    frame->GridDblClick();
    EXPECT_EQ(Data()->ClearedDuebells->Count(), 0);
    EXPECT_TRUE(hooks.errors.empty());
}

TEST_F(DuebellsTab, TheFrameIsRegisteredForTheTabWithTheListItShowsFirst) {
    ScopedWindowRegistry registry;
    RegisterDuebellsWindows();
    WindowRequest request;
    request.list = &EmptyAlertList();
    OpenedWindow opened = OpenWindow("TfmeDuebells", request);
    auto* shown = dynamic_cast<TfmeDuebells*>(opened.widget.get());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Grid()->ObjectList(), &EmptyAlertList());
}

TEST_F(DuebellsTab, Screenshot) {
    AnnounceLoans();
    RaiseAlert(atStatementDue, msAhead, "Statement \"1\" now due", 1);
    RaiseAlert(atFeeArrears, msInArrears, "ARREARS notice for FEE \"3\" now due", 0, 3);
    frame->resize(760, 260);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QApplication::processEvents(); // the view lays out its new rows
    // The columns stretch with the frame and still fit: no horizontal scroll bar.
    EXPECT_FALSE(Grid().horizontalScrollBar()->isVisible());
    const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/duebells_tab.png";
    EXPECT_TRUE(frame->grab().save(QString::fromStdString(path))) << path;
}

} // namespace
} // namespace duebell
