// TfmReportAccountingPeriodical: the list of the periodical bookkeeping reports of the
// configuration, with Add, Edit/View and Delete through the report dialog. The reports are
// part of the configuration: it is saved after every add, edit and delete.
#pragma once

#include <QDialog>
#include <functional>

class QPushButton;

namespace duebell {

class TfmeCustomHeaderFrame;

class TfmReportAccountingPeriodical : public QDialog {
    Q_OBJECT

public:
    // `saveConfiguration` writes the configuration to its file.
    explicit TfmReportAccountingPeriodical(std::function<void()> saveConfiguration);
    ~TfmReportAccountingPeriodical() override;

    TfmeCustomHeaderFrame* ReportsFrame() const { return fmeCustomHeaderFrame1_; }

protected:
    // F1 opens the window's help topic.
    void keyPressEvent(QKeyEvent* event) override;

private:
    TfmeCustomHeaderFrame* fmeCustomHeaderFrame1_;
    QPushButton* btnClose_;
    QPushButton* btnPrint_;
    QPushButton* btnPreview_;
};

} // namespace duebell
