#pragma once
// The creatable classes of the library, named "BWCTRLS." + class name (letter case ignored).
// Every class is listed once, in ClassFactory.cpp; this stands in for the in-process server's
// registration and class-object entry points.

#include "framework/HostServices.h"
#include "framework/Object.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class ClassFactory {
public:
    static constexpr std::string_view prefix = "BWCTRLS.";

    // A new object of the class `progId` names, for `host`; nullptr for an unknown name.
    static std::unique_ptr<Object> create(std::string_view progId,
                                          HostServices& host = currentHost());
    // The class names, without the prefix, in the table's order.
    static std::vector<std::string> classes();
};

} // namespace bw
