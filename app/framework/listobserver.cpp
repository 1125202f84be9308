#include "app/framework/listobserver.h"

#include "objectlist/objectlist.h"

namespace duebell {

TMorvaneObserver::TMorvaneObserver(TTovObjectList* list, std::function<void()> changed)
    : list_(list), changed_(std::move(changed)) {
    if (list_ != nullptr)
        list_->AddListener(this);
}

TMorvaneObserver::~TMorvaneObserver() {
    if (list_ != nullptr)
        list_->RemoveListener(this);
}

void TMorvaneObserver::ListChanged(TTovObjectList*, TTovObjectItem*, TTovChangeKind kind) {
    if (kind == ckListDestroying) {
        // A list on its way out has nothing left to show.
        list_ = nullptr;
        return;
    }
    if (list_ != nullptr && list_->Updating())
        return; // a batch of changes is heard once, at its end
    changed_();
}

} // namespace duebell
