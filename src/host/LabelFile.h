#pragma once
// A label file: the sheet it prints on and its controls, each an element of the library made
// by class name, loaded through the element's own load path from its property bag, then given
// the properties of "set" (the token text of counters lives there, since an element saves only
// its display text) and the method "calls".
//
// The document is kept as read, so a save changes only what the elements changed: capture()
// puts a control's bag, as the element saves it, and its current Text (into "set", where token
// texts live) back into the document.
//
// Loading never writes anything. Every problem is a LabelFileError naming the file, the JSON
// path and what was expected.

#include "framework/Element.h"
#include "framework/EventSink.h"
#include "framework/HostServices.h"
#include "framework/Object.h"
#include "host/LabelPage.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw::host {

class JsonNode;

class LabelFile {
public:
    using Json = nlohmann::ordered_json;
    // An element event of the control at `index`: its name, e.g. "PlsSaveMe".
    using EventListener = std::function<void(std::size_t index, std::string_view event)>;

    static constexpr std::string_view formatName = "bwctrls-label";
    static constexpr int formatVersion = 1;

    // Reads and loads `file`; `fileName` names it in errors when the text comes from elsewhere.
    explicit LabelFile(const std::filesystem::path& file, HostServices& host = currentHost());
    LabelFile(std::string_view text, const std::filesystem::path& fileName,
              HostServices& host = currentHost());
    ~LabelFile();
    LabelFile(const LabelFile&) = delete;
    LabelFile& operator=(const LabelFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    HostServices& host() const { return host_; }
    const LabelPage& page() const { return page_; }
    const std::optional<LabelCompensation>& compensation() const { return compensation_; }

    std::size_t controlCount() const { return controls_.size(); }
    const std::string& name(std::size_t index) const;
    const std::string& className(std::size_t index) const;
    const std::string& tag(std::size_t index) const;
    Object& object(std::size_t index);
    Element& element(std::size_t index);

    // Element events go here; none when empty.
    void setEventListener(EventListener listener) { listener_ = std::move(listener); }

    // The control's bag and Text as its element has them now go into the document.
    void capture(std::size_t index);
    void captureAll();
    // The document as JSON text, ready to write.
    std::string text() const;
    // The text the file held when it was loaded, byte for byte.
    const std::string& loadedText() const { return loadedText_; }

private:
    struct Control;
    class Events;

    void load(std::string_view text);
    void loadPage(const JsonNode& page);
    void loadCompensation(const JsonNode& compensation);
    void loadControl(const JsonNode& control, std::size_t index);
    void dispatch(std::size_t index, std::string_view event);
    static std::string tokenText(const Control& control);

    std::filesystem::path path_;
    HostServices& host_;
    std::string loadedText_;
    Json document_;
    LabelPage page_;
    std::optional<LabelCompensation> compensation_;
    std::vector<std::unique_ptr<Control>> controls_;
    EventListener listener_;
};

} // namespace bw::host
