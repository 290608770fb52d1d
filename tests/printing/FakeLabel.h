#pragma once
// A label form of our own for the engine's tests: elements that fill their frame with a black
// rectangle (so every slot shows where its label landed) and write what was done to them into
// one shared journal, in order.

#include "framework/Gdi.h"
#include "framework/HostError.h"
#include "framework/ScopedSelect.h"
#include "printing/LabelForm.h"

#include <memory>
#include <string>
#include <vector>

namespace bw::test {

class FakeElement final : public PrintableElement, public PrintGeometry {
public:
    FakeElement(std::string name, std::vector<std::string>& journal, RECT frame)
        : name_(std::move(name)), journal_(journal), frame_(frame) {}

    bool failPrint = false;
    std::vector<int> printedOn; // object type of every context LPrint was given

    void LPrint(HDC hdc) override {
        journal_.push_back(name_ + ".LPrint");
        printedOn.push_back(gdi::GetObjectType(hdc));
        if (failPrint) throw HostError(ErrorInfo{11, "Fake", "Division by zero", 0});
        const ScopedSelect brush(hdc, gdi::GetStockObject(BLACK_BRUSH));
        const ScopedSelect pen(hdc, gdi::GetStockObject(NULL_PEN));
        gdi::Rectangle(hdc, frame_.left, frame_.top, frame_.right, frame_.bottom);
    }
    void DoLabelIncrement() override { journal_.push_back(name_ + ".label"); }
    void DoImpressionIncrement() override { journal_.push_back(name_ + ".impression"); }
    void DoResetIncr() override { journal_.push_back(name_ + ".reset"); }
    double CentreAngle() override { return angle_; }
    void setCentreAngle(double value) override { angle_ = value; }
    PrintGeometry& object() override { return *this; }

    std::int32_t PLeft() override { return frame_.left; }
    void setPLeft(std::int32_t v) override {
        frame_.right += v - frame_.left;
        frame_.left = v;
    }
    std::int32_t PTop() override { return frame_.top; }
    void setPTop(std::int32_t v) override {
        frame_.bottom += v - frame_.top;
        frame_.top = v;
    }
    std::int32_t PWidth() override { return frame_.right - frame_.left; }
    std::int32_t PHeight() override { return frame_.bottom - frame_.top; }
    std::int16_t orientation() override { return orientation_; }
    void setOrientation(std::int16_t v) override { orientation_ = v; }

private:
    std::string name_;
    std::vector<std::string>& journal_;
    RECT frame_;
    double angle_ = 0;
    std::int16_t orientation_ = 0;
};

class FakeControl final : public LabelControl {
public:
    FakeControl(std::string tag, FakeElement& element, bool labelIncr, bool impressionIncr)
        : tag_(std::move(tag)), element_(element), labelIncr_(labelIncr),
          impressionIncr_(impressionIncr) {}

    std::string Tag() override { return tag_; }
    bool GetHasLabelIncr() override { return labelIncr_; }
    bool GetHasImpressionIncr() override { return impressionIncr_; }
    PrintableElement& oref() override { return element_; }

private:
    std::string tag_;
    FakeElement& element_;
    bool labelIncr_;
    bool impressionIncr_;
};

class FakeForm final : public LabelForm {
public:
    std::vector<std::string> journal;
    bool failCount = false; // a form without ControlCount

    // An element filling `frame` (twips, label coordinates) on a control tagged `tag`.
    FakeElement& add(std::string tag, RECT frame, bool labelIncr = false,
                     bool impressionIncr = false) {
        const std::string name = "e" + std::to_string(elements_.size() + 1);
        elements_.push_back(std::make_unique<FakeElement>(name, journal, frame));
        controls_.push_back(std::make_unique<FakeControl>(std::move(tag), *elements_.back(),
                                                          labelIncr, impressionIncr));
        return *elements_.back();
    }

    std::int32_t ControlCount() override {
        if (failCount) throw HostError(438, "Object doesn't support this property or method");
        return static_cast<std::int32_t>(controls_.size());
    }
    LabelControl& Controls(std::int32_t index) override {
        return *controls_.at(static_cast<std::size_t>(index));
    }

private:
    std::vector<std::unique_ptr<FakeElement>> elements_;
    std::vector<std::unique_ptr<FakeControl>> controls_;
};

} // namespace bw::test
