// The bodies of the Notice of Fee Charge and the four fee notices, built without a window:
// the due dates and day counts reckoned from today (1 March 2026) and the notice periods (the
// fee type's 14 days, default 7, foreclosure 7, eviction 30), the "Fee Details" table with the
// fee's number, description and what is owed, the closing; read back as PDF with poppler.
#include "domain/configuration.h"
#include "domain/mortgage.h"
#include "reportbook.h"
#include "reportfees.h"
#include "reports/feenoticebody.h"
#include "reporttestsupport.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

using test::FormKind;
using test::PlacedText;

class FeeNoticeBody : public ::testing::Test {
protected:
    FeeNoticeBody() {
        book.Config().SystemConfiguration->DefaultPeriod = 7;
        fee = &test::AddFee(loan, 12, EncodeDate(2026, 2, 20), "Legal Fee", 150);
        test::AddFeePayment(*fee, EncodeDate(2026, 2, 25), 50);
    }

    using Body = test::TestReport::Body;
    test::TestReport Report(const std::string& title, Body body) {
        return test::TestReport(FormKind<TfmCustomClientReport>(), title, &loan, std::move(body));
    }
    Body NoticeBody(TFeeNoticeStage stage, bool feeApplied = false) {
        return [this, stage, feeApplied](TfmCustomPrintedReport& form) {
            DrawFeeNoticeBody(form, stage, loan, *fee, 14, feeApplied);
        };
    }
    std::vector<PlacedText> Build(const std::string& title, Body body) {
        test::TestReport report = Report(title, std::move(body));
        BuildDocument(report, preview);
        EXPECT_EQ(preview.PageCount(), 1);
        return test::TextsOn(preview.GetPage(1));
    }
    // The text at 20 mm from the left and `y` from the top.
    static std::string LineAt(const std::vector<PlacedText>& texts, double y) {
        for (const PlacedText& text : texts)
            if (std::abs(text.X - 20) < 0.01 && std::abs(text.Y - y) < 0.01)
                return text.Text;
        return "<none at " + std::to_string(y) + ">";
    }
    static void ExpectAt(const std::vector<PlacedText>& texts, const std::string& text, double x,
                         double y, TFontStyles style) {
        const PlacedText placed = test::FindOne(texts, text);
        EXPECT_NEAR(placed.X, x, 0.01) << text;
        EXPECT_NEAR(placed.Y, y, 0.01) << text;
        EXPECT_EQ(placed.Size, 10) << text;
        EXPECT_EQ(placed.Style, style) << text;
    }
    std::vector<test::PdfWord> Pdf(const std::string& title, Body body) {
        test::TestReport report = Report(title, std::move(body));
        const QString file = test::TestOutputFile(".pdf");
        EXPECT_TRUE(WriteReportPdf(report, file));
        EXPECT_EQ(test::ReadPdfInfo(file).Pages, 1);
        EXPECT_EQ(test::ReadPdfInfo(file).Title, QString::fromStdString(title));
        return test::ReadPdfWords(file);
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    TMorvaneFeeTransaction* fee = nullptr;
    TPqPreviewModel preview;
};

TEST_F(FeeNoticeBody, Titles) {
    EXPECT_EQ(FeeNoticeTitle(TFeeNoticeStage::Arrears), "Notice of Fee in Arrears");
    EXPECT_EQ(FeeNoticeTitle(TFeeNoticeStage::Default), "Notice of Default due to Fee Arrears");
    EXPECT_EQ(FeeNoticeTitle(TFeeNoticeStage::Termination), "Notice of Termination");
    EXPECT_EQ(FeeNoticeTitle(TFeeNoticeStage::Vacate), "Notice to Vacate Property");
}

TEST_F(FeeNoticeBody, FeeChargeIsDueAfterTheFeeTypesNoticePeriod) {
    const Body body = [this](TfmCustomPrintedReport& form) { DrawFeeChargeBody(form, *fee, 14); };
    const auto texts = Build("Notice of Fee Charge", body);
    EXPECT_EQ(LineAt(texts, 115), "This notice is to inform you a fee charge is now due. As a "
                                  "valued customer we ask that you make the");
    // 1 March plus 14 days, the pattern's blank beside each part's own.
    EXPECT_EQ(LineAt(texts, 120), "payment in full by the  15/03/2026  to avoid any unnecessary "
                                  "arrears administration fees being charged to your");
    EXPECT_EQ(LineAt(texts, 145), "This fee charge is in addition to your regular periodic loan "
                                  "repayment committments. If you have any ");
    EXPECT_NEAR(test::FindOne(texts, "Fee Details").Y, 190, 0.01);
    EXPECT_EQ(test::FindOne(texts, "Fee Details").Style, fsBold | fsUnderline);
    ExpectAt(texts, "Fee Number", 40, 200, fsBold);
    ExpectAt(texts, "Description", 70, 200, fsBold);
    ExpectAt(texts, "Amount", 155, 200, fsBold);
    ExpectAt(texts, "0000012", 40, 210, 0);
    ExpectAt(texts, "Legal Fee", 70, 210, 0);
    ExpectAt(texts, "$150.00", 155, 210, 0); // the amount charged, payments aside
    EXPECT_EQ(LineAt(texts, 230), "Regards");
    EXPECT_EQ(LineAt(texts, 235), "Jane Citizen");
    EXPECT_EQ(LineAt(texts, 240), "Bellwether Finance");

    const auto words = Pdf("Notice of Fee Charge", body);
    const QString text = test::PageText(words, 1);
    EXPECT_TRUE(text.contains("payment in full by the 15/03/2026 to avoid")) << text.toStdString();
    const test::PdfWord* number = test::FindWord(words, 1, "0000012");
    ASSERT_NE(number, nullptr);
    EXPECT_NEAR(number->XMin, 40 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_NEAR(number->YMin, 210 * test::PointsPerMillimetre, test::PdfTolerance);
    EXPECT_EQ(test::WordsAt(words, 1, 210), "0000012 Legal Fee $150.00");
}

TEST_F(FeeNoticeBody, ArrearsLetterExtendsByTheFeeAndDefaultPeriods) {
    const auto texts = Build("Notice of Fee in Arrears", NoticeBody(TFeeNoticeStage::Arrears));
    EXPECT_EQ(LineAt(texts, 115), "As part of our service, we like to keep you informed of the "
                                  "status of your account, a review today");
    EXPECT_EQ(LineAt(texts, 120), "indicates the fee detailed below is now due for the amount "
                                  "listed under 'Arrears'.");
    // 1 March plus 14 and 7 days.
    EXPECT_EQ(LineAt(texts, 135), "prevented its payment. Therefore, an extension has been "
                                  "granted until 22/03/2026  to allow you to settle the");
    EXPECT_EQ(LineAt(texts, 155), "arrangement.");

    const auto words = Pdf("Notice of Fee in Arrears", NoticeBody(TFeeNoticeStage::Arrears));
    EXPECT_EQ(test::WordsAt(words, 1, 135),
              "prevented its payment. Therefore, an extension has been granted until 22/03/2026 "
              "to allow you to settle the");
}

TEST_F(FeeNoticeBody, DefaultLetterCountsTheFeesNoticePeriodToo) {
    const auto texts =
        Build("Notice of Default due to Fee Arrears", NoticeBody(TFeeNoticeStage::Default));
    EXPECT_EQ(
        LineAt(texts, 145),
        "payments, and in particular within 21  days of the dates they fell due for payment.");
    EXPECT_EQ(LineAt(texts, 165), "(where applicable) by the  29/03/2026 , by payment of the sum "
                                  "detailed below in full, together with instalment");
    EXPECT_EQ(LineAt(texts, 170), "payments and contributions which fall due up to the  "
                                  "29/03/2026 , then your continuing default will entitle us to");
    EXPECT_NEAR(test::FindOne(texts, "CONSEQUENCES. IF YOU ARE IN ANY DOUBT YOU SHOULD OBTAIN "
                                     "LEGAL ADVICE.")
                    .Y,
                183, 0.01);

    const auto words =
        Pdf("Notice of Default due to Fee Arrears", NoticeBody(TFeeNoticeStage::Default));
    const QString text = test::PageText(words, 1);
    EXPECT_TRUE(text.contains("in particular within 21 days of the dates")) << text.toStdString();
    EXPECT_TRUE(text.contains("by the 29/03/2026 , by payment")) << text.toStdString();
    EXPECT_TRUE(text.contains("up to the 29/03/2026 , then")) << text.toStdString();
}

TEST_F(FeeNoticeBody, TerminationAndVacateLettersReadAsTheLoanNotices) {
    // The fee's own period plays no part in them.
    auto texts = Build("Notice of Termination", NoticeBody(TFeeNoticeStage::Termination));
    EXPECT_EQ(LineAt(texts, 120), "comply with a Notice of Default dated 22/02/2026  which has "
                                  "been served upon you and which required you ");
    EXPECT_EQ(LineAt(texts, 160), "To allow you to vacate the property in an orderly manner, we "
                                  "give you until the  31/03/2026  before any legal");
    TPqPreviewModel second;
    test::TestReport vacate =
        Report("Notice to Vacate Property", NoticeBody(TFeeNoticeStage::Vacate));
    BuildDocument(vacate, second);
    texts = test::TextsOn(second.GetPage(1));
    EXPECT_EQ(LineAt(texts, 115), "A Notice of Termination of Contract was served upon you on the "
                                  "30/01/2026 . You have failed to comply with");
    EXPECT_EQ(LineAt(texts, 140), "over the key.");
    EXPECT_NEAR(test::FindOne(texts, "Fee Details").Y, 190, 0.01);
}

TEST_F(FeeNoticeBody, TheTableShowsWhatIsStillOwedOnTheFee) {
    const auto texts = Build("Notice of Fee in Arrears", NoticeBody(TFeeNoticeStage::Arrears));
    EXPECT_NEAR(test::FindOne(texts, "Fee Details").Y, 190, 0.01);
    ExpectAt(texts, "Arrears", 155, 200, fsBold);
    ExpectAt(texts, "0000012", 40, 210, 0);
    ExpectAt(texts, "$100.00", 155, 210, 0); // 150.00 less the payment of 50.00
    EXPECT_EQ(LineAt(texts, 230), "Regards");
    EXPECT_EQ(test::FindOne(texts, "Regards").Style, 0);
    EXPECT_TRUE(test::Find(texts, "Arrears Details").empty());

    const auto words = Pdf("Notice of Fee in Arrears", NoticeBody(TFeeNoticeStage::Arrears));
    EXPECT_EQ(test::WordsAt(words, 1, 200), "Fee Number Description Arrears");
    EXPECT_EQ(test::WordsAt(words, 1, 210), "0000012 Legal Fee $100.00");
    const test::PdfWord* owed = test::FindWord(words, 1, "$100.00");
    ASSERT_NE(owed, nullptr);
    EXPECT_NEAR(owed->XMin, 155 * test::PointsPerMillimetre, test::PdfTolerance);
}

TEST_F(FeeNoticeBody, AChargedFeeAddsItsParagraphBeforeTheSignature) {
    const auto texts =
        Build("Notice of Termination", NoticeBody(TFeeNoticeStage::Termination, true));
    EXPECT_EQ(LineAt(texts, 230), "We regret to inform you that as a result of arrears due to "
                                  "insufficient funds an arrears administrative fee");
    EXPECT_EQ(LineAt(texts, 235), "of  $50.00  has been debited from your account.");
    EXPECT_EQ(LineAt(texts, 245), "Regards");
    EXPECT_EQ(LineAt(texts, 255), "Bellwether Finance");
}

} // namespace
} // namespace duebell
