#pragma once
// The objects the handle table holds: drawing objects, pictures and recordings.

#include "framework/CairoPtr.h"
#include "framework/GdiTypes.h"
#include "framework/Region.h"

#include <memory>

namespace bw {

class FontFace;

class GdiObject {
public:
    virtual ~GdiObject() = default;
    virtual int objectType() const = 0; // OBJ_FONT, OBJ_PEN, ...
    bool isStock = false;               // stock objects are shared and never deleted
    Handle handle = 0;                  // the value it was registered under
};

class FontObject final : public GdiObject {
public:
    int objectType() const override { return OBJ_FONT; }
    LOGFONT logFont;
    std::shared_ptr<const FontFace> face; // resolved face the metrics and glyphs come from
};

class PenObject final : public GdiObject {
public:
    int objectType() const override { return OBJ_PEN; }
    LOGPEN logPen;
};

class BrushObject final : public GdiObject {
public:
    int objectType() const override { return OBJ_BRUSH; }
    LOGBRUSH logBrush;
};

class RegionObject final : public GdiObject {
public:
    int objectType() const override { return OBJ_REGION; }
    Region region;
};

// A picture in memory: a cairo image surface (RGB24), its pixels owned by the surface.
class BitmapObject final : public GdiObject {
public:
    int objectType() const override { return OBJ_BITMAP; }
    CairoSurface surface;
    int width = 0;
    int height = 0;
};

// A finished recording: the drawing commands in the reference device's units, and the frame
// (in those units) that maps onto the rectangle it is played into.
class RecordingObject final : public GdiObject {
public:
    int objectType() const override { return OBJ_ENHMETAFILE; }
    CairoSurface surface;
    double frameLeft = 0, frameTop = 0, frameWidth = 0, frameHeight = 0;
};

} // namespace bw
