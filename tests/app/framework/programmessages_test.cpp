// The program's real message boxes behind the seams: the prompter's questions, the print
// library's messages, exceptions that leave a slot, and the zip library's boxes and choosers.
#include "app/framework/messagedialog.h"
#include "app/framework/programmessages.h"
#include "app/framework/qtprompter.h"
#include "app/framework/qtzipcallbacks.h"
#include "controls/modalresult.h"
#include "domain/loanbook.h"
#include "objectlist/exceptions.h"
#include "print/messages.h"
#include "support/dialogdriver.h"
#include "support/qtapp.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

namespace duebell {
namespace {

// What a box showed: its title, message, buttons left to right and whether it has an icon.
struct Shown {
    std::string title;
    std::string message;
    std::vector<std::string> buttons;
    bool icon = false;
};

Shown Look(QDialog& dialog) {
    Shown shown;
    shown.title = dialog.windowTitle().toStdString();
    if (auto* label = dialog.findChild<QLabel*>("Message"))
        shown.message = label->text().toStdString();
    shown.icon = dialog.findChild<QLabel*>("Image") != nullptr;
    std::vector<QPushButton*> buttons;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        buttons.push_back(button);
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    for (QPushButton* button : buttons)
        shown.buttons.push_back(button->text().toStdString());
    return shown;
}

// Expects one box, records it, and presses the button of that object name.
void ExpectBox(test::DialogDriver& driver, Shown& seen, const std::string& press) {
    driver.Expect([&seen, press](QDialog& dialog) {
        seen = Look(dialog);
        test::ButtonNamed(dialog, press)->click();
        return 0;
    });
}

TEST(QtPrompter, TitlesButtonsAndAnswersOfEachKindOfQuestion) {
    QtPrompter prompter;
    struct Case {
        PromptType type;
        PromptButtons buttons;
        std::string press;
        std::string title;
        std::vector<std::string> captions;
        PromptAnswer answer;
    };
    const std::vector<Case> cases = {
        {PromptType::Confirmation,
         PromptButtons::YesNoCancel,
         "No",
         "Confirm",
         {"&Yes", "&No", "Cancel"},
         PromptAnswer::No},
        {PromptType::Confirmation,
         PromptButtons::YesNoCancel,
         "Cancel",
         "Confirm",
         {"&Yes", "&No", "Cancel"},
         PromptAnswer::Cancel},
        {PromptType::Confirmation,
         PromptButtons::YesNo,
         "Yes",
         "Confirm",
         {"&Yes", "&No"},
         PromptAnswer::Yes},
        {PromptType::Warning, PromptButtons::Ok, "OK", "Warning", {"OK"}, PromptAnswer::Ok},
        {PromptType::Error, PromptButtons::Ok, "OK", "Error", {"OK"}, PromptAnswer::Ok},
        {PromptType::Information, PromptButtons::Ok, "OK", "Information", {"OK"}, PromptAnswer::Ok},
    };
    for (const Case& c : cases) {
        test::DialogDriver driver;
        Shown seen;
        ExpectBox(driver, seen, c.press);
        EXPECT_EQ(prompter.Ask(c.type, c.buttons, "Are you sure you want to exit?"), c.answer);
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.buttons, c.captions);
        EXPECT_EQ(seen.message, "Are you sure you want to exit?");
        EXPECT_TRUE(seen.icon);
    }
}

TEST(QtPrompter, EnterSaysYesEscapeAndTheCloseBoxSayTheCancelButtonsAnswer) {
    QtPrompter prompter;
    const auto key = [](Qt::Key k) {
        return [k](QDialog& dialog) {
            dialog.show();
            QTest::keyClick(&dialog, k);
            return 0;
        };
    };
    const auto closeBox = [](QDialog& dialog) {
        dialog.show();
        dialog.close();
        return 0;
    };
    test::DialogDriver driver;
    driver.Expect(key(Qt::Key_Return));
    driver.Expect(key(Qt::Key_Escape));
    driver.Expect(closeBox);
    driver.Expect(key(Qt::Key_Escape));
    driver.Expect(closeBox);
    EXPECT_EQ(prompter.Ask(PromptType::Confirmation, PromptButtons::YesNoCancel, "q"),
              PromptAnswer::Yes);
    EXPECT_EQ(prompter.Ask(PromptType::Confirmation, PromptButtons::YesNoCancel, "q"),
              PromptAnswer::Cancel);
    EXPECT_EQ(prompter.Ask(PromptType::Confirmation, PromptButtons::YesNoCancel, "q"),
              PromptAnswer::Cancel);
    EXPECT_EQ(prompter.Ask(PromptType::Confirmation, PromptButtons::YesNo, "q"), PromptAnswer::No);
    EXPECT_EQ(prompter.Ask(PromptType::Confirmation, PromptButtons::YesNo, "q"), PromptAnswer::No);
}

TEST(QtPrompter, ABareCarriageReturnShowsAsALineBreakAndCopiesAsGiven) {
    QtPrompter prompter;
    test::RecordingHooks hooks;
    test::DialogDriver driver;
    const std::string question = "WARNING!  Changing records may generate compliance issues\r"
                                 "Are you sure you wish to Edit this record?";
    Shown seen;
    driver.Expect([&](QDialog& dialog) {
        seen = Look(dialog);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
        return mrNo;
    });
    EXPECT_EQ(prompter.Ask(PromptType::Confirmation, PromptButtons::YesNo, question),
              PromptAnswer::No);
    EXPECT_EQ(seen.message, "WARNING!  Changing records may generate compliance issues\n"
                            "Are you sure you wish to Edit this record?");
    EXPECT_NE(hooks.clipboard.find(question + "\r\n"), std::string::npos);
    EXPECT_NE(hooks.clipboard.find("Yes   No   \r\n"), std::string::npos);
}

TEST(ProgramMessageBoxes, PrintErrorsExceptionsFromSlotsAndFailedListenersReachARealBox) {
    test::DialogDriver driver;
    ProgramMessageBoxes boxes;

    Shown seen;
    ExpectBox(driver, seen, "OK");
    ShowPqError("TPqGridPrint", "There is no grid assigned to the TPqGridPrint component");
    EXPECT_EQ(seen.title, "Information");
    EXPECT_EQ(seen.message,
              "TPqGridPrint Error...\n\nThere is no grid assigned to the TPqGridPrint component");
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    // The controls' information messages take the same box.
    ExpectBox(driver, seen, "OK");
    ShowInformation("Function not yet implemented");
    EXPECT_EQ(seen.title, "Information");
    EXPECT_EQ(seen.message, "Function not yet implemented");

    // A slot whose body throws: the guard hands the error to the application-wide handler.
    QPushButton button;
    std::string failure;
    QObject::connect(&button, &QPushButton::clicked,
                     [&failure] { GuardEvent([&failure] { throw Exception(failure); }); });
    const std::vector<std::pair<std::string, std::string>> shownFor = {
        {"Duplicate nodes in list containing classes of \"TMorvaneClient\"",
         "You have attempted to create a duplicate record.  Entry will be ignored"},
        {"You must provide a value for the \"Surname\" field",
         "You must provide a value for the \"Surname\" field"},
    };
    for (const auto& [raised, text] : shownFor) {
        failure = raised;
        ExpectBox(driver, seen, "OK");
        button.click();
        EXPECT_EQ(seen.title, "Error");
        EXPECT_EQ(seen.message, text);
        EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    }
    // A window that cannot follow a change of its list.
    struct FailingListener : ITovListListener {
        void ListChanged(TTovObjectList*, TTovObjectItem*, TTovChangeKind) override {
            throw Exception("The grid lost its rows");
        }
    } listener;
    std::unique_ptr<TMorvaneData> book(CreateItem<TMorvaneData>(nullptr));
    book->Clients->AddListener(&listener);
    ExpectBox(driver, seen, "OK");
    book->Clients->NotifyListeners(ckItemAdded, nullptr);
    book->Clients->RemoveListener(&listener);
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.message, "The grid lost its rows");

    // The silent abort shows nothing.
    QObject::disconnect(&button, nullptr, nullptr, nullptr);
    QObject::connect(&button, &QPushButton::clicked, [] { GuardEvent([] { throw EAbort(); }); });
    button.click();
    EXPECT_EQ(driver.shown(), 5);
}

TEST(QtZipCallbacks, BoxesTakeTheComponentsCaptionAndChoosersAnswerThroughTheRunner) {
    QtZipCallbacks callbacks;
    test::DialogDriver driver;
    Shown seen;
    ExpectBox(driver, seen, "OK");
    callbacks.ShowMessage("Zip Error", "Unknown compression method");
    EXPECT_EQ(seen.title, "Zip Error");
    EXPECT_EQ(seen.message, "Unknown compression method");
    EXPECT_FALSE(seen.icon);
    ExpectBox(driver, seen, "Yes");
    EXPECT_TRUE(callbacks.AskYesNo("File Exists Alert", "Replace existing file a.txt?"));
    EXPECT_EQ(seen.title, "File Exists Alert");
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Yes", "&No"}));
    ExpectBox(driver, seen, "No");
    EXPECT_FALSE(callbacks.AskYesNo("File Exists Alert", "Replace existing file a.txt?"));

    QTemporaryDir folder;
    const std::string archive = folder.filePath("BOOK.MVD").toStdString();
    std::ofstream(archive) << "PK";
    QStringList filters;
    driver.Expect([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<QFileDialog&>(dialog);
        filters = chooser.nameFilters();
        chooser.selectFile(QString::fromStdString(archive));
        dialog.accept(); // through QDialog: the chooser checks the file exists
        return 0;
    });
    EXPECT_EQ(callbacks.ChooseOpenFile("Open a Zip File", "Duebell! Database Files (*.mvd)|*.mvd",
                                       folder.path().toStdString()),
              archive);
    EXPECT_EQ(filters, QStringList{"Duebell! Database Files (*.mvd) (*.mvd *.MVD)"});
    driver.Expect([](QDialog& dialog) {
        dialog.reject();
        return 0;
    });
    EXPECT_EQ(callbacks.ChooseFolder(folder.path().toStdString()), std::nullopt);

    SetScreenCursor(crHandPoint);
    callbacks.SetBusyCursor(true);
    EXPECT_EQ(ScreenCursor(), crHourGlass);
    callbacks.SetBusyCursor(false);
    EXPECT_EQ(ScreenCursor(), crHandPoint);
    SetScreenCursor(crDefault);
}

} // namespace
} // namespace duebell
