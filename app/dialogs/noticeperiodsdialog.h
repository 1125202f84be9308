// TfmOptions, "Notice Period Configuration": the days that pass between the arrears,
// default, termination and vacate-property stages of a loan or full fee, and the notice
// period of an instalment fee.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmOptions;
}

namespace duebell {

class TfmOptions : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmOptions();
    ~TfmOptions() override;

    // Saved periods move every loan's alerts: each loan is rebuilt at once.
    int EditItems(TModifyMode mode, const std::vector<TTovObject*>& list) override;

protected:
    // Each period, in order, must be non-zero and at least one day.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmOptions> ui_;
};

} // namespace duebell
