// What the settings dialog tests stand on: the editing book of the framework tests (the small
// loan book and configuration installed, today 1 July 2025, a scripted prompter, a dialog
// driver, the program's error boxes), plus an empty window registry in which the payment
// change notice is only recorded, and helpers to reach a list dialog's frame and grid.
#pragma once

#include "app/framework/objectlistgrid.h"
#include "app/framework/windowregistry.h"
#include "controls/exspinedit.h"
#include "framework/editingbook.h"

#include <QComboBox>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

namespace duebell::test {

// The Notice of Payment Change as the settings dialogs open it.
struct NoticeOpened {
    std::string loanNumber;
    bool printWithoutPreview;
};

class SettingsBook : public EditingBook {
protected:
    SettingsBook() {
        RegisterWindow("TfmReportPaymentChange", [this](const WindowRequest& request) {
            notices.push_back({request.loanNumber, request.printWithoutPreview});
            if (OnNotice)
                OnNotice(request);
            return OpenedWindow{};
        });
    }

    void Confirm(const std::string& question, PromptAnswer answer) {
        prompter.Expect(PromptType::Confirmation, PromptButtons::YesNo, question, answer);
    }
    void ConfirmEdit() {
        Confirm("WARNING!  Changing records may generate compliance issues\rAre you sure you "
                "wish to Edit this record?",
                PromptAnswer::Yes);
    }
    void ConfirmDelete(PromptAnswer answer = PromptAnswer::Yes) {
        Confirm("WARNING!  Changing records may generate compliance issues\rAre you sure you "
                "wish to Delete this record?",
                answer);
    }

    // Presses Save and expects it refused with the message, the dialog still open.
    void SaveRefused(QDialog& shown, const std::string& message) {
        shown.show(); // an ended dialog hides
        ExpectError(message);
        Press(shown, "btnSave");
        EXPECT_TRUE(shown.isVisible()) << message;
    }

    ScopedWindowRegistry registry;
    std::vector<NoticeOpened> notices;
    // Runs as each notice opens, to look at the loan book at that moment.
    std::function<void(const WindowRequest&)> OnNotice;
};

inline TTovObjectListGrid& GridOf(QWidget& dialog) {
    auto* grid = dialog.findChild<TTovObjectListGrid*>("stgHeaderGrid");
    EXPECT_NE(grid, nullptr);
    return *grid;
}

// The texts of a grid's column, one per data row.
inline std::vector<std::string> ColumnTexts(QWidget& dialog, int col) {
    TTovObjectListGrid& grid = GridOf(dialog);
    std::vector<std::string> texts;
    for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
        texts.push_back(grid.Cells(col, row));
    return texts;
}

// Selects the grid's data row (0 the first) and presses a frame button ("btnEdit").
inline void PressOnRow(QWidget& dialog, int row, const char* button) {
    TTovObjectListGrid& grid = GridOf(dialog);
    grid.SelectRow(grid.FixedRows() + row);
    auto* pressed = dialog.findChild<QPushButton*>(button);
    ASSERT_NE(pressed, nullptr) << button;
    pressed->click();
}

inline void PressFrameButton(QWidget& dialog, const char* button) {
    auto* pressed = dialog.findChild<QPushButton*>(button);
    ASSERT_NE(pressed, nullptr) << button;
    pressed->click();
}

inline TExSpinEdit* SpinNamed(QWidget& form, const char* name) {
    auto* spin = form.findChild<TExSpinEdit*>(name);
    EXPECT_NE(spin, nullptr) << "no spin edit " << name;
    return spin;
}

inline QComboBox* ComboNamed(QWidget& form, const char* name) {
    auto* combo = form.findChild<QComboBox*>(name);
    EXPECT_NE(combo, nullptr) << "no combo box " << name;
    return combo;
}

inline std::vector<std::string> ComboTexts(QComboBox& combo) {
    std::vector<std::string> texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.push_back(combo.itemText(i).toStdString());
    return texts;
}

} // namespace duebell::test
