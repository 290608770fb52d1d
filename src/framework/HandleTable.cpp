#include "framework/HandleTable.h"

namespace bw {

HandleTable& HandleTable::instance() {
    static HandleTable table;
    return table;
}

Handle HandleTable::add(std::shared_ptr<GdiObject> object) {
    if (!object) return 0;
    if (next_ == 0) next_ = 0x00010000; // after 4 billion handles, start over above the low range
    const Handle h = next_++;
    object->handle = h;
    objects_.emplace(h, std::move(object));
    return h;
}

void HandleTable::addStock(Handle h, std::shared_ptr<GdiObject> object) {
    object->isStock = true;
    object->handle = h;
    objects_[h] = std::move(object);
}

std::shared_ptr<GdiObject> HandleTable::find(Handle h) const {
    const auto it = objects_.find(h);
    return it == objects_.end() ? nullptr : it->second;
}

bool HandleTable::remove(Handle h) {
    const auto it = objects_.find(h);
    if (it == objects_.end() || it->second->isStock) return false;
    objects_.erase(it);
    return true;
}

std::size_t HandleTable::count(int objectType) const {
    std::size_t n = 0;
    for (const auto& [h, object] : objects_)
        if (!object->isStock && object->objectType() == objectType) ++n;
    return n;
}

} // namespace bw
