#include "framework/ControlContainer.h"

#include <algorithm>
#include <utility>

namespace bw {

namespace {

bool moveTo(std::vector<WindowId>& order, WindowId window, bool top) {
    const auto it = std::find(order.begin(), order.end(), window);
    if (it == order.end()) return false;
    if (top)
        std::rotate(it, it + 1, order.end());
    else
        std::rotate(order.begin(), it, it + 1);
    return true;
}

} // namespace

ControlContainer::Membership ControlContainer::join(WindowId window) {
    std::erase(*order_, window);
    order_->push_back(window);
    return Membership(order_, window);
}

ControlContainer::Membership::~Membership() {
    leave();
}

ControlContainer::Membership::Membership(Membership&& other) noexcept
    : order_(std::exchange(other.order_, {})), window_(other.window_) {}

ControlContainer::Membership& ControlContainer::Membership::operator=(Membership&& other) noexcept {
    if (this != &other) {
        leave();
        order_ = std::exchange(other.order_, {});
        window_ = other.window_;
    }
    return *this;
}

void ControlContainer::Membership::leave() {
    if (const auto order = order_.lock()) std::erase(*order, window_);
    order_.reset();
}

bool ControlContainer::Membership::bringToTop() {
    const auto order = order_.lock();
    return order && moveTo(*order, window_, true);
}

bool ControlContainer::Membership::sendToBottom() {
    const auto order = order_.lock();
    return order && moveTo(*order, window_, false);
}

} // namespace bw
