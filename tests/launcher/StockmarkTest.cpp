// The Stockmark program as a user meets it: on a private X server started by each test, with a
// stand-in host application in its working directory.

#include "ChildProcess.h"
#include "HostStub.h"
#include "ScratchDir.h"
#include "XClient.h"
#include "XvfbServer.h"

#include <SDL.h>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <sys/prctl.h>
#include <thread>

namespace stockmark::testing {

void PrintTo(const WindowPlace& p, std::ostream* out) {
    *out << p.width << " x " << p.height << " at (" << p.x << ", " << p.y << ")";
}

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char* noXvfb = "Xvfb is not installed; the launcher needs an X server to show on";
constexpr const char* marker = "passed through from the launcher";
const std::filesystem::path artwork = STOCKMARK_ARTWORK;

// The launcher's environment: the test's own, with the display under the test's control.
ChildProcess::Options launcherOptions(const std::optional<std::string>& display,
                                      const std::filesystem::path& directory,
                                      const std::filesystem::path& firstOnPath = {}) {
    Environment environment = ChildProcess::currentEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"})
        environment.erase(name);
    if (display) environment["DISPLAY"] = *display;
    environment[HostStub::markerVariable] = marker;
    if (!firstOnPath.empty())
        environment["PATH"] = firstOnPath.string() + ":" + environment["PATH"];
    // Read only by a launcher built with sanitizers.
    std::string& leakOptions = environment["LSAN_OPTIONS"];
    leakOptions = std::string("suppressions=") + STOCKMARK_LSAN_SUPPRESSIONS +
                  (leakOptions.empty() ? "" : ":" + leakOptions);
    return {{STOCKMARK_PATH}, environment, directory};
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // rows top-down
};

Picture loadBitmap(const std::filesystem::path& file) {
    struct Release {
        void operator()(SDL_Surface* s) const noexcept { SDL_FreeSurface(s); }
    };
    const std::unique_ptr<SDL_Surface, Release> loaded(SDL_LoadBMP(file.c_str()));
    if (!loaded) throw std::runtime_error("cannot read " + file.string() + ": " + SDL_GetError());
    const std::unique_ptr<SDL_Surface, Release> argb(
        SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    Picture picture{argb->w, argb->h, {}};
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const unsigned char*>(argb->pixels) + y * argb->pitch);
        picture.argb.insert(picture.argb.end(), row, row + argb->w);
    }
    return picture;
}

// What the window should show: the splash picture inside a one-pixel black frame.
std::vector<std::uint32_t> framedSplash() {
    const Picture splash = loadBitmap(artwork / "splash.bmp");
    const int width = splash.width + 2;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * (splash.height + 2), 0);
    for (int y = 0; y < splash.height; ++y)
        for (int x = 0; x < splash.width; ++x)
            pixels[static_cast<std::size_t>(y + 1) * width + x + 1] =
                splash.argb[static_cast<std::size_t>(y) * splash.width + x] & 0xFFFFFF;
    return pixels;
}

// Empty when the pictures agree, else how many pixels differ and the first of them.
std::string difference(const std::vector<std::uint32_t>& expected,
                       const std::vector<std::uint32_t>& actual, int width) {
    if (expected.size() != actual.size())
        return "sizes differ: " + std::to_string(expected.size()) + " and " +
               std::to_string(actual.size()) + " pixels";
    std::size_t count = 0, first = 0;
    for (std::size_t i = expected.size(); i-- > 0;)
        if (expected[i] != actual[i]) ++count, first = i;
    if (count == 0) return {};
    std::ostringstream out;
    out << count << " pixels differ, the first at (" << first % width << ", " << first / width
        << "): expected " << std::hex << expected[first] << ", shown " << actual[first];
    return out.str();
}

// The window is painted shortly after it is mapped; give it a moment to agree.
std::string differenceOnScreen(const XClient& x, XClient::WindowId window,
                               const std::vector<std::uint32_t>& expected, int width) {
    const auto deadline = Clock::now() + 3s;
    std::string result;
    do {
        result = difference(expected, x.capture(window), width);
        if (result.empty()) break;
        std::this_thread::sleep_for(20ms);
    } while (Clock::now() < deadline);
    return result;
}

bool waitUntilGone(const XClient& x, XClient::WindowId window, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (x.isViewable(window)) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// The splash ends when its window leaves the screen, and the program follows. `run` names the
// run in messages and in the recorded figures (shown_ms_..., cpu_ms_...).
void expectSevenSecondsOfSplash(const ChildProcess& launcher, Clock::time_point windowSeen,
                                std::optional<Clock::time_point> windowGone,
                                const std::optional<ChildProcess::Exit>& exit,
                                const std::string& run) {
    SCOPED_TRACE(run);
    ASSERT_TRUE(windowGone) << "the window was still up after 15 s";
    // The seven seconds begin after the program starts, and once its window is up: the time
    // it takes to load and open the window (long in a sanitizer build) is not part of them.
    const auto shown = *windowGone - windowSeen;
    ::testing::Test::RecordProperty(
        "shown_ms_" + run,
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(shown).count()));
    EXPECT_GE(*windowGone - launcher.startedAt(), 7000ms);
    EXPECT_LE(shown, 7500ms);

    ASSERT_TRUE(exit) << "the program was still running after 15 s";
    EXPECT_TRUE(exit->exitedWith(0)) << "wait status " << exit->status;
    EXPECT_LT(exit->at - *windowGone, 2s) << "the program went on without its window";
    // It waits for events instead of polling, so the seven seconds cost next to nothing.
    ::testing::Test::RecordProperty("cpu_ms_" + run, static_cast<int>(exit->cpuSeconds * 1000));
    EXPECT_LT(exit->cpuSeconds, 0.5);
}

class StockmarkTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The host outlives the launcher that started it and is orphaned. As the subreaper of
        // its descendants, the test process inherits it, can see it run and reaps it at the end.
        ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    }
};

TEST_F(StockmarkTest, ShowsTheSplashForSevenSecondsWithOrWithoutAHost) {
    if (!XvfbServer::installed()) GTEST_SKIP() << noXvfb;
    // Two launchers at once, each on its own server, so that the seven seconds pass only once:
    // one finds a host in its working directory, the other finds one only on PATH.
    const XvfbServer withHostServer(1024, 768);
    const XvfbServer withoutHostServer(1024, 768);
    const ScratchDir withHostDir("stockmark-host"), withoutHostDir("stockmark-nohost");
    const ScratchDir pathDir("stockmark-path"), logs("stockmark-logs");
    const HostStub host(withHostDir.path(), logs.path() / "host.log");
    const HostStub hostOnPath(pathDir.path(), logs.path() / "path.log");

    ChildProcess withHost(launcherOptions(withHostServer.display(), withHostDir.path()));
    ChildProcess withoutHost(
        launcherOptions(withoutHostServer.display(), withoutHostDir.path(), pathDir.path()));
    auto withHostExit = std::async(std::launch::async, [&] { return withHost.waitFor(15s); });
    auto withoutHostExit = std::async(std::launch::async, [&] { return withoutHost.waitFor(15s); });

    // Both windows are looked for before anything else, to know when each came up.
    const XClient x(withHostServer.display());
    const XClient otherX(withoutHostServer.display());
    const auto window = x.waitForWindow(withHost.pid(), 5s);
    const Clock::time_point windowSeen = Clock::now();
    const auto otherWindow = otherX.waitForWindow(withoutHost.pid(), 5s);
    const Clock::time_point otherWindowSeen = Clock::now();
    ASSERT_TRUE(window) << "no window on " << withHostServer.display();
    ASSERT_TRUE(otherWindow) << "no window on " << withoutHostServer.display();

    const WindowPlace centred{212, 225, 602, 319};
    EXPECT_EQ(x.place(*window), centred);
    EXPECT_EQ(otherX.place(*otherWindow), centred);
    EXPECT_EQ(x.name(*window), "Stockmark");
    EXPECT_EQ(x.utf8Name(*window), "Stockmark");
    EXPECT_EQ(x.className(*window), "STOCKMARK");
    EXPECT_EQ(differenceOnScreen(x, *window, framedSplash(), centred.width), "");

    const std::vector<WindowIcon> icons = x.icons(*window);
    ASSERT_EQ(icons.size(), 2u);
    const char* iconFiles[] = {"icon32.bmp", "icon16.bmp"};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const Picture expected = loadBitmap(artwork / iconFiles[i]);
        EXPECT_EQ(icons[i].width, expected.width) << iconFiles[i];
        EXPECT_EQ(icons[i].height, expected.height) << iconFiles[i];
        std::vector<std::uint32_t> opaque = expected.argb;
        for (std::uint32_t& p : opaque) p |= 0xFF000000u;
        EXPECT_EQ(difference(opaque, icons[i].argb, expected.width), "") << iconFiles[i];
    }

    // Both windows are watched together, so that each one's end is seen as it happens.
    std::optional<Clock::time_point> windowGone, otherWindowGone;
    for (const auto deadline = Clock::now() + 15s;
         (!windowGone || !otherWindowGone) && Clock::now() < deadline;) {
        if (!windowGone && !x.isViewable(*window)) windowGone = Clock::now();
        if (!otherWindowGone && !otherX.isViewable(*otherWindow)) otherWindowGone = Clock::now();
        std::this_thread::sleep_for(2ms);
    }
    expectSevenSecondsOfSplash(withHost, windowSeen, windowGone, withHostExit.get(),
                               "host_in_working_directory");
    expectSevenSecondsOfSplash(withoutHost, otherWindowSeen, otherWindowGone, withoutHostExit.get(),
                               "host_only_on_path");

    // Started once, by its file name alone, with the launcher's directory and environment,
    // and still running now that the launcher has gone.
    const std::vector<HostStart> starts = host.waitForStarts(1, 2s);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].argumentCount, 0);
    EXPECT_EQ(starts[0].directory, withHostDir.path());
    EXPECT_EQ(starts[0].marker, marker);
    EXPECT_TRUE(HostStub::isRunning(starts[0].pid));
    EXPECT_TRUE(hostOnPath.starts().empty()) << "the host was looked for on PATH";
}

TEST_F(StockmarkTest, LeftClickOnThePictureEndsTheSplashAtOnce) {
    if (!XvfbServer::installed()) GTEST_SKIP() << noXvfb;
    struct Click {
        unsigned button; // 1 left, 3 right
        int x, y;        // on the screen
    };
    struct Case {
        const char* name;
        int screenWidth, screenHeight;
        WindowPlace window;
        std::vector<Click> ignored; // each leaves the splash showing
        Click closing;
    };
    const Case cases[] = {
        {"right button, then the left on two corners of the border, then on the picture",
         1024,
         768,
         {212, 225, 602, 319},
         {{3, 513, 385}, {1, 212, 225}, {1, 813, 543}},
         {1, 513, 385}},
        {"screen smaller than the picture: negative origin",
         500,
         300,
         {-50, -8, 602, 319},
         {},
         {1, 250, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const XvfbServer server(c.screenWidth, c.screenHeight);
        const ScratchDir directory("stockmark-click"), logs("stockmark-logs");
        const HostStub host(directory.path(), logs.path() / "host.log");
        ChildProcess launcher(launcherOptions(server.display(), directory.path()));
        const XClient x(server.display());
        const auto window = x.waitForWindow(launcher.pid(), 5s);
        ASSERT_TRUE(window) << "no window on " << server.display();
        EXPECT_EQ(x.place(*window), c.window);

        for (const Click& click : c.ignored) {
            x.click(click.button, click.x, click.y);
            EXPECT_FALSE(waitUntilGone(x, *window, 300ms))
                << "closed by button " << click.button << " at (" << click.x << ", " << click.y
                << ")";
        }
        x.click(c.closing.button, c.closing.x, c.closing.y);
        EXPECT_TRUE(waitUntilGone(x, *window, 1s)) << "the window stayed up after the click";
        const auto exit = launcher.waitFor(5s);
        ASSERT_TRUE(exit) << "the program went on after the click";
        EXPECT_TRUE(exit->exitedWith(0)) << "wait status " << exit->status;

        // The host started before the click goes on running.
        const std::vector<HostStart> starts = host.waitForStarts(1, 5s);
        ASSERT_EQ(starts.size(), 1u);
        EXPECT_TRUE(HostStub::isRunning(starts[0].pid));
    }
}

TEST_F(StockmarkTest, WithoutADisplayEndsAtOnceAndStartsNothing) {
    const ScratchDir directory("stockmark-nodisplay"), logs("stockmark-logs");
    const HostStub host(directory.path(), logs.path() / "host.log");
    ChildProcess launcher(launcherOptions(std::nullopt, directory.path()));
    const auto exit = launcher.waitFor(10s);
    ASSERT_TRUE(exit) << "still running without a display";
    EXPECT_TRUE(exit->exitedWith(0)) << "wait status " << exit->status;
    EXPECT_LT(exit->at - launcher.startedAt(), 2s);
    EXPECT_TRUE(host.waitForStarts(1, 500ms).empty()) << "the host was started";
}

} // namespace
} // namespace stockmark::testing
