#include "objectlist/exceptions.h"
#include "objectlist/numberformat.h"
#include "objectlist/objectlistfiler.h"
#include "xmltestrecords.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace duebell {
namespace {

using namespace xmltest;
using Record = std::vector<std::string>;

// A column filer that writes "field=value" texts, one vector per output record.
class RecordingFiler : public TTovObjectListFiler {
public:
    using TTovObjectListFiler::TTovObjectListFiler;

    std::vector<Record> records;
    std::set<std::string> unmapped;
    std::set<std::string> only; // when not empty, the only properties mapped
    bool allowRecords = true;

    void MapField(TTovFieldMapping& m) override {
        m.Mapped = only.empty() ? unmapped.count(m.TovPropertyName) == 0
                                : only.count(m.TovPropertyName) != 0;
        m.FieldName = m.TovPropertyName;
    }
    bool BeginWriteRecords() override { return allowRecords; }
    void NextWriteRecord() override {
        TTovObjectListFiler::NextWriteRecord();
        records.push_back(current_);
        current_.clear();
    }
    void WriteOrdinalValue(TTovFieldMapping& m, std::int32_t v) override { Put(m, IntToStr(v)); }
    void WriteFloatValue(TTovFieldMapping& m, double v) override { Put(m, FloatToStr(v)); }
    void WriteDateTimeValue(TTovFieldMapping& m, double v) override { Put(m, DateTimeToStr(v)); }
    void WriteInt64Value(TTovFieldMapping& m, std::int64_t v) override { Put(m, IntToStr(v)); }
    void WriteStringValue(TTovFieldMapping& m, const std::string& v) override { Put(m, v); }

private:
    void Put(const TTovFieldMapping& m, const std::string& text) {
        current_.push_back(m.FieldName + "=" + text);
    }
    Record current_;
};

// A column filer that reads records from rows of "field" -> text.
class RowReader : public TTovObjectListFiler {
public:
    RowReader(TTovObjectList* list, std::vector<std::map<std::string, std::string>> rows)
        : TTovObjectListFiler(list), rows_(std::move(rows)) {}

    void MapField(TTovFieldMapping& m) override {
        m.Mapped = true;
        m.FieldName = m.TovPropertyName;
    }
    bool ReadNextRecord(bool& ok) override {
        ok = ++row_ < static_cast<int>(rows_.size());
        return ok;
    }
    std::string ReadStringValue(TTovFieldMapping& m) override { return Field(m); }
    std::int32_t ReadOrdinalValue(TTovFieldMapping& m) override {
        return Field(m).empty() ? 0 : StrToInt(Field(m));
    }
    double ReadFloatValue(TTovFieldMapping& m) override {
        return Field(m).empty() ? 0.0 : StrToFloat(Field(m));
    }

private:
    std::string Field(const TTovFieldMapping& m) const {
        const auto& row = rows_[static_cast<std::size_t>(row_)];
        const auto found = row.find(m.FieldName);
        return found == row.end() ? std::string() : found->second;
    }
    std::vector<std::map<std::string, std::string>> rows_;
    int row_ = -1;
};

TXmlTestLoan* AddLoan(TXmlTestBook& book, const std::string& number, int payments) {
    auto loan = MakeItem<TXmlTestLoan>(&book);
    loan->LoanNumber = number;
    for (int p = 0; p < payments; ++p) {
        auto payment = MakeItem<TXmlTestPayment>(loan.get());
        payment->Day = TDate(EncodeDate(2024, 1, 1 + p));
        payment->Amount = Currency::fromUnits(100 * (p + 1));
        loan->Payments->Add(std::move(payment));
    }
    return book.Loans->Add(std::move(loan));
}

std::vector<std::string> PlanNames(const TTovObjectListFiler& filer) {
    std::vector<std::string> names;
    for (TTovObjectItem* row : filer.FieldMappings())
        names.push_back(static_cast<TTovFieldMapping*>(row)->TovPropertyName);
    return names;
}

TEST(RecordFiler, ThePlanListsTheClassThenItsSubRecordClassInTableOrder) {
    auto book = NewBook();
    RecordingFiler filer(book->Loans.get());
    filer.BuildFieldMappings(&book->Loans->ItemClass(), &book->Loans->Descriptor(), 0, true);
    EXPECT_EQ(PlanNames(filer),
              (std::vector<std::string>{"LoanNumber", "Term", "Active", "Status", "Grade", "Ratio",
                                        "Start", "Created", "Principal", "Rate", "Counter",
                                        "Summary", "Address", "Payments", "Previous", "Street",
                                        "Suburb", "PostCode", "FullText"}));
    for (TTovObjectItem* item : filer.FieldMappings()) {
        auto& row = static_cast<TTovFieldMapping&>(*item);
        EXPECT_EQ(row.IsIndexField, row.TovPropertyName == "LoanNumber") << row.TovPropertyName;
        EXPECT_EQ(row.TovSubIndex, 0);
        EXPECT_TRUE(row.Mapped);
    }
}

// Two properties written under one element name.
class TTwinNames : public TTovRecord<TTwinNames> {
public:
    using TTovRecord::TTovRecord;
    std::string First = "first";
    std::string Second = "second";
    std::string GetPropertyElementName(const TTovPropInfo&) const override { return "Same"; }
    static void DeclareProperties(TTovPropertyTable<TTwinNames>& table) {
        table.Property("First", &TTwinNames::First).Property("Second", &TTwinNames::Second);
    }
};

TEST(RecordFiler, TwoPropertiesWithOneElementNameLeaveTheLaterRow) {
    TTovObjectList list(&TTwinNames::ClassManager());
    list.Add(MakeItem<TTwinNames>(nullptr));
    RecordingFiler filer(&list);
    EXPECT_EQ(SaveToFiler(list, filer), 1);
    EXPECT_EQ(PlanNames(filer), std::vector<std::string>{"Same"});
    EXPECT_EQ(filer.records, (std::vector<Record>{{"Same=second"}}));
    list.FreeAll();
}

TEST(RecordFiler, SaveWritesEveryRecordWithItsSubRecordFields) {
    auto book = NewBook();
    TXmlTestLoan* loan = AddLoan(*book, "L1", 1);
    loan->Term = 25;
    loan->Active = true;
    loan->Status = xsArchived;
    loan->Grade = 'B';
    loan->Ratio = 0.075;
    loan->Start = TDate(EncodeDate(2024, 3, 5));
    loan->Created = TDateTime(EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
    loan->Principal = Currency::fromUnits(1250);
    loan->Rate = TPercentage{Currency::fromRaw(72500)};
    loan->Counter = 5'000'000'000LL;
    loan->Address->Suburb = "Hilltop";
    RecordingFiler filer(book->Loans.get());
    filer.unmapped = {"Street", "Counter"};
    EXPECT_EQ(SaveToFiler(*book->Loans, filer), 1);
    EXPECT_EQ(filer.records,
              (std::vector<Record>{
                  {"LoanNumber=L1", "Term=25", "Active=1", "Status=2", "Grade=66", "Ratio=0.075",
                   "Start=05/03/2024", "Created=05/03/2024 14:30:00", "Principal=1250", "Rate=7.25",
                   "Summary=L1 (25)", "Suburb=Hilltop", "PostCode=", "FullText=, Hilltop "}}));
}

TEST(RecordFiler, AFilerThatRefusesRecordsWritesNone) {
    auto book = NewBook();
    AddLoan(*book, "L1", 0);
    AddLoan(*book, "L2", 0);
    RecordingFiler filer(book->Loans.get());
    filer.allowRecords = false;
    EXPECT_EQ(SaveToFiler(*book->Loans, filer), 0);
    EXPECT_TRUE(filer.records.empty());
    EXPECT_EQ(SaveToFilerWithSubLists(*book->Loans, filer, "Payments"), 0);
    EXPECT_TRUE(filer.records.empty());
}

TEST(RecordFiler, SubListsFlattenIntoOneRecordPerLeafCarryingItsParentsFields) {
    auto book = NewBook();
    AddLoan(*book, "L1", 3);
    AddLoan(*book, "L2", 2);
    AddLoan(*book, "L3", 0);
    RecordingFiler filer(book->Loans.get());
    filer.only = {"LoanNumber", "Amount"}; // to keep records short

    EXPECT_EQ(SaveToFilerWithSubLists(*book->Loans, filer, "payments"), 5);
    EXPECT_EQ(filer.records, (std::vector<Record>{{"LoanNumber=L1", "Amount=100"},
                                                  {"LoanNumber=L1", "Amount=200"},
                                                  {"LoanNumber=L1", "Amount=300"},
                                                  {"LoanNumber=L2", "Amount=100"},
                                                  {"LoanNumber=L2", "Amount=200"}}));
    ASSERT_EQ(filer.SubItems().Count(), 2);
    auto& loans = static_cast<TTovSubItem&>(*filer.SubItems().PeekFirst());
    auto& payments = static_cast<TTovSubItem&>(*filer.SubItems().PeekLast());
    EXPECT_EQ(loans.NodeType, ntList);
    EXPECT_EQ(loans.TovObjectList, book->Loans.get());
    EXPECT_EQ(payments.NodeType, ntProperty);
    EXPECT_EQ(payments.RecordCount, 5);
    EXPECT_EQ(payments.ParentItem, book->Loans->PeekLast()); // the last loan visited
}

TEST(RecordFiler, TheFilterSeesEachLeafAndCanDropIt) {
    auto book = NewBook();
    AddLoan(*book, "L1", 3);
    AddLoan(*book, "L2", 1);
    RecordingFiler filer(book->Loans.get());
    std::vector<std::string> seen;
    filer.OnFilterRecord = [&](TTovObjectItem* item, TTovSubItem* sub, TTovObjectList* subItems,
                               bool& include) {
        auto* payment = static_cast<TXmlTestPayment*>(item);
        auto* loan = static_cast<TXmlTestLoan*>(sub->ParentItem);
        seen.push_back(loan->LoanNumber + "/" + CurrToStr(payment->Amount));
        EXPECT_EQ(subItems, nullptr);
        EXPECT_TRUE(include);
        include = payment->Amount != Currency::fromUnits(200);
    };
    EXPECT_EQ(SaveToFilerWithSubLists(*book->Loans, filer, "Payments"), 3);
    EXPECT_EQ(seen, (std::vector<std::string>{"L1/100", "L1/200", "L1/300", "L2/100"}));
}

TEST(RecordFiler, APathThroughASubRecordGivesOneRecordPerOwner) {
    auto book = NewBook();
    AddLoan(*book, "L1", 0)->Address->Suburb = "A";
    AddLoan(*book, "L2", 0)->Address->Suburb = "B";
    RecordingFiler filer(book->Loans.get());
    std::vector<std::string> suburbs;
    filer.OnFilterRecord = [&](TTovObjectItem* item, TTovSubItem* sub, TTovObjectList*, bool&) {
        suburbs.push_back(static_cast<TXmlTestAddress*>(item)->Suburb);
        EXPECT_EQ(sub->NodeType, ntProperty);
        EXPECT_EQ(sub->TovObjectList, nullptr);
    };
    EXPECT_EQ(SaveToFilerWithSubLists(*book->Loans, filer, "Address"), 2);
    EXPECT_EQ(suburbs, (std::vector<std::string>{"A", "B"}));
}

TEST(RecordFiler, ABadSubListPathNamesTheNameAndTheClass) {
    auto book = NewBook();
    AddLoan(*book, "L1", 1);
    RecordingFiler filer(book->Loans.get());
    const std::pair<const char*, const char*> cases[] = {
        {"Nope", R"(Could not find list or object named "NOPE" in class "TXmlTestLoan")"},
        {"Term", R"(Could not find list or object named "TERM" in class "TXmlTestLoan")"},
        {"Payments,Amount",
         R"(Could not find list or object named "AMOUNT" in class "TXmlTestPayment")"},
    };
    for (const auto& [path, message] : cases) {
        try {
            SaveToFilerWithSubLists(*book->Loans, filer, path);
            ADD_FAILURE() << path;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), message) << path;
        }
    }
}

// Notes, for each string value moved, the record its plan row names at that moment.
class RowRecordNoter : public RecordingFiler {
public:
    using RecordingFiler::RecordingFiler;
    std::vector<std::pair<std::string, const TTovObjectItem*>> seen;
    void WriteStringValue(TTovFieldMapping& m, const std::string& v) override {
        seen.emplace_back(m.TovPropertyName, m.TovObjectItem);
        RecordingFiler::WriteStringValue(m, v);
    }
};

TEST(RecordFiler, EachPlanRowNamesTheRecordWhoseValueItMoves) {
    const TTovPropInfo* published = TTovFieldMapping::ClassManager().FindPropInfo("tovobjectitem");
    ASSERT_NE(published, nullptr);
    EXPECT_EQ(published->Index(), 0);

    auto book = NewBook();
    TXmlTestLoan* first = AddLoan(*book, "L1", 0);
    TXmlTestLoan* second = AddLoan(*book, "L2", 0);
    RowRecordNoter filer(book->Loans.get());
    filer.only = {"LoanNumber", "Suburb"};
    SaveToFiler(*book->Loans, filer);
    EXPECT_EQ(filer.seen, (std::vector<std::pair<std::string, const TTovObjectItem*>>{
                              {"LoanNumber", first},
                              {"Suburb", first->Address.get()},
                              {"LoanNumber", second},
                              {"Suburb", second->Address.get()}}));

    // Reading fills the row with the new record before its value is read.
    auto loaded = NewBook();
    class Reader : public RowReader {
    public:
        using RowReader::RowReader;
        std::vector<const TTovObjectItem*> seen;
        std::string ReadStringValue(TTovFieldMapping& m) override {
            if (m.TovPropertyName == "LoanNumber")
                seen.push_back(m.TovObjectItem);
            return RowReader::ReadStringValue(m);
        }
    } reader(loaded->Loans.get(), {{{"LoanNumber", "A"}}});
    LoadFromFiler(*loaded->Loans, reader, loaded.get());
    EXPECT_EQ(reader.seen, std::vector<const TTovObjectItem*>{loaded->Loans->PeekFirst()});
}

TEST(RecordFiler, LoadingMakesRecordsFromTheFilerAndInsertsThemByKey) {
    auto book = NewBook();
    RowReader reader(book->Loans.get(), {{{"LoanNumber", "B"}, {"Term", "2"}, {"Suburb", "S"}},
                                         {{"LoanNumber", "A"}, {"Principal", "12.5"}}});
    LoadFromFiler(*book->Loans, reader, book.get());
    EXPECT_EQ(reader.RecordCount(), 2);
    ASSERT_EQ(book->Loans->Count(), 2);
    auto* first = static_cast<TXmlTestLoan*>(book->Loans->PeekFirst());
    auto* second = static_cast<TXmlTestLoan*>(book->Loans->PeekLast());
    EXPECT_EQ(first->LoanNumber, "A");
    EXPECT_EQ(first->Principal, Currency::fromRaw(125000));
    EXPECT_EQ(second->Term, 2);
    EXPECT_EQ(second->Address->Suburb, "S");
    EXPECT_EQ(second->Owner(), book.get());
}

TEST(RecordFiler, ADuplicateKeyStopsTheLoadWithTheListsMessage) {
    auto book = NewBook();
    RowReader reader(book->Loans.get(), {{{"LoanNumber", "A"}}, {{"LoanNumber", "A"}}});
    try {
        LoadFromFiler(*book->Loans, reader, book.get());
        ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Duplicate nodes in list containing classes of \"TXmlTestLoan\"");
    }
    EXPECT_EQ(book->Loans->Count(), 1);
}

} // namespace
} // namespace duebell
