// Pictures of the loan windows as a user sees them, saved under the build folder: the loan
// dialog filled in with its calculated payment, and the Loan Transactions tab with a dozen
// payments.
#include "app/dialogs/loantransactiondialog.h"
#include "app/frames/loantransactionsframe.h"
#include "app/framework/objectlistgrid.h"
#include "controls/modalresult.h"
#include "dialogs/loanwindowsbook.h"
#include "domain/loantransactions.h"

#include <QApplication>
#include <QGroupBox>
#include <QTest>

namespace duebell {
namespace {

using test::Day;

std::string Save(const QImage& image, const std::string& name) {
    const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/" + name + ".png";
    EXPECT_TRUE(image.save(QString::fromStdString(path))) << path;
    return path;
}

// Every widget of the window lies inside its parent: nothing cut off by a layout too small.
void ExpectNothingClipped(const QWidget& window) {
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->isWindow() || child->parentWidget() == nullptr ||
            child->objectName().startsWith("qt_"))
            continue;
        EXPECT_TRUE(child->parentWidget()->rect().contains(child->geometry()))
            << child->objectName().toStdString();
    }
}

class LoanScreenshots : public test::LoanWindowsBook {
protected:
    LoanScreenshots() {
        previous_ = QApplication::palette();
        QPalette palette = previous_;
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
        palette.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::WindowText, Qt::black);
        palette.setColor(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        QApplication::setPalette(palette);
    }
    ~LoanScreenshots() override { QApplication::setPalette(previous_); }

private:
    QPalette previous_;
};

TEST_F(LoanScreenshots, TheLoanDialogFilledIn) {
    RegisterWindow(InstalmentFeesWindow, [](const WindowRequest&) { return OpenedWindow{}; });
    RegisterWindow(DrawdownReportWindow, [](const WindowRequest&) { return OpenedWindow{}; });
    TfmMortgageAddEdit dialog;
    auto loan = MakeItem<TMorvaneMortgage>(nullptr);
    QImage shot;
    driver.Expect([&shot](QDialog& shown) {
        auto& filled = static_cast<TfmMortgageAddEdit&>(shown);
        test::LoanTerms terms;
        terms.addFees = 0;
        terms.printDrawdown = 1;
        terms.printBookkeeping = -1;
        test::FillLoanDialog(filled, terms);
        filled.ContractDetails()->CalculatePayment();
        shown.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&shown));
        shot = shown.grab().toImage();
        ExpectNothingClipped(shown);
        EXPECT_TRUE(shown.findChild<QPushButton*>("btnSave")->isEnabled());
        EXPECT_EQ(filled.ContractDetails()->CalcPaymentAmount()->DisplayText().toStdString(),
                  "$644.30");
        EXPECT_EQ(filled.PropertyAddress()->text().toStdString(),
                  "7 River Rd, Riverside, QLD, 4000");
        return static_cast<int>(mrCancel);
    });
    dialog.EditItem(mmAdd, *loan);
    Save(shot, "loandialog_filled");
    EXPECT_GT(shot.width(), 500);
}

TEST_F(LoanScreenshots, TheLoanTransactionsTabWithADozenPayments) {
    TMorvaneMortgage& loan = Loan("0000001");
    loan.Contract->PossessionDate = TDate(Day(2025, 3, 3));
    for (int month = 0; month < 12; ++month) {
        auto payment = MakeItem<TMorvaneLoanTransaction>(&loan);
        payment->TransactionDate =
            TDate(EncodeDate(2025 + (month + 3) / 12, (month + 3) % 12 + 1, 3));
        payment->PaymentType = "Payment";
        payment->TransactionAmount = Currency::fromRaw(6443000 + (month == 5 ? 1000000 : 0));
        loan.LoanTransactions->Add(std::move(payment));
        clock.Advance(1.0 / 86400);
    }
    TfmeLoanTransactions frame;
    frame.resize(640, 420);
    frame.ChooseLoan("0000001");
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QImage shot = frame.grab().toImage();
    Save(shot, "loantransactions_tab");
    ExpectNothingClipped(frame);

    int shown = 0;
    for (int row = 1; row < frame.Grid()->RowCount(); ++row)
        shown += !frame.Grid()->RowObjects(row).empty();
    EXPECT_EQ(shown, 12);
    EXPECT_EQ(frame.Grid()->Cells(0, 1), "03/04/2025");
    EXPECT_EQ(frame.Grid()->Cells(2, 6), "$744.30");
    EXPECT_LT(frame.FilterBox()->geometry().bottom(), frame.HeaderBox()->geometry().top());
}

} // namespace
} // namespace duebell
