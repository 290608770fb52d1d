// smmain print killed with SIGKILL at random moments of a run with a counter per impression:
// the label file must always load, and its counter must never be behind a label in any
// document that was completed. Each run starts from what the file says, as a user's next
// run would.

#include "framework/RecordingHost.h"
#include "host/LabelFile.h"
#include "host/SmmainProcess.h"
#include "support/FileText.h"
#include "support/TempDir.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>
#include <regex>
#include <thread>

namespace bw::test {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int labelsPerRun = 500; // the sanitizers slow printing tenfold
#else
constexpr int labelsPerRun = 5000;
#endif

class KillDuringPrintTest : public ::testing::Test {
protected:
    KillDuringPrintTest() {
        host.setDataDirectory(dir.withSeparator());
        auto j = nlohmann::ordered_json::parse(
            fileText(std::filesystem::path(BW_SOURCE_DIR) / "examples/food-label.json"));
        j["controls"][3]["set"]["Text"] = "Lot [+]0041 No.[++]000001";
        std::ofstream(label) << j.dump(2);
    }

    // The next serial number the label file would print; the file must load.
    long nextSerial() {
        host::LabelFile file(label, host);
        const std::string text = file.object(3).getProperty("Text").toString().value();
        std::smatch m;
        EXPECT_TRUE(std::regex_search(text, m, std::regex(R"(No\.\[\+\+\](\d+))"))) << text;
        return m.empty() ? -1 : std::stol(m[1]);
    }

    // The highest serial number printed in a finished document (its last page holds it).
    long lastSerialIn(const std::filesystem::path& pdf) {
        const std::filesystem::path text = dir.path() / "last.txt";
        const std::filesystem::path info = dir.path() / "info.txt";
        EXPECT_EQ(std::system(("pdfinfo '" + pdf.string() + "' > '" + info.string() + "'").c_str()),
                  0);
        std::smatch pages;
        const std::string infoText = fileText(info);
        if (!std::regex_search(infoText, pages, std::regex(R"(Pages:\s+(\d+))"))) return -1;
        const std::string command =
            "pdftotext -f " + pages[1].str() + " '" + pdf.string() + "' '" + text.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        long last = -1;
        const std::string t = fileText(text);
        const std::regex serial(R"(No\.(\d+))");
        for (auto it = std::sregex_iterator(t.begin(), t.end(), serial);
             it != std::sregex_iterator(); ++it)
            last = std::max(last, std::stol((*it)[1]));
        return last;
    }

    SmmainProcess print(const std::string& output) {
        return SmmainProcess(
            dir.path(),
            {"print", "label.json", "-n", std::to_string(labelsPerRun), "-o", output, "--quiet"},
            {"BWCTRLS_REGISTRY=" + (dir.path() / "registry").string()});
    }

    TempDir dir;
    RecordingHost host;
    std::filesystem::path label = dir.path() / "label.json";
};

TEST_F(KillDuringPrintTest, LabelFileIsNeverTornNorBehindAFinishedDocument) {
    // One whole run: it prints serials 1 to labelsPerRun and the file moves past them.
    const auto start = std::chrono::steady_clock::now();
    SmmainProcess whole = print("run0.pdf");
    const SmmainResult r = whole.run();
    const std::chrono::duration<double> runTime = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(lastSerialIn(dir.path() / "run0.pdf"), labelsPerRun);
    EXPECT_EQ(nextSerial(), labelsPerRun + 1);
    long printed = labelsPerRun;

    // Kills anywhere in a run, half of them late, where the counters and the document are
    // finished.
    std::mt19937 random(20240315);
    std::uniform_real_distribution<double> anywhere(0.0, 1.1);
    std::uniform_real_distribution<double> late(0.75, 1.1);
    const int kills = runTime.count() < 2.5 ? 6 : 3;
    for (int k = 1; k <= kills; ++k) {
        const std::string output = "run" + std::to_string(k) + ".pdf";
        const double at = (k % 2 ? anywhere(random) : late(random)) * runTime.count();
        SmmainProcess run = print(output);
        run.start();
        std::this_thread::sleep_for(std::chrono::duration<double>(at));
        run.kill();
        const SmmainResult killed = run.wait();

        SCOPED_TRACE("kill " + std::to_string(k) + " after " + std::to_string(at) + " s");
        const long next = nextSerial();
        if (std::filesystem::exists(dir.path() / output))
            printed = std::max(printed, lastSerialIn(dir.path() / output));
        EXPECT_GT(next, printed) << "exit " << killed.exitCode << ", signal " << killed.signal;
    }
}

} // namespace
} // namespace bw::test
