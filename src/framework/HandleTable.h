#pragma once
// The process-wide table that maps 32-bit handle values to drawing objects. Handles are
// never reused, so a stale handle is reported as unknown rather than reaching a new object.

#include "framework/GdiObjects.h"

#include <cstddef>
#include <memory>
#include <unordered_map>

namespace bw {

class HandleTable {
public:
    static HandleTable& instance();

    Handle add(std::shared_ptr<GdiObject> object);
    // Registers a stock object under its fixed handle value.
    void addStock(Handle h, std::shared_ptr<GdiObject> object);
    std::shared_ptr<GdiObject> find(Handle h) const;
    template <class T>
    std::shared_ptr<T> get(Handle h) const {
        return std::dynamic_pointer_cast<T>(find(h));
    }
    // Removes a handle; stock objects stay. The object lives on while something holds it.
    bool remove(Handle h);
    // Live handles of one object type (OBJ_FONT, ...), for leak checks.
    std::size_t count(int objectType) const;
    std::size_t size() const { return objects_.size(); }

private:
    HandleTable() = default;
    std::unordered_map<Handle, std::shared_ptr<GdiObject>> objects_;
    Handle next_ = 0x00010000;
};

} // namespace bw
