// Every way into a window, in the real main window with every window registered as the
// program registers them: each menu entry opens its window (known by its object name), each tab
// holds its frame, and the Print of every alert type and stage on the "Duebells" tab opens its
// report with the alert's loan, statement or fee chosen; every field that takes an amount, a
// whole number or a date refuses what it cannot hold, whichever command of its window reads
// it. Dialogs are answered by the test: the first one an action shows is described and closed
// with Cancel.
#include "app/frames/duebellsframe.h"
#include "app/framework/headerframe.h"
#include "app/framework/messagedialog.h"
#include "app/framework/modalrunner.h"
#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "app/main/startup.h"
#include "controls/datepicker.h"
#include "controls/exspinedit.h"
#include "controls/fieldname.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "controls/numedit.h"
#include "domain/alert.h"
#include "domain/alertrules.h"
#include "menupath.h"
#include "objectlist/clock.h"
#include "print/printdialog.h"
#include "scriptedprompter.h"
#include "support/helprecorder.h"
#include "support/manualtimer.h"
#include "support/qtapp.h"
#include "wholeprogram.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace duebell {
namespace {

namespace fs = std::filesystem;

// What a dialog shows of itself: its object name (a file chooser: how it chooses), and the
// loan, statement and fee its pick lists have chosen.
struct ShownDialog {
    std::string name;
    std::string loan, statement, fee;
};

std::string Chosen(const QDialog& dialog, const char* box) {
    const auto* list = dialog.findChild<TGridBox*>(box);
    return list != nullptr && list->ItemIndex() >= 0 ? list->GetCell(list->ItemIndex(), 0) : "";
}

ShownDialog Describe(const QDialog& dialog) {
    if (const auto* chooser = qobject_cast<const QFileDialog*>(&dialog))
        return {chooser->acceptMode() == QFileDialog::AcceptSave ? "save file" : "open file", "",
                "", ""};
    return {dialog.objectName().toStdString(), Chosen(dialog, "cmbLoanNumber"),
            Chosen(dialog, "cmbStatementNo"), Chosen(dialog, "cmbFeeNumber")};
}

class EveryWindow : public ::testing::Test {
protected:
    EveryWindow() {
        const std::string folder = data.path().toStdString();
        RegisterProgramWindows(folder);
        test::SeedDataFolder(folder);
        StartUpOptions options;
        options.folders = {folder, DUEBELL_HELP_CONTENT_DIR};
        options.splashWait = false;
        window = StartDuebell(options);
        help.requests.clear();
    }
    ~EveryWindow() override {
        window.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
    }

    // The menu entry of a path of captions ("&Print/Loan &Reports/&Payout"), or nullptr.
    QAction* Entry(const std::string& path) const {
        return test::MenuPath(*window, QString::fromStdString(path));
    }

    // Runs the action; gives the dialogs it showed (the alert question answered with Print,
    // every other dialog described and cancelled).
    template <class Action> std::vector<ShownDialog> DialogsOf(Action action) {
        std::vector<ShownDialog> shown;
        ScopedModalRunner runner([&shown](QDialog& dialog) {
            if (dynamic_cast<TMessageForm*>(&dialog) != nullptr)
                return mrPrint;
            shown.push_back(Describe(dialog));
            return static_cast<int>(mrCancel);
        });
        action();
        return shown;
    }

    ScopedFixedClock clock{test::BookToday + 0.5};
    test::RecordingHooks hooks;
    testing::ScriptedPrompter prompter;
    test::HelpRecorder help;
    ScopedWindowRegistry registry;
    test::ManualTimers timers;
    QTemporaryDir data;
    std::unique_ptr<TfmMain> window;
};

TEST_F(EveryWindow, EachMenuEntryOpensTheWindowItNames) {
    struct Row {
        const char* path;
        const char* window; // the object name of the one dialog the entry shows
    };
    const Row rows[] = {
        {"&File/&Import...", "open file"},
        {"&File/&Export...", "save file"},
        {"&Configuration/&User Details", "fmSystemConfig"},
        {"&Configuration/&Notice Periods", "fmOptions"},
        {"&Configuration/&Interest Rates", "fmRateChangesConfig"},
        {"&Configuration/&Fees/&Full Fees", "fmFeesConfig"},
        {"&Configuration/&Fees/&Instalment Fees", "fmFeesInstallmentConfig"},
        {"&Configuration/&Fees/&Arrears Administration Fee", "fmAdministrationFeeConfig"},
        {"&Configuration/&Public Holidays/&Recurring", "fmPublicHolidaysRecurringConfig"},
        {"&Configuration/&Public Holidays/&Once-Off", "fmPublicHolidaysConfig"},
        {"&Print/Loan &Reports/Payment &Change", "fmReportPaymentChange"},
        {"&Print/Loan &Reports/&Statement of Account", "fmReportStatement"},
        {"&Print/Loan &Reports/&Payout", "fmReportPayoutNotice"},
        {"&Print/Loan &Reports/&Draw Down", "fmReportDrawDown"},
        {"&Print/Loan &Notices/&Arrears", "fmReportLoanArrears"},
        {"&Print/Loan &Notices/&Default", "fmReportLoanDefault"},
        {"&Print/Loan &Notices/&Termination", "fmReportLoanForeclosure"},
        {"&Print/Loan &Notices/&Vacate Property", "fmReportLoanEviction"},
        {"&Print/&Fee Notices/&Full Fee", "fmReportFullFees"},
        {"&Print/&Fee Notices/Full Fee &Arrears", "fmReportFeesArrears"},
        {"&Print/&Fee Notices/Full Fee &Default", "fmReportFeesDefault"},
        {"&Print/&Fee Notices/Full Fee Termination", "fmReportFeesForeclosure"},
        {"&Print/&Fee Notices/Full Fee Vacate Property", "fmReportFeesEviction"},
        {"&Print/&Bookkeeping Reports/&Initial Bookkeeping Report", "fmReportAccountingInitial"},
        {"&Print/&Bookkeeping Reports/&Periodical Bookkeeping Report",
         "fmReportAccountingPeriodical"},
        {"&Print/Address &Labels", "fmReportLabelsClient"},
        {"&Help/&About...", "fmAbout"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        QAction* entry = Entry(row.path);
        ASSERT_NE(entry, nullptr);
        EXPECT_TRUE(entry->isEnabled());
        if (!entry->isEnabled())
            continue;
        const std::vector<ShownDialog> shown = DialogsOf([entry] { entry->trigger(); });
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].name, row.window);
        EXPECT_EQ(shown[0].loan, "") << "a menu entry chooses no loan";
    }
    EXPECT_TRUE(hooks.errors.empty()) << hooks.errors.front();
}

TEST_F(EveryWindow, TheEntriesThatOpenNoWindowDoWhatTheySay) {
    const fs::path saved = fs::path(data.path().toStdString()) / DataFileName;
    fs::remove(saved);
    const auto showsNothing = [this](const char* path) {
        SCOPED_TRACE(path);
        QAction* entry = Entry(path);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->isEnabled());
        EXPECT_TRUE(DialogsOf([entry] { entry->trigger(); }).empty());
    };
    showsNothing("&File/&Save");
    EXPECT_TRUE(fs::exists(saved));
    showsNothing("&Help/&Duebell Help");
    EXPECT_EQ(help.requests, std::vector<std::string>{"contents"});
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo,
                    "Are you sure you want to exit?", PromptAnswer::No);
    showsNothing("&File/E&xit");
    EXPECT_EQ(prompter.asked(), 1);
    // The final bookkeeping report has no window: its entry, in the hidden menu, does nothing.
    EXPECT_FALSE(Entry("&Print/&Bookkeeping Reports")->isVisible());
}

TEST_F(EveryWindow, EachTabHoldsItsFrame) {
    const std::pair<const char*, const char*> tabs[] = {
        {"Loan Transactions", "fmeLoanTransactions"},
        {"Full Fee Transactions", "fmeFeeTransaction"},
        {"Clients", "fmeClients"},
        {"Properties", "fmeProperty"},
        {"Loans", "fmeMortgages"},
        {"Duebells", "fmeDuebells"},
    };
    auto& pages = *window->findChild<QTabWidget*>("pgMain");
    ASSERT_EQ(pages.count(), 6);
    for (int i = 0; i < pages.count(); ++i) {
        const auto& [caption, frame] = tabs[i];
        SCOPED_TRACE(caption);
        EXPECT_EQ(pages.tabText(i), caption);
        EXPECT_TRUE(pages.isTabEnabled(i));
        pages.setCurrentIndex(i);
        EXPECT_NE(pages.widget(i)->findChild<QWidget*>(frame, Qt::FindDirectChildrenOnly), nullptr);
    }
    EXPECT_TRUE(hooks.errors.empty()) << hooks.errors.front();
}

TEST_F(EveryWindow, PrintOfEachAlertOpensItsReportWithWhatItIsAbout) {
    struct Row {
        TMorvaneAlertType type;
        TMorvaneMortgageStatus stage;
        const char* report; // nullptr: Print opens nothing
        const char* statement;
        const char* fee;
    };
    const Row rows[] = {
        {atStatementDue, msAhead, "fmReportStatement", "2", ""},
        {atLoanArrears, msInArrears, "fmReportLoanArrears", "", ""},
        {atLoanArrears, msDefaulted, "fmReportLoanDefault", "", ""},
        {atLoanArrears, msForeclosed, "fmReportLoanForeclosure", "", ""},
        {atLoanArrears, msEviction, "fmReportLoanEviction", "", ""},
        {atLoanArrears, msAhead, nullptr, "", ""},
        {atFeeArrears, msInArrears, "fmReportFeesArrears", "", "7"},
        {atFeeArrears, msDefaulted, "fmReportFeesDefault", "", "7"},
        {atFeeArrears, msForeclosed, "fmReportFeesForeclosure", "", "7"},
        {atFeeArrears, msEviction, "fmReportFeesEviction", "", "7"},
        {atFeeArrears, msAhead, nullptr, "", ""},
        {atPaymentChange, msAhead, "fmReportPaymentChange", "", ""},
        {atPayoutNotice, msAhead, "fmReportPayoutNotice", "", ""},
    };
    auto* frame = window->findChild<TfmeDuebells*>();
    ASSERT_NE(frame, nullptr);
    TTovObjectListGrid& grid = *frame->Grid();
    for (const Row& row : rows) {
        const std::string message =
            "alert " + std::to_string(row.type) + "/" + std::to_string(row.stage);
        SCOPED_TRACE(message);
        Data()->CurrentAlerts->FreeAll();
        auto alert = MakeItem<TMorvaneAlert>(nullptr);
        alert->LoanNumber = "0000001";
        alert->AlertMessage = message;
        alert->AlertType = row.type;
        alert->MortgageStatus = row.stage;
        alert->StatementNumber = 2; // only a statement alert passes it on
        alert->FeeNumber = 7;       // only a fee alert passes it on
        alert->AlertDay = TDateTime(test::BookToday);
        AddAlert(*Data(), std::move(alert));
        ASSERT_EQ(grid.Cells(3, 1), message);
        grid.SelectRow(1);
        if (row.report != nullptr && !IsWindowRegistered(std::string("T") + row.report)) {
            ADD_FAILURE() << "no window T" << row.report << " is registered";
            continue;
        }

        const std::vector<ShownDialog> shown = DialogsOf([frame] { frame->GridDblClick(); });
        if (row.report == nullptr) {
            EXPECT_TRUE(shown.empty());
            continue;
        }
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].name, row.report);
        EXPECT_EQ(shown[0].loan, "0000001");
        EXPECT_EQ(shown[0].statement, row.statement);
        EXPECT_EQ(shown[0].fee, row.fee);
    }
    EXPECT_TRUE(hooks.errors.empty()) << hooks.errors.front();
}

// Every field of a window that takes an amount, a whole number or a date, probed as a user
// types: a key the field cannot take is refused, naming the field and what it holds; a number
// it cannot hold (twenty nines) or a date that does not exist is refused by every command of
// the window pressed by its shortcut, the focus still in the field, with the same message; the
// text stays as typed and nothing else happens. Then each list's Add opens its record dialog,
// probed the same way.
class TypedFieldProbe {
public:
    explicit TypedFieldProbe(test::RecordingHooks& hooks) : hooks_(hooks) {}

    // The modal runner's answer: the dialog an opening asked for is probed and cancelled; any
    // other is a command that ran although a field was refused.
    int Run(QDialog& dialog) {
        if (!opening_) {
            ADD_FAILURE() << dialog.objectName().toStdString() << " opened past a refused field";
            return mrCancel;
        }
        opening_ = false;
        dialog.show();
        Probe(dialog, dialog);
        dialog.hide();
        return mrCancel;
    }
    // Opens a window that shows a dialog, which is then probed.
    template <class Open> void Opening(Open open) {
        opening_ = true;
        open();
        opening_ = false;
    }

    // The fields within `scope` (a dialog, or a tab of the active main window `window`), then
    // the record dialog of each list's Add there.
    void Probe(QWidget& window, QWidget& scope) {
        const std::string name = window.objectName().toStdString();
        // The keyboard's shortcuts work in the active window.
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) {
            ADD_FAILURE() << name << " never became active";
            return;
        }
        // A loan chosen and a record of each list selected, so that every command can be
        // pressed.
        for (TGridBox* loans : scope.findChildren<TGridBox*>("cmbLoanNumber"))
            if (loans->ItemIndex() < 0)
                loans->SetItemIndex(0);
        for (TfmeCustomHeaderFrame* list : scope.findChildren<TfmeCustomHeaderFrame*>())
            if (!list->Grid()->RowObjects(1).empty())
                list->Grid()->SelectRow(1);
        for (QWidget* field : scope.findChildren<QWidget*>()) {
            if (!field->isVisibleTo(&window) || !field->isEnabledTo(&window))
                continue;
            SCOPED_TRACE(name + "." + field->objectName().toStdString());
            if (auto* amount = qobject_cast<TCustomNumEdit*>(field);
                amount && !amount->isReadOnly())
                ProbeNumber(window, scope, *amount);
            else if (auto* whole = qobject_cast<TExSpinEdit*>(field); whole && !whole->isReadOnly())
                ProbeNumber(window, scope, *whole);
            else if (auto* date = qobject_cast<TDatePicker*>(field); date && !date->isReadOnly())
                ProbeDate(window, scope, *date);
        }
        for (auto* list : scope.findChildren<TfmeCustomHeaderFrame*>())
            if (list->isVisibleTo(&window) && list->AddButton()->isEnabled())
                Opening([list] { list->AddButton()->click(); });
    }

    std::set<std::string> probed; // "<window>.<field>"

private:
    // The window's commands: its buttons with a shortcut, other than Help, Cancel and Close.
    static std::vector<QPushButton*> Commands(QWidget& window, QWidget& scope) {
        std::vector<QPushButton*> commands;
        for (QPushButton* button : scope.findChildren<QPushButton*>()) {
            const QString name = button->objectName();
            if (button->isVisibleTo(&window) && button->isEnabled() &&
                !QKeySequence::mnemonic(button->text()).isEmpty() && name != "btnHelp" &&
                name != "btnCancel" && name != "btnClose")
                commands.push_back(button);
        }
        return commands;
    }

    // Presses the command as the keyboard does, without moving the focus: its shortcut, or,
    // when another button of the window shares it, a click as a speed button gives.
    static void Press(QWidget& window, QPushButton& command) {
        const QKeySequence key = QKeySequence::mnemonic(command.text());
        int sharing = 0;
        for (QPushButton* other : window.findChildren<QPushButton*>())
            sharing += other->isVisible() && other->isEnabled() &&
                       QKeySequence::mnemonic(other->text()) == key;
        if (sharing > 1) {
            command.click();
            return;
        }
        bool clicked = false;
        const QMetaObject::Connection watch =
            QObject::connect(&command, &QPushButton::clicked, [&clicked] { clicked = true; });
        QTest::keyClick(&window, key[0].key(), Qt::AltModifier);
        // Qt clicks a shortcut's button a moment after the key, as the button is drawn down.
        for (QDeadlineTimer wait(30000); !clicked && !wait.hasExpired();)
            QTest::qWait(10);
        QObject::disconnect(watch);
        EXPECT_TRUE(clicked) << command.text().toStdString() << " was not pressed by its shortcut";
    }

    static void Type(QWidget& field, const QString& text) {
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(&field, Qt::Key_Delete);
        else
            QTest::keyClicks(&field, text);
    }

    // Focuses the field; its name, by the label that names it.
    std::string Enter(const std::string& window, QWidget& field) {
        probed.insert(window + "." + field.objectName().toStdString());
        const std::string label = FieldName(field);
        EXPECT_FALSE(label.empty()) << "no label names the field";
        field.setFocus();
        QCoreApplication::processEvents();
        return label;
    }

    // `bad` typed into the field (whose text `line` shows), each command refuses it with
    // `message` and the text stays as typed; then what the field held is typed back.
    void RefusedByEachCommand(QWidget& window, QWidget& scope, QWidget& field,
                              const QLineEdit& line, const QString& bad,
                              const std::string& message) {
        const QString original = line.text().trimmed();
        Type(field, bad);
        for (QPushButton* command : Commands(window, scope)) {
            SCOPED_TRACE(command->text().toStdString());
            hooks_.errors.clear();
            Press(window, *command);
            EXPECT_EQ(hooks_.errors, std::vector<std::string>{message});
            EXPECT_EQ(line.text(), bad);
            EXPECT_TRUE(window.isVisible());
        }
        hooks_.errors.clear();
        Type(field, original);
        EXPECT_TRUE(hooks_.errors.empty()) << hooks_.errors.front();
    }

    template <class Field> void ProbeNumber(QWidget& window, QWidget& scope, Field& field) {
        const std::string label = Enter(window.objectName().toStdString(), field);
        const QString shown = field.text();
        hooks_.errors.clear();
        QTest::keyClicks(&field, "x");
        ASSERT_EQ(hooks_.errors.size(), 1u);
        const std::string refused = "\"" + label + "\": \"x\" cannot be typed here. ";
        ASSERT_EQ(hooks_.errors[0].substr(0, refused.size()), refused);
        const std::string holds = hooks_.errors[0].substr(refused.size());
        EXPECT_NE(holds.find(" between "), std::string::npos) << holds;
        EXPECT_EQ(field.text(), shown);
        RefusedByEachCommand(window, scope, field, field, QString(20, '9'),
                             "\"" + label + "\": " + holds);
    }

    void ProbeDate(QWidget& window, QWidget& scope, TDatePicker& field) {
        const std::string label = Enter(window.objectName().toStdString(), field);
        RefusedByEachCommand(window, scope, field, *field.findChild<QLineEdit*>(), "31/02/2026",
                             "\"" + label + "\": \"31/02/2026\" is not a date (dd/mm/yyyy)");
    }

    test::RecordingHooks& hooks_;
    bool opening_ = false;
};

TEST_F(EveryWindow, EveryTypedFieldRefusesWhatItCannotHoldWhicheverCommandReadsIt) {
    TypedFieldProbe probe(hooks);
    const ScopedModalRunner runner([&probe](QDialog& dialog) { return probe.Run(dialog); });
    const PrintDialogRunner printing = SetPrintDialogRunner([](QPrinter&) {
        ADD_FAILURE() << "a print dialog opened past a refused field";
        return false;
    });
    for (const std::string& name : RegisteredWindowNames()) {
        SCOPED_TRACE(name);
        WindowRequest request;
        request.loanNumber = "0000001";
        probe.Opening([&] { OpenWindow(name, request); });
    }
    window->show();
    auto& pages = *window->findChild<QTabWidget*>("pgMain");
    for (int i = 0; i < pages.count(); ++i) {
        SCOPED_TRACE(pages.tabText(i).toStdString());
        pages.setCurrentIndex(i);
        probe.Probe(*window, *pages.widget(i));
    }
    SetPrintDialogRunner(printing);
    // The fields of the menus' and tabs' windows, each probed once or more.
    for (const char* field :
         {"fmOptions.edtDefaultPeriod", "fmOptions.edtInstallmentFeePeriod",
          "fmFeesAddEdit.edtNoticePeriod", "fmReportPayoutNotice.edtEffectiveDate",
          "fmReportLabelsClient.edtNoLabels", "fmReportAccountingInitial.edtPurchasePriceLand",
          "fmMortgageAddEdit.edtContractDeposit", "fmMortgageAddEdit.edtContractTerm",
          "fmLoanTransactionsAddEdit.edtTransactionAmount", "fmRateChangesAddEdit.edtRate",
          "fmFeesInstallmentAddEdit.edtClientNoPayments", "fmFeePaymentAddEdit.edtTransactionDate",
          "fmMain.edtStartDate", "fmMain.edtEndDate"})
        EXPECT_EQ(probe.probed.count(field), 1u) << field << " was not probed";
}

// A 1366x768 screen less a title bar (30) and a task bar (40): every window and its buttons fit.
void ExpectFitsALaptopScreen(QWidget& window, const std::string& name) {
    const QSize size = window.size();
    EXPECT_LE(size.width(), 1366) << name;
    EXPECT_LE(size.height(), 768 - 30 - 40) << name;
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisibleTo(&window))
            continue;
        const QRect place(button->mapTo(&window, QPoint(0, 0)), button->size());
        EXPECT_TRUE(window.rect().contains(place))
            << name << ": " << button->text().toStdString() << " lies outside the window";
    }
}

// Each column of each record list is wide enough for its caption, drawn 2 pixels inside the
// cell on either side.
void ExpectCaptionsFit(const QWidget& window, const std::string& name) {
    for (const TTovObjectListGrid* grid : window.findChildren<TTovObjectListGrid*>()) {
        const QFontMetrics metrics(grid->font());
        for (int i = 0; i < grid->ColumnCount(); ++i) {
            const TTovObjectListGridColumn& column = grid->Column(i);
            if (column.Width() <= 0)
                continue; // a hidden column
            EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(column.Caption())) + 4,
                      column.Width())
                << name << " " << grid->objectName().toStdString() << ": " << column.Caption();
        }
    }
}

TEST_F(EveryWindow, EveryWindowFitsALaptopScreenAndEachColumnShowsItsCaptionWhole) {
    window->show();
    ExpectFitsALaptopScreen(*window, "main window");
    auto& pages = *window->findChild<QTabWidget*>("pgMain");
    for (int i = 0; i < pages.count(); ++i) {
        pages.setCurrentIndex(i);
        ExpectCaptionsFit(*pages.widget(i), pages.tabText(i).toStdString());
    }
    int dialogs = 0;
    for (const std::string& name : RegisteredWindowNames()) {
        SCOPED_TRACE(name);
        WindowRequest request;
        request.loanNumber = "0000001";
        const ScopedModalRunner runner([&](QDialog& dialog) {
            if (dynamic_cast<TMessageForm*>(&dialog) != nullptr)
                return static_cast<int>(mrNo);
            if (qobject_cast<QFileDialog*>(&dialog) == nullptr) {
                dialog.show();
                ExpectFitsALaptopScreen(dialog, dialog.objectName().toStdString());
                ExpectCaptionsFit(dialog, dialog.objectName().toStdString());
                dialog.hide();
                ++dialogs;
            }
            return static_cast<int>(mrCancel);
        });
        const OpenedWindow opened = OpenWindow(name, request);
        if (opened.widget != nullptr)
            ExpectCaptionsFit(*opened.widget, name);
    }
    EXPECT_GT(dialogs, 20);
}

} // namespace
} // namespace duebell
