#include "printing/PrintDialog.h"

#include "framework/ClassFactory.h"
#include "framework/CurrentPrinter.h"
#include "framework/RecordingHost.h"

#include <gtest/gtest.h>

using namespace bw;

TEST(PrintDialog, AnswersFromTheCurrentPrinterChosenOrNot) {
    test::RecordingHost host;
    const auto dialog = ClassFactory::create("BWCTRLS.PrintDialog", host);
    ASSERT_TRUE(dialog);
    for (const bool chosen : {false, true}) {
        host.printerDialogAnswers.push_back(chosen);
        EXPECT_EQ(dialog->callMethod("ChoosePrinter", {}), Variant("PDF"));
    }
    EXPECT_EQ(host.printerDialogs, (std::vector<std::string>{"Choose Printer", "Choose Printer"}));
    EXPECT_EQ(dialog->callMethod("DefaultPrinterName", {}), Variant("PDF"));
    EXPECT_EQ(dialog->callMethod("DefaultPrinterHdc", {}),
              Variant(static_cast<std::int32_t>(CurrentPrinter::instance().hdc())));
    EXPECT_TRUE(ClassFactory::create("BWCTRLS.LabelPrinter", host));
}
