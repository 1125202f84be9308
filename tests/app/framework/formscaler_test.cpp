#include "app/framework/formpositions.h"
#include "app/framework/formscaler.h"
#include "app/framework/objectlistgrid.h"
#include "support/qtapp.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace duebell {
namespace {

template <class W> W* Named(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// A list frame's kind of window: a group with an edit and a grid, buttons beside them.
class ScaledWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 300);
        grid->AddColumn("Loan Number", "LoanNumber", 100);
        grid->AddColumn("Client Name", "ClientName", 150);
        grid->AddColumn("Amount", "ContractAmount", 75);
        unnamed->setGeometry(10, 250, 100, 20);
    }
    std::vector<int> ColumnWidths() const {
        return {grid->Column(0).Width(), grid->Column(1).Width(), grid->Column(2).Width()};
    }

    QWidget window;
    QGroupBox* group = Named<QGroupBox>(&window, "gbxHeaderBox", {10, 10, 300, 200});
    QLineEdit* edit = Named<QLineEdit>(group, "edtSearch", {10, 20, 75, 20});
    TTovObjectListGrid* grid =
        Named<TTovObjectListGrid>(group, "stgHeaderGrid", {10, 50, 280, 140});
    QPushButton* button = Named<QPushButton>(&window, "btnAdd", {320, 10, 75, 25});
    QLineEdit* unnamed = new QLineEdit(&window);
};

TEST_F(ScaledWindow, WideningByHalfWidensControlsAndColumnsButNotButtons) {
    TFormScaler scaler(window);
    window.resize(600, 300);
    scaler.ScaleForm();
    EXPECT_EQ(group->geometry(), QRect(15, 10, 450, 200));
    EXPECT_EQ(edit->geometry(), QRect(15, 20, 112, 20)); // 112.5 rounds half to even
    EXPECT_EQ(grid->geometry(), QRect(15, 50, 420, 140));
    EXPECT_EQ(ColumnWidths(), (std::vector<int>{150, 225, 112}));
    EXPECT_EQ(button->geometry(), QRect(320, 10, 75, 25));
    EXPECT_EQ(unnamed->geometry(), QRect(10, 250, 100, 20));

    // Narrowing again comes back to the recorded layout, not a compounded one.
    window.resize(400, 300);
    scaler.ScaleForm();
    EXPECT_EQ(edit->geometry(), QRect(10, 20, 75, 20));
    EXPECT_EQ(ColumnWidths(), (std::vector<int>{100, 150, 75}));
}

TEST_F(ScaledWindow, CapturingAgainReplacesTheRecord) {
    TFormScaler scaler(window);
    window.resize(500, 300);
    edit->setGeometry(40, 20, 100, 20); // moved by hand after the first record
    scaler.Capture();
    EXPECT_EQ(scaler.Positions().Width, 500);
    window.resize(750, 300);
    scaler.ScaleForm();
    EXPECT_EQ(edit->geometry(), QRect(60, 20, 150, 20));
    EXPECT_EQ(group->geometry(), QRect(15, 10, 450, 200));
}

TEST_F(ScaledWindow, ControlsALayoutPlacesAreTheLayouts) {
    auto* layout = new QVBoxLayout(group);
    auto* laidOut = Named<QLineEdit>(nullptr, "edtLaidOut", {});
    layout->addWidget(laidOut);
    TFormScaler scaler(window);
    const auto* record = static_cast<const TComponentPosition*>(
        scaler.Positions().ComponentPositionList->LocateNoMove(Variant("gbxHeaderBox")));
    ASSERT_NE(record, nullptr);
    const auto* laidOutRecord = static_cast<const TComponentPosition*>(
        record->ComponentPositionList->LocateNoMove(Variant("edtLaidOut")));
    ASSERT_NE(laidOutRecord, nullptr);
    EXPECT_EQ(laidOutRecord->Width, 0);
    EXPECT_EQ(laidOutRecord->Left, 0);
    laidOut->setGeometry(7, 8, 90, 20);
    window.resize(800, 300);
    scaler.ScaleForm();
    EXPECT_EQ(laidOut->geometry(), QRect(7, 8, 90, 20));
    EXPECT_EQ(group->geometry(), QRect(20, 10, 600, 200));

    // An owner a layout places is recorded with no width and never rescaled.
    QWidget outer;
    auto* outerLayout = new QVBoxLayout(&outer);
    auto* frame = Named<QWidget>(nullptr, "fmeFrame", {});
    outerLayout->addWidget(frame);
    auto* inner = Named<QLineEdit>(frame, "edtInner", {5, 5, 50, 20});
    TFormScaler frameScaler(*frame);
    EXPECT_EQ(frameScaler.Positions().Width, 0);
    frame->resize(1000, 100);
    frameScaler.ScaleForm();
    EXPECT_EQ(inner->geometry(), QRect(5, 5, 50, 20));
}

} // namespace
} // namespace duebell
