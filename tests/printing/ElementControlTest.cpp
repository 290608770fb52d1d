#include "printing/ElementControl.h"

#include "printing/PrintingFixture.h"
#include "text/AutoText.h"

#include <gtest/gtest.h>

using namespace bw;
using namespace bw::test;

namespace {

// A form of library elements, as a host holds them.
class ElementForm final : public LabelForm {
public:
    std::vector<ElementControl> controls;
    std::int32_t ControlCount() override { return static_cast<std::int32_t>(controls.size()); }
    LabelControl& Controls(std::int32_t index) override {
        return controls.at(static_cast<std::size_t>(index));
    }
};

using ElementControlTest = PrintingFixture;

} // namespace

TEST_F(ElementControlTest, LibraryElementsPrintAndCountThroughTheirTables) {
    AutoText lot(host);
    lot.setPLeft(100);
    lot.setPTop(100);
    lot.setPWidth(4000);
    lot.setPHeight(600);
    lot.setText("Lot [+]0041 [++0]007");
    AutoText name(host);
    name.setText("Oat biscuits");
    ElementForm form;
    form.controls.emplace_back(lot, "P");
    form.controls.emplace_back(name, "P");
    EXPECT_TRUE(form.controls[0].GetHasLabelIncr());
    EXPECT_TRUE(form.controls[0].GetHasImpressionIncr());
    EXPECT_FALSE(form.controls[1].GetHasLabelIncr());

    LabelPrinter engine(host);
    ASSERT_TRUE(setUpPage(engine, Sheet{}));
    engine.setOutputFile((dir.path() / "lots.pdf").string());
    TraceLog& trace = tracePrinter();
    ASSERT_TRUE(engine.StartRun("lots"));
    engine.PrintLabel(form, 3);
    EXPECT_TRUE(engine.EndRun());
    EXPECT_EQ(countOf(trace, "PlayEnhMetaFile"), 3u);
    // Three impressions (007 to 010), one label step, then the resettable counter goes back.
    EXPECT_EQ(lot.Text(), "Lot [+]0042 [++0]007");
    EXPECT_EQ(name.Text(), "Oat biscuits");
    EXPECT_TRUE(log().empty()) << log();

    LateBoundElement byName(lot);
    EXPECT_EQ(byName.object().PTop(), 100);
    byName.object().setPTop(250);
    EXPECT_EQ(lot.PTop(), 250);
    byName.setCentreAngle(90);
    EXPECT_EQ(lot.CentreAngle(), 90);
}
