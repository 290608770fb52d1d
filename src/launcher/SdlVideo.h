#pragma once
// SDL's video subsystem for the lifetime of the object.

namespace stockmark {

class SdlVideo {
public:
    SdlVideo();
    ~SdlVideo();
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;

    // False when there is no display to show a window on.
    bool available() const { return available_; }

private:
    bool available_;
};

} // namespace stockmark
