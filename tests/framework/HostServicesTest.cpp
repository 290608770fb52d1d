#include "framework/ChangeRecorder.h"
#include "framework/FileLogger.h"
#include "framework/HeadlessHost.h"
#include "framework/RecordingEventSink.h"
#include "framework/RecordingHost.h"
#include "support/ScopedEnv.h"

#include <array>
#include <gtest/gtest.h>

using namespace bw;

TEST(HostServices, TheProcessHostIsHeadlessUntilOneIsInstalled) {
    EXPECT_NE(dynamic_cast<HeadlessHost*>(&currentHost()), nullptr);
    test::RecordingHost host;
    test::TempDir data;
    host.setDataDirectory(data.withSeparator());
    {
        const ScopedHost installed(host);
        EXPECT_EQ(&currentHost(), &host);
        // A logger made with no arguments, as one is for each report, uses the installed host.
        EXPECT_EQ(FileLogger().logPath(), data.withSeparator() + "BWERROR.LOG");
    }
    EXPECT_NE(dynamic_cast<HeadlessHost*>(&currentHost()), nullptr);
}

TEST(HostServices, DialogsReportCancelAsTheControlDoes) {
    test::RecordingHost host;
    const FontChoice preset{FontDesc{"Arial", 12}, 0xFF};
    EXPECT_EQ(host.fontDialog(preset, 0x20003, false), std::nullopt);
    try {
        host.fontDialog(preset, 0x20003, true);
        ADD_FAILURE() << "Cancel should raise";
    } catch (const HostError& e) {
        EXPECT_EQ(e.number(), err::dialogCancelled);
    }
    const FontChoice chosen{FontDesc{"Arial Black", 18, true}, 0};
    host.fontDialogAnswers.push_back(chosen);
    EXPECT_EQ(host.fontDialog(preset, 0x20003, true), chosen);
    ASSERT_EQ(host.fontDialogs.size(), 3u);
    EXPECT_EQ(host.fontDialogs[2].preset, preset);
    EXPECT_EQ(host.fontDialogs[2].flags, 0x20003);

    HeadlessHost headless;
    EXPECT_EQ(headless.fontDialog(preset, 0, false), std::nullopt);
    EXPECT_FALSE(headless.printerDialog("Choose Printer", false));
    EXPECT_THROW(headless.printerDialog("Choose Printer", true), HostError);
}

TEST(HostServices, HeadlessAnswersWithoutAScreen) {
    const test::ScopedEnv registry("BWCTRLS_REGISTRY", "/tmp/bwctrls-headless-test");
    HeadlessHost host;
    EXPECT_EQ(host.messageBox("headless test: ignore", msgbox::okOnly), MsgBoxResult::Ok);
    EXPECT_EQ(host.messageBox("headless test: ignore", msgbox::yesNo), MsgBoxResult::Yes);
    EXPECT_EQ(host.focusedWindow(), 0u);
    EXPECT_EQ(host.twipsPerPixelX(), 15);
    EXPECT_EQ(host.twipsPerPixelY(), 15);
    EXPECT_EQ(host.registry().folder(), "/tmp/bwctrls-headless-test");
    EXPECT_TRUE(host.resource("ETABLES").empty());
    EXPECT_FALSE(host.generalDateNow().empty());
}

TEST(EventSink, ArgumentsPassByReferenceAndNoSinkIsNoError) {
    test::RecordingEventSink sink;
    sink.handler = [](std::string_view name, std::span<Variant> args) {
        if (name == "PackDetected") args[0] = 10.0f; // the host resets the count
    };
    std::array<Variant, 1> args{3.0f};
    raiseEvent(&sink, "PackDetected", args);
    EXPECT_EQ(args[0], Variant(10.0f));
    raiseEvent(&sink, "PlsSaveMe");
    ASSERT_EQ(sink.events.size(), 2u);
    EXPECT_EQ(sink.events[1].name, "PlsSaveMe");
    raiseEvent(nullptr, "PlsSaveMe", args);
}

TEST(ChangeRecorder, RecordsEachKeyOnceAndTellsTheListenerEveryTime) {
    ChangeRecorder changes;
    int heard = 0;
    changes.setListener([&](std::string_view) { ++heard; });
    changes.propertyChanged("PLeft");
    changes.propertyChanged("pleft");
    changes.propertyChanged("Text");
    EXPECT_EQ(changes.changedKeys(), (std::vector<std::string>{"PLeft", "Text"}));
    EXPECT_TRUE(changes.hasChanged("TEXT"));
    EXPECT_EQ(heard, 3);
    changes.clear();
    EXPECT_FALSE(changes.isDirty());
}
