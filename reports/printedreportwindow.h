// The window a report's document is previewed in: the page navigator at the top, the preview
// filling the rest at the page's width, and Print and Cancel at the bottom. The report builds
// its document on PqPreview1's model before the window is shown.
#pragma once

#include <QDialog>
#include <functional>

class QPushButton;

namespace duebell {

class TPqPageNavigator;
class TPqPreview;
class TPqPreviewModel;

class TfmPrintedReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit TfmPrintedReportWindow(QWidget* parent = nullptr);

    TPqPreviewModel& Preview();

    TPqPageNavigator* PqPageNavigator1;
    TPqPreview* PqPreview1;
    QPushButton* btnPrint;
    QPushButton* Button1; // Cancel

    // Prints every page (the print dialog first); then OnPrinted, when every page went to
    // the printer or the file.
    void btnPrintClick();
    std::function<void()> OnPrinted;

protected:
    // The page keeps the preview's width.
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace duebell
