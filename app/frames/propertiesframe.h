// TfmeProperty, the "Properties" tab: the loan book's properties, added, viewed, edited and
// deleted through TfmPropertyAddEdit. A property some loan finances cannot be deleted.
#pragma once

#include "app/framework/headerframe.h"

namespace duebell {

class TTovObjectList;

class TfmeProperty : public TfmeCustomHeaderFrame {
    Q_OBJECT

public:
    // The frame over the properties list (none: an empty grid until one is given).
    explicit TfmeProperty(TTovObjectList* properties, QWidget* parent = nullptr);

    TfmCustomDetailFormClass GetDetailFormClass() override;
    // A property in use is refused with an error box before any question is asked.
    void DeleteClick() override;

protected:
    void PropertiesChanged() override;
};

} // namespace duebell
