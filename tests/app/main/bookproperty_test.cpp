// What the windows show is what a restart gives, and the files on disk always make a pair: a
// seeded random run of lender actions through the main window, its tabs, its menus and their
// dialogs. After every action the figures the program holds (ledgers, alerts, instalment fees'
// payments, rate changes' new payments) equal those of a fresh load of both files as Save would
// write them, refreshed the same day apart from the live book; and the files on disk, which a
// start after an exit without Save reads, hold the loan book of the last Save beside a
// configuration that pairs with it and holds every setting saved but what that book depends
// on. An exit answered No names what it loses.
#include "app/dialogs/loantransactiondialog.h"
#include "app/dialogs/mortgagedialog.h"
#include "app/dialogs/settingswindows.h"
#include "app/frames/clientpropertywindows.h"
#include "app/frames/clientsframe.h"
#include "app/frames/duebellsframe.h"
#include "app/frames/duebellswindows.h"
#include "app/frames/feechargesframe.h"
#include "app/frames/feewindows.h"
#include "app/frames/loantransactionsframe.h"
#include "app/frames/loanwindows.h"
#include "app/frames/mortgagesframe.h"
#include "app/frames/propertiesframe.h"
#include "app/framework/messagedialog.h"
#include "app/framework/objectlistgrid.h"
#include "app/main/startup.h"
#include "controls/gridbox.h"
#include "controls/modalresult.h"
#include "dialogs/loanwindowsbook.h"
#include "domain/alert.h"
#include "domain/calculationcontext.h"
#include "domain/datafiles.h"
#include "domain/loantransactions.h"
#include "menupath.h"
#include "objectlist/xmlfiler.h"
#include "support/helprecorder.h"
#include "support/manualtimer.h"
#include "support/smallbook.h"

#include <QMenuBar>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace duebell {
namespace {

namespace fs = std::filesystem;
using test::DialogDriver;

std::string ReadFile(const fs::path& path) {
    std::ifstream input(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(input), {});
}

// A lender who goes ahead: Yes to every question but printing, OK to every message, and No to
// saving before exiting (the question kept).
class GoAheadPrompter : public Prompter {
public:
    PromptAnswer Ask(PromptType, PromptButtons buttons, const std::string& text) override {
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        if (text.find("before exiting") != std::string::npos) {
            exitQuestion = text;
            return PromptAnswer::No;
        }
        if (buttons == PromptButtons::YesNoCancel)
            return PromptAnswer::Cancel;
        return text.find("print") != std::string::npos ? PromptAnswer::No : PromptAnswer::Yes;
    }
    std::string exitQuestion;
};

// A book's figures as text: each loan's ledger days and movements and its instalment fees'
// payments charged and amounts paid, the alerts, then the new payments of the rate changes.
std::string Figures(const TMorvaneData& book, const TMorvaneConfiguration& configuration) {
    std::ostringstream out;
    for (const TTovObjectItem* item : *book.Mortgages) {
        const auto& loan = *static_cast<const TMorvaneMortgage*>(item);
        const TLedger& ledger = loan.LocalTransactionDays.Ledger();
        out << "loan " << loan.LoanNumber << " days " << ledger.Days().size() << "\n";
        for (const TLedgerDay& day : ledger.Days())
            out << day.Date << ' ' << day.Balance.raw() << ' ' << day.ShadowBalance.raw() << ' '
                << day.FeeBalance.raw() << ' ' << day.PMTAmount.raw() << ' ' << day.ActualRate.raw()
                << ' ' << day.DailyInterest.raw() << ' ' << day.AccumulatedInterest.raw() << '\n';
        for (const TLedgerMovement& movement : ledger.Movements())
            out << movement.Date << ' ' << movement.Type << ' ' << movement.Text << ' '
                << movement.Amount.raw() << '\n';
        for (const TTovObjectItem* fee : *loan.InstallmentFees) {
            const auto& instalmentFee = *static_cast<const TMorvaneInstallmentFee*>(fee);
            out << "instalment fee " << instalmentFee.FeeDescription << ' '
                << instalmentFee.PaymentsCharged << ' ' << instalmentFee.AmountPaid << '\n';
        }
    }
    for (const TTovObjectItem* alert : *book.CurrentAlerts)
        out << "alert " << alert->GetPropertyValue("LoanNumber").AsString() << ' '
            << alert->GetPropertyValue("AlertDay").AsString() << ' '
            << alert->GetPropertyValue("AlertMessage").AsString() << '\n';
    out << "has alerts " << book.HasAlerts << '\n';
    for (const TTovObjectItem* rates : *configuration.MortgageRates)
        for (const TTovObjectItem* change :
             *static_cast<const TMorvaneMortgageRate*>(rates)->RateChanges)
            out << "rate change " << static_cast<const TMorvaneMortgageRate*>(rates)->LoanNumber
                << ' ' << change->GetPropertyValue("TransactionDate").AsString() << ' '
                << static_cast<const TMorvaneRateChange*>(change)->NewPaymentAmount.raw() << '\n';
    return out.str();
}

// The first line where two texts differ, with both lines; empty when they are equal.
std::string FirstDifference(const std::string& held, const std::string& restarted) {
    std::istringstream a(held);
    std::istringstream b(restarted);
    std::string lineA;
    std::string lineB;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return {};
        if (moreA != moreB || lineA != lineB)
            return "line " + std::to_string(line) + ": held \"" + (moreA ? lineA : "") +
                   "\", after a restart \"" + (moreB ? lineB : "") + "\"";
    }
}

template <class T> std::unique_ptr<T> Reload(const std::string& xml) {
    std::unique_ptr<T> root = MakeItem<T>(nullptr);
    std::istringstream in(xml);
    LoadObjectFromXMLStream(in, *root);
    return root;
}

template <class T> std::string Written(T& root) {
    std::ostringstream out;
    SaveObjectToXMLStream(out, root);
    return out.str();
}

class LenderRun {
public:
    explicit LenderRun(unsigned seed) : rng_(seed) {
        RegisterSettingsWindows();
        RegisterClientAndPropertyWindows();
        RegisterDuebellsWindows();
        RegisterLoanWindows(File(ConfigurationFileName).string());
        RegisterFeeWindows();
        // The book the lender starts with, on disk.
        std::unique_ptr<TMorvaneConfiguration> configuration = test::SetUpConfiguration();
        for (const char* name : {"Insurance", "Valuation"}) {
            auto type = MakeItem<TMorvaneFeeConfiguration>(configuration.get());
            type->FeeDescription = name;
            type->NoticePeriod = 14;
            configuration->FeeList->Add(std::move(type));
        }
        auto rates = MakeItem<TMorvaneMortgageRate>(configuration.get());
        rates->LoanNumber = "0000001";
        auto change = MakeItem<TMorvaneRateChange>(rates.get());
        change->TransactionDate = TDate(test::BookToday - 30);
        change->Rate = TPercentage{Currency::fromUnits(8)};
        rates->RateChanges->Add(std::move(change));
        configuration->MortgageRates->Add(std::move(rates));
        SaveObjectToXMLFile(File(ConfigurationFileName).string(), *configuration);
        std::unique_ptr<TMorvaneData> book = test::BookWithAlerts();
        SaveObjectToXMLFile(File(DataFileName).string(), *book);
        RememberTheSavedBook();

        window_ = StartDuebell(Options());
    }
    ~LenderRun() {
        window_.reset();
        SetData(nullptr);
        SetConfiguration(nullptr);
        SetDataModified(false);
        SetConfigurationModified(false);
        SetPrompter(previousPrompter_);
    }

    // One action chosen at random; gives its name.
    std::string Act() {
        using Action = std::pair<const char*, void (LenderRun::*)()>;
        static const Action actions[] = {
            {"add client", &LenderRun::AddClient},
            {"add property", &LenderRun::AddProperty},
            {"add loan", &LenderRun::AddLoan},
            {"add loan", &LenderRun::AddLoan},
            {"edit loan", &LenderRun::EditLoan},
            {"delete loan", &LenderRun::DeleteLoan},
            {"add payment", &LenderRun::AddPayment},
            {"add payment", &LenderRun::AddPayment},
            {"delete payment", &LenderRun::DeletePayment},
            {"add instalment fee", &LenderRun::AddInstalmentFee},
            {"stop instalment fee", &LenderRun::StopInstalmentFee},
            {"add full fee", &LenderRun::AddCharge},
            {"pay full fee", &LenderRun::PayCharge},
            {"rate change", &LenderRun::ChangeRate},
            {"rate change", &LenderRun::ChangeRate},
            {"add holiday", &LenderRun::AddHoliday},
            {"delete holiday", &LenderRun::DeleteHoliday},
            {"notice periods", &LenderRun::SetNoticePeriods},
            {"rename fee type", &LenderRun::RenameFeeType},
            {"delete fee type", &LenderRun::DeleteFeeType},
            {"add fee type", &LenderRun::AddFeeType},
            {"exit without saving", &LenderRun::ExitWithoutSaving},
            {"clear alert", &LenderRun::ClearAlert},
            {"next day", &LenderRun::NextDays},
            {"save", &LenderRun::Save},
        };
        const Action& action = actions[Pick(std::size(actions))];
        (this->*action.second)();
        return action.first;
    }

    // What a restart from what Save would write gives, refreshed today against the
    // configuration it reads, as the program holds.
    void ExpectWhatARestartGives() const {
        const std::unique_ptr<TMorvaneConfiguration> configuration =
            Reload<TMorvaneConfiguration>(Written(*Configuration()));
        const std::unique_ptr<TMorvaneData> fresh = Reload<TMorvaneData>(Written(*Data()));
        try {
            fresh->RefreshAlerts(TCalculationContext(configuration.get(), Date()), 2);
        } catch (const std::exception&) {
            // a loan that cannot be built keeps no ledger in either book
        }
        EXPECT_EQ(
            FirstDifference(Figures(*Data(), *Configuration()), Figures(*fresh, *configuration)),
            "");
    }

    // What a start after an exit without Save reads: the loan book of the last Save, beside a
    // configuration with no rate changes of a saved number whose loan is gone (a number no
    // saved loan has reached is cleared by the loan that takes it) and no fee type a charge
    // names gone.
    void ExpectTheFilesMakeThePairOfTheLastSave() const {
        const std::string onDisk = ReadFile(File(DataFileName));
        EXPECT_EQ(onDisk, savedBook_);
        const std::unique_ptr<TMorvaneData> book = Reload<TMorvaneData>(onDisk);
        const std::unique_ptr<TMorvaneConfiguration> configuration =
            Reload<TMorvaneConfiguration>(ReadFile(File(ConfigurationFileName)));
        const std::string nextNumber = book->NextLoanNumber();
        for (const auto& [number, changes] : savedRateChanges_)
            EXPECT_GE(RateChangesOf(*configuration, number), changes)
                << "loan " << number << " lost rate changes without a Save";
        for (const TTovObjectItem* item : *configuration->MortgageRates) {
            const auto& rates = *static_cast<const TMorvaneMortgageRate*>(item);
            if (rates.RateChanges->Count() > 0 && rates.LoanNumber < nextNumber) {
                EXPECT_NE(book->FindMortgage(rates.LoanNumber), nullptr)
                    << "rate changes of loan " << rates.LoanNumber << " without it";
            }
        }
        for (const TTovObjectItem* loan : *book->Mortgages)
            for (const TTovObjectItem* charge :
                 *static_cast<const TMorvaneMortgage*>(loan)->FeeTransactions) {
                const std::string type = charge->GetPropertyValue("FeeDescription").AsString();
                if (type.rfind("Instalment Fee - ", 0) != 0) {
                    EXPECT_NE(configuration->FeeList->LocateNoMove(Variant(type)), nullptr)
                        << "a charge of the fee type " << type << " that is gone";
                }
            }
        // Every setting saved is in the file as the program holds it, but the rate history of
        // a saved loan deleted since and a fee type of saved charges renamed or deleted since.
        EXPECT_EQ(FirstDifference(Settings(*Configuration(), true), Settings(*configuration, true)),
                  "");
    }

private:
    // The configuration as text, the new payments of the rate changes left out (every build
    // sets them again) and the rate histories without a change. Without what a saved loan
    // book depends on, when asked.
    std::string Settings(TMorvaneConfiguration& configuration,
                         bool withoutWhatTheBookDependsOn) const {
        const std::unique_ptr<TMorvaneConfiguration> copy =
            Reload<TMorvaneConfiguration>(Written(configuration));
        TTovObjectList& histories = *copy->MortgageRates;
        for (TTovObjectItem* item = histories.First(); item != nullptr;) {
            auto* rates = static_cast<TMorvaneMortgageRate*>(item);
            if (rates->RateChanges->Count() == 0 ||
                (withoutWhatTheBookDependsOn && deletedSavedLoans_.count(rates->LoanNumber))) {
                histories.Delete();
                delete rates;
                item = histories.Current();
                continue;
            }
            for (TTovObjectItem* change : *rates->RateChanges)
                static_cast<TMorvaneRateChange*>(change)->NewPaymentAmount = Currency();
            item = histories.Next();
        }
        if (withoutWhatTheBookDependsOn)
            for (const std::string& type : goneSavedFeeTypes_)
                if (TTovObjectItem* found = copy->FeeList->Locate(Variant(type))) {
                    copy->FeeList->Delete();
                    delete found;
                }
        return Written(*copy);
    }
    static int RateChangesOf(const TMorvaneConfiguration& configuration,
                             const std::string& loanNumber) {
        const auto* rates = static_cast<const TMorvaneMortgageRate*>(
            configuration.MortgageRates->LocateNoMove(Variant(loanNumber)));
        return rates != nullptr ? rates->RateChanges->Count() : 0;
    }
    // The rate changes of each saved loan as Save wrote them: the rate window adds to them at
    // once, and nothing but Save takes them away.
    void RememberTheSavedBook() {
        deletedSavedLoans_.clear();
        goneSavedFeeTypes_.clear();
        savedChargeTypes_.clear();
        savedBook_ = ReadFile(File(DataFileName));
        const std::unique_ptr<TMorvaneConfiguration> configuration =
            Reload<TMorvaneConfiguration>(ReadFile(File(ConfigurationFileName)));
        savedRateChanges_.clear();
        const std::unique_ptr<TMorvaneData> book = Reload<TMorvaneData>(savedBook_);
        for (const TTovObjectItem* loan : *book->Mortgages) {
            const std::string& number = static_cast<const TMorvaneMortgage*>(loan)->LoanNumber;
            savedRateChanges_[number] = RateChangesOf(*configuration, number);
            for (const TTovObjectItem* charge :
                 *static_cast<const TMorvaneMortgage*>(loan)->FeeTransactions)
                savedChargeTypes_.insert(charge->GetPropertyValue("FeeDescription").AsString());
        }
    }
    // What the saved loan book holds: loan numbers, or fee types its charges name.
    bool SavedBookHas(const std::string& loanNumber) const {
        return savedRateChanges_.count(loanNumber) != 0;
    }
    bool SavedChargesName(const std::string& type) const {
        return savedChargeTypes_.count(type) != 0;
    }
    static std::string SelectedKey(TTovObjectListGrid& grid, const char* property) {
        const std::vector<TTovObject*>& selected = grid.SelectedObjects();
        return selected.empty() ? std::string()
                                : static_cast<TTovObjectItem*>(selected[0])
                                      ->GetPropertyValue(property)
                                      .AsString();
    }
    fs::path File(const char* name) const { return fs::path(folder_.path().toStdString()) / name; }
    StartUpOptions Options() const {
        StartUpOptions options;
        options.folders = {folder_.path().toStdString(), DUEBELL_HELP_CONTENT_DIR};
        options.splashWait = false;
        return options;
    }
    std::size_t Pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(rng_);
    }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    double Today() const { return std::floor(Date()); }

    template <class T> T& Frame() const {
        T* frame = window_->findChild<T*>();
        EXPECT_NE(frame, nullptr);
        return *frame;
    }
    void Choose(const QString& path) {
        QAction* found = test::MenuPath(*window_, path);
        ASSERT_NE(found, nullptr) << path.toStdString();
        found->trigger();
    }
    // Selects a random record row of a grid; false when it shows none.
    bool SelectAny(TTovObjectListGrid& grid) {
        std::vector<int> rows;
        for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
            if (!grid.RowObjects(row).empty())
                rows.push_back(row);
        if (rows.empty())
            return false;
        grid.SelectRow(rows[Pick(rows.size())]);
        return true;
    }
    std::string AnyLoanNumber() {
        const TTovObjectList& loans = *Data()->Mortgages;
        if (loans.Count() == 0)
            return {};
        auto it = loans.begin();
        std::advance(it, static_cast<long>(Pick(static_cast<std::size_t>(loans.Count()))));
        return static_cast<TMorvaneMortgage*>(*it)->LoanNumber;
    }
    static void ChooseIn(TGridBox& box, const std::string& code) {
        box.SetItemIndex(box.FindRow(code));
    }
    // Presses Save; a refused Save leaves the dialog open, and the lender cancels it.
    static int SaveOrCancel(QDialog& shown) {
        test::PressButton(shown, "btnSave");
        return static_cast<int>(mrCancel);
    }
    template <class T> static T* In(QWidget& form, const char* name) {
        T* widget = form.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void Type(QWidget& form, const char* name, const std::string& text) {
        In<QLineEdit>(form, name)->setText(QString::fromStdString(text));
    }
    // Opens a settings list from the Configuration menu; `act` works in it, then it closes.
    void InSettingsList(const char* path, const std::function<void(QDialog&)>& act) {
        driver_.Expect([&](QDialog& shown) {
            act(shown);
            test::PressButton(shown, "btnCancel");
            return static_cast<int>(mrCancel);
        });
        Choose(path);
    }

    void AddClient() {
        const int n = ++made_;
        driver_.Expect([n](QDialog& shown) {
            Type(shown, "edtSurname1", "Client" + std::to_string(n));
            Type(shown, "edtGivenNames1", "Pat");
            Type(shown, "edtStreetNo", std::to_string(n));
            Type(shown, "edtStreetName", "High St");
            Type(shown, "edtSuburb", "Hilltop");
            Type(shown, "edtState", "QLD");
            Type(shown, "edtPostcode", "4000");
            return SaveOrCancel(shown);
        });
        Frame<TfmeClients>().AddButton()->click();
    }
    void AddProperty() {
        const int n = ++made_;
        driver_.Expect([n](QDialog& shown) {
            Type(shown, "edtStreetNo", std::to_string(n));
            Type(shown, "edtStreetName", "Low Rd");
            Type(shown, "edtSuburb", "Riverside");
            Type(shown, "edtState", "QLD");
            Type(shown, "edtPostcode", "4000");
            return SaveOrCancel(shown);
        });
        Frame<TfmeProperty>().AddButton()->click();
    }
    void AddLoan() {
        const TMorvaneData& book = *Data();
        if (book.Clients->Count() == 0 || book.Properties->Count() == 0)
            return;
        test::LoanTerms terms;
        terms.clientCode = static_cast<TMorvaneClient*>(book.Clients->PeekLast())->ClientCode;
        terms.propertyCode =
            static_cast<TMorvaneProperty*>(book.Properties->PeekLast())->PropertyCode;
        terms.amount = Between(50, 300) * 1000;
        terms.term = Between(5, 30);
        static const char* const periods[] = {"Weekly", "Fortnightly", "Monthly"};
        terms.paymentPeriod = periods[Pick(3)];
        terms.drawdown = Today() - Between(0, 240);
        driver_.Expect([terms](QDialog& shown) {
            test::FillLoanDialog(static_cast<TfmMortgageAddEdit&>(shown), terms);
            return SaveOrCancel(shown);
        });
        Frame<TfmeMortgages>().AddButton()->click();
    }
    void EditLoan() {
        TfmeMortgages& loans = Frame<TfmeMortgages>();
        if (!SelectAny(*loans.Grid()))
            return;
        const double amount = Between(50, 300) * 1000;
        driver_.Expect([amount](QDialog& shown) {
            auto& dialog = static_cast<TfmMortgageAddEdit&>(shown);
            dialog.ContractDetails()->ContractAmount()->SetValue(amount);
            dialog.AddInstallmentFees()->Item(1)->click();
            dialog.PrintDrawdownReport()->Item(1)->click();
            dialog.PrintBookkeepingReport()->Item(1)->click();
            return SaveOrCancel(shown);
        });
        loans.EditButton()->click();
    }
    void DeleteLoan() {
        TfmeMortgages& loans = Frame<TfmeMortgages>();
        if (!SelectAny(*loans.Grid()))
            return;
        const std::string number = SelectedKey(*loans.Grid(), "LoanNumber");
        loans.DeleteButton()->click();
        if (Data()->FindMortgage(number) == nullptr && SavedBookHas(number))
            deletedSavedLoans_.insert(number);
    }
    void AddPayment() {
        const std::string number = AnyLoanNumber();
        if (number.empty())
            return;
        TfmeLoanTransactions& payments = Frame<TfmeLoanTransactions>();
        ChooseIn(*payments.LoanNumber(), number);
        const double amount = Between(5, 40) * 100;
        const double day = Today() - Between(0, 60);
        driver_.Expect([amount, day](QDialog& shown) {
            auto& dialog = static_cast<TfmLoanTransactionsAddEdit&>(shown);
            dialog.TransactionAmount()->SetValue(amount);
            dialog.TransactionDate()->SetDate(day);
            return SaveOrCancel(shown);
        });
        payments.AddButton()->click();
        clock_.Advance(1.0 / 86400); // the next payment is entered a second later
    }
    void DeletePayment() {
        const std::string number = AnyLoanNumber();
        if (number.empty())
            return;
        TfmeLoanTransactions& payments = Frame<TfmeLoanTransactions>();
        ChooseIn(*payments.LoanNumber(), number);
        if (SelectAny(*payments.Grid()))
            payments.DeleteButton()->click();
    }
    void AddInstalmentFee() {
        const std::string number = AnyLoanNumber();
        if (number.empty())
            return;
        const int n = ++made_;
        const int payments = Between(2, 12);
        const double amount = Between(10, 60);
        const double notified = Today() - Between(0, 30);
        InSettingsList("&Configuration/&Fees/&Instalment Fees", [&](QDialog& shown) {
            ChooseIn(*In<TGridBox>(shown, "cmbLoanNumber"), number);
            driver_.Expect([&](QDialog& entry) {
                Type(entry, "edtFeeDescription", "Fee " + std::to_string(n));
                In<TExSpinEdit>(entry, "edtUserNoPayments")->SetValue(payments);
                In<TCurrencyEdit>(entry, "edtUserPaymentAmount")->SetValue(amount);
                In<QComboBox>(entry, "cmbUserPaymentPeriod")->setCurrentIndex(2);
                In<TDatePicker>(entry, "edtTransactionDate")->SetDate(notified);
                return SaveOrCancel(entry);
            });
            test::PressButton(shown, "btnAdd");
        });
    }
    void StopInstalmentFee() {
        const std::string number = AnyLoanNumber();
        if (number.empty())
            return;
        InSettingsList("&Configuration/&Fees/&Instalment Fees", [&](QDialog& shown) {
            ChooseIn(*In<TGridBox>(shown, "cmbLoanNumber"), number);
            auto* stop = In<QPushButton>(shown, "btnStop");
            if (!SelectAny(GridOf(shown)) || !stop->isEnabled())
                return;
            driver_.Expect(SaveOrCancel);
            stop->click();
        });
    }
    static TTovObjectListGrid& GridOf(QWidget& form) {
        return *form.findChild<TTovObjectListGrid*>("stgHeaderGrid");
    }
    void AddCharge() {
        const std::string number = AnyLoanNumber();
        if (number.empty())
            return;
        TfmeFeeTransaction& fees = Frame<TfmeFeeTransaction>();
        ChooseIn(*fees.LoanBox(), number);
        const std::size_t type = Pick(2);
        const double amount = Between(50, 900);
        const double day = Today() - Between(0, 30);
        driver_.Expect([&](QDialog& shown) {
            auto* types = In<QComboBox>(shown, "cmbFeeDescription");
            if (types->count() > 0)
                types->setCurrentIndex(static_cast<int>(type % types->count()));
            In<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(amount);
            In<TDatePicker>(shown, "edtTransactionDate")->SetDate(day);
            return SaveOrCancel(shown);
        });
        fees.AddButton()->click();
    }
    void PayCharge() {
        const std::string number = AnyLoanNumber();
        if (number.empty())
            return;
        TfmeFeeTransaction& fees = Frame<TfmeFeeTransaction>();
        ChooseIn(*fees.LoanBox(), number);
        if (!SelectAny(*fees.Grid()) || !fees.PaymentsFrame()->AddButton()->isEnabled())
            return;
        const double amount = Between(10, 300);
        const double day = Today() - Between(0, 10);
        driver_.Expect([&](QDialog& shown) {
            In<TCurrencyEdit>(shown, "edtTransactionAmount")->SetValue(amount);
            In<TDatePicker>(shown, "edtTransactionDate")->SetDate(day);
            return SaveOrCancel(shown);
        });
        fees.PaymentsFrame()->AddButton()->click();
    }
    void ChangeRate() {
        const std::string number = AnyLoanNumber();
        if (number.empty())
            return;
        const double day = Today() - Between(0, 60);
        const double rate = Between(30, 120) / 10.0;
        InSettingsList("&Configuration/&Interest Rates", [&](QDialog& shown) {
            ChooseIn(*In<TGridBox>(shown, "cmbLoanNumber"), number);
            driver_.Expect([&](QDialog& entry) {
                In<TDatePicker>(entry, "edtTransactionDate")->SetDate(day);
                In<TCurrencyEdit>(entry, "edtRate")->SetValue(rate);
                return SaveOrCancel(entry);
            });
            test::PressButton(shown, "btnAdd");
        });
    }
    void AddHoliday() {
        const double day = Today() + Between(-90, 30);
        InSettingsList("&Configuration/&Public Holidays/&Once-Off", [&](QDialog& shown) {
            driver_.Expect([&](QDialog& entry) {
                In<TDatePicker>(entry, "edtHolidayDate")->SetDate(day);
                Type(entry, "edtDescription", "Show Day");
                return SaveOrCancel(entry);
            });
            test::PressButton(shown, "btnAdd");
        });
    }
    void DeleteHoliday() {
        InSettingsList("&Configuration/&Public Holidays/&Once-Off", [&](QDialog& shown) {
            if (SelectAny(GridOf(shown)))
                test::PressButton(shown, "btnDelete");
        });
    }
    void SetNoticePeriods() {
        const int periods[] = {Between(5, 40), Between(5, 60), Between(5, 90), Between(5, 30)};
        driver_.Expect([&](QDialog& shown) {
            const char* names[] = {"edtDefaultPeriod", "edtForeclosePeriod", "edtEvictionPeriod",
                                   "edtInstallmentFeePeriod"};
            for (int i = 0; i < 4; ++i)
                In<TExSpinEdit>(shown, names[i])->SetValue(periods[i]);
            return SaveOrCancel(shown);
        });
        Choose("&Configuration/&Notice Periods");
    }
    void RenameFeeType() {
        const int n = ++made_;
        std::string type;
        InSettingsList("&Configuration/&Fees/&Full Fees", [&](QDialog& shown) {
            if (!SelectAny(GridOf(shown)))
                return;
            type = SelectedKey(GridOf(shown), "FeeDescription");
            driver_.Expect([&](QDialog& entry) {
                Type(entry, "edtFeeDescription", "Fee type " + std::to_string(n));
                return SaveOrCancel(entry);
            });
            test::PressButton(shown, "btnEdit");
        });
        FeeTypeMayBeGone(type);
    }
    void DeleteFeeType() {
        std::string type;
        InSettingsList("&Configuration/&Fees/&Full Fees", [&](QDialog& shown) {
            // One type stays, so that charges can still be made.
            if (GridOf(shown).RowCount() > GridOf(shown).FixedRows() + 1 &&
                SelectAny(GridOf(shown))) {
                type = SelectedKey(GridOf(shown), "FeeDescription");
                test::PressButton(shown, "btnDelete");
            }
        });
        FeeTypeMayBeGone(type);
    }
    void FeeTypeMayBeGone(const std::string& type) {
        if (!type.empty() && Configuration()->FeeList->LocateNoMove(Variant(type)) == nullptr &&
            SavedChargesName(type))
            goneSavedFeeTypes_.insert(type);
    }
    // A type of a name the saved charges may bear, one that is taken refused.
    void AddFeeType() {
        static const char* const names[] = {"Insurance", "Valuation", "Legal"};
        const std::string name = names[Pick(3)];
        const int days = Between(1, 40);
        InSettingsList("&Configuration/&Fees/&Full Fees", [&](QDialog& shown) {
            driver_.Expect([&](QDialog& entry) {
                Type(entry, "edtFeeDescription", name);
                In<TExSpinEdit>(entry, "edtNoticePeriod")->SetValue(days);
                return SaveOrCancel(entry);
            });
            test::PressButton(shown, "btnAdd");
        });
    }
    // The lender closes the program answering No to saving, and starts it again: the question
    // names every file whose changes No loses.
    void ExitWithoutSaving() {
        const bool bookChanged = DataModified();
        const bool settingsChanged =
            Settings(*Configuration(), false) !=
            Settings(*Reload<TMorvaneConfiguration>(ReadFile(File(ConfigurationFileName))), false);
        prompter_.exitQuestion.clear();
        window_->show();
        EXPECT_TRUE(window_->close());
        const std::string& question = prompter_.exitQuestion;
        if (bookChanged) {
            EXPECT_NE(question.find("the loan book"), std::string::npos) << question;
        }
        if (settingsChanged) {
            EXPECT_NE(question.find("the configuration"), std::string::npos) << question;
        }
        // A new process: nothing unsaved.
        window_.reset();
        SetDataModified(false);
        SetConfigurationModified(false);
        window_ = StartDuebell(Options());
        RememberTheSavedBook();
    }
    void ClearAlert() {
        TfmeDuebells& alerts = Frame<TfmeDuebells>();
        if (!SelectAny(*alerts.Grid()))
            return;
        driver_.Expect([](QDialog&) { return static_cast<int>(mrClear); });
        alerts.GridDblClick();
    }
    // A day or more passes; the main window's daily refresh runs.
    void NextDays() {
        clock_.Advance(Between(1, 20));
        try {
            Data()->RefreshAlerts();
        } catch (const std::exception&) {
            // a loan whose ledger cannot be built keeps none, as after a restart
        }
    }
    void Save() {
        Choose("&File/&Save");
        if (!DataModified())
            RememberTheSavedBook();
    }

    std::mt19937 rng_;
    int made_ = 0;
    ScopedFixedClock clock_{test::BookToday + 0.5};
    test::RecordingHooks hooks_;
    GoAheadPrompter prompter_;
    Prompter* previousPrompter_ = SetPrompter(&prompter_);
    test::HelpRecorder help_;
    ScopedWindowRegistry registry_;
    test::ManualTimers timers_;
    DialogDriver driver_;
    QTemporaryDir folder_;
    std::string savedBook_;
    std::map<std::string, int> savedRateChanges_;
    // Since the last Save or start: the saved loans deleted, and the fee types of saved charges
    // renamed or deleted.
    std::set<std::string> deletedSavedLoans_;
    std::set<std::string> goneSavedFeeTypes_;
    std::set<std::string> savedChargeTypes_; // the fee types the saved charges name
    std::unique_ptr<TfmMain> window_;
};

TEST(WhatTheWindowsShow, IsWhatARestartGivesAndTheFilesAlwaysMakeAPair) {
    constexpr int Actions = 150;
    for (const unsigned seed : {11u, 29u, 47u}) {
        LenderRun run(seed);
        run.ExpectWhatARestartGives();
        for (int i = 0; i < Actions && !::testing::Test::HasFailure(); ++i) {
            const std::string action = run.Act();
            SCOPED_TRACE("seed " + std::to_string(seed) + ", action " + std::to_string(i) + " (" +
                         action + ")");
            run.ExpectWhatARestartGives();
            run.ExpectTheFilesMakeThePairOfTheLastSave();
        }
        if (::testing::Test::HasFailure())
            FAIL() << "seed " << seed;
    }
}

} // namespace
} // namespace duebell
