// TfmSystemConfig, "User Details Configuration": the lender's own details that head every
// letter: organisation, user name, operating number, address and contact details. Opened from
// the Configuration menu on the configuration itself.
#pragma once

#include "app/framework/detailform.h"

#include <memory>

namespace Ui {
class fmSystemConfig;
}

namespace duebell {

class TfmSystemConfig : public TfmCustomDetailForm {
    Q_OBJECT

public:
    TfmSystemConfig();
    ~TfmSystemConfig() override;

protected:
    // Organisation, address, suburb, state, postcode and phone are required; the rest may
    // stay empty.
    void ValidateSave() override;

private:
    std::unique_ptr<Ui::fmSystemConfig> ui_;
};

} // namespace duebell
