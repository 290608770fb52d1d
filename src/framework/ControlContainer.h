#pragma once
// The container's child windows in z-order, as the window manager keeps sibling windows. A
// window joins on top; z-order changes move one window to the top or the bottom without moving
// or resizing anything. A window leaves when its membership ends (the element goes), and a
// membership that outlives its container ends quietly.

#include "framework/HostServices.h"

#include <memory>
#include <vector>

namespace bw {

class ControlContainer {
    using Order = std::vector<WindowId>; // bottom first

public:
    class Membership {
    public:
        ~Membership();
        Membership(Membership&& other) noexcept;
        Membership& operator=(Membership&& other) noexcept;
        Membership(const Membership&) = delete;
        Membership& operator=(const Membership&) = delete;

        // False when the container is gone.
        bool bringToTop();
        bool sendToBottom();

    private:
        friend class ControlContainer;
        Membership(std::weak_ptr<Order> order, WindowId window)
            : order_(std::move(order)), window_(window) {}
        void leave();

        std::weak_ptr<Order> order_;
        WindowId window_;
    };

    // Puts `window` on top of its siblings (again, if it was already there).
    [[nodiscard]] Membership join(WindowId window);

    // The windows from the bottom to the top.
    const std::vector<WindowId>& zOrder() const { return *order_; }

private:
    std::shared_ptr<Order> order_ = std::make_shared<Order>();
};

} // namespace bw
