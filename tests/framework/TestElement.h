#pragma once
// The smallest element: it records the contexts its layouts were measured on and the contexts
// it drew on, draws its frame and background and a box at its inset with objects of its own,
// and can be told to fail while those are selected.

#include "framework/Element.h"
#include "framework/ElementMembers.h"
#include "framework/FontSizeRange.h"
#include "framework/HostError.h"
#include "framework/ScopedSelect.h"

#include <vector>

namespace bw::test {

class TestElement : public Element, public TableObject<TestElement> {
public:
    explicit TestElement(HostServices& host) : Element("TestElement", host) {}

    static const MemberTable<TestElement>& memberTable() {
        static const MemberTable<TestElement> table = [] {
            MemberTable<TestElement> t("TestElement");
            addElementMembers(t, {.notifyChange = true, .setUpArea = true});
            addFontRangeMembers(t);
            return t;
        }();
        return table;
    }

    std::vector<HDC> layouts; // the context of each layout
    std::vector<HDC> drawings;
    bool failDrawing = false;
    HGDIOBJ lastPen = 0; // the pen of the last drawing, deleted when it ends
    FontSizeRange fontSizes;

    std::int16_t FontMinimum() const { return fontSizes.minimumPoints(); }
    void setFontMinimum(std::int16_t points) {
        fontSizes.setMinimumPoints(points);
        NotifyChange();
    }
    std::int16_t FontMaximum() const { return fontSizes.maximumPoints(); }
    void setFontMaximum(std::int16_t points) {
        fontSizes.setMaximumPoints(points);
        NotifyChange();
    }
    void setBold(bool bold) {
        adoptBorderWidthFor(bold);
        NotifyChange();
    }
    using Element::raisePlsSaveMe;

protected:
    void PrepareLayout(HDC hdc) override { layouts.push_back(hdc); }

    void PrintContent(HDC hdc) override {
        drawings.push_back(hdc);
        SetUpArea(hdc, true, false);
        UniqueGdiObject pen(gdi::CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
        lastPen = pen.get();
        const ScopedSelect penIn(hdc, std::move(pen));
        const ScopedSelect brushIn(hdc, gdi::GetStockObject(HOLLOW_BRUSH));
        if (failDrawing) throw HostError(ErrorInfo{11, "TestElement", "Division by zero", 0});
        gdi::Rectangle(hdc, inset(), inset(), PWidth() - inset(), PHeight() - inset());
    }

    void readOwnProperties(const PropertyReader& in) override {
        fontSizes.load(in.readLong("FontMinimum", 1), in.readLong("FontMaximum", 8640));
    }
    void writeOwnProperties(PropertyBag& bag) const override {
        bag.write("FontMinimum", fontSizes.minimumTwips(), std::int32_t{1});
        bag.write("FontMaximum", fontSizes.maximumTwips(), std::int32_t{8640});
    }
};

} // namespace bw::test
