// Counter saves: requests are remembered and written back in one durable write; a rollback
// puts the file back byte for byte.

#include "host/CounterSaver.h"

#include "framework/RecordingHost.h"
#include "host/CounterReservation.h"
#include "host/LabelFile.h"
#include "support/FileText.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace bw::host {
namespace {

using test::fileText;

TEST(CounterSaverTest, ManyRequestsAreWrittenOnceAtCommitAndCanBeRolledBack) {
    test::TempDir dir;
    test::RecordingHost host;
    host.setDataDirectory(dir.withSeparator());
    const std::filesystem::path file = dir.path() / "label.json";
    std::filesystem::copy_file(std::filesystem::path(BW_SOURCE_DIR) / "examples/food-label.json",
                               file);
    const std::string original = fileText(file);

    LabelFile label(file, host);
    CounterSaver saver(label);
    label.setEventListener([&](std::size_t index, std::string_view event) {
        if (event == "PlsSaveMe") saver.request(index);
    });
    for (int i = 0; i < 3; ++i) label.object(3).callMethod("DoLabelIncrement", {});
    EXPECT_EQ(saver.requests(), 3u);
    EXPECT_TRUE(saver.pending());
    EXPECT_EQ(fileText(file), original) << "nothing is written before the commit";

    saver.commit();
    EXPECT_FALSE(saver.pending());
    const auto saved = nlohmann::json::parse(fileText(file));
    EXPECT_EQ(saved["controls"][3]["set"]["Text"], "Lot [+]0044");
    EXPECT_EQ(saved["controls"][3]["properties"]["text"], "Lot 0044");
    LabelFile reloaded(file, host);
    EXPECT_EQ(reloaded.object(3).getProperty("Text").toString().value(), "Lot [+]0044");

    saver.rollback();
    EXPECT_EQ(fileText(file), original);
}

TEST(CounterSaverTest, ReservationSavesTheCountersARunWillEndWith) {
    test::TempDir dir;
    test::RecordingHost host;
    host.setDataDirectory(dir.withSeparator());
    const std::filesystem::path file = dir.path() / "label.json";
    auto j = nlohmann::ordered_json::parse(
        fileText(std::filesystem::path(BW_SOURCE_DIR) / "examples/food-label.json"));
    j["controls"][3]["set"]["Text"] = "Lot [+]0041 No.[++]000001 Box [++0]07";
    std::ofstream(file) << j.dump(2);

    const LabelFile label(file, host);
    CounterReservation::reserve(label, 3);
    // Three impressions, one label step, the resettable counter back where it started.
    const auto saved = nlohmann::json::parse(fileText(file));
    EXPECT_EQ(saved["controls"][3]["set"]["Text"], "Lot [+]0042 No.[++]000004 Box [++0]07");
    // The label being printed is not touched, and the design view setting is kept.
    EXPECT_EQ(saved["controls"][3]["properties"].count("AutoRefresh"), 0u);
    LabelFile reloaded(file, host);
    EXPECT_TRUE(reloaded.element(3).AutoRefresh());
}

} // namespace
} // namespace bw::host
