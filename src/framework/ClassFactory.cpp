#include "framework/ClassFactory.h"

#include "barcodes/EANCode.h"
#include "barcodes/EanCode128.h"
#include "barcodes/ITFCode.h"
#include "framework/CaseFold.h"
#include "framework/FileLogger.h"
#include "printing/LabelPrinter.h"
#include "printing/PrintDialog.h"
#include "text/AutoText.h"

namespace bw {

namespace {

struct CreatableClass {
    std::string_view name;
    std::unique_ptr<Object> (*create)(HostServices& host);
};

template <class T>
std::unique_ptr<Object> make(HostServices& host) {
    return std::make_unique<T>(host);
}

// Every creatable class, once.
constexpr CreatableClass creatable[] = {
    {"AutoText", make<AutoText>},         {"EANCode", make<EANCode>},
    {"EanCode128", make<EanCode128>},     {"ITFCode", make<ITFCode>},
    {"LabelPrinter", make<LabelPrinter>}, {"PrintDialog", make<PrintDialog>},
    {"FileLogger", make<FileLogger>},
};

} // namespace

std::unique_ptr<Object> ClassFactory::create(std::string_view progId, HostServices& host) {
    if (progId.size() <= prefix.size() || !iequals(progId.substr(0, prefix.size()), prefix))
        return nullptr;
    const std::string_view name = progId.substr(prefix.size());
    for (const CreatableClass& c : creatable)
        if (iequals(c.name, name)) return c.create(host);
    return nullptr;
}

std::vector<std::string> ClassFactory::classes() {
    std::vector<std::string> names;
    for (const CreatableClass& c : creatable) names.emplace_back(c.name);
    return names;
}

} // namespace bw
