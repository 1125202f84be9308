// TMorvaneObserver: hears every change of one record list (whatever its kind and record,
// including the refresh signal) and runs a reaction, such as a frame's MortgagesChanged. The
// changes of a batch (TTovListUpdate) run it once, when the batch ends. It forgets the list
// when the list goes away, and leaves it when the observer itself does.
#pragma once

#include "objectlist/listlistener.h"

#include <functional>

namespace duebell {

class TMorvaneObserver final : private ITovListListener {
public:
    // Listens to the list from now on; with no list it hears nothing.
    TMorvaneObserver(TTovObjectList* list, std::function<void()> changed);
    ~TMorvaneObserver();
    TMorvaneObserver(const TMorvaneObserver&) = delete;
    TMorvaneObserver& operator=(const TMorvaneObserver&) = delete;

    // The list heard; nothing once it has gone.
    TTovObjectList* List() const { return list_; }

private:
    void ListChanged(TTovObjectList* list, TTovObjectItem* item, TTovChangeKind kind) override;

    TTovObjectList* list_;
    std::function<void()> changed_;
};

} // namespace duebell
