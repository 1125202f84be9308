// The fee report dialogs as the user drives them, every question scripted and every window
// answered by the test: the fee list of the chosen loan (newest first, refilled with the
// loan), the refusals (no loan, no fee, a fee gone from the loan, a fee whose type has gone),
// the Notice of Fee Charge and the fee notices printed through the print dialog into PDFs
// read back with poppler, the arrears administration fee offered on Print only (its paragraph
// in the letters of that loan and fee only), and the registry opening each dialog with the
// opener's loan and fee.
#include "app/dialogs/noticeoffers.h"
#include "app/framework/windowregistry.h"
#include "controls/gridbox.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "domain/processobjects.h"
#include "printtofile.h"
#include "reportbook.h"
#include "reportfees.h"
#include "reports/feechargenotice.h"
#include "reports/feenotices.h"
#include "reports/printedreportwindow.h"
#include "reports/reportwindows.h"
#include "reporttestsupport.h"
#include "scriptedprompter.h"
#include "support/dialogdriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::PrintToFile;
using testing::ScriptedPrompter;

const char* const FeeQuestion = "Do you want to apply an arrears administration fee of $50.00?";
const char* const NoLoan = "A mortgage must first be selected.";
const char* const NoFee = "A fee number must first be selected";

class FeeNotices : public ::testing::Test {
protected:
    FeeNotices() {
        book.Config().SystemConfiguration->DefaultPeriod = 7;
        test::AddFeeType(book.Config(), "Legal Fee", 14);
        test::AddFeeType(book.Config(), "Valuation", 10);
        test::AddFee(smith, 10, EncodeDate(2026, 1, 5), "Valuation", 300);
        test::AddFee(smith, 11, EncodeDate(2026, 2, 2), "Legal Fee", 220);
        TMorvaneFeeTransaction& fee =
            test::AddFee(smith, 12, EncodeDate(2026, 2, 20), "Legal Fee", 150);
        test::AddFeePayment(fee, EncodeDate(2026, 2, 25), 50);
        test::AddFee(lee, 13, EncodeDate(2026, 2, 1), "Valuation", 80);
    }
    template <class Dialog>
    std::unique_ptr<Dialog> DialogFor(const TMorvaneMortgage& loan, int fee) {
        auto dialog = CreateReport<Dialog>();
        dialog->SelectMortgage(&loan);
        dialog->SelectFee(fee);
        return dialog;
    }
    void ExpectError(const std::string& text) {
        prompter.Expect(PromptType::Error, PromptButtons::Ok, text, PromptAnswer::Ok);
    }

    test::ReportBook book;
    TMorvaneMortgage& smith = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TMorvaneMortgage& lee = book.AddLoan("0000043", "Lee", "Sam", "Ipswich");
    ScriptedPrompter prompter;
    test::DialogDriver windows;
    QString pdf = test::TestOutputFile(".pdf");
};

TEST_F(FeeNotices, EachDialogHasItsCaptionAndListsTheLoansFeesNewestFirst) {
    const std::unique_ptr<TfmReportFeeBase> dialogs[] = {
        CreateReport<TfmReportFullFees>(), CreateReport<TfmReportFeesArrears>(),
        CreateReport<TfmReportFeesDefault>(), CreateReport<TfmReportFeesForeclosure>(),
        CreateReport<TfmReportFeesEviction>()};
    const char* captions[] = {"Notice of Fee Charge", "Notice of Fee in Arrears",
                              "Notice of Default due to Fee Arrears", "Notice of Termination",
                              "Notice to Vacate Property"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(dialogs[i]->windowTitle(), captions[i]);
        EXPECT_EQ(dialogs[i]->cmbFeeNumber->Items().Count(), 0); // no loan, no fees
    }
    TfmReportFeeBase& dialog = *dialogs[0];
    dialog.SelectMortgage(&smith);
    const std::vector<std::vector<std::string>> rows = {{"12", "Legal Fee", "20/02/2026"},
                                                        {"11", "Legal Fee", "02/02/2026"},
                                                        {"10", "Valuation", "05/01/2026"}};
    ASSERT_EQ(dialog.cmbFeeNumber->Items().Count(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(dialog.cmbFeeNumber->GetCell(r, c), rows[r][c]) << r << "," << c;
    EXPECT_EQ(dialog.cmbFeeNumber->ItemIndex(), -1);
    EXPECT_EQ(dialog.FindSelectedFee(), nullptr);
    EXPECT_EQ(dialog.FindFeeConfiguration(), nullptr);

    dialog.cmbFeeNumber->SetItemIndex(1);
    ASSERT_NE(dialog.FindSelectedFee(), nullptr);
    EXPECT_EQ(dialog.FindSelectedFee()->FeeNumber, 11);
    ASSERT_NE(dialog.FindFeeConfiguration(), nullptr);
    EXPECT_EQ(dialog.FindFeeConfiguration()->NoticePeriod, 14);

    // Another loan: its own fees, none chosen.
    dialog.SelectMortgage(&lee);
    ASSERT_EQ(dialog.cmbFeeNumber->Items().Count(), 1);
    EXPECT_EQ(dialog.cmbFeeNumber->GetCell(0, 0), "13");
    EXPECT_EQ(dialog.cmbFeeNumber->ItemIndex(), -1);
    EXPECT_EQ(dialog.FindSelectedFee(), nullptr);
}

TEST_F(FeeNotices, NeitherLoanNorFeeChosenGivesBothMessagesAndBuildsNothing) {
    auto dialog = CreateReport<TfmReportFeesArrears>();
    dialog->show();
    ExpectError(NoLoan);
    ExpectError(NoFee);
    ExpectError(NoLoan);
    ExpectError(NoFee);
    PrintToFile printer(pdf);
    dialog->btnPrint->click(); // no fee question either
    dialog->btnPreview->click();
    EXPECT_EQ(printer.shown, 0);
    EXPECT_EQ(windows.shown(), 0);
    EXPECT_EQ(dialog->focusWidget(), dialog->cmbLoanNumber);
}

TEST_F(FeeNotices, ChangingTheLoanClearsTheFeeSoPrintAsksForOneAgain) {
    auto dialog = DialogFor<TfmReportFullFees>(smith, 12);
    ASSERT_NE(dialog->FindSelectedFee(), nullptr);
    dialog->show();
    dialog->SelectMortgage(&lee);
    ExpectError(NoFee);
    PrintToFile printer(pdf);
    EXPECT_FALSE(dialog->btnPrintClick());
    EXPECT_EQ(printer.shown, 0);
    EXPECT_EQ(dialog->focusWidget(), dialog->cmbFeeNumber);
}

TEST_F(FeeNotices, AFeeGoneFromTheLoanIsRefusedNotDereferenced) {
    auto dialog = DialogFor<TfmReportFeesArrears>(smith, 11);
    // The fee leaves the loan while its row stays in the list.
    TTovObjectItem* gone = dialog->FindSelectedFee();
    ASSERT_NE(gone, nullptr);
    smith.FeeTransactions->Locate(
        Variant::Array({Variant(TDate(EncodeDate(2026, 2, 2))), Variant(11)}));
    smith.FeeTransactions->Delete();
    delete gone;
    ASSERT_EQ(dialog->cmbFeeNumber->ItemIndex(), 1);
    EXPECT_EQ(dialog->FindSelectedFee(), nullptr);
    EXPECT_EQ(dialog->FindFeeConfiguration(), nullptr);
    ExpectError(NoFee);
    ExpectError(NoFee);
    PrintToFile printer(pdf);
    EXPECT_FALSE(dialog->btnPrintClick());
    dialog->btnPreview->click();
    EXPECT_EQ(printer.shown, 0);
    EXPECT_EQ(windows.shown(), 0);
}

TEST_F(FeeNotices, AFeeWhoseTypeHasGoneIsRefusedByName) {
    // The fee type was renamed: the fee's description names none any more.
    book.Config().FeeList->Locate(Variant(std::string("Legal Fee")));
    TTovObjectItem* renamed = book.Config().FeeList->Current();
    book.Config().FeeList->Delete();
    delete renamed;
    const std::string noType =
        "There is no full fee type \"Legal Fee\" in the fee configuration, so the notice period "
        "of this fee is unknown. Add the fee type under Configuration, Fees, Full Fees first.";

    auto charge = DialogFor<TfmReportFullFees>(smith, 12);
    auto arrears = DialogFor<TfmReportFeesArrears>(smith, 12);
    auto fault = DialogFor<TfmReportFeesDefault>(smith, 12);
    EXPECT_NE(charge->FindSelectedFee(), nullptr);
    EXPECT_EQ(charge->FindFeeConfiguration(), nullptr);
    ExpectError(noType);
    ExpectError(noType);
    ExpectError(noType);
    PrintToFile printer(pdf);
    charge->btnPreview->click();
    EXPECT_FALSE(arrears->btnPrintClick()); // before the fee question
    fault->btnPreview->click();
    EXPECT_EQ(printer.shown, 0);
    EXPECT_EQ(windows.shown(), 0);

    // The termination and vacate letters do not need the type's period: they still print.
    auto termination = DialogFor<TfmReportFeesForeclosure>(smith, 12);
    windows.Expect([](QDialog& window) {
        const auto texts =
            test::TextsOn(dynamic_cast<TfmPrintedReportWindow&>(window).Preview().GetPage(1));
        EXPECT_EQ(test::Find(texts, "$100.00").size(), 1u);
        return QDialog::Rejected;
    });
    termination->btnPreview->click();
}

TEST_F(FeeNotices, TheFeeChargeNoticePrintsTheChosenFee) {
    // The second row of three: fee 11, charged 2 February.
    auto dialog = CreateReport<TfmReportFullFees>();
    dialog->SelectMortgage(&smith);
    dialog->cmbFeeNumber->SetItemIndex(1);
    PrintToFile printer(pdf);
    EXPECT_TRUE(dialog->btnPrintClick()); // no question about an administration fee
    EXPECT_EQ(printer.shown, 1);
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 0);
    const test::PdfInfo info = test::ReadPdfInfo(pdf);
    EXPECT_EQ(info.Pages, 1);
    EXPECT_EQ(info.Title, "Notice of Fee Charge");
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::WordsAt(words, 1, 45), "Notice of Fee Charge");
    EXPECT_TRUE(test::PageText(words, 1).contains("payment in full by the 15/03/2026 to avoid"));
    EXPECT_EQ(test::WordsAt(words, 1, 200), "Fee Number Description Amount");
    EXPECT_EQ(test::WordsAt(words, 1, 210), "0000011 Legal Fee $220.00");

    // Fee 12 as the opener chooses it: "0000012" at (40, 210) mm.
    dialog->SelectFee(12);
    const QString second = test::TestOutputFile("_fee12.pdf");
    PrintToFile again(second);
    EXPECT_TRUE(dialog->btnPrintClick());
    const auto words12 = test::ReadPdfWords(second);
    const test::PdfWord* number = test::FindWord(words12, 1, "0000012");
    ASSERT_NE(number, nullptr);
    EXPECT_NEAR(number->XMin, 40 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_NEAR(number->YMin, 210 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_EQ(test::ReadPdfInfo(second).Pages, 1);
}

TEST_F(FeeNotices, CancelOnTheFeeQuestionChargesNothingAndPrintsNothing) {
    auto dialog = DialogFor<TfmReportFeesDefault>(smith, 12);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, FeeQuestion,
                    PromptAnswer::Cancel);
    PrintToFile printer(pdf);
    dialog->btnPrint->click();
    EXPECT_EQ(printer.shown, 1); // the printer is chosen before the question
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 0);
    EXPECT_FALSE(dialog->FeeApplied());
    EXPECT_FALSE(DataModified());
}

TEST_F(FeeNotices, YesChargesTheFeeAndTheDefaultLetterSaysSo) {
    auto dialog = DialogFor<TfmReportFeesDefault>(smith, 12);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, FeeQuestion,
                    PromptAnswer::Yes);
    PrintToFile printer(pdf);
    EXPECT_TRUE(dialog->btnPrintClick());
    EXPECT_TRUE(dialog->FeeApplied());
    EXPECT_TRUE(DataModified());
    ASSERT_EQ(smith.AdminFeeTransactions->Count(), 1);
    const auto* charged =
        static_cast<const TMorvaneAdminFeeTransaction*>(smith.AdminFeeTransactions->PeekFirst());
    EXPECT_EQ(charged->FeeDescription, "Fee Arrears");
    EXPECT_EQ(charged->TransactionDate.value, test::ReportToday);

    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 1);
    const QString text = test::PageText(words, 1);
    EXPECT_TRUE(text.contains("in particular within 21 days")) << text.toStdString();
    EXPECT_TRUE(text.contains("by the 29/03/2026 , by payment")) << text.toStdString();
    EXPECT_EQ(test::WordsAt(words, 1, 210), "0000012 Legal Fee $100.00");
    EXPECT_EQ(test::WordsAt(words, 1, 235), "of $50.00 has been debited from your account.");
    EXPECT_EQ(test::WordsAt(words, 1, 245), "Regards");

    // A later Preview shows the paragraph too, without asking again.
    windows.Expect([](QDialog& window) {
        const auto texts =
            test::TextsOn(dynamic_cast<TfmPrintedReportWindow&>(window).Preview().GetPage(1));
        EXPECT_EQ(test::Find(texts, "of  $50.00  has been debited from your account.").size(), 1u);
        return QDialog::Rejected;
    });
    dialog->btnPreview->click();
}

TEST_F(FeeNotices, TheFeeParagraphFollowsTheLoanAndFeeItWasChargedFor) {
    auto dialog = DialogFor<TfmReportFeesDefault>(smith, 12);
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNoCancel, FeeQuestion,
                    PromptAnswer::Yes);
    {
        PrintToFile printer(pdf);
        ASSERT_TRUE(dialog->btnPrintClick());
    }
    // The letter as Preview would show it, written to a file and read back.
    const auto debited = [&dialog](const char* suffix) {
        const QString file = test::TestOutputFile(suffix);
        EXPECT_TRUE(WriteReportPdf(*dialog, file));
        return test::PageText(test::ReadPdfWords(file), 1).contains("debited");
    };
    dialog->SelectFee(11);
    EXPECT_FALSE(dialog->FeeApplied());
    EXPECT_FALSE(debited("_fee11.pdf"));
    dialog->SelectMortgage(&lee);
    dialog->SelectFee(13);
    EXPECT_FALSE(debited("_lee.pdf"));
    dialog->SelectMortgage(&smith);
    dialog->SelectFee(12);
    EXPECT_TRUE(debited("_fee12.pdf"));
}

TEST_F(FeeNotices, PreviewOfTheArrearsNoticeAsTheUserSeesIt) {
    auto dialog = DialogFor<TfmReportFeesArrears>(smith, 12);
    dialog->show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog->grab().toImage().save(test::TestOutputFile("_dialog.png")));
    windows.Expect([](QDialog& window) {
        window.resize(648, 900);
        window.show();
        QApplication::processEvents();
        EXPECT_TRUE(window.grab().toImage().save(test::TestOutputFile(".png")));
        auto& preview = dynamic_cast<TfmPrintedReportWindow&>(window);
        EXPECT_EQ(preview.windowTitle(), "Notice of Fee in Arrears");
        EXPECT_EQ(preview.Preview().PageCount(), 1);
        const auto texts = test::TextsOn(preview.Preview().GetPage(1));
        EXPECT_EQ(test::Find(texts, "$100.00").size(), 1u);
        return QDialog::Rejected;
    });
    dialog->btnPreview->click();
    EXPECT_EQ(smith.AdminFeeTransactions->Count(), 0); // Preview never asks
}

TEST_F(FeeNotices, TheRegistryOpensEachDialogWithTheOpenersLoanAndFee) {
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    const std::pair<const char*, const char*> names[] = {
        {"TfmReportFullFees", "Notice of Fee Charge"},
        {"TfmReportFeesArrears", "Notice of Fee in Arrears"},
        {"TfmReportFeesDefault", "Notice of Default due to Fee Arrears"},
        {"TfmReportFeesForeclosure", "Notice of Termination"},
        {"TfmReportFeesEviction", "Notice to Vacate Property"}};
    for (const auto& [name, caption] : names) {
        ASSERT_TRUE(IsWindowRegistered(name)) << name;
        windows.Expect([caption = caption](QDialog& window) {
            auto& dialog = dynamic_cast<TfmReportFeeBase&>(window);
            EXPECT_EQ(dialog.windowTitle(), caption);
            EXPECT_EQ(dialog.Mortgage(), Data()->FindMortgage("0000042"));
            EXPECT_EQ(dialog.cmbFeeNumber->Text(), "11");
            const TMorvaneFeeTransaction* fee = dialog.FindSelectedFee();
            EXPECT_EQ(fee != nullptr ? fee->FeeNumber : 0, 11);
            return QDialog::Rejected;
        });
        WindowRequest request;
        request.loanNumber = "0000042";
        request.feeNumber = 11;
        OpenWindow(name, request);
    }
    // A fee number the loan does not have chooses none.
    windows.Expect([](QDialog& window) {
        EXPECT_EQ(dynamic_cast<TfmReportFeeBase&>(window).FindSelectedFee(), nullptr);
        return QDialog::Rejected;
    });
    WindowRequest request;
    request.loanNumber = "0000043";
    request.feeNumber = 11;
    OpenWindow("TfmReportFeesDefault", request);

    // The full-fee windows offer the Notice of Fee Charge by this name.
    prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, "Print it?", PromptAnswer::Yes);
    windows.Expect([](QDialog& window) {
        auto& dialog = dynamic_cast<TfmReportFullFees&>(window);
        const TMorvaneFeeTransaction* fee = dialog.FindSelectedFee();
        EXPECT_EQ(fee != nullptr ? fee->FeeNumber : 0, 12);
        return QDialog::Rejected;
    });
    OfferFeeChargeNotice("Print it?", smith, 12);
}

} // namespace
} // namespace duebell
