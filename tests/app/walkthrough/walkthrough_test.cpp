// A lender's first two days with the real program, driven by walkthrough.sh in an X server
// of its own (set-up, a client, a property, a loan with its draw-down notice, a short
// payment; the next day's red "Duebells", the default notice, export, Save at exit; an import
// into a second folder). Here the files it leaves are read back: the configuration and the
// loan book load and hold what was typed, the ledger's arrears are worked out to the cent, the
// PDFs say it, and the archive and the imported copy hold the same book. Screenshots of every
// step, and the PDFs' pages as pictures, are kept in the test's build folder under walkthrough/.
#include "domain/computedrecords.h"
#include "domain/configuration.h"
#include "domain/datafiles.h"
#include "domain/loanbook.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "objectlist/clock.h"
#include "objectlist/datetime.h"
#include "objectlist/variant.h"

#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace duebell {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream input(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(input), {});
}

// Runs a program to its end (bounded); gives what it wrote.
std::string Output(const QString& program, const QStringList& arguments, int* exitCode = nullptr,
                   int seconds = 30) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(seconds * 1000)) << program.toStdString() << " hung";
    if (exitCode != nullptr)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAll().toStdString();
}

// The text of a PDF, laid out as on the page; its pages also kept as pictures beside the shots.
std::string PdfText(const fs::path& pdf, const fs::path& shots) {
    Output("pdftoppm", {"-png", "-r", "60", QString::fromStdString(pdf.string()),
                        QString::fromStdString((shots / pdf.stem()).string())});
    return Output("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"});
}

void ExpectHolds(const std::string& text, const std::vector<std::string>& parts) {
    for (const std::string& part : parts)
        EXPECT_NE(text.find(part), std::string::npos) << "no \"" << part << "\" in\n" << text;
}

// A money amount to the cent.
long long Cents(Currency amount) {
    return std::llround(static_cast<double>(amount.raw()) / 100.0);
}

// The one loan of the loan book; nullptr (a failure) when it holds another number.
TMorvaneMortgage* OnlyLoan() {
    EXPECT_EQ(Data()->Mortgages->Count(), 1);
    return Data()->Mortgages->Count() == 1
               ? static_cast<TMorvaneMortgage*>(Data()->Mortgages->PeekFirst())
               : nullptr;
}

TEST(Walkthrough, ALendersFirstTwoDays) {
    QTemporaryDir work;
    const fs::path folder = work.path().toStdString();
    const fs::path shots = fs::path(DUEBELL_TEST_OUTPUT_DIR) / "walkthrough";
    fs::remove_all(shots);
    fs::create_directories(shots);

    QStringList environment = QProcess::systemEnvironment();
    environment.removeIf([](const QString& v) { return v.startsWith("QT_QPA_PLATFORM="); });
    environment << "LSAN_OPTIONS=suppressions=" DUEBELL_WALKTHROUGH_LSAN;
    QProcess driver;
    driver.setEnvironment(environment);
    driver.setProcessChannelMode(QProcess::MergedChannels);
    driver.start("timeout", {"1100", "bash", DUEBELL_XSERVER_SCRIPT, DUEBELL_WALKTHROUGH_SCRIPT,
                             DUEBELL_PROGRAM, work.path(), QString::fromStdString(shots.string())});
    ASSERT_TRUE(driver.waitForFinished(1150000)) << "the walkthrough did not end";
    const std::string said = driver.readAll().toStdString();
    ASSERT_EQ(driver.exitStatus(), QProcess::NormalExit) << said;
    ASSERT_EQ(driver.exitCode(), 0) << said;

    const fs::path book = folder / "book";
    const fs::path copy = folder / "copy";
    {
        SCOPED_TRACE("the configuration as typed");
        LoadConfigurationFile((book / ConfigurationFileName).string());
        const TMorvaneConfiguration& settings = *Configuration();
        EXPECT_EQ(settings.Company, "Hilltop Homes");
        EXPECT_EQ(settings.UserName, "Jo Lender");
        EXPECT_EQ(settings.Address->PostCode, "4000");
        EXPECT_EQ(settings.ContactDetails->PhoneNo, "07 3123 4567");
        const TMorvaneSystemConfiguration& periods = *settings.SystemConfiguration;
        EXPECT_EQ(periods.DefaultPeriod, 14);
        EXPECT_EQ(periods.ForeclosePeriod, 30);
        EXPECT_EQ(periods.EvictionPeriod, 60);
        EXPECT_EQ(periods.InstallmentFeePeriod, 14);
        ASSERT_EQ(settings.InstallmentFeePenalties->Count(), 1);
        const auto& fee = static_cast<const TMorvaneInstallmentFeePenaltyConfig&>(
            *settings.InstallmentFeePenalties->PeekFirst());
        EXPECT_EQ(fee.PenaltyAmount, Currency::fromUnits(55));
        EXPECT_EQ(fee.TransactionDate.value, EncodeDate(2026, 3, 2));
        ASSERT_EQ(settings.RecurringPublicHolidayList->Count(), 1);
        const auto& christmas = static_cast<const TMorvaneRecurringPublicHoliday&>(
            *settings.RecurringPublicHolidayList->PeekFirst());
        EXPECT_EQ(christmas.Month, 12);
        EXPECT_EQ(christmas.Day, 25);
        EXPECT_EQ(christmas.Description, "Christmas Day");
    }
    {
        SCOPED_TRACE("the loan book as typed, the fee charged with the default notice");
        LoadDataFile((book / DataFileName).string());
        ASSERT_EQ(Data()->Clients->Count(), 1);
        ASSERT_EQ(Data()->Properties->Count(), 1);
        ASSERT_NE(OnlyLoan(), nullptr);
        TMorvaneMortgage& loan = *OnlyLoan();
        EXPECT_EQ(loan.LoanNumber, "0000001");
        EXPECT_EQ(loan.ClientName(), "Nguyen, Anh");
        EXPECT_EQ(loan.PropertyAddress(), "7 Hill Rd, Hilltop, QLD, 4000");
        EXPECT_EQ(loan.Contract->PossessionDate.value, EncodeDate(2026, 2, 2));
        EXPECT_EQ(loan.Contract->ContractAmount, Currency::fromUnits(300000));
        EXPECT_EQ(loan.Contract->Deposit, Currency::fromUnits(30000));
        EXPECT_EQ(loan.Contract->ContractTerm, 25);
        EXPECT_EQ(loan.Contract->PaymentPeriod, "Monthly");
        ASSERT_EQ(loan.LoanTransactions->Count(), 1);
        const auto& payment =
            static_cast<const TMorvaneLoanTransaction&>(*loan.LoanTransactions->PeekFirst());
        EXPECT_EQ(payment.TransactionAmount, Currency::fromUnits(1000));
        EXPECT_EQ(payment.TransactionDate.value, EncodeDate(2026, 3, 2));
        ASSERT_EQ(loan.AdminFeeTransactions->Count(), 1);
        EXPECT_EQ(
            static_cast<const TMorvaneAdminFeeTransaction&>(*loan.AdminFeeTransactions->PeekFirst())
                .FeeAmount,
            Currency::fromUnits(55));

        // $270,000 at 7 % over 300 months: 270000 x r / (1 - (1 + r)^-300) with r = 0.07 / 12
        // is $1,908.30. Due on 2 March and $1,000.00 paid, $908.30 is behind on the 3rd.
        ScopedFixedClock dayTwo(EncodeDate(2026, 3, 3) + 0.5);
        EXPECT_EQ(Cents(loan.CalcPaymentAmount()), 190830);
        loan.BuildLedger();
        const auto* due = static_cast<const TMorvaneLocalTransactionDay*>(
            loan.LocalTransactionDays->LocateNoMove(Variant(TDate(EncodeDate(2026, 3, 2)))));
        ASSERT_NE(due, nullptr);
        EXPECT_EQ(Cents(due->Balance - due->ShadowBalance), 90830);
    }
    {
        SCOPED_TRACE("the PDFs");
        ExpectHolds(PdfText(folder / "drawdown.pdf", shots),
                    {"Notice of Draw Down", "Nguyen, Anh", "02/02/2026", "$270,000.00", "7%",
                     "25 years", "300", "Monthly", "7 Hill Rd, Hilltop, QLD, 4000", "$1,908.30",
                     "TOTAL Repayment", "Jo Lender"});
        ExpectHolds(PdfText(folder / "default.pdf", shots),
                    {"Notice of Default", "Nguyen, Anh", "Hilltop Homes", "03/03/2026",
                     "Arrears Administration Fee", "$55.00", "$908.30", "$963.30", "Jo Lender"});
    }
    {
        SCOPED_TRACE("the archive and the imported copy");
        int code = -1;
        const std::string entries =
            Output("unzip", {"-Z1", QString::fromStdString((folder / "book.mvd").string())}, &code);
        EXPECT_EQ(code, 0) << entries;
        EXPECT_EQ(entries, "MV_DATA.XML\nMV_CONFIG.XML\n");
        // Nothing changed between the export and the Save at exit, and the copy saved nothing.
        EXPECT_EQ(ReadFile(copy / DataFileName), ReadFile(book / DataFileName));
        EXPECT_EQ(ReadFile(copy / ConfigurationFileName), ReadFile(book / ConfigurationFileName));
        LoadDataFile((copy / DataFileName).string());
        ASSERT_NE(OnlyLoan(), nullptr);
        EXPECT_EQ(OnlyLoan()->LoanTransactions->Count(), 1);
    }
    SetData(nullptr);
    SetConfiguration(nullptr);
}

} // namespace
} // namespace duebell
