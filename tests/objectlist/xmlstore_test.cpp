#include "addressspacelimit.h"
#include "expandingdocument.h"
#include "objectlist/exceptions.h"
#include "objectlist/xmlfiler.h"
#include "testfiles.h"
#include "xmltestrecords.h"
#include "xmltextio.h"

#include <gtest/gtest.h>

namespace duebell {
namespace {

using namespace xmltest;
using namespace testfiles;

TXmlTestLoan& LoanAt(TXmlTestBook& book, int index) {
    auto it = book.Loans->begin();
    std::advance(it, index);
    return static_cast<TXmlTestLoan&>(**it);
}

std::vector<std::string> LoanNumbers(const TXmlTestBook& book) {
    std::vector<std::string> numbers;
    for (TTovObjectItem* loan : *book.Loans)
        numbers.push_back(static_cast<TXmlTestLoan*>(loan)->LoanNumber);
    return numbers;
}

// The tree of the golden file, built by hand.
std::unique_ptr<TXmlTestBook> SmallBook() {
    auto book = NewBook();
    book->Title = "Smith & Sons \"Loans\"";
    book->Saved = TDateTime(EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    book->Office->Street = "1 Caf\xC3\xA9 Lane";

    auto second = MakeItem<TXmlTestLoan>(book.get());
    second->LoanNumber = "L2";
    book->Loans->Add(std::move(second));

    auto first = MakeItem<TXmlTestLoan>(book.get());
    first->LoanNumber = "L1";
    first->Term = 25;
    first->Active = true;
    first->Status = xsClosed;
    first->Grade = 'B';
    first->Ratio = 0.075;
    first->Start = TDate(EncodeDate(2024, 3, 5));
    first->Created = TDateTime(EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    first->Principal = Currency::fromUnits(1250);
    first->Rate = TPercentage{Currency::fromRaw(72500)};
    first->Counter = -9'000'000'000LL;
    first->Address->Street = "12 Main St";
    first->Address->Suburb = "Hilltop";
    first->Address->PostCode = "4000";
    auto payment = MakeItem<TXmlTestPayment>(first.get());
    payment->Day = TDate(EncodeDate(2024, 4, 5));
    payment->Amount = Currency::fromRaw(12505000);
    payment->Note = "first\r\nsecond";
    first->Payments->Add(std::move(payment));
    book->Loans->Add(std::move(first));

    for (const char* text : {"zeta", "alpha"}) {
        auto note = MakeItem<TXmlTestNote>(book.get());
        note->Text = text;
        book->Notes->Add(std::move(note));
    }
    return book;
}

// Writing ------------------------------------------------------------------------------------

TEST(XmlStoreWriting, WritesTheDocumentFormOfTheRecordTree) {
    // Property order, omitted empty texts, zero dates and empty lists, Booleans, money,
    // dates with the fixed offset, read-only values and the empty sub-record are all in the
    // hand-typed golden file.
    auto book = SmallBook();
    EXPECT_EQ(Save(*book), ReadFile(DUEBELL_TEST_DATA_DIR "/xmlstore_golden.xml"));
}

TEST(XmlStoreWriting, ReferencesToOtherRecordsAreNotWritten) {
    auto book = SmallBook();
    LoanAt(*book, 0).Previous = &LoanAt(*book, 1);
    EXPECT_EQ(Save(*book).find("Previous"), std::string::npos);
}

// Round trips --------------------------------------------------------------------------------

TEST(XmlStoreRoundTrip, TheGoldenFileLoadsIntoTheRecordsItWasWrittenFrom) {
    auto book = NewBook();
    Load(ReadFile(DUEBELL_TEST_DATA_DIR "/xmlstore_golden.xml"), *book);
    EXPECT_EQ(book->Title, "Smith & Sons \"Loans\"");
    EXPECT_EQ(book->Saved.value, EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    EXPECT_EQ(book->Office->Street, "1 Caf\xC3\xA9 Lane");
    ASSERT_EQ(LoanNumbers(*book), (std::vector<std::string>{"L1", "L2"}));
    const TXmlTestLoan& loan = LoanAt(*book, 0);
    EXPECT_EQ(loan.Term, 25);
    EXPECT_TRUE(loan.Active);
    EXPECT_EQ(loan.Status, xsClosed);
    EXPECT_EQ(loan.Grade, 'B');
    EXPECT_DOUBLE_EQ(loan.Ratio, 0.075);
    EXPECT_EQ(loan.Start.value, EncodeDate(2024, 3, 5));
    EXPECT_EQ(loan.Principal.raw(), 12500000);
    EXPECT_EQ(loan.Rate.value.raw(), 72500);
    EXPECT_EQ(loan.Counter, -9'000'000'000LL);
    EXPECT_EQ(loan.Address->Suburb, "Hilltop");
    ASSERT_EQ(loan.Payments->Count(), 1);
    const auto& payment = static_cast<const TXmlTestPayment&>(*loan.Payments->PeekFirst());
    EXPECT_EQ(payment.Amount.raw(), 12505000);
    EXPECT_EQ(payment.Note, "first\r\nsecond");
    EXPECT_EQ(payment.Added.value, 0.0);
    EXPECT_EQ(LoanAt(*book, 1).Grade, '\0');
    ASSERT_EQ(book->Notes->Count(), 2);
    EXPECT_EQ(static_cast<TXmlTestNote*>(book->Notes->PeekFirst())->Text, "zeta");
}

TEST(XmlStoreRoundTrip, EveryKindOfValueSavesLoadsAndSavesToIdenticalBytes) {
    auto book = MakeBook(30, 4, 7);
    const char* texts[] = {"   ",
                           " leading and trailing ",
                           "quote \" apostrophe ' amp &",
                           "<tag> ]]> &amp;",
                           "Z\xC3\xBCrich \xE2\x82\xAC \xF0\x9F\x8F\xA0",
                           "CRLF\r\nLF\nCR\rTAB\t"};
    int i = 0;
    for (const char* text : texts) {
        auto note = MakeItem<TXmlTestNote>(book.get());
        note->Text = text;
        book->Notes->Add(std::move(note));
        LoanAt(*book, i++).Address->Suburb = text;
    }
    LoanAt(*book, 0).Created = TDateTime(EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0));
    LoanAt(*book, 1).Ratio = 1.0 / 3.0;
    LoanAt(*book, 2).Principal = Currency::fromRaw(-1);
    LoanAt(*book, 3).Counter = INT64_MIN;
    LoanAt(*book, 4).Term = INT32_MIN;

    const std::string first = Save(*book);
    auto copy = NewBook();
    Load(first, *copy);
    EXPECT_EQ(Save(*copy), first);

    int n = 0;
    for (TTovObjectItem* note : *copy->Notes)
        EXPECT_EQ(static_cast<TXmlTestNote*>(note)->Text, texts[n++]);
    EXPECT_EQ(LoanAt(*copy, 0).Created.value, EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0));
    EXPECT_DOUBLE_EQ(LoanAt(*copy, 1).Ratio, 0.333333333333333); // 15 digits
    EXPECT_EQ(LoanAt(*copy, 2).Principal.raw(), -1);
    EXPECT_EQ(LoanAt(*copy, 3).Counter, INT64_MIN);
    EXPECT_EQ(LoanAt(*copy, 4).Term, INT32_MIN);
    EXPECT_EQ(LoanAt(*copy, 5).Payments->Count(), 4);
}

TEST(XmlStoreRoundTrip, TextsXmlCannotCarryNeverMakeAnUnreadableFile) {
    auto book = NewBook();
    book->Title = std::string("nul\0bell\x07 esc\x1B", 14) + " latin1 caf\xE9 end";
    book->Office->Street = "\xFF\xFE";
    const std::string document = Save(*book);
    auto copy = NewBook();
    ASSERT_NO_THROW(Load(document, *copy));
    EXPECT_EQ(copy->Title, "nulbell esc latin1 caf\xEF\xBF\xBD end");
    EXPECT_EQ(copy->Office->Street, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(XmlStoreRoundTrip, DateTimeKeysTheListTellsApartStayApartInTheFile) {
    // Files hold whole seconds. Around each of many second boundaries, moments one millisecond
    // apart: every pair the payment list keeps as different keys must be written as different
    // seconds, or the file could never be read back.
    auto book = NewBook();
    auto made = MakeItem<TXmlTestLoan>(book.get());
    made->LoanNumber = "L1";
    TXmlTestLoan* loan = book->Loans->Add(std::move(made));
    for (int second = 0; second < 2000; ++second) {
        const double day = EncodeDate(2000, 1, 1) + second;
        for (int ms = -20; ms <= 20; ++ms) {
            std::unique_ptr<TXmlTestPayment> payment(CreateItem<TXmlTestPayment>(loan));
            payment->Day = TDate(day);
            payment->Added = TDateTime(day + (second + 1) / 86400.0 + ms / 86400000.0);
            try {
                loan->Payments->Add(std::move(payment));
            } catch (const std::exception&) {
                // the same key for the list: nothing to keep apart
            }
        }
    }
    ASSERT_GE(loan->Payments->Count(), 2 * 2000);
    auto copy = NewBook();
    ASSERT_NO_THROW(Load(Save(*book), *copy));
    EXPECT_EQ(LoanAt(*copy, 0).Payments->Count(), loan->Payments->Count());
}

// Reading rules ------------------------------------------------------------------------------

TEST(XmlStoreReading, ElementNamesMatchIgnoringCase) {
    auto book = NewBook();
    Load("<xmltestbook><TITLE>t</TITLE><loans><XMLTESTLOAN><loannumber>A</loannumber>"
         "<ADDRESS><suburb>S</suburb></ADDRESS></XMLTESTLOAN></loans></xmltestbook>",
         *book);
    EXPECT_EQ(book->Title, "t");
    ASSERT_EQ(LoanNumbers(*book), std::vector<std::string>{"A"});
    EXPECT_EQ(LoanAt(*book, 0).Address->Suburb, "S");
}

TEST(XmlStoreReading, UnknownElementsAreSkippedWithTheirContents) {
    auto book = NewBook();
    Load("<XmlTestBook><OldThing><Title>wrong</Title><Loans><XmlTestLoan><LoanNumber>X"
         "</LoanNumber></XmlTestLoan></Loans></OldThing><Title>right</Title>"
         "<Loans><XmlTestLoan><Gone><Term>99</Term></Gone><Term>5</Term><LoanNumber>A"
         "</LoanNumber></XmlTestLoan></Loans></XmlTestBook>",
         *book);
    EXPECT_EQ(book->Title, "right");
    ASSERT_EQ(LoanNumbers(*book), std::vector<std::string>{"A"});
    EXPECT_EQ(LoanAt(*book, 0).Term, 5);
}

TEST(XmlStoreReading, ReadOnlyPropertiesAreWrittenButNotRead) {
    auto book = NewBook();
    Load("<XmlTestBook><Loans><XmlTestLoan><LoanNumber>A</LoanNumber><Term>3</Term>"
         "<Summary>tampered</Summary><Address><FullText>tampered</FullText></Address>"
         "</XmlTestLoan></Loans></XmlTestBook>",
         *book);
    EXPECT_EQ(LoanAt(*book, 0).Summary(), "A (3)");
    EXPECT_EQ(LoanAt(*book, 0).Address->FullText(), "");
}

TEST(XmlStoreReading, RecordsGoIntoTheirListAtTheirEndTag) {
    // The key comes last in each element, so each record can only be placed once it is
    // complete; sorted lists come back in key order, unsorted ones in file order.
    auto book = NewBook();
    Load("<XmlTestBook><Loans>"
         "<XmlTestLoan><Term>1</Term><LoanNumber>C</LoanNumber></XmlTestLoan>"
         "<XmlTestLoan><Term>2</Term><LoanNumber>A</LoanNumber></XmlTestLoan>"
         "<XmlTestLoan><Term>3</Term><LoanNumber>B</LoanNumber></XmlTestLoan>"
         "</Loans><Notes><XmlTestNote><Text>z</Text></XmlTestNote>"
         "<XmlTestNote><Text>a</Text></XmlTestNote></Notes></XmlTestBook>",
         *book);
    EXPECT_EQ(LoanNumbers(*book), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(LoanAt(*book, 0).Term, 2);
    EXPECT_EQ(static_cast<TXmlTestNote*>(book->Notes->PeekFirst())->Text, "z");
}

TEST(XmlStoreReading, AttributesNamingPropertiesAreStoredOthersIgnored) {
    auto book = NewBook();
    Load(R"(<AnyRootName version="9" Title="not read">)"
         R"(<Loans count="1"><XmlTestLoan LoanNumber="A" Term="7" Bogus="x" xsi:Grade="Q">)"
         R"(<Address Suburb="S"/></XmlTestLoan></Loans></AnyRootName>)",
         *book);
    EXPECT_EQ(book->Title, "");
    const TXmlTestLoan& loan = LoanAt(*book, 0);
    EXPECT_EQ(loan.LoanNumber, "A");
    EXPECT_EQ(loan.Term, 7);
    EXPECT_EQ(loan.Grade, 'Q'); // the local name counts
    EXPECT_EQ(loan.Address->Suburb, "S");
}

TEST(XmlStoreReading, TextsKeepTheirBlanksAndLineEnds) {
    auto book = NewBook();
    Load("<XmlTestBook><Title>   </Title><Office><Street> a\n b&#13;\n</Street></Office>"
         "</XmlTestBook>",
         *book);
    EXPECT_EQ(book->Title, "   ");
    EXPECT_EQ(book->Office->Street, " a\n b\r\n");
}

TEST(XmlStoreReading, AListThatWasNeverCreatedAndAReferenceAreSkipped) {
    auto book = NewBook();
    Load("<XmlTestBook><Archive><XmlTestNote><Text>x</Text></XmlTestNote></Archive>"
         "<Loans><XmlTestLoan><LoanNumber>A</LoanNumber><Previous><LoanNumber>B</LoanNumber>"
         "</Previous></XmlTestLoan></Loans><Title>after</Title></XmlTestBook>",
         *book);
    EXPECT_EQ(book->Title, "after");
    EXPECT_EQ(LoanNumbers(*book), std::vector<std::string>{"A"});
    EXPECT_EQ(LoanAt(*book, 0).Previous, nullptr);
}

TEST(XmlStoreReading, AfterLoadRunsForEveryClosedRecordButNeverTheRoot) {
    auto book = NewBook();
    Load(ReadFile(DUEBELL_TEST_DATA_DIR "/xmlstore_golden.xml"), *book);
    EXPECT_EQ(book->AfterLoadCalls, 0);
    EXPECT_EQ(book->Office->AfterLoadCalls, 1);
    for (TTovObjectItem* item : *book->Loans) {
        auto* loan = static_cast<TXmlTestLoan*>(item);
        EXPECT_EQ(loan->AfterLoadCalls, 1);
        EXPECT_EQ(loan->Address->AfterLoadCalls, 1);
    }
}

TEST(XmlStoreReading, LoadedRecordsBelongToTheCallersTree) {
    auto book = NewBook();
    TXmlTestAddress* office = book->Office.get();
    TTovObjectList* loans = book->Loans.get();
    Load(ReadFile(DUEBELL_TEST_DATA_DIR "/xmlstore_golden.xml"), *book);
    EXPECT_EQ(book->Office.get(), office);
    EXPECT_EQ(book->Loans.get(), loans);
    for (TTovObjectItem* item : *book->Loans) {
        EXPECT_EQ(item->Owner(), book.get());
        auto* loan = static_cast<TXmlTestLoan*>(item);
        EXPECT_EQ(loan->Address->Owner(), loan);
        for (TTovObjectItem* payment : *loan->Payments)
            EXPECT_EQ(payment->Owner(), loan);
    }
    for (TTovObjectItem* note : *book->Notes)
        EXPECT_EQ(note->Owner(), book.get());
}

class ListLog : public ITovListListener {
public:
    std::vector<TTovChangeKind> kinds;
    void ListChanged(TTovObjectList*, TTovObjectItem*, TTovChangeKind kind) override {
        kinds.push_back(kind);
    }
};

TEST(XmlStoreReading, LoadingReplacesTheRecordsAndTellsTheListsListeners) {
    auto book = SmallBook();
    ListLog log;
    book->Loans->AddListener(&log);
    Load("<XmlTestBook><Loans><XmlTestLoan><LoanNumber>N1</LoanNumber></XmlTestLoan>"
         "<XmlTestLoan><LoanNumber>N2</LoanNumber></XmlTestLoan></Loans></XmlTestBook>",
         *book);
    EXPECT_EQ(LoanNumbers(*book), (std::vector<std::string>{"N1", "N2"}));
    EXPECT_EQ(book->Title, "");         // absent from the file: the fresh value
    EXPECT_EQ(book->Notes->Count(), 0); // likewise
    EXPECT_EQ(log.kinds, (std::vector<TTovChangeKind>{ckListCleared, ckItemAdded, ckItemAdded}));
    book->Loans->RemoveListener(&log);
}

// Failures -----------------------------------------------------------------------------------

TEST(XmlStoreFailures, ABadDocumentNamesLineAndColumnAndLeavesTheTreeAsItWas) {
    struct Case {
        const char* what;
        std::string document;
        std::string message;
    };
    const Case cases[] = {
        {"malformed", "<XmlTestBook><Title>x</Title>\n<Loans></Notes></XmlTestBook>",
         "Error at Line 2 Column 10: mismatched tag"},
        {"truncated", "<XmlTestBook>\n<Title>x</Title>\n<Loans>",
         "Error at Line 3 Column 8: no element found"},
        {"empty", "", "Error at Line 1 Column 1: no element found"},
        {"foreign", std::string("PK\x03\x04\x14\0\0\0", 8),
         "Error at Line 1 Column 3: not well-formed (invalid token)"},
        {"bad number", "<XmlTestBook>\n<Loans><XmlTestLoan><Term>abc</Term>",
         "Error at Line 2 Column 30: Could not convert variant of type (String) into type "
         "(Integer)"},
        {"bad date",
         "<XmlTestBook>\n<Loans><XmlTestLoan><LoanNumber>A</LoanNumber>\n"
         "<Start>2024-13-45</Start></XmlTestLoan></Loans></XmlTestBook>",
         "Error at Line 3 Column 18: '2024-13-45' is not a valid date and time"},
        {"duplicate key",
         "<XmlTestBook>\n<Loans>\n<XmlTestLoan><LoanNumber>A</LoanNumber></XmlTestLoan>\n"
         "<XmlTestLoan><LoanNumber>A</LoanNumber></XmlTestLoan>\n</Loans></XmlTestBook>",
         "Error at Line 4 Column 40: Duplicate nodes in list containing classes of "
         "\"TXmlTestLoan\""},
    };
    for (const Case& c : cases) {
        auto book = SmallBook();
        const std::string before = Save(*book);
        ListLog log;
        book->Loans->AddListener(&log);
        try {
            Load(c.document, *book);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.what(), c.message) << c.what;
        }
        EXPECT_EQ(Save(*book), before) << c.what;
        EXPECT_TRUE(log.kinds.empty()) << c.what;
        EXPECT_EQ(book->Office->AfterLoadCalls, 0) << c.what;
        book->Loans->RemoveListener(&log);
    }
}

class XmlStoreFiles : public ::testing::Test {
protected:
    std::string path(const char* name) const { return (folder_ / name).string(); }
    std::filesystem::path folder_ = FreshFolder("xmlstore_test");
};

TEST_F(XmlStoreFiles, AFileHoldsExactlyWhatTheStreamFormWrites) {
    auto book = MakeBook(5, 3);
    const std::string file = path("MV_DATA.XML");
    SaveObjectToXMLFile(file, *book);
    EXPECT_EQ(ReadFile(file), Save(*book));
    auto copy = NewBook();
    LoadObjectFromXMLFile(file, *copy);
    EXPECT_EQ(Save(*copy), Save(*book));
}

TEST_F(XmlStoreFiles, LoadErrorsNameTheFile) {
    const std::string missing = path("missing.xml");
    auto book = NewBook();
    try {
        LoadObjectFromXMLFile(missing, *book);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.what(), "Cannot read \"" + missing + "\".  No such file or directory");
    }
    const std::string bad = path("bad.xml");
    std::ofstream(bad) << "<XmlTestBook>\n  <Title>";
    try {
        LoadObjectFromXMLFile(bad, *book);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.what(), "Cannot read \"" + bad +
                                "\".  Error at Line 2 Column 10: no "
                                "element found");
    }
}

TEST_F(XmlStoreFiles, AShortFileOfHugeExpansionsLoadsOrIsRefusedByNameHoweverLittleTheMemory) {
    if (!testlimits::AddressSpaceCanBeLimited)
        GTEST_SKIP() << "no address space limit under the sanitizers";
    // 2,000 <e/> elements, each given by the DTD an attribute of 1,000 x 60 x 100 = 6,000,000
    // bytes: 12 GB of events in all.
    const std::string file = path("MV_DATA.XML");
    const std::string text =
        testdocuments::ExpandingDocument{.fanOut = {60, 100}}.text("<Title>the end</Title>");
    ASSERT_LT(text.size(), 9'700u);
    std::ofstream(file, std::ios::binary) << text;
    enum Outcome { Loaded = 1, RefusedByName, RefusedOtherwise };
    // From too little memory for the parser to hold one value, through enough for it but not
    // for the reader, to plenty.
    for (const std::size_t megabytes : {0, 4, 8, 12, 16, 20, 256}) {
        const int outcome =
            testlimits::ExitCodeWithAddressSpaceOf(megabytes * testlimits::MiB, [&] {
                auto book = NewBook();
                try {
                    LoadObjectFromXMLFile(file, *book);
                } catch (const Exception& e) {
                    return std::string(e.what()).starts_with("Cannot read \"" + file + "\".  ")
                               ? RefusedByName
                               : RefusedOtherwise;
                }
                return book->Title == "the end" ? Loaded : RefusedOtherwise;
            });
        if (megabytes == 256)
            EXPECT_EQ(outcome, Loaded);
        else
            EXPECT_TRUE(outcome == Loaded || outcome == RefusedByName)
                << megabytes << " MiB: outcome " << outcome;
    }
}

TEST_F(XmlStoreFiles, AFailedSaveLeavesThePreviousFile) {
    const std::string file = path("MV_DATA.XML");
    auto book = MakeBook(3, 2);
    SaveObjectToXMLFile(file, *book);
    const std::string before = ReadFile(file);
    EXPECT_THROW(SaveObjectToXMLFile(path("no-such-folder/MV_DATA.XML"), *book), Exception);
    EXPECT_EQ(ReadFile(file), before);
    EXPECT_EQ(Entries(folder_), 1);
}

} // namespace
} // namespace duebell
