#include "host/CatalogCommands.h"

#include "framework/ClassFactory.h"
#include "framework/CurrentPrinter.h"
#include "framework/PrinterCatalog.h"
#include "framework/PropertyBag.h"
#include "host/CommandError.h"

#include <algorithm>
#include <iomanip>
#include <nlohmann/json.hpp>

namespace bw::host {

namespace {

// A default as a label file would hold it; "-" when there is none.
std::string defaultText(const Variant& value) {
    if (value.isEmpty()) return "-";
    PropertyBag bag;
    bag.set("v", value);
    return bag.toJson()["v"].dump();
}

std::string typeText(VariantType type) {
    return type == VariantType::Empty ? "Variant" : std::string(typeName(type));
}

std::string accessText(const MemberInfo& m) {
    if (m.readable && !m.writable) return "read-only";
    if (!m.readable && m.writable) return "write-only";
    return "";
}

} // namespace

ExitCode CatalogCommands::printers(std::ostream& out, std::ostream& err) {
    const PrinterCatalog catalog = PrinterCatalog::load();
    for (const std::string& problem : catalog.problems()) err << "smmain: " << problem << "\n";
    const std::string current = CurrentPrinter::instance().profile().name;
    std::size_t width = 0;
    for (const PrinterProfile& p : catalog.printers()) width = std::max(width, p.name.size());
    for (const PrinterProfile& p : catalog.printers()) {
        out << (p.name == current ? "* " : "  ") << std::left << std::setw(int(width)) << p.name
            << "  " << p.format << ", " << p.dpiX << "x" << p.dpiY << " dpi";
        if (!p.port.empty()) out << ", " << p.port;
        out << "\n";
    }
    return ExitCode::Ok;
}

ExitCode CatalogCommands::classes(std::ostream& out) {
    for (const std::string& name : ClassFactory::classes()) out << name << "\n";
    return ExitCode::Ok;
}

ExitCode CatalogCommands::properties(const std::string& className, std::ostream& out) {
    const std::unique_ptr<Object> object =
        ClassFactory::create(std::string(ClassFactory::prefix) + className);
    if (!object) {
        std::string list;
        for (const std::string& name : ClassFactory::classes())
            list += (list.empty() ? "" : ", ") + name;
        throw CommandError(ExitCode::Usage,
                           "no class is named \"" + className + "\"; the classes are " + list);
    }
    const std::vector<MemberInfo> members = object->members();
    std::size_t nameWidth = 8;
    for (const MemberInfo& m : members) nameWidth = std::max(nameWidth, m.name.size());

    out << object->className() << " properties:\n";
    out << "  " << std::left << std::setw(int(nameWidth)) << "name"
        << "  " << std::setw(8) << "type"
        << "  default\n";
    for (const MemberInfo& m : members) {
        if (m.kind != MemberKind::Property) continue;
        const std::string access = accessText(m);
        out << "  " << std::setw(int(nameWidth)) << m.name << "  " << std::setw(8)
            << typeText(m.type) << "  " << defaultText(m.defaultValue)
            << (access.empty() ? "" : "  (" + access + ")") << "\n";
    }
    out << object->className() << " methods:\n";
    for (const MemberInfo& m : members) {
        if (m.kind != MemberKind::Method) continue;
        std::string params;
        for (const std::string& p : m.params) params += (params.empty() ? "" : ", ") + p;
        out << "  " << m.name << "(" << params << ")";
        if (m.type != VariantType::Empty) out << " -> " << typeText(m.type);
        out << "\n";
    }
    return ExitCode::Ok;
}

} // namespace bw::host
