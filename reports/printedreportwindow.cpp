#include "reports/printedreportwindow.h"

#include "controls/uihooks.h"
#include "print/pagenavigator.h"
#include "print/previewwidget.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace duebell {

namespace {

constexpr TPqNavButtonSet NavigatorButtons =
    NavButton(pqFirstPage) | NavButton(pqPrevPage) | NavButton(pqNextPage) |
    NavButton(pqLastPage) | NavButton(pqZoomIn) | NavButton(pqZoomOut) |
    NavButton(pqActualSize) | NavButton(pqFitWidth) | NavButton(pqFitHeight) |
    NavButton(pqFitWholePage);

} // namespace

TfmPrintedReportWindow::TfmPrintedReportWindow(QWidget* parent)
    : QDialog(parent), PqPageNavigator1(new TPqPageNavigator(this)),
      PqPreview1(new TPqPreview(this)), btnPrint(new QPushButton("&Print", this)),
      Button1(new QPushButton("&Cancel", this)) {
    setObjectName("TfmCustomPrintedReport");
    PqPageNavigator1->setObjectName("PqPageNavigator1");
    PqPreview1->setObjectName("PqPreview1");
    btnPrint->setObjectName("btnPrint");
    Button1->setObjectName("Button1");

    PqPageNavigator1->SetBorderWidth(6);
    PqPageNavigator1->SetVisibleButtons(NavigatorButtons);
    PqPageNavigator1->SetPreview(PqPreview1);
    PqPageNavigator1->setFixedHeight(50);
    PqPageNavigator1->Loaded();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(PqPageNavigator1);
    layout->addWidget(PqPreview1, 1);
    layout->addLayout(buttons);

    connect(btnPrint, &QPushButton::clicked, this, [this] { GuardEvent([this] { btnPrintClick(); }); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    resize(648, 522);
}

TPqPreviewModel& TfmPrintedReportWindow::Preview() {
    return PqPreview1->Model();
}

void TfmPrintedReportWindow::btnPrintClick() {
    Preview().Print();
}

void TfmPrintedReportWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    GuardEvent([this] { PqPreview1->FitWidth(); });
}

} // namespace duebell
