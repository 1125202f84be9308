// TfmOptions, "Notice Period Configuration": the days that pass between the arrears,
// default, termination and vacate-property stages of a loan or full fee, and the notice
// period of an instalment fee. Each field holds 1 day or more: Save refuses anything else
// naming the field (the typed fields' check of every detail dialog).
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

private:
    std::unique_ptr<Ui::fmOptions> ui_;
};

} // namespace duebell
