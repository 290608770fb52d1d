#pragma once
// A private X server for one test: Xvfb on the first free display number, with one screen of
// the given size in true colour. Stopped when the object goes.

#include "ChildProcess.h"
#include "ScratchDir.h"

#include <memory>
#include <string>

namespace stockmark::testing {

class XvfbServer {
public:
    // Whether Xvfb can be found on PATH.
    static bool installed();

    // Starts the server and waits until it accepts clients; throws with the server's own
    // messages if it does not.
    XvfbServer(int width, int height);
    ~XvfbServer();

    // The DISPLAY value that reaches this server, such as ":3".
    const std::string& display() const { return display_; }

private:
    ScratchDir logDir_;
    std::unique_ptr<ChildProcess> server_;
    std::string display_;
};

} // namespace stockmark::testing
