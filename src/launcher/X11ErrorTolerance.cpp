#include "X11ErrorTolerance.h"

#include <X11/Xlib.h>

namespace stockmark {

namespace {

int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

X11ErrorTolerance::X11ErrorTolerance()
    : previous_(reinterpret_cast<AnyFunction>(XSetErrorHandler(ignoreError))) {}

X11ErrorTolerance::~X11ErrorTolerance() {
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_));
}

} // namespace stockmark
