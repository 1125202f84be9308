// The bodies of the four loan notices, built without a window: the dated lines word for word
// (blanks as the letters' patterns leave them), dates reckoned from the notice periods, the
// table and closing in their places, the fee paragraph when a fee was charged; and the
// default notice as PDF, read back with poppler.
#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "reportbook.h"
#include "reports/loannoticebody.h"
#include "reports/noticeletters.h"
#include "reporttestsupport.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::FormKind;
using test::PlacedText;

class LoanNoticeBody : public ::testing::Test {
protected:
    std::vector<PlacedText> Build(TLoanNoticeStage stage, bool feeApplied) {
        test::TestReport report(FormKind<TfmCustomClientReport>(), LoanNoticeTitle(stage), &loan,
                                [&](TfmCustomPrintedReport& form) {
                                    DrawLoanNoticeBody(form, stage, loan, feeApplied);
                                });
        BuildDocument(report, preview);
        EXPECT_EQ(preview.PageCount(), 1);
        return test::TextsOn(preview.GetPage(1));
    }
    // The text at 20 mm from the left and `y` from the top.
    std::string LineAt(const std::vector<PlacedText>& texts, double y) {
        for (const PlacedText& text : texts)
            if (std::abs(text.X - 20) < 0.01 && std::abs(text.Y - y) < 0.01)
                return text.Text;
        return "<none at " + std::to_string(y) + ">";
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TPqPreviewModel preview;
};

TEST_F(LoanNoticeBody, TitlesAndFeeDescriptions) {
    const std::pair<TLoanNoticeStage, std::pair<const char*, const char*>> stages[] = {
        {TLoanNoticeStage::Arrears, {"Notice of Arrears", "Arrears"}},
        {TLoanNoticeStage::Default, {"Notice of Default", "Default"}},
        {TLoanNoticeStage::Termination, {"Notice of Termination", "Termination"}},
        {TLoanNoticeStage::Vacate, {"Notice to Vacate Property", "Vacate"}},
    };
    for (const auto& [stage, names] : stages) {
        EXPECT_EQ(LoanNoticeTitle(stage), names.first);
        EXPECT_EQ(LoanNoticeFeeDescription(stage), names.second);
    }
}

TEST(NoticeTerms, AFeesOwnNoticePeriodRunsBeforeTheDefaultPeriod) {
    TMorvaneSystemConfiguration periods(nullptr);
    periods.DefaultPeriod = 7;
    periods.ForeclosePeriod = 7;
    periods.EvictionPeriod = 30;
    const double today = EncodeDate(2026, 3, 1);
    const TNoticeTerms fee(today, periods, 14);
    EXPECT_EQ(fee.DefaultDays, 21);
    EXPECT_EQ(DateToStr(fee.ArrearsRemedyDate), "22/03/2026");
    EXPECT_EQ(DateToStr(fee.DefaultRemedyDate), "29/03/2026");
    EXPECT_EQ(DateToStr(fee.DefaultNoticeDate), "22/02/2026");
    EXPECT_EQ(DateToStr(fee.VacateByDate), "31/03/2026");
    EXPECT_EQ(DateToStr(fee.TerminationDate), "30/01/2026");
    const TNoticeTerms loan(today, periods);
    EXPECT_EQ(loan.DefaultDays, 7);
    EXPECT_EQ(DateToStr(loan.DefaultRemedyDate), "15/03/2026");
}

TEST_F(LoanNoticeBody, ArrearsNoticeGivesTheDefaultPeriodToRemedy) {
    const auto texts = Build(TLoanNoticeStage::Arrears, false);
    EXPECT_EQ(LineAt(texts, 115), "Our records indicate that your loan account is currently in "
                                  "arrears. The nature of the arrears is detailed in the");
    // 1 March plus 14 days.
    EXPECT_EQ(LineAt(texts, 145), "Failure to remedy the situation before the  15/03/2026  may "
                                  "result in a default and breach of contract.");
    EXPECT_EQ(LineAt(texts, 160), "arrangement.");
}

TEST_F(LoanNoticeBody, DefaultNoticeCountsTheDefaultAndForeclosurePeriods) {
    const auto texts = Build(TLoanNoticeStage::Default, false);
    EXPECT_EQ(LineAt(texts, 115), "You are the purchaser under the Contract. Under the Contract, "
                                  "you agreed to pay your debt by Monthly");
    EXPECT_EQ(
        LineAt(texts, 145),
        "payments, and in particular within 14  days of the dates they fell due for payment.");
    // 1 March plus 14 and 7 days, a blank on both sides of the date.
    EXPECT_EQ(LineAt(texts, 165), "(where applicable) by the  22/03/2026 , by payment of the sum "
                                  "detailed below in full, together with instalment");
    EXPECT_EQ(LineAt(texts, 170), "payments and contributions which fall due up to the  "
                                  "22/03/2026 , then your continuing default will entitle us to");
    const PlacedText warning = test::FindOne(
        texts, "WARNING: THIS IS A LEGAL DOCUMENT AND FAILURE TO COMPLY MAY HAVE SERIOUS LEGAL");
    EXPECT_NEAR(warning.X, 41, 0.01);
    EXPECT_NEAR(warning.Y, 180, 0.01);
    EXPECT_EQ(warning.Size, 7);
    EXPECT_EQ(warning.Style, fsBold);
    const PlacedText second = test::FindOne(
        texts, "CONSEQUENCES. IF YOU ARE IN ANY DOUBT YOU SHOULD OBTAIN LEGAL ADVICE.");
    EXPECT_NEAR(second.X, 55, 0.01);
    EXPECT_NEAR(second.Y, 183, 0.01);
}

TEST_F(LoanNoticeBody, TerminationNoticeNamesTheDefaultNoticeAndTheDayToLeave) {
    ScopedFixedClock tenth(EncodeDate(2026, 3, 10) + EncodeTime(9, 0, 0, 0));
    const auto texts = Build(TLoanNoticeStage::Termination, false);
    EXPECT_EQ(LineAt(texts, 120), "comply with a Notice of Default dated 03/03/2026  which has "
                                  "been served upon you and which required you ");
    EXPECT_EQ(LineAt(texts, 160), "To allow you to vacate the property in an orderly manner, we "
                                  "give you until the  09/04/2026  before any legal");
    EXPECT_NEAR(test::FindOne(texts, "CONSEQUENCES. IF YOU ARE IN ANY DOUBT YOU SHOULD OBTAIN "
                                     "LEGAL ADVICE.")
                    .Y,
                173, 0.01);

    // And so it reads in its PDF.
    test::TestReport report(FormKind<TfmCustomClientReport>(), "Notice of Termination", &loan,
                            [&](TfmCustomPrintedReport& form) {
                                DrawLoanNoticeBody(form, TLoanNoticeStage::Termination, loan,
                                                   false);
                            });
    const QString pdf = test::TestOutputFile(".pdf");
    ASSERT_TRUE(WriteReportPdf(report, pdf));
    const auto words = test::ReadPdfWords(pdf);
    EXPECT_EQ(test::WordsAt(words, 1, 120),
              "comply with a Notice of Default dated 03/03/2026 which has been served upon you "
              "and which required you");
    EXPECT_EQ(test::WordsAt(words, 1, 160),
              "To allow you to vacate the property in an orderly manner, we give you until the "
              "09/04/2026 before any legal");
    EXPECT_EQ(test::WordsAt(words, 1, 60), "10 March 2026");
}

TEST_F(LoanNoticeBody, VacateNoticeNamesTheDayTheTerminationWasServed) {
    ScopedFixedClock tenth(EncodeDate(2026, 3, 10) + EncodeTime(9, 0, 0, 0));
    const auto texts = Build(TLoanNoticeStage::Vacate, false);
    EXPECT_EQ(LineAt(texts, 115), "A Notice of Termination of Contract was served upon you on the "
                                  "08/02/2026 . You have failed to comply with");
    EXPECT_EQ(LineAt(texts, 140), "over the key.");
}

TEST_F(LoanNoticeBody, TheTableAndTheSignatureFollowTheLetter) {
    const auto texts = Build(TLoanNoticeStage::Arrears, false);
    EXPECT_NEAR(test::FindOne(texts, "Arrears Details").Y, 190, 0.01);
    EXPECT_NEAR(test::FindOne(texts, "TOTAL Arrears").Y, 225, 0.01);
    EXPECT_EQ(LineAt(texts, 235), "Regards");
    EXPECT_EQ(LineAt(texts, 240), "Jane Citizen");
    EXPECT_EQ(LineAt(texts, 245), "Bellwether Finance");
    EXPECT_TRUE(test::Find(texts, "Arrears Administration Fee").empty());
    // The closing is regular 10 point whatever the table left.
    EXPECT_EQ(test::FindOne(texts, "Regards").Style, 0);
    EXPECT_EQ(test::FindOne(texts, "Regards").Size, 10);
}

TEST_F(LoanNoticeBody, AChargedFeeAddsItsParagraphBeforeTheSignature) {
    const auto texts = Build(TLoanNoticeStage::Termination, true);
    EXPECT_EQ(LineAt(texts, 235), "We regret to inform you that as a result of arrears due to "
                                  "insufficient funds an arrears administrative fee");
    EXPECT_EQ(LineAt(texts, 240), "of  $50.00  has been debited from your account.");
    EXPECT_EQ(LineAt(texts, 250), "Regards");
    EXPECT_EQ(LineAt(texts, 260), "Bellwether Finance");
}

TEST_F(LoanNoticeBody, ADefaultNoticeReadsBackFromItsPdf) {
    test::TestReport report(FormKind<TfmCustomClientReport>(), "Notice of Default", &loan,
                            [&](TfmCustomPrintedReport& form) {
                                DrawLoanNoticeBody(form, TLoanNoticeStage::Default, loan, false);
                            });
    const QString pdf = test::TestOutputFile(".pdf");
    ASSERT_TRUE(WriteReportPdf(report, pdf));
    const auto words = test::ReadPdfWords(pdf);
    const QString text = test::PageText(words, 1);
    EXPECT_TRUE(text.contains("in particular within 14 days of the dates")) << text.toStdString();
    EXPECT_TRUE(text.contains("by the 22/03/2026 , by payment")) << text.toStdString();
    EXPECT_TRUE(text.contains("up to the 22/03/2026 , then")) << text.toStdString();
    EXPECT_TRUE(text.contains("Component Amount Arrears $")) << text.toStdString();
    EXPECT_TRUE(text.contains("TOTAL Arrears $")) << text.toStdString();
    EXPECT_FALSE(text.contains("-$")) << text.toStdString();
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 1);
    const test::PdfWord* total = test::FindWord(words, 1, "TOTAL");
    ASSERT_NE(total, nullptr);
    EXPECT_NEAR(total->XMin, 40 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_NEAR(total->YMin, 225 * test::PointsPerMillimetre, test::PdfTolerance);
    const test::PdfWord* regards = test::FindWord(words, 1, "Regards");
    ASSERT_NE(regards, nullptr);
    EXPECT_NEAR(regards->XMin, 20 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_NEAR(regards->YMin, 235 * test::PointsPerMillimetre, test::PdfTolerance);
}

} // namespace
} // namespace duebell
