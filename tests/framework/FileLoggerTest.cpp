#include "framework/FileLogger.h"

#include "framework/RecordingHost.h"
#include "support/FileText.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace bw;

namespace {

class FileLoggerTest : public ::testing::Test {
protected:
    FileLoggerTest() { host.setDataDirectory(data.withSeparator()); }
    std::filesystem::path logFile() const { return data.path() / "BWERROR.LOG"; }

    test::RecordingHost host; // the date line reads "03/15/24 14:05:09"
    test::TempDir data;
};

} // namespace

TEST_F(FileLoggerTest, AnEntryIsSixLinesEndedByCrLf) {
    FileLogger log(host);
    EXPECT_EQ(log.logPath(), logFile().string());
    EXPECT_FALSE(log.WriteEntry({1234, "AutoText", "Overflow", 0}, "AutoText:Reformat"));
    EXPECT_EQ(test::fileText(logFile()), "03/15/24 14:05:09: 1234\r\n"
                                         "Source: AutoText\r\n"
                                         "Description: Overflow\r\n"
                                         "Call info: AutoText:Reformat\r\n"
                                         "Erl:0\r\n"
                                         "------------------------------\r\n");
}

TEST_F(FileLoggerTest, TwoEntriesAreTwelveLinesEachClosedByHyphens) {
    FileLogger(host).WriteEntry({5, "LabelPrinter", "Invalid procedure call", 0},
                                "LabelPrinter:PrintLabel");
    FileLogger(host).WriteEntry({-2147217900, "Db", "", 42}, "smmain");
    const std::string second = "03/15/24 14:05:09: -2147217900\r\n"
                               "Source: Db\r\n"
                               "Description: \r\n"
                               "Call info: smmain\r\n"
                               "Erl:42\r\n"
                               "------------------------------\r\n";
    const std::string log = test::fileText(logFile());
    ASSERT_GE(log.size(), second.size());
    EXPECT_EQ(log.substr(log.size() - second.size()), second);
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = log.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 12u);
    EXPECT_EQ(log.find('\n'), log.find("\r\n") + 1); // no bare line feeds
}

TEST(FileLoggerPath, DataDirectoryFromTheRegistry) {
    const auto sz = [](std::string text) { return text + '\0'; }; // as a string value is stored
    const std::string longest(255, 'd'); // 256 bytes with its terminator: the most that fits
    struct Case {
        const char* what;
        const char* name; // nullptr: no value at all
        RegType type;
        std::string bytes;
        std::string path;
    } cases[] = {
        {"no trailing separator", "", RegType::Sz, sz("/tmp/Data"), "/tmp/DataBWERROR.LOG"},
        {"trailing separator", "", RegType::Sz, sz("/srv/pl/"), "/srv/pl/BWERROR.LOG"},
        {"missing key", nullptr, RegType::Sz, "", "BWERROR.LOG"},
        {"named value only", "Dir", RegType::Sz, sz("/x/"), "BWERROR.LOG"},
        {"not a string", "", RegType::Dword, std::string(4, '\x07'), "BWERROR.LOG"},
        {"expandable string", "", RegType::ExpandSz, sz("/x/"), "BWERROR.LOG"},
        {"255 characters", "", RegType::Sz, sz(longest), longest + "BWERROR.LOG"},
        {"256 characters", "", RegType::Sz, sz(longest + "d"), "BWERROR.LOG"},
        {"empty", "", RegType::Sz, sz(""), "BWERROR.LOG"},
        {"no terminator: still one byte less", "", RegType::Sz, "ab", "aBWERROR.LOG"},
    };
    for (const Case& c : cases) {
        test::RecordingHost host;
        if (c.name)
            host.registry().writeValue(RegistryRoot::CurrentUser, FileLogger::dataDirectoryKey,
                                       c.name, c.type, std::as_bytes(std::span(c.bytes)));
        const FileLogger log(host);
        EXPECT_EQ(log.logPath(), c.path) << c.what;
        EXPECT_EQ(log.GetSMDataDirectory() + "BWERROR.LOG", c.path) << c.what;
    }
}

TEST_F(FileLoggerTest, ADirectoryWithoutSeparatorPrefixesTheFileName) {
    host.setDataDirectory((data.path() / "Data").string());
    FileLogger(host).WriteEntry({1, "s", "d", 0}, "t");
    EXPECT_TRUE(std::filesystem::exists(data.path() / "DataBWERROR.LOG"));
}

TEST_F(FileLoggerTest, WithoutTheFileServiceAnEntryBecomesAMessageBox) {
    host.fileService = false;
    FileLogger log(host);
    EXPECT_FALSE(log.WriteEntry({5, "X", "Y", 0}, "LabelPrinter:EndRun"));
    log.WriteEntry({5, "X", "", 0}, "AutoText:LPrint");
    ASSERT_EQ(host.messageBoxes.size(), 2u);
    EXPECT_EQ(host.messageBoxes[0].text, "BWCTRLS Error: LabelPrinter:EndRun Source: X Desc:Y");
    EXPECT_EQ(host.messageBoxes[0].buttons, msgbox::okOnly);
    EXPECT_EQ(host.messageBoxes[0].title, "");
    EXPECT_EQ(host.messageBoxes[1].text, "BWCTRLS Error: AutoText:LPrint Source: X Desc:");

    std::ofstream(logFile()) << "kept";
    EXPECT_TRUE(log.dwrite("line").isEmpty());
    EXPECT_FALSE(log.ClearLog());
    EXPECT_EQ(test::fileText(logFile()), "kept");
}

TEST_F(FileLoggerTest, DwriteAppendsOneLineAndClearLogDeletes) {
    FileLogger log(host);
    EXPECT_TRUE(log.dwrite("first").isEmpty());
    log.dwrite("");
    EXPECT_EQ(test::fileText(logFile()), "first\r\n\r\n");
    EXPECT_FALSE(log.ClearLog());
    EXPECT_FALSE(std::filesystem::exists(logFile()));
    EXPECT_FALSE(log.ClearLog()); // nothing to delete
}

TEST_F(FileLoggerTest, FileNameReplacesThePath) {
    FileLogger log(host);
    const auto other = data.path() / "other.log";
    log.setFileName(other.string());
    log.dwrite("x");
    EXPECT_EQ(test::fileText(other), "x\r\n");
    EXPECT_FALSE(std::filesystem::exists(logFile()));
}

TEST_F(FileLoggerTest, AnUnwritableLogReachesTheCaller) {
    // Root ignores file permissions, so these fail by the path's shape.
    std::ofstream(data.path() / "plain") << "";
    struct Case {
        std::string path;
        std::int32_t error;
    } cases[] = {
        {(data.path() / "missing" / "BWERROR.LOG").string(), err::pathNotFound},
        {(data.path() / "plain" / "BWERROR.LOG").string(), err::pathNotFound}, // parent is a file
        {data.path().string(), err::pathFileAccess},                           // a directory
    };
    for (const Case& c : cases) {
        FileLogger log(host);
        log.setFileName(c.path);
        try {
            log.WriteEntry({1, "s", "d", 0}, "t");
            ADD_FAILURE() << c.path;
        } catch (const HostError& e) {
            EXPECT_EQ(e.number(), c.error) << c.path;
            EXPECT_NE(e.info().description.find(c.path), std::string::npos) << e.what();
        }
        EXPECT_THROW(log.dwrite("x"), HostError);
        EXPECT_FALSE(log.ClearLog()); // not an existing file: nothing to do
    }
}
