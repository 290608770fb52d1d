#pragma once
// An element's own window in the designer: an image surface of the control's size in pixels
// (the host's screen twips per pixel), with the id that the host's focused window refers to.
// Its context is in the anisotropic mapping from creation, so with the design-view scaling
// (window extent = print size, viewport extent = client pixels) the element draws the preview
// in the twips of the label. The control's size is kept in twips as set, never rounded to
// pixels; only the surface is.

#include "framework/GdiTypes.h"
#include "framework/HostServices.h"

#include <cstdint>
#include <filesystem>

namespace bw {

class ElementWindow {
public:
    // A side of the surface is at most this many pixels; a larger control shows its preview
    // at that size instead of allocating an unbounded image.
    static constexpr int maxPixels = 4096;

    explicit ElementWindow(HostServices& host);
    ~ElementWindow();
    ElementWindow(const ElementWindow&) = delete;
    ElementWindow& operator=(const ElementWindow&) = delete;

    WindowId id() const { return id_; }
    HDC hdc() const { return hdc_; }

    // Sizes the control; the surface takes the nearest whole pixels and is cleared to white.
    void resize(std::int32_t widthTwips, std::int32_t heightTwips);
    std::int32_t widthTwips() const { return widthTwips_; }
    std::int32_t heightTwips() const { return heightTwips_; }
    int widthPixels() const { return widthPixels_; }
    int heightPixels() const { return heightPixels_; }

    // Design-view scaling: `printWidth` × `printHeight` twips fill the client area. An empty
    // print size or client area keeps the scaling as it was.
    void setScaling(std::int32_t printWidth, std::int32_t printHeight);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // The design view as a PNG picture; false when it cannot be written.
    bool saveAsPng(const std::filesystem::path& file) const;

private:
    int toPixels(std::int32_t twips, int twipsPerPixel) const;

    HostServices& host_;
    WindowId id_;
    HDC hdc_ = 0;
    std::int32_t widthTwips_ = 0;
    std::int32_t heightTwips_ = 0;
    int widthPixels_ = 0;
    int heightPixels_ = 0;
    bool enabled_ = true;
};

} // namespace bw
