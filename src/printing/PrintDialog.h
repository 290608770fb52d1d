#pragma once
// The printer-choice control: lets the user pick a printer through the host's printer dialog
// and tells which printer is current. It keeps no state: every answer comes from the current
// printer, the one the print engine prints to. Failures reach the caller.

#include "framework/HostServices.h"
#include "framework/MemberTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

class PrintDialog : public TableObject<PrintDialog> {
public:
    static constexpr std::string_view dialogTitle = "Choose Printer";

    explicit PrintDialog(HostServices& host = currentHost()) : host_(host) {}

    static const MemberTable<PrintDialog>& memberTable();

    // Shows the dialog and waits for it; the current printer's name, chosen or not.
    std::string ChoosePrinter();
    std::int32_t DefaultPrinterHdc();
    std::string DefaultPrinterName();

private:
    HostServices& host_;
};

} // namespace bw
