#pragma once
// Where the splash window goes: the picture centred on the screen, with a one-pixel border
// around it. The origin is computed from the picture's size with a division that truncates
// toward zero, and is not clamped, so on a screen smaller than the picture it is negative and
// the window lies partly off screen.

namespace stockmark {

struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class SplashGeometry {
public:
    static constexpr int pictureWidth = 600;
    static constexpr int pictureHeight = 317;
    static constexpr int border = 1;
    static constexpr int windowWidth = pictureWidth + 2 * border;
    static constexpr int windowHeight = pictureHeight + 2 * border;

    static SplashGeometry centredOn(const ScreenArea& screen);

    // Top-left corner of the window, border included, in screen coordinates.
    int x() const { return x_; }
    int y() const { return y_; }

    // True when a point in window coordinates lies on the picture rather than on the border.
    static bool onPicture(int windowX, int windowY);

private:
    SplashGeometry(int x, int y) : x_(x), y_(y) {}
    int x_;
    int y_;
};

} // namespace stockmark
