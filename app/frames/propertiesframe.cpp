#include "app/frames/propertiesframe.h"

#include "app/dialogs/propertyaddedit.h"
#include "app/framework/objectlistgrid.h"
#include "domain/clients.h"
#include "domain/loanbook.h"
#include "domain/processobjects.h"
#include "domain/prompt.h"

#include <QGroupBox>

namespace duebell {

TfmeProperty::TfmeProperty(TTovObjectList* properties, QWidget* parent)
    : TfmeCustomHeaderFrame(parent) {
    setObjectName("fmeProperty");
    HeaderBox()->setTitle(" Property Overview ");
    Grid()->AddColumn("Property Code", "PropertyCode", 100);
    Grid()->AddColumn("Address", "AddressStr", 425);
    DesignedAt(565, 320);
    Grid()->SetObjectList(properties);
    RefreshGrid();
}

TfmCustomDetailFormClass TfmeProperty::GetDetailFormClass() {
    return DetailFormClass<TfmPropertyAddEdit>();
}

void TfmeProperty::DeleteClick() {
    const std::vector<TTovObject*>& selected = Grid()->SelectedObjects();
    const auto* property =
        selected.empty() ? nullptr : dynamic_cast<const TMorvaneProperty*>(selected.front());
    if (property != nullptr && Data()->PropertyInUse(property->PropertyCode)) {
        CurrentPrompter().Ask(PromptType::Error, PromptButtons::Ok,
                              "A property that is currently assigned to a mortgage cannot be "
                              "deleted");
        return;
    }
    TfmeCustomHeaderFrame::DeleteClick();
}

void TfmeProperty::PropertiesChanged() {
    RefreshGrid();
}

} // namespace duebell
