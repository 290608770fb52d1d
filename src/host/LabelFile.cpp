#include "host/LabelFile.h"

#include "barcodes/BarcodeElement.h"
#include "barcodes/EanCode128.h"
#include "framework/CaseFold.h"
#include "framework/ClassFactory.h"
#include "framework/HostError.h"
#include "framework/PropertyBag.h"
#include "host/JsonNode.h"
#include "host/LabelFileError.h"
#include "host/MemberValues.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace bw::host {

struct LabelFile::Control {
    std::string name;
    std::string className;
    std::string tag;
    // Declared before the element, so the element (which raises into it) goes first.
    std::unique_ptr<Events> events;
    std::unique_ptr<Object> object;
    Element* element = nullptr;
};

// The sink of one control's element: its events reach the file's listener with the index.
class LabelFile::Events final : public EventSink {
public:
    Events(LabelFile& file, std::size_t index) : file_(file), index_(index) {}
    void raise(std::string_view name, std::span<Variant>) override { file_.dispatch(index_, name); }

private:
    LabelFile& file_;
    std::size_t index_;
};

namespace {

std::string readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw LabelFileError(file, "$", std::string("cannot be read: ") + std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw LabelFileError(file, "$", "cannot be read");
    return text.str();
}

// "[json.exception.parse_error.101] parse error at line 3, ..." without its bracketed prefix.
std::string parseProblem(const std::string& what) {
    const std::size_t end = what.find("] ");
    return "not valid JSON: " + (end == std::string::npos ? what : what.substr(end + 2));
}

float single(double value) {
    return static_cast<float>(value);
}

std::int16_t integer16(const JsonNode& node, std::int64_t min, std::int64_t max) {
    return static_cast<std::int16_t>(node.integer(min, max));
}

// The element classes of the library, for messages.
std::string elementClassList(HostServices& host) {
    std::string list;
    for (const std::string& name : ClassFactory::classes()) {
        const std::unique_ptr<Object> object =
            ClassFactory::create(std::string(ClassFactory::prefix) + name, host);
        if (!dynamic_cast<Element*>(object.get())) continue;
        list += (list.empty() ? "" : ", ") + name;
    }
    return list;
}

bool isPaperSetting(std::int64_t code) {
    const std::int64_t base = code > 16 ? code - 16 : code;
    return base >= 1 && base <= 5;
}

} // namespace

LabelFile::LabelFile(const std::filesystem::path& file, HostServices& host)
    : path_(file), host_(host) {
    load(readWholeFile(file));
}

LabelFile::LabelFile(std::string_view text, const std::filesystem::path& fileName,
                     HostServices& host)
    : path_(fileName), host_(host) {
    load(text);
}

LabelFile::~LabelFile() = default;

const std::string& LabelFile::name(std::size_t index) const {
    return controls_.at(index)->name;
}

const std::string& LabelFile::className(std::size_t index) const {
    return controls_.at(index)->className;
}

const std::string& LabelFile::tag(std::size_t index) const {
    return controls_.at(index)->tag;
}

Object& LabelFile::object(std::size_t index) {
    return *controls_.at(index)->object;
}

Element& LabelFile::element(std::size_t index) {
    return *controls_.at(index)->element;
}

void LabelFile::dispatch(std::size_t index, std::string_view event) {
    if (listener_) listener_(index, event);
}

void LabelFile::load(std::string_view text) {
    loadedText_ = text;
    try {
        document_ = Json::parse(text);
    } catch (const Json::exception& e) {
        // Syntax errors and numbers too large for a double both end here.
        throw LabelFileError(path_, "$", parseProblem(e.what()));
    }
    const JsonNode root(document_, "$", path_);
    root.expectObject();
    root.allowOnly({"$schema", "description", "format", "version", "page", "compensate", "flip",
                    "flash", "trigger", "controls"});
    const JsonNode format = root.member("format");
    if (format.value() != formatName) format.expected("\"" + std::string(formatName) + "\"");
    const JsonNode version = root.member("version");
    if (version.value() != formatVersion)
        version.expected(std::to_string(formatVersion) + " (the version this smmain reads)");
    for (const std::string_view mode : {"flip", "flash", "trigger"})
        if (const auto m = root.optionalMember(mode))
            m->fail(std::string(mode) + " printing is not available in this smmain yet");
    loadPage(root.member("page"));
    if (const auto compensation = root.optionalMember("compensate"))
        loadCompensation(*compensation);

    const JsonNode controls = root.member("controls");
    controls.expectArray();
    for (std::size_t i = 0; i < controls.value().size(); ++i) loadControl(controls.element(i), i);
}

void LabelFile::loadPage(const JsonNode& page) {
    page.expectObject();
    page.allowOnly({"printer", "across", "down", "firstTop", "firstLeft", "hPitch", "vPitch",
                    "unit", "orientation", "paper", "labelWidth", "labelHeight"});
    LabelPage p;
    if (const auto printer = page.optionalMember("printer")) p.printer = printer->nonEmptyString();
    p.across = integer16(page.member("across"), 1, INT16_MAX);
    p.down = integer16(page.member("down"), 1, INT16_MAX);
    p.firstTop = single(page.member("firstTop").number(0, true));
    p.firstLeft = single(page.member("firstLeft").number(0, true));
    p.hPitch = single(page.member("hPitch").number(0, true));
    p.vPitch = single(page.member("vPitch").number(0, true));
    const JsonNode unit = page.member("unit");
    if (!unit.value().is_number_integer() || unit.value() < 5 || unit.value() > 7)
        unit.expected("5 (inches), 6 (millimetres) or 7 (centimetres)");
    p.unit = integer16(unit, 5, 7);
    if (const auto orientation = page.optionalMember("orientation")) {
        if (orientation->value() != 1 && orientation->value() != 2)
            orientation->expected("1 (portrait) or 2 (landscape)");
        p.orientation = integer16(*orientation, 1, 2);
    }
    if (const auto paper = page.optionalMember("paper")) {
        if (!paper->value().is_number_integer() || !isPaperSetting(paper->value().get<int>()))
            paper->expected("1 (A4), 2 (Legal), 3 (custom), 4 (stock) or 5 (Letter), "
                            "or one of them plus 16 for no driver copies");
        p.paper = integer16(*paper, 1, 21);
    }
    p.labelWidth = single(page.member("labelWidth").number(0, false));
    p.labelHeight = single(page.member("labelHeight").number(0, false));

    // Labels that overlap their neighbours print over each other.
    if (p.across > 1 && p.hPitch < p.labelWidth)
        page.member("hPitch").expected("at least the label width when labels go across");
    const bool stockPaper = p.paper % 16 == 4; // "down" is the stock's paper code then
    if (!stockPaper && p.down > 1 && p.vPitch < p.labelHeight)
        page.member("vPitch").expected("at least the label height when labels go down");
    page_ = p;
}

void LabelFile::loadCompensation(const JsonNode& compensation) {
    compensation.expectObject();
    compensation.allowOnly({"left", "top", "hPitchFactor", "vPitchFactor"});
    LabelCompensation c;
    if (const auto left = compensation.optionalMember("left"))
        c.left = integer16(*left, INT16_MIN, INT16_MAX);
    if (const auto top = compensation.optionalMember("top"))
        c.top = integer16(*top, INT16_MIN, INT16_MAX);
    if (const auto h = compensation.optionalMember("hPitchFactor"))
        c.hPitchFactor = single(h->number(0, false));
    if (const auto v = compensation.optionalMember("vPitchFactor"))
        c.vPitchFactor = single(v->number(0, false));
    compensation_ = c;
}

void LabelFile::loadControl(const JsonNode& node, std::size_t index) {
    node.expectObject();
    node.allowOnly({"name", "class", "tag", "properties", "set", "calls"});
    auto control = std::make_unique<Control>();

    const JsonNode name = node.member("name");
    control->name = name.nonEmptyString();
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->name == control->name)
            name.fail("the name \"" + control->name + "\" is already used by $.controls[" +
                      std::to_string(i) + "]");

    const JsonNode className = node.member("class");
    control->className = className.nonEmptyString();
    control->object =
        ClassFactory::create(std::string(ClassFactory::prefix) + control->className, host_);
    control->element = dynamic_cast<Element*>(control->object.get());
    if (!control->element) className.expected("an element class: " + elementClassList(host_));
    control->tag = "P";
    if (const auto tag = node.optionalMember("tag")) control->tag = tag->string();

    Object& object = *control->object;
    Element& element = *control->element;
    const std::vector<MemberInfo> members = object.members();

    // The bag, each value checked against the property of that name where there is one.
    PropertyBag bag;
    const auto properties = node.optionalMember("properties");
    if (properties) {
        properties->expectObject();
        for (const auto& [key, value] : properties->value().items()) {
            const JsonNode v = properties->member(key);
            const MemberInfo* member = findProperty(members, key);
            bag.set(key,
                    member ? memberValue(v, member->type) : memberValue(v, VariantType::Empty));
        }
    }
    control->events = std::make_unique<Events>(*this, index);
    element.setSite(ElementSite{nullptr, control->events.get(), nullptr});
    element.setTag(control->tag);
    element.ReadProperties(bag);
    // Loading alone leaves the element's area as it was; the container's first sizing sets it.
    element.resizeControl(element.PWidth(), element.PHeight());

    // A key the element does not keep would be dropped without a word: a typing error, or a
    // property that is only set (a barcode's Text is kept as "code"), which belongs in "set".
    if (properties) {
        PropertyBag kept;
        element.WriteProperties(kept);
        for (const auto& [key, value] : properties->value().items()) {
            if (kept.wasWritten(key)) continue;
            const MemberInfo* member = findProperty(members, key);
            properties->member(key).fail(
                member ? control->className + " does not save " + member->name +
                             "; a property set after loading goes under \"set\""
                       : "not a property that " + control->className +
                             " keeps (smmain properties " + control->className + " lists them)");
        }
    }

    if (const auto set = node.optionalMember("set")) {
        set->expectObject();
        for (const auto& [key, value] : set->value().items()) {
            const JsonNode v = set->member(key);
            const MemberInfo* member = findProperty(members, key);
            if (!member) v.fail(control->className + " has no property \"" + key + "\"");
            if (!member->writable) v.fail(member->name + " is read-only");
            const Variant converted = memberValue(v, member->type);
            try {
                object.setProperty(member->name, converted);
            } catch (const std::exception& e) {
                v.fail(std::string("setting ") + member->name + " failed: " + e.what());
            }
        }
    }

    if (const auto calls = node.optionalMember("calls")) {
        calls->expectArray();
        for (std::size_t i = 0; i < calls->value().size(); ++i) {
            const JsonNode call = calls->element(i);
            call.expectObject();
            call.allowOnly({"method", "args"});
            const JsonNode method = call.member("method");
            const MemberInfo* m = findMethod(members, method.nonEmptyString());
            if (!m) method.fail(control->className + " has no method \"" + method.string() + "\"");
            std::vector<Variant> args;
            if (const auto a = call.optionalMember("args")) {
                a->expectArray();
                for (std::size_t k = 0; k < a->value().size(); ++k)
                    args.push_back(memberValue(a->element(k), VariantType::Empty));
            }
            try {
                object.callMethod(m->name, args);
            } catch (const std::exception& e) {
                call.fail(m->name + " failed: " + e.what());
            }
        }
    }
    // A barcode that does not encode prints nothing, and an EAN with a wrong check digit prints
    // another number: neither label may leave the printer.
    if (const auto* barcode = dynamic_cast<const BarcodeElement*>(control->element);
        barcode && barcode->CodeStatus() != 0)
        node.fail(control->className + " \"" + control->name +
                  "\" cannot print its code as given: " + barcode->codeError() + " (CodeStatus " +
                  std::to_string(barcode->CodeStatus()) + ")");
    controls_.push_back(std::move(control));
}

void LabelFile::capture(std::size_t index) {
    Control& control = *controls_.at(index);
    PropertyBag bag;
    control.element->WriteProperties(bag);
    Json& entry = document_["controls"][index];
    entry["properties"] = bag.toJson();
    const auto set = entry.find("set");
    if (set == entry.end() || !set->is_object()) return;
    for (auto& [key, value] : set->items())
        if (iequals(key, "Text")) value = tokenText(control);
}

// The text with its counter tokens, as the host set it and the counters advanced it: AutoText
// keeps it as Text; EanCode128's Text is the code with the tokens removed, so saving that would
// end the counters and repeat the last serial number on every later run.
std::string LabelFile::tokenText(const Control& control) {
    if (const auto* code128 = dynamic_cast<const EanCode128*>(control.element))
        return code128->tokenText();
    return control.object->getProperty("Text").toString().value();
}

void LabelFile::captureAll() {
    for (std::size_t i = 0; i < controls_.size(); ++i) capture(i);
}

std::string LabelFile::text() const {
    return document_.dump(2) + "\n";
}

} // namespace bw::host
