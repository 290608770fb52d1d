#pragma once
// Host services for tests: records message boxes, beeps and dialogs, answers them from a
// script, keeps its own registry in a temporary folder, writes a fixed date and runs timers
// and simulated serial ports on a virtual clock.

#include "framework/HostServices.h"
#include "framework/SerialPortSimulator.h"
#include "framework/SystemLocale.h"
#include "support/TempDir.h"

#include <deque>
#include <string>
#include <vector>

namespace bw::test {

class RecordingHost : public HostServices {
public:
    struct MessageBox {
        std::string text;
        int buttons;
        std::string title;
    };
    struct FontDialog {
        FontChoice preset;
        std::int32_t flags;
    };

    // Recorded calls.
    std::vector<MessageBox> messageBoxes;
    int beeps = 0;
    std::vector<FontDialog> fontDialogs;
    std::vector<std::string> printerDialogs;

    // Scripted answers; an empty script answers OK to message boxes and Cancel to dialogs.
    std::deque<MsgBoxResult> messageBoxAnswers;
    std::deque<std::optional<FontChoice>> fontDialogAnswers;
    std::deque<bool> printerDialogAnswers;

    WindowId focused = 0;
    bool fileService = true;
    std::string dateText = "03/15/24 14:05:09";
    std::locale hostLocale = std::locale::classic();

    VirtualClock clock;
    EventLoop loop{clock};
    SerialPortSimulator serial{loop};

    MsgBoxResult messageBox(std::string_view text, int buttons = msgbox::okOnly,
                            std::string_view title = {}) override {
        messageBoxes.push_back({std::string(text), buttons, std::string(title)});
        return next(messageBoxAnswers, MsgBoxResult::Ok);
    }
    void beep() override { ++beeps; }
    WindowId focusedWindow() const override { return focused; }
    int twipsPerPixelX() const override { return 15; }
    int twipsPerPixelY() const override { return 15; }
    std::locale locale() const override { return hostLocale; }
    std::string generalDateNow() const override { return dateText; }
    std::span<const std::byte> resource(std::string_view) const override { return {}; }
    std::string stringResource(int) const override { return {}; }
    EventLoop& eventLoop() override { return loop; }
    std::unique_ptr<SerialPort> createSerialPort() override { return serial.createPort(); }
    Registry registry() const override { return Registry(registryDir_.path()); }
    bool fileServiceAvailable() const override { return fileService; }

    // Points the registry's data directory at `dir`, as the host's installer records it.
    void setDataDirectory(const std::string& dir) {
        registry().writeString(RegistryRoot::CurrentUser,
                               "Software\\Brightwell\\Packline\\1.0\\DataDirectory", "", dir);
    }

protected:
    std::optional<FontChoice> showFontDialog(const FontChoice& preset,
                                             std::int32_t flags) override {
        fontDialogs.push_back({preset, flags});
        return next(fontDialogAnswers, std::optional<FontChoice>());
    }
    bool showPrinterDialog(std::string_view title) override {
        printerDialogs.emplace_back(title);
        return next(printerDialogAnswers, false);
    }

private:
    template <class T>
    static T next(std::deque<T>& script, T otherwise) {
        if (script.empty()) return otherwise;
        T answer = std::move(script.front());
        script.pop_front();
        return answer;
    }

    TempDir registryDir_;
};

} // namespace bw::test
