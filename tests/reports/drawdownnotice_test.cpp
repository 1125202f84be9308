// The Notice of Draw Down read back from the PDF with poppler, its figures worked by hand:
// $300,000 less a $30,000 deposit, fortnightly over 25 years at 6.5 % + 1.25 %, is 650
// payments of P r / (1 - (1 + r)^-650) with r = 0.0775 / 26, that is $940.72. Instalment fees
// add to the total and, past 255 mm, run on to a second page.
#include "app/framework/windowregistry.h"
#include "controls/modalresult.h"
#include "domain/loantransactions.h"
#include "domain/mortgage.h"
#include "print/previewmodel.h"
#include "reportbook.h"
#include "reports/drawdownnotice.h"
#include "reports/reportwindows.h"
#include "reporttestsupport.h"
#include "support/dialogdriver.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

class DrawDownNotice : public ::testing::Test {
protected:
    void SetTerms(const char* period, double rate, double spread, int years) {
        TMorvaneContract& contract = *loan.Contract;
        contract.PaymentPeriod = period;
        contract.ReferenceRate = TPercentage{Currency::fromDouble(rate)};
        contract.RateSpread = TPercentage{Currency::fromDouble(spread)};
        contract.ContractTerm = years;
    }
    void AddFees(int count) {
        for (int i = 0; i < count; ++i) {
            auto fee = MakeItem<TMorvaneInstallmentFee>(&loan);
            fee->FeeDescription = "Insurance " + std::to_string(i + 1);
            fee->PaymentAmount = 1.25;
            loan.InstallmentFees->Add(std::move(fee));
        }
    }
    std::unique_ptr<TfmReportDrawDown> Notice() {
        auto notice = CreateReport<TfmReportDrawDown>();
        notice->SelectMortgage(&loan);
        return notice;
    }

    test::ReportBook book;
    TMorvaneMortgage& loan = book.AddLoan("0000042", "SMITH", "John", "Hilltop");
    QString pdf = test::TestOutputFile(".pdf");
};

TEST_F(DrawDownNotice, AFortnightlyLoanWithoutFeesOnOnePage) {
    SetTerms("Fortnightly", 6.5, 1.25, 25);
    ASSERT_TRUE(WriteReportPdf(*Notice(), pdf));
    const test::PdfInfo info = test::ReadPdfInfo(pdf);
    EXPECT_EQ(info.Pages, 1);
    EXPECT_EQ(info.Title, "Notice of Draw Down");
    for (const test::PdfFont& font : test::ReadPdfFonts(pdf))
        EXPECT_TRUE(font.Embedded) << font.Name.toStdString();

    const auto words = test::ReadPdfWords(pdf);
    const auto at = [&words](double y) { return test::WordsAt(words, 1, y).toStdString(); };
    EXPECT_EQ(at(115), "Draw Down Details");
    EXPECT_EQ(at(125), "Date of Draw down 02/03/2025");
    EXPECT_EQ(at(132), "Organisation Bellwether Finance");
    EXPECT_EQ(at(139), "Amount $270,000.00");
    EXPECT_EQ(at(146), "Annual Interest Rate 7.75%");
    EXPECT_EQ(at(153), "Term 25 years");
    EXPECT_EQ(at(160), "Number of Payments 650");
    EXPECT_EQ(at(167), "Payment Frequency Fortnightly");
    EXPECT_EQ(at(174), "Security 12 Main St, Hilltop, QLD, 4000");
    EXPECT_EQ(at(185), "Repayment Details");
    EXPECT_EQ(at(195), "Component Initial");
    EXPECT_EQ(at(205), "Annual Interest Rate 7.75%");
    EXPECT_EQ(at(210), "Payment $940.72");
    EXPECT_EQ(at(220), "TOTAL Repayment $940.72");
    EXPECT_EQ(at(230), "Please verify all figures. If you believe there is an error, or should "
                       "you have any queries regarding this");
    EXPECT_EQ(at(245), "Regards");
    EXPECT_EQ(at(250), "Jane Citizen");
    EXPECT_EQ(at(255), "Bellwether Finance");
    // Labels 40 mm from the edge, details at 110 mm, amounts at 155 mm.
    const std::pair<const char*, double> columns[] = {
        {"Organisation", 40}, {"Fortnightly", 110}, {"$940.72", 155}};
    for (const auto& [word, x] : columns) {
        const test::PdfWord* found = test::FindWord(words, 1, word);
        ASSERT_NE(found, nullptr) << word;
        EXPECT_NEAR(found->XMin, x * test::PointsPerMillimetre, test::PdfTolerance) << word;
    }
}

TEST_F(DrawDownNotice, RateTermAndPaymentsFollowTheContract) {
    struct Case {
        const char* period;
        double rate;
        double spread;
        int years;
        const char* rateText;
        const char* payments;
    };
    const Case cases[] = {{"Weekly", 6.75, 1.25, 20, "8%", "1040"},
                          {"Monthly", 7, 0.5, 30, "7.5%", "360"},
                          {"Fortnightly", 5.125, 0, 1, "5.125%", "26"}};
    for (const Case& c : cases) {
        SetTerms(c.period, c.rate, c.spread, c.years);
        TPqPreviewModel preview;
        BuildDocument(*Notice(), preview);
        const auto texts = test::TextsOn(preview.GetPage(1));
        EXPECT_EQ(test::Find(texts, c.rateText).size(), 2u) << c.period;
        EXPECT_NEAR(test::FindOne(texts, c.payments).Y, 160, test::MillimetreTolerance) << c.period;
        EXPECT_EQ(test::FindOne(texts, std::to_string(c.years) + " years").X, 110) << c.period;
        EXPECT_EQ(test::Find(texts, c.period).size(), 1u) << c.period;
    }
}

TEST_F(DrawDownNotice, InstalmentFeesAddUpAndRunOnToASecondPage) {
    SetTerms("Fortnightly", 6.5, 1.25, 25);
    AddFees(2);
    TPqPreviewModel preview;
    BuildDocument(*Notice(), preview);
    // The total below 220 mm sends the closing lines to a page of their own, from 80 mm.
    ASSERT_EQ(preview.PageCount(), 2);
    const auto texts = test::TextsOn(preview.GetPage(1));
    EXPECT_NEAR(test::FindOne(texts, "Insurance 2").Y, 220, test::MillimetreTolerance);
    EXPECT_NEAR(test::FindOne(texts, "$943.22").Y, 230, test::MillimetreTolerance);
    EXPECT_TRUE(test::Find(texts, "Regards").empty());
    EXPECT_NEAR(test::FindOne(test::TextsOn(preview.GetPage(2)), "Regards").Y, 95,
                test::MillimetreTolerance);

    // Twelve fees: ten from 215 to 260 mm, the rest on page 2 from 80 mm, with its letterhead.
    loan.InstallmentFees->FreeAll();
    AddFees(12);
    ASSERT_TRUE(WriteReportPdf(*Notice(), pdf));
    EXPECT_EQ(test::ReadPdfInfo(pdf).Pages, 2);
    const auto words = test::ReadPdfWords(pdf);
    const auto at = [&words](int page, double y) {
        return test::WordsAt(words, page, y).toStdString();
    };
    EXPECT_EQ(at(1, 260), "Insurance 10 $1.25");
    EXPECT_EQ(at(2, 45), "Notice of Draw Down");
    EXPECT_EQ(at(2, 80), "Insurance 11 $1.25");
    EXPECT_EQ(at(2, 85), "Insurance 12 $1.25");
    EXPECT_EQ(at(2, 95), "TOTAL Repayment $955.72");
    EXPECT_EQ(at(2, 120), "Regards");
}

TEST_F(DrawDownNotice, TheRegistryOpensItWithTheNewLoan) {
    ScopedWindowRegistry registry;
    RegisterReportWindows();
    test::DialogDriver windows;
    windows.Expect([this](QDialog& window) {
        auto& notice = dynamic_cast<TfmReportDrawDown&>(window);
        EXPECT_EQ(notice.windowTitle(), "Notice of Draw Down");
        EXPECT_EQ(notice.Mortgage(), &loan);
        return int(mrCancel);
    });
    WindowRequest request;
    request.loanNumber = loan.LoanNumber;
    OpenWindow("TfmReportDrawDown", request);
}

} // namespace
} // namespace duebell
