// Pictures of the framework's pieces as a user sees them, saved under the build folder and
// checked by sampled pixels: an object-list grid over a dozen loans, a small form whose date
// picker has its calendar open, a record dialog with its button panel, and a list frame.
#include "app/framework/modalrunner.h"
#include "app/framework/objectlistgrid.h"
#include "controls/datepicker.h"
#include "controls/modalresult.h"
#include "examples/exampleclientdialog.h"
#include "examples/exampleclientsframe.h"
#include "gridbook.h"
#include "objectlist/clock.h"
#include "support/qtapp.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace duebell {
namespace {

using testing::Cents;
using testing::Day;

const QColor White(255, 255, 255);
const QColor Band(239, 239, 239);
const QColor Highlight(0x0A, 0x24, 0x6A);

std::string Save(const QImage& image, const std::string& name) {
    const std::string path = std::string(DUEBELL_TEST_OUTPUT_DIR) + "/" + name + ".png";
    EXPECT_TRUE(image.save(QString::fromStdString(path))) << path;
    return path;
}

class Screenshots : public ::testing::Test {
protected:
    void SetUp() override {
        previous = QApplication::palette();
        QPalette palette = previous;
        palette.setColor(QPalette::Base, White);
        palette.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
        palette.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::WindowText, Qt::black);
        palette.setColor(QPalette::Highlight, Highlight);
        palette.setColor(QPalette::HighlightedText, White);
        QApplication::setPalette(palette);
    }
    void TearDown() override { QApplication::setPalette(previous); }

    QPalette previous;
};

TEST_F(Screenshots, AGridOverADozenLoans) {
    testing::GridBook book;
    const char* surnames[] = {"Smith",  "Nguyen", "Brown",    "Lee",    "Jones", "Taylor",
                              "Wilson", "Martin", "Anderson", "Thomas", "White", "Harris"};
    const char* suburbs[] = {"Toowong", "Ashgrove", "Wynnum", "Ipswich"};
    for (int n = 1; n <= 12; ++n)
        book.AddLoan(n, surnames[n - 1], suburbs[n % 4], Day(2023, n, 1),
                     Cents(24000000 + 1234567 * n * (n % 2 == 0 ? 1 : -1)));

    QWidget window;
    window.resize(620, 240);
    TTovObjectListGrid grid(&window);
    grid.setGeometry(0, 0, 620, 240);
    grid.AddColumn("Loan Number", "LoanNumber", 80);
    grid.AddColumn("Client Name", "ClientName", 120);
    grid.AddColumn("Property Address", "PropertyAddress", 230);
    grid.AddColumn("Amount", "ContractAmount", 100);
    grid.AddColumn("Drawn", "PossessionDate", 80);
    grid.SetObjectList(book.Book().Mortgages.get());
    grid.RefreshGrid();
    grid.SelectRow(3);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    const QImage shot = window.grab().toImage();
    Save(shot, "objectlistgrid_loans");
    // Cells of the wide address column, right of their text: white, banded, selected.
    const auto sample = [&](int row) {
        const QRect cell = grid.CellRect(2, row);
        return shot.pixelColor(grid.mapTo(&window, QPoint(cell.right() - 4, cell.center().y())));
    };
    EXPECT_EQ(sample(1), White);
    EXPECT_EQ(sample(2), Band);
    EXPECT_EQ(sample(3), Highlight);
    EXPECT_EQ(sample(4), Band);
    EXPECT_EQ(sample(5), White);
    EXPECT_EQ(grid.Cells(3, 1), "$227,654.33");
    EXPECT_EQ(grid.Cells(3, 2), "$264,691.34");
    // Text is drawn in the cells: dark pixels at the start of the first loan number.
    const QRect first = grid.CellRect(0, 1);
    int dark = 0;
    for (int x = first.left(); x < first.left() + 40; ++x)
        for (int y = first.top(); y <= first.bottom(); ++y)
            dark += shot.pixelColor(grid.mapTo(&window, QPoint(x, y))).lightness() < 100;
    EXPECT_GT(dark, 20);
}

TEST_F(Screenshots, AFormWithItsDatePickerOpen) {
    const ScopedFixedClock clock(EncodeDate(2025, 7, 14) + 0.5);
    QWidget form;
    form.resize(300, 260);
    auto* layout = new QFormLayout(&form);
    auto* name = new QLineEdit("Public holiday");
    auto* picker = new TDatePicker;
    layout->addRow("Description", name);
    layout->addRow("Date", picker);
    picker->SetDate(EncodeDate(2023, 3, 15));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    picker->DropDown();
    QCalendarWidget* calendar = picker->calendarWidget();
    QWidget* popup = calendar->window();
    ASSERT_TRUE(popup->isVisible());
    QTest::qWait(20);

    // The form and, over it, the calendar where it dropped down.
    const QPoint offset = popup->mapToGlobal(QPoint(0, 0)) - form.mapToGlobal(QPoint(0, 0));
    const QImage formShot = form.grab().toImage();
    const QImage popupShot = popup->grab().toImage();
    QImage shot(QSize(std::max(formShot.width(), offset.x() + popupShot.width()),
                      std::max(formShot.height(), offset.y() + popupShot.height())),
                QImage::Format_ARGB32);
    shot.fill(Qt::gray);
    {
        QPainter painter(&shot);
        painter.drawImage(0, 0, formShot);
        painter.drawImage(offset, popupShot);
    }
    Save(shot, "datepicker_open");

    EXPECT_EQ(picker->findChild<QLineEdit*>()->text(), "15/03/2023");
    EXPECT_EQ(calendar->selectedDate(), QDate(2023, 3, 15));
    EXPECT_GE(offset.y(), picker->geometry().bottom()); // dropped down under the field
    // The chosen day is highlighted in the calendar.
    int highlighted = 0;
    for (int y = 0; y < popupShot.height(); ++y)
        for (int x = 0; x < popupShot.width(); ++x)
            highlighted += popupShot.pixelColor(x, y) == Highlight;
    EXPECT_GT(highlighted, 50);
    popup->hide();
}

TEST_F(Screenshots, ARecordDialogWithItsHelpSaveAndCancelPanel) {
    testing::GridBook book;
    book.AddLoan(1, "Nguyen", "Hilltop", Day(2024, 5, 1), Cents(30000000));
    auto client = MakeItem<TMorvaneClient>(&book.Book());
    client->Surname = "Okafor";
    client->GivenNames = "Ada";
    client->PostalAddress->StreetNo = "7";
    client->PostalAddress->StreetName = "River Rd";
    client->PostalAddress->Suburb = "Riverside";
    client->PostalAddress->State = "NSW";
    client->PostalAddress->PostCode = "2000";
    examples::TfmExampleClient dialog;
    QImage shot;
    {
        const ScopedModalRunner runner([&shot](QDialog& shown) {
            shown.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&shown));
            shot = shown.grab().toImage();
            return static_cast<int>(mrCancel);
        });
        dialog.EditItem(mmAdd, *client);
    }
    Save(shot, "detaildialog_client");

    EXPECT_EQ(dialog.findChild<QLineEdit*>("edtClientCode")->text(), "0000002");
    const QWidget* panel = dialog.findChild<QWidget*>("pnlDetailButtons");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->height(), 41);
    EXPECT_EQ(panel->geometry().bottom(), dialog.height() - 1); // along the bottom
    std::vector<std::string> captions;
    int left = 0;
    for (const char* name : {"btnHelp", "btnSave", "btnCancel"}) {
        const auto* button = dialog.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        const QRect place(button->mapTo(&dialog, QPoint(0, 0)), button->size());
        EXPECT_GT(place.left(), left) << name; // left to right, at the right-hand side
        EXPECT_TRUE(panel->geometry().contains(place)) << name;
        left = place.left();
        captions.push_back(button->text().toStdString() + (button->isDefault() ? "*" : ""));
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"&Help", "&Save*", "&Cancel"}));
    EXPECT_GT(left + 75, dialog.width() - 20);
    // The body shows the record: the address group sits above the panel.
    const auto* group = dialog.findChild<QGroupBox*>("gbxMailingAddress");
    EXPECT_LT(group->mapTo(&dialog, QPoint(0, group->height())).y(), panel->y() + 1);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("edtSuburb")->text(), "Riverside");
}

TEST_F(Screenshots, AListFrameOfClients) {
    testing::GridBook book;
    const char* surnames[] = {"Smith", "Nguyen", "Brown", "Lee", "Jones"};
    for (int n = 1; n <= 5; ++n)
        book.AddLoan(n, surnames[n - 1], "Toowong", Day(2024, n, 1), Cents(20000000));
    examples::TfmeExampleClients frame(book.Book().Clients.get());
    frame.resize(720, 280);
    frame.Grid()->SelectRow(2);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QImage shot = frame.grab().toImage();
    Save(shot, "headerframe_clients");

    EXPECT_EQ(frame.Grid()->Column(0).Width(), 150); // 100 and 360 designed for 480
    EXPECT_EQ(frame.Grid()->Column(1).Width(), 540);
    EXPECT_EQ(frame.Grid()->Cells(1, 2), "Nguyen, Pat");
    const QRect cell = frame.Grid()->CellRect(1, 2);
    EXPECT_EQ(
        shot.pixelColor(frame.Grid()->mapTo(&frame, QPoint(cell.right() - 4, cell.center().y()))),
        Highlight);
    EXPECT_TRUE(frame.EditButton()->isEnabled());
    EXPECT_GT(frame.AddButton()->mapTo(&frame, QPoint(0, 0)).y(), cell.bottom());
}

} // namespace
} // namespace duebell
