// A small loan-book-like record tree for the XML store's tests, fuzzer and benchmark: a book
// (the root) with an office address, a sorted list of loans and an unsorted list of notes;
// each loan carries every property kind, an address and a sorted list of payments.
#pragma once

#include "objectlist/datetime.h"
#include "objectlist/numberformat.h"
#include "objectlist/objectlist.h"

#include <cstdint>
#include <memory>
#include <string>

namespace duebell::xmltest {

enum TXmlTestStatus { xsOpen, xsClosed, xsArchived };

class TXmlTestAddress : public TTovRecord<TXmlTestAddress> {
public:
    using TTovRecord::TTovRecord;
    std::string Street;
    std::string Suburb;
    std::string PostCode;
    int AfterLoadCalls = 0;

    std::string FullText() const {
        return Street.empty() && Suburb.empty() && PostCode.empty()
                   ? std::string()
                   : Street + ", " + Suburb + " " + PostCode;
    }
    void AfterLoad() override { ++AfterLoadCalls; }

    static void DeclareProperties(TTovPropertyTable<TXmlTestAddress>& table) {
        table.Property("Street", &TXmlTestAddress::Street)
            .Property("Suburb", &TXmlTestAddress::Suburb)
            .Property("PostCode", &TXmlTestAddress::PostCode)
            .Property("FullText", &TXmlTestAddress::FullText);
    }
};

class TXmlTestPayment : public TTovRecord<TXmlTestPayment> {
public:
    using TTovRecord::TTovRecord;
    TDate Day;
    TDateTime Added;
    Currency Amount;
    std::string Note;

    static void DeclareProperties(TTovPropertyTable<TXmlTestPayment>& table) {
        table.Property("Day", &TXmlTestPayment::Day)
            .Property("Added", &TXmlTestPayment::Added)
            .Property("Amount", &TXmlTestPayment::Amount)
            .Property("Note", &TXmlTestPayment::Note);
    }
};

class TXmlTestLoan : public TTovRecord<TXmlTestLoan> {
public:
    explicit TXmlTestLoan(TTovObjectItem* owner)
        : TTovRecord(owner), Address(CreateItem<TXmlTestAddress>(this)),
          Payments(MakeOwnedObjectList<TXmlTestPayment>("Day,Added")) {}

    std::string LoanNumber;
    std::int32_t Term = 0;
    bool Active = false;
    TXmlTestStatus Status = xsOpen;
    char Grade = '\0';
    double Ratio = 0.0;
    TDate Start;
    TDateTime Created;
    Currency Principal;
    TPercentage Rate;
    std::int64_t Counter = 0;
    std::unique_ptr<TXmlTestAddress> Address;
    TTovOwnedObjectList Payments;
    TXmlTestLoan* Previous = nullptr; // a reference: never part of the file
    int AfterLoadCalls = 0;

    std::string Summary() const { return LoanNumber + " (" + IntToStr(Term) + ")"; }
    void AfterLoad() override { ++AfterLoadCalls; }

    static void DeclareProperties(TTovPropertyTable<TXmlTestLoan>& table) {
        table.Property("LoanNumber", &TXmlTestLoan::LoanNumber)
            .Property("Term", &TXmlTestLoan::Term)
            .Property("Active", &TXmlTestLoan::Active)
            .Property("Status", &TXmlTestLoan::Status)
            .Property("Grade", &TXmlTestLoan::Grade)
            .Property("Ratio", &TXmlTestLoan::Ratio)
            .Property("Start", &TXmlTestLoan::Start)
            .Property("Created", &TXmlTestLoan::Created)
            .Property("Principal", &TXmlTestLoan::Principal)
            .Property("Rate", &TXmlTestLoan::Rate)
            .Property("Counter", &TXmlTestLoan::Counter)
            .Property("Summary", &TXmlTestLoan::Summary)
            .SubRecord("Address", &TXmlTestLoan::Address)
            .ChildList("Payments", &TXmlTestLoan::Payments)
            .Reference("Previous", &TXmlTestLoan::Previous);
    }
};

class TXmlTestNote : public TTovRecord<TXmlTestNote> {
public:
    using TTovRecord::TTovRecord;
    std::string Text;

    static void DeclareProperties(TTovPropertyTable<TXmlTestNote>& table) {
        table.Property("Text", &TXmlTestNote::Text);
    }
};

class TXmlTestBook : public TTovRecord<TXmlTestBook> {
public:
    explicit TXmlTestBook(TTovObjectItem* owner)
        : TTovRecord(owner), Office(CreateItem<TXmlTestAddress>(this)),
          Loans(MakeOwnedObjectList<TXmlTestLoan>("LoanNumber")),
          Notes(MakeOwnedObjectList<TXmlTestNote>()) {}

    std::string Title;
    TDateTime Saved;
    std::unique_ptr<TXmlTestAddress> Office;
    TTovOwnedObjectList Loans;
    TTovOwnedObjectList Notes;
    TTovOwnedObjectList Archive; // never created, so never in a file
    int AfterLoadCalls = 0;

    void AfterLoad() override { ++AfterLoadCalls; }

    static void DeclareProperties(TTovPropertyTable<TXmlTestBook>& table) {
        table.Property("Title", &TXmlTestBook::Title)
            .Property("Saved", &TXmlTestBook::Saved)
            .SubRecord("Office", &TXmlTestBook::Office)
            .ChildList("Loans", &TXmlTestBook::Loans)
            .ChildList("Notes", &TXmlTestBook::Notes)
            .ChildList("Archive", &TXmlTestBook::Archive);
    }
};

inline std::unique_ptr<TXmlTestBook> NewBook() {
    return std::unique_ptr<TXmlTestBook>(CreateItem<TXmlTestBook>(nullptr));
}

// A book of `loans` loans with `payments` payments each, every value varied with the numbers
// (texts with blanks, quotes, ampersands and non-ASCII letters included).
inline std::unique_ptr<TXmlTestBook> MakeBook(int loans, int payments, int variant = 0) {
    auto book = NewBook();
    book->Title = "Book \"" + std::to_string(variant) + "\" & Co";
    book->Saved = TDateTime(EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    book->Office->Street = "1 Caf\xC3\xA9 Lane";
    book->Office->Suburb = "Brisbane";
    for (int i = 0; i < loans; ++i) {
        auto loan = MakeItem<TXmlTestLoan>(book.get());
        loan->LoanNumber = "L" + FormatInt(i, 7);
        loan->Term = 10 + (i + variant) % 20;
        loan->Active = (i + variant) % 2 == 0;
        loan->Status = static_cast<TXmlTestStatus>((i + variant) % 3);
        loan->Grade = static_cast<char>('A' + i % 5);
        loan->Ratio = 0.25 * (i % 7);
        loan->Start = TDate(EncodeDate(2020, 1 + i % 12, 1 + i % 28));
        loan->Created = TDateTime(loan->Start.value + 0.5 + variant / 86400.0);
        loan->Principal = Currency::fromRaw(1000000000 + 12345LL * i + variant);
        loan->Rate = TPercentage{Currency::fromRaw(72500 + i % 100)};
        loan->Counter = 1'000'000'000'000LL + i;
        loan->Address->Street = std::to_string(i) + " O'Connell & Sons Rd";
        loan->Address->Suburb = "Sch\xC3\xB6nberg";
        loan->Address->PostCode = std::to_string(4000 + i % 100);
        for (int p = 0; p < payments; ++p) {
            auto payment = MakeItem<TXmlTestPayment>(loan.get());
            payment->Day = TDate(loan->Start.value + 7 * p);
            payment->Added = TDateTime(payment->Day.value + 0.25);
            payment->Amount = Currency::fromRaw(2500000 + 100 * p + variant);
            payment->Note = p % 3 == 0 ? "paid <cash> & \"cheque\"" : "";
            loan->Payments->Add(std::move(payment));
        }
        book->Loans->Add(std::move(loan));
    }
    return book;
}

} // namespace duebell::xmltest
