// The window registry, the modal runner, the help system and long work.
#include "app/framework/helpsystem.h"
#include "app/framework/longwork.h"
#include "app/framework/modalrunner.h"
#include "app/framework/windowregistry.h"
#include "objectlist/exceptions.h"
#include "support/dialogdriver.h"
#include "support/helprecorder.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QProgressDialog>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(WindowRegistry, OpensTheFactoryOfTheNameWithTheRequestAndKeepsNamesApartFromOtherTests) {
    ScopedWindowRegistry registry;
    WindowRequest seen;
    RegisterWindow("TfmReportStatement", [&seen](const WindowRequest& request) {
        seen = request;
        OpenedWindow opened;
        opened.modalResult = 200;
        return opened;
    });
    RegisterWindow("TfmeClients", [](const WindowRequest&) { return OpenedWindow{}; });

    EXPECT_TRUE(IsWindowRegistered("TfmReportStatement"));
    EXPECT_FALSE(IsWindowRegistered("tfmreportstatement")); // class names are exact
    EXPECT_EQ(RegisteredWindowNames(),
              (std::vector<std::string>{"TfmReportStatement", "TfmeClients"}));

    WindowRequest request;
    request.loanNumber = "0000042";
    request.statementNumber = 3;
    request.feeNumber = 7;
    request.mode = mmView;
    request.printWithoutPreview = true;
    EXPECT_EQ(OpenWindow("TfmReportStatement", request).modalResult, 200);
    EXPECT_EQ(seen.loanNumber, "0000042");
    EXPECT_EQ(seen.statementNumber, 3);
    EXPECT_EQ(seen.feeNumber, 7);
    EXPECT_EQ(seen.mode, mmView);
    EXPECT_TRUE(seen.printWithoutPreview);

    // A second registration replaces the first.
    RegisterWindow("TfmReportStatement", [](const WindowRequest&) {
        OpenedWindow opened;
        opened.modalResult = 2;
        return opened;
    });
    EXPECT_EQ(OpenWindow("TfmReportStatement").modalResult, 2);

    try {
        OpenWindow("TfmReportPayoutNotice");
        FAIL() << "an unregistered window opened";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(),
                     "Internal error.  No window \"TfmReportPayoutNotice\" is registered.");
    }
    {
        ScopedWindowRegistry inner;
        EXPECT_TRUE(RegisteredWindowNames().empty());
    }
    EXPECT_TRUE(IsWindowRegistered("TfmeClients"));
}

TEST(WindowRegistry, ModalDialogFactoryRunsTheDialogMadeForTheRequestAndFreesIt) {
    ScopedWindowRegistry registry;
    test::DialogDriver driver;
    QPointer<QDialog> made;
    RegisterWindow("TfmAbout", ModalDialogFactory([&made](const WindowRequest& request) {
                       auto dialog = std::make_unique<QDialog>();
                       dialog->setWindowTitle(QString::fromStdString(request.loanNumber));
                       made = dialog.get();
                       return dialog;
                   }));
    driver.Expect([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "0000007");
        dialog.done(201);
        return 0;
    });
    WindowRequest request;
    request.loanNumber = "0000007";
    const OpenedWindow opened = OpenWindow("TfmAbout", request);
    EXPECT_EQ(opened.modalResult, 201);
    EXPECT_EQ(opened.widget, nullptr);
    EXPECT_TRUE(made.isNull());
}

TEST(ModalRunner, WithNoOneToAnswerTheDefaultRunnerRefusesInsteadOfWaiting) {
    QDialog dialog;
    dialog.setWindowTitle("Confirm");
    try {
        ExecModal(dialog);
        FAIL() << "a modal dialog ran on the offscreen platform";
    } catch (const Exception& e) {
        EXPECT_STREQ(
            e.what(),
            "Internal error.  The dialog \"Confirm\" was shown where no one can answer it.");
    }
    {
        ScopedModalRunner runner([](QDialog&) { return 6; });
        EXPECT_EQ(ExecModal(dialog), 6);
    }
    EXPECT_THROW(ExecModal(dialog), Exception); // the default is back
}

TEST(HelpSystem, RequestsReachTheInstalledSystemAndNothingHappensWithoutOne) {
    ShowHelpContext(510); // none installed: nothing, no error
    ShowHelpContents();
    test::HelpRecorder help;
    ShowHelpContext(510);
    ShowHelpContents();
    ShowHelpTopic("setup.html");
    EXPECT_EQ(help.requests,
              (std::vector<std::string>{"context 510", "contents", "topic setup.html"}));
}

// The progress dialog on the screen, if there is one.
QProgressDialog* ShownProgress() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* progress = qobject_cast<QProgressDialog*>(window);
            progress && progress->isVisible())
            return progress;
    return nullptr;
}

TEST(LongWork, IsBusyAtOnceAndShowsItsProgressOnlyOnceItHasRunItsTime) {
    for (const bool past : {false, true}) {
        SCOPED_TRACE(past ? "past its time" : "within its time");
        {
            LongWork work("Importing...",
                          past ? std::chrono::milliseconds(0) : std::chrono::hours(1));
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            work.Step(1, 4);
            QProgressDialog* shown = ShownProgress();
            ASSERT_EQ(shown != nullptr, past);
            if (past) {
                EXPECT_EQ(shown->labelText(), "Importing...");
                EXPECT_EQ(shown->value(), 250); // one step of four, in thousandths
            }
        }
        EXPECT_EQ(ShownProgress(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

} // namespace
} // namespace duebell
