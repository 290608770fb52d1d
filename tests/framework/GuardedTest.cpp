#include "framework/Guarded.h"

#include "framework/HostError.h"
#include "framework/RecordingHost.h"
#include "support/FileText.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace bw;

namespace {

// A minimal element: one operation that changes state, then may fail.
struct Counter {
    HostServices& host;
    int value = 0;
    bool fail = false;

    int Increment() {
        return guarded(host, "Counter:Increment", -1, [&] {
            ++value;
            if (fail) throw HostError(ErrorInfo{11, "Counter", "Division by zero", 0});
            return value;
        });
    }
};

} // namespace

TEST(Guarded, AFailureIsLoggedUnderItsTagAndTheFallbackReturned) {
    test::RecordingHost host;
    test::TempDir data;
    host.setDataDirectory(data.withSeparator());
    Counter counter{host};
    EXPECT_EQ(counter.Increment(), 1);
    EXPECT_FALSE(std::filesystem::exists(data.path() / "BWERROR.LOG"));

    counter.fail = true;
    EXPECT_EQ(counter.Increment(), -1);
    EXPECT_EQ(test::fileText(data.path() / "BWERROR.LOG"), "03/15/24 14:05:09: 11\r\n"
                                                           "Source: Counter\r\n"
                                                           "Description: Division by zero\r\n"
                                                           "Call info: Counter:Increment\r\n"
                                                           "Erl:0\r\n"
                                                           "------------------------------\r\n");
}

TEST(Guarded, StandardExceptionsGetTheRuntimeNumberOfTheirKind) {
    struct Case {
        std::function<void()> fail;
        std::int32_t number;
        const char* description;
    } cases[] = {
        {[] { throw std::out_of_range("index 7"); }, err::subscriptOutOfRange, "index 7"},
        {[] { throw std::overflow_error("too big"); }, err::overflow, "too big"},
        {[] { throw std::bad_alloc(); }, err::outOfMemory, "Out of memory"},
        {[] { throw std::runtime_error("odd"); }, err::invalidProcedureCall, "odd"},
        {[] { throw 42; }, err::invalidProcedureCall, "Unknown failure"},
        {[] { throw HostError(9, "Subscript", "RDI"); }, 9, "Subscript"},
    };
    for (const Case& c : cases) {
        try {
            c.fail();
        } catch (...) {
            const ErrorInfo info = currentErrorInfo();
            EXPECT_EQ(info.number, c.number) << c.description;
            EXPECT_EQ(info.description, c.description);
        }
    }
}

TEST(Guarded, AlertComesBeforeTheEntry) {
    test::RecordingHost host;
    host.fileService = false; // the entry shows as a second message box
    guardedAlert(host, "AutoText:LPrint", "AutoText:LPRINT:HitError",
                 [] { throw HostError(5, "Bad call", "AutoText"); });
    ASSERT_EQ(host.messageBoxes.size(), 2u);
    EXPECT_EQ(host.messageBoxes[0].text, "AutoText:LPRINT:HitError");
    EXPECT_EQ(host.messageBoxes[1].text,
              "BWCTRLS Error: AutoText:LPrint Source: AutoText Desc:Bad call");

    guarded(host, "AutoText:ReDraw", [] {});
    EXPECT_EQ(host.messageBoxes.size(), 2u);
}

TEST(Guarded, AnUnwritableLogReachesTheCallerAndTheElementStaysUsable) {
    test::RecordingHost host;
    host.setDataDirectory("/nonexistent/bwctrls/");
    Counter counter{host, 0, true};
    try {
        counter.Increment();
        ADD_FAILURE() << "the log failure should propagate";
    } catch (const HostError& e) {
        EXPECT_EQ(e.number(), err::pathNotFound);
    }
    EXPECT_EQ(counter.value, 1); // what the body did, nothing more
    counter.fail = false;
    EXPECT_EQ(counter.Increment(), 2);
}
