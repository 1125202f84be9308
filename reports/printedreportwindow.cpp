#include "reports/printedreportwindow.h"

#include "controls/uihooks.h"
#include "print/pagenavigator.h"
#include "print/previewwidget.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace duebell {

namespace {

constexpr TPqNavButtonSet NavigatorButtons =
    NavButton(pqFirstPage) | NavButton(pqPrevPage) | NavButton(pqNextPage) | NavButton(pqLastPage) |
    NavButton(pqZoomIn) | NavButton(pqZoomOut) | NavButton(pqActualSize) | NavButton(pqFitWidth) |
    NavButton(pqFitHeight) | NavButton(pqFitWholePage);

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

    connect(btnPrint, &QPushButton::clicked, this,
            [this] { GuardEvent([this] { btnPrintClick(); }); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    PqPreview1->installEventFilter(this);
    resize(648, 522);
}

TPqPreviewModel& TfmPrintedReportWindow::Preview() {
    return PqPreview1->Model();
}

void TfmPrintedReportWindow::btnPrintClick() {
    if (Preview().Print() == TPqPrintResult::Printed && OnPrinted)
        OnPrinted();
}

bool TfmPrintedReportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PqPreview1 && event->type() == QEvent::Resize) {
        // A portrait page at its width is taller than the preview: leave room for the scroll
        // bar it then needs, so that the width fits without a horizontal one.
        const int width = static_cast<QResizeEvent*>(event)->size().width();
        GuardEvent([&] {
            Preview().FitWidth(width - 2 * PqPreview1->frameWidth() -
                               PqPreview1->verticalScrollBar()->sizeHint().width());
        });
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace duebell
