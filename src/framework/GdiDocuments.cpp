// Printer documents and pages. A PDF document is written to a partial file and renamed into
// place when it ends, so a failed or aborted run never leaves a torn document behind. A page
// whose copy count is above one is recorded once and then repeated, so the PDF carries its
// drawing once and each copy refers to it.

#include "framework/DeviceContext.h"
#include "framework/Gdi.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace bw::gdi {

namespace {

constexpr int SP_ERROR = -1;

double pointsPerDeviceX(const DeviceContext& dc) {
    return 72.0 / dc.facts.dpiX;
}
double pointsPerDeviceY(const DeviceContext& dc) {
    return 72.0 / dc.facts.dpiY;
}

// Device units to the page surface's units: points for PDF, paper pixels for PNG; the printable
// area starts at the physical offset.
cairo_matrix_t pageMatrix(const DeviceContext& dc, bool pdf) {
    cairo_matrix_t m;
    if (pdf)
        cairo_matrix_init_scale(&m, pointsPerDeviceX(dc), pointsPerDeviceY(dc));
    else
        cairo_matrix_init_identity(&m);
    cairo_matrix_translate(&m, dc.facts.offsetX, dc.facts.offsetY);
    return m;
}

CairoSurface idleSurface() {
    return CairoSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1));
}

std::filesystem::path pngPagePath(const std::filesystem::path& target, int page) {
    std::filesystem::path p = target;
    p.replace_filename(target.stem().string() + "-" + std::to_string(page) +
                       target.extension().string());
    return p;
}

bool writePng(cairo_surface_t* image, const std::filesystem::path& file) {
    std::filesystem::path partial = file;
    partial += ".part";
    if (cairo_surface_write_to_png(image, partial.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::error_code ec;
        std::filesystem::remove(partial, ec);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(partial, file, ec);
    return !ec;
}

// The PDF file a document is written to. cairo's own file output loses write errors (a full
// disk gave a truncated document that looked finished), so the document writes through this
// and EndDoc asks it whether every byte reached the disk.
class PdfFile {
public:
    explicit PdfFile(int fd) : fd_(fd) {}
    ~PdfFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    // A PDF surface writing to `file`; null when the file cannot be made. The surface owns
    // the file.
    static cairo_surface_t* create(const std::filesystem::path& file, double w, double h) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) return nullptr;
        auto out = std::make_unique<PdfFile>(fd);
        cairo_surface_t* pdf =
            cairo_pdf_surface_create_for_stream(&PdfFile::write, out.get(), w, h);
        if (cairo_surface_set_user_data(pdf, &key, out.get(), &PdfFile::destroy) ==
            CAIRO_STATUS_SUCCESS)
            out.release();
        return pdf;
    }
    // After the surface is finished: whether everything was written and flushed to the disk.
    static bool complete(cairo_surface_t* pdf) {
        auto* out = static_cast<PdfFile*>(cairo_surface_get_user_data(pdf, &key));
        if (!out || out->fd_ < 0 || out->failed_) return false;
        const bool flushed = ::fsync(out->fd_) == 0;
        return ::close(std::exchange(out->fd_, -1)) == 0 && flushed;
    }

private:
    static void destroy(void* p) { std::unique_ptr<PdfFile>(static_cast<PdfFile*>(p)); }
    static cairo_status_t write(void* closure, const unsigned char* data, unsigned int length) {
        auto* out = static_cast<PdfFile*>(closure);
        while (length > 0 && out->fd_ >= 0 && !out->failed_) {
            const ssize_t n = ::write(out->fd_, data, length);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            data += n;
            length -= static_cast<unsigned int>(n);
        }
        out->failed_ = out->failed_ || length > 0;
        return out->failed_ ? CAIRO_STATUS_WRITE_ERROR : CAIRO_STATUS_SUCCESS;
    }

    static inline const cairo_user_data_key_t key{};
    int fd_;
    bool failed_ = false;
};

DeviceContext* printerDC(HDC hdc) {
    DeviceContext* dc = findDC(hdc);
    return dc && dc->printer ? dc : nullptr;
}

bool isPdf(const DeviceContext& dc) {
    return dc.printer->format != "png";
}

} // namespace

int StartDoc(HDC hdc, const DOCINFO& doc) {
    DeviceContext* dc = printerDC(hdc);
    if (!dc || dc->document) return SP_ERROR;
    dc->log("StartDoc", {}, doc.lpszDocName);
    DeviceContext::Document d;
    d.target = doc.lpszOutput.empty() ? dc->printer->port : doc.lpszOutput;
    if (d.target.empty()) return SP_ERROR;
    const std::filesystem::path folder = d.target.parent_path();
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) return SP_ERROR;
    if (isPdf(*dc)) {
        d.partial = d.target;
        d.partial += ".part";
        const double w = dc->facts.physicalWidth * pointsPerDeviceX(*dc);
        const double h = dc->facts.physicalHeight * pointsPerDeviceY(*dc);
        d.pdf.reset(PdfFile::create(d.partial, w, h));
        if (!d.pdf || cairo_surface_status(d.pdf.get()) != CAIRO_STATUS_SUCCESS) return SP_ERROR;
        cairo_pdf_surface_set_metadata(d.pdf.get(), CAIRO_PDF_METADATA_TITLE,
                                       doc.lpszDocName.c_str());
        cairo_pdf_surface_set_metadata(d.pdf.get(), CAIRO_PDF_METADATA_CREATOR, "BWCTRLS");
    }
    dc->document = std::move(d);
    return 1;
}

int StartPage(HDC hdc) {
    DeviceContext* dc = printerDC(hdc);
    if (!dc || !dc->document || dc->document->pageOpen || dc->document->failed) return SP_ERROR;
    dc->log("StartPage", {});
    DeviceContext::Document& d = *dc->document;
    d.pageCopies = std::clamp(dc->printer->settings.dmCopies, 1, dc->printer->maxCopies);
    const bool pdf = isPdf(*dc);
    if (pdf) {
        const double w = dc->facts.physicalWidth * pointsPerDeviceX(*dc);
        const double h = dc->facts.physicalHeight * pointsPerDeviceY(*dc);
        cairo_pdf_surface_set_size(d.pdf.get(), w, h);
        if (d.pageCopies > 1) {
            const cairo_rectangle_t extents{0, 0, w, h};
            d.pageRecording.reset(
                cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents));
            dc->setSurface(shareSurface(d.pageRecording.get()), pageMatrix(*dc, true));
        } else {
            dc->setSurface(shareSurface(d.pdf.get()), pageMatrix(*dc, true));
        }
    } else {
        CairoSurface page(cairo_image_surface_create(CAIRO_FORMAT_RGB24,
                                                     std::max(1, dc->facts.physicalWidth),
                                                     std::max(1, dc->facts.physicalHeight)));
        if (cairo_surface_status(page.get()) != CAIRO_STATUS_SUCCESS) return SP_ERROR;
        CairoContext white(cairo_create(page.get()));
        cairo_set_source_rgb(white.get(), 1, 1, 1);
        cairo_paint(white.get());
        dc->setSurface(std::move(page), pageMatrix(*dc, false));
    }
    d.pageOpen = true;
    return 1;
}

int EndPage(HDC hdc) {
    DeviceContext* dc = printerDC(hdc);
    if (!dc || !dc->document || !dc->document->pageOpen) return SP_ERROR;
    dc->log("EndPage", {});
    DeviceContext::Document& d = *dc->document;
    d.pageOpen = false;
    bool ok = true;
    if (isPdf(*dc)) {
        if (d.pageRecording) {
            dc->setSurface(idleSurface()); // finishes drawing into the recording
            for (int copy = 0; copy < d.pageCopies; ++copy) {
                CairoContext c(cairo_create(d.pdf.get()));
                cairo_set_source_surface(c.get(), d.pageRecording.get(), 0, 0);
                cairo_paint(c.get());
                cairo_show_page(c.get());
            }
            d.pageRecording.reset();
        } else {
            cairo_show_page(dc->cr());
            dc->setSurface(idleSurface());
        }
        ok = cairo_surface_status(d.pdf.get()) == CAIRO_STATUS_SUCCESS;
    } else {
        CairoSurface page = shareSurface(dc->surface());
        dc->setSurface(idleSurface());
        cairo_surface_flush(page.get());
        for (int copy = 0; copy < d.pageCopies && ok; ++copy)
            ok = writePng(page.get(), pngPagePath(d.target, ++d.pngPageNumber));
    }
    if (!ok) {
        d.failed = true;
        return SP_ERROR;
    }
    dc->pagesWritten += d.pageCopies;
    return 1;
}

int EndDoc(HDC hdc) {
    DeviceContext* dc = printerDC(hdc);
    if (!dc || !dc->document) return SP_ERROR;
    dc->log("EndDoc", {});
    if (dc->document->pageOpen && EndPage(hdc) <= 0) dc->document->failed = true;
    DeviceContext::Document d = std::move(*dc->document);
    dc->document.reset();
    bool ok = !d.failed;
    if (d.pdf) {
        cairo_surface_finish(d.pdf.get()); // writes the rest; a full disk shows in the status
        ok = ok && cairo_surface_status(d.pdf.get()) == CAIRO_STATUS_SUCCESS;
        ok = PdfFile::complete(d.pdf.get()) && ok;
        d.pdf.reset();
        std::error_code ec;
        if (ok) std::filesystem::rename(d.partial, d.target, ec);
        if (!ok || ec) {
            std::filesystem::remove(d.partial, ec);
            return SP_ERROR;
        }
    }
    return ok ? 1 : SP_ERROR;
}

int AbortDoc(HDC hdc) {
    DeviceContext* dc = printerDC(hdc);
    if (!dc || !dc->document) return SP_ERROR;
    dc->log("AbortDoc", {});
    DeviceContext::Document d = std::move(*dc->document);
    dc->document.reset();
    dc->setSurface(idleSurface());
    d.pageRecording.reset();
    d.pdf.reset();
    std::error_code ec;
    if (!d.partial.empty()) std::filesystem::remove(d.partial, ec);
    return 1;
}

int GetPagesWritten(HDC hdc) {
    const DeviceContext* dc = printerDC(hdc);
    return dc ? dc->pagesWritten : 0;
}

} // namespace bw::gdi
