#pragma once
// What every printable element shares. An element lives twice: in the designer it draws a
// scaled preview on its own window; on the page it draws, when the print engine asks, on the
// context handed to LPrint. Both drawings use the label's twips, and the element's own
// coordinates run from (0,0) to (PWidth, PHeight).
//
// A derived element supplies its layout (PrepareLayout, measured on the context it is given)
// and its drawing (PrintContent), and names itself for its log tags. Layout is lazy: setters
// mark it stale, and the next ReDraw (measuring on the default printer's context, so the
// preview breaks lines where the print will) or LPrint (measuring on the print context)
// recomputes it. Only ReDraw clears the flag, so with AutoRefresh off every print lays out.
//
// Every public operation traps its own failures and logs them under "<class>:<routine>"; a
// failure to write the log reaches the caller, and the element stays usable.

#include "framework/ElementEnums.h"
#include "framework/ElementFrame.h"
#include "framework/ElementKeys.h"
#include "framework/ElementSite.h"
#include "framework/ElementWindow.h"
#include "framework/GdiTypes.h"
#include "framework/HostServices.h"
#include "framework/PropertyBag.h"
#include "framework/PropertyReader.h"
#include "framework/UniqueGdiObject.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace bw {

class Element {
public:
    virtual ~Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    const std::string& elementClassName() const { return className_; }
    HostServices& host() const { return host_; }
    // Joins the container's windows on top of its siblings; changes and events go to the site.
    void setSite(const ElementSite& site);

    // ---- Print geometry (twips) --------------------------------------------------------
    std::int32_t PLeft() const { return pLeft_; }
    std::int32_t PTop() const { return pTop_; }
    std::int32_t PWidth() const { return pWidth_; }
    std::int32_t PHeight() const { return pHeight_; }
    // Position never affects the layout.
    void setPLeft(std::int32_t value);
    void setPTop(std::int32_t value);
    // Also sizes the control, rescales the design view and refreshes the area.
    void setPWidth(std::int32_t value);
    void setPHeight(std::int32_t value);
    // (0, 0, PWidth, PHeight) as last refreshed: by the size setters and by designer resizes,
    // not by a load.
    const RECT& area() const { return area_; }

    std::int16_t orientation() const { return orientation_; }
    void setOrientation(std::int16_t value);

    // ---- Layout and drawing ------------------------------------------------------------
    // Draws the element at (PLeft, PTop) on a context whose unit is one twip, y downwards.
    virtual void LPrint(HDC hdc);
    // Draws the design view, as LPrint would at (0,0), when AutoRefresh is on.
    virtual void ReDraw();
    // Marks the layout stale and redraws when AutoRefresh is on.
    void NotifyChange();
    bool layoutStale() const { return layoutStale_; }

    bool AutoRefresh() const { return autoRefresh_; }
    void setAutoRefresh(bool value); // true redraws at once

    // ---- Frame -------------------------------------------------------------------------
    // The frame, and with `clear` the background, on `hdc`'s area rectangle.
    void SetUpArea(HDC hdc, bool clear, bool lForceFocus);
    // How far the content keeps off the area's edges (twice the border width with a border).
    int inset() const { return frame(false).inset(); }
    int borderWidth() const { return borderWidth_; }

    std::int32_t TextColor() const { return textColor_; }
    void setTextColor(std::int32_t value);
    std::int32_t BackColor() const { return backColor_; }
    void setBackColor(std::int32_t value);
    std::int16_t BorderStyle() const { return borderStyle_; }
    void setBorderStyle(std::int16_t value);

    // ---- Designer ----------------------------------------------------------------------
    bool designmode() const { return designmode_; }
    void setDesignmode(bool value);
    // The designer (or the container's first sizing of a loaded control) sizes the control.
    void resizeControl(std::int32_t widthTwips, std::int32_t heightTwips);
    // The resize handler: in design mode the control's size becomes the print size; the
    // design-view scaling follows and the view is redrawn.
    void ResizeAction();
    void onGotFocus();
    void onLostFocus();
    // The host's focused window is this element's own.
    bool hasFocus() const;
    bool IsSelected() const { return isSelected_; }
    void setIsSelected(bool value); // redraws the frame on the own window
    void MoveToFront();
    void MoveToBack();
    ElementWindow& window() { return window_; }
    const ElementWindow& window() const { return window_; }

    std::int32_t CurrentPrinterHdc() const { return currentPrinterHdc_; }
    void setCurrentPrinterHdc(std::int32_t value);
    bool Enabled() const { return window_.enabled(); }
    void setEnabled(bool value);
    // The host's extender tag; "CLEARRECT" makes the element paint its background on print.
    const std::string& Tag() const { return tag_; }
    void setTag(std::string value) { tag_ = std::move(value); }

    // ---- Persistence -------------------------------------------------------------------
    // A new element: the defaults, and the default printer's context of now.
    void InitProperties();
    // Every key read with its default; wrong types convert or fall back and are logged.
    void ReadProperties(const PropertyBag& bag);
    // Every key written with its default, so values equal to it are left out.
    void WriteProperties(PropertyBag& bag) const;

    // ---- Input from the container, raised as the events of the same names ---------------
    void onMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void onMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    void onMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void onClick();
    void onDblClick();
    void onKeyDown(std::int16_t keyCode, std::int16_t shift);
    void onKeyUp(std::int16_t keyCode, std::int16_t shift);
    void onKeyPress(std::int16_t keyAscii);

protected:
    Element(std::string className, HostServices& host, const ElementKeys& keys = {});

    // The layout on the context it is measured on.
    virtual void PrepareLayout(HDC hdc) = 0;
    // The drawing in (0,0)-(PWidth, PHeight).
    virtual void PrintContent(HDC hdc) = 0;
    // SetUpArea's drawing; an element with another frame form replaces it.
    virtual void drawFrame(HDC hdc, bool clear, bool lForceFocus);
    // Pictures and the health mark clear to white rather than to BackColor.
    virtual bool clearsToWhite() const { return false; }
    // A message box shown before a failed LPrint is logged; none when empty.
    virtual std::string_view printFailureAlert() const { return {}; }
    // Which input events the element raises; the mouse events, Click and DblClick by default.
    virtual bool raisesInputEvent(std::string_view event) const;

    virtual void initOwnProperties() {}
    virtual void readOwnProperties(const PropertyReader&) {}
    virtual void writeOwnProperties(PropertyBag&) const {}

    // "<class>:<routine>", the log tag of a routine of this element.
    std::string tagFor(std::string_view routine) const;
    void recordChange(std::string_view key);
    void markLayoutStale() { layoutStale_ = true; }
    void clearLayoutStale() { layoutStale_ = false; }
    // Setting Bold or assigning a Font: a bold font draws a heavier border.
    void adoptBorderWidthFor(bool bold) { borderWidth_ = ElementFrame::borderWidthFor(bold); }
    // Whether the frame's brush paints the background; only a print can turn it off.
    bool paintsBackground() const { return paintsBackground_; }
    void raise(std::string_view event, std::span<Variant> args = {});
    void raisePlsSaveMe() { raise("PlsSaveMe"); }
    void raisePaint() { raise("Paint"); }
    const ElementKeys& sharedKeys() const { return keys_; }
    // Window extent = (PWidth, PHeight), viewport extent = the client size in pixels.
    void updateScaling() { window_.setScaling(pWidth_, pHeight_); }

private:
    ElementFrame frame(bool lForceFocus) const;
    void storeBackColor(std::int32_t value);
    void raiseInput(std::string_view event, std::span<Variant> args);
    static std::int32_t defaultPrinterHdc();

    std::string className_;
    HostServices& host_;
    ElementKeys keys_;
    ElementWindow window_;
    ChangeRecorder* changes_ = nullptr;
    EventSink* events_ = nullptr;
    std::optional<ControlContainer::Membership> membership_;

    std::int32_t pLeft_ = 0;
    std::int32_t pTop_ = 0;
    std::int32_t pWidth_ = 0;
    std::int32_t pHeight_ = 0;
    RECT area_{};
    std::int16_t orientation_ = orientations::Normal;
    bool layoutStale_ = true;
    bool autoRefresh_ = true;
    bool designmode_ = true;
    bool isSelected_ = false;
    bool paintsBackground_ = true;
    std::int32_t currentPrinterHdc_ = 0;
    std::int32_t textColor_ = 0;
    std::int32_t backColor_ = 0xFFFFFF;
    UniqueGdiObject backBrush_;
    std::int16_t borderStyle_;
    int borderWidth_ = ElementFrame::normalBorderWidth;
    std::string tag_;
};

} // namespace bw
