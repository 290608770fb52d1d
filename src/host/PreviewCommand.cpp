#include "host/PreviewCommand.h"

#include "framework/Gdi.h"
#include "framework/Rounding.h"
#include "host/CommandError.h"
#include "host/HostLabelForm.h"
#include "host/LabelFile.h"
#include "host/LabelFileError.h"
#include "host/PageSetUp.h"
#include "printing/LabelPrinter.h"

#include <optional>

namespace bw::host {

namespace {

// The picture's context, deleted on every path.
class PictureContext {
public:
    PictureContext(int width, int height) : hdc_(gdi::CreateWindowDC(width, height)) {}
    ~PictureContext() {
        if (hdc_) gdi::DeleteDC(hdc_);
    }
    PictureContext(const PictureContext&) = delete;
    PictureContext& operator=(const PictureContext&) = delete;
    HDC get() const { return hdc_; }

private:
    HDC hdc_;
};

int pixels(std::int32_t twips, int dpi) {
    return toInt32(double(twips) * dpi / 1440.0).value_or(0);
}

} // namespace

ExitCode PreviewCommand::run(const PreviewOptions& options, std::ostream& out) {
    if (options.dpi < smallestDpi || options.dpi > largestDpi)
        throw CommandError(ExitCode::Usage, "--dpi must be from " + std::to_string(smallestDpi) +
                                                " to " + std::to_string(largestDpi) + ", not " +
                                                std::to_string(options.dpi));
    std::optional<LabelFile> label;
    try {
        label.emplace(options.file);
    } catch (const LabelFileError& e) {
        throw CommandError(ExitCode::BadLabelFile, e.what());
    }

    // The label's size as the engine reckons it; the built-in printer is always there, and
    // text is measured alike on every printer.
    LabelPrinter engine;
    engine.setDesignMode(false);
    PageSetUp::apply(engine, label->page(), std::nullopt, "PDF");
    const RECT labelTwips = engine.geometry().recordingWindow;
    const int width = pixels(labelTwips.right, options.dpi);
    const int height = pixels(labelTwips.bottom, options.dpi);
    if (width <= 0 || height <= 0)
        throw CommandError(ExitCode::Failure, "the label has no area to draw");

    PictureContext picture(width, height);
    if (!picture.get())
        throw CommandError(ExitCode::Failure, "no picture of " + std::to_string(width) + " x " +
                                                  std::to_string(height) + " pixels can be made");
    const HDC hdc = picture.get();
    gdi::SetMapMode(hdc, MM_ANISOTROPIC);
    gdi::SetWindowExtEx(hdc, labelTwips.right, labelTwips.bottom);
    gdi::SetViewportExtEx(hdc, width, height);

    HostLabelForm form(*label);
    for (std::int32_t i = 0; i < form.ControlCount(); ++i) {
        LabelControl& control = form.Controls(i);
        if (control.Tag() == "P") control.oref().LPrint(hdc);
    }
    if (!gdi::SaveDCAsPNG(hdc, options.output))
        throw CommandError(ExitCode::OutputFailed, "cannot write " + options.output.string());
    out << "wrote " << options.output.string() << " (" << width << " x " << height << " pixels, "
        << options.dpi << " dpi)\n";
    return ExitCode::Ok;
}

} // namespace bw::host
