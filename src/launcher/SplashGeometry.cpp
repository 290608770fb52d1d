#include "SplashGeometry.h"

namespace stockmark {

SplashGeometry SplashGeometry::centredOn(const ScreenArea& screen) {
    // Integer division in C++ truncates toward zero: (500 - 600) / 2 is -50, (599 - 600) / 2 is 0.
    return {screen.x + (screen.width - pictureWidth) / 2,
            screen.y + (screen.height - pictureHeight) / 2};
}

bool SplashGeometry::onPicture(int windowX, int windowY) {
    return windowX >= border && windowX < border + pictureWidth && windowY >= border &&
           windowY < border + pictureHeight;
}

} // namespace stockmark
