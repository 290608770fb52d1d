#include "framework/PrinterCatalog.h"

#include "framework/FileLogger.h"

#include <cstdlib>
#include <cups/cups.h>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

namespace bw {

namespace {

using nlohmann::json;

const json& member(const json& object, const char* key, const std::string& where) {
    const auto it = object.find(key);
    if (it == object.end()) throw std::runtime_error(where + ": \"" + key + "\" is missing");
    return *it;
}

int positiveInt(const json& v, const std::string& where) {
    if (!v.is_number_integer() || v.get<long long>() <= 0 || v.get<long long>() > 100000)
        throw std::runtime_error(where + ": expected a whole number above 0");
    return static_cast<int>(v.get<long long>());
}

std::pair<int, int> intPair(const json& v, const std::string& where, bool positive) {
    if (!v.is_array() || v.size() != 2 || !v[0].is_number_integer() || !v[1].is_number_integer())
        throw std::runtime_error(where + ": expected two whole numbers");
    const auto a = v[0].get<long long>(), b = v[1].get<long long>();
    const long long low = positive ? 1 : 0;
    if (a < low || b < low || a > 100000 || b > 100000)
        throw std::runtime_error(where + ": numbers out of range");
    return {static_cast<int>(a), static_cast<int>(b)};
}

PrinterProfile parsePrinter(const json& p, const std::string& where) {
    if (!p.is_object()) throw std::runtime_error(where + ": expected an object");
    PrinterProfile printer;
    const json& name = member(p, "name", where);
    if (!name.is_string() || name.get<std::string>().empty())
        throw std::runtime_error(where + ".name: expected a non-empty string");
    printer.name = name.get<std::string>();
    if (p.contains("port")) {
        if (!p["port"].is_string()) throw std::runtime_error(where + ".port: expected a string");
        printer.port = p["port"].get<std::string>();
    }
    if (p.contains("format")) {
        const json& f = p["format"];
        if (!f.is_string() || (f != "pdf" && f != "png"))
            throw std::runtime_error(where + ".format: expected \"pdf\" or \"png\"");
        printer.format = f.get<std::string>();
    }
    if (p.contains("dpi"))
        std::tie(printer.dpiX, printer.dpiY) = intPair(p["dpi"], where + ".dpi", true);
    if (p.contains("offset"))
        std::tie(printer.offsetX, printer.offsetY) = intPair(p["offset"], where + ".offset", false);
    if (p.contains("maxCopies"))
        printer.maxCopies = positiveInt(p["maxCopies"], where + ".maxCopies");
    for (const char* flag : {"customSize", "scalesFonts"}) {
        if (!p.contains(flag)) continue;
        if (!p[flag].is_boolean())
            throw std::runtime_error(where + "." + flag + ": expected true or false");
        (std::string(flag) == "customSize" ? printer.customSize : printer.scalesFonts) =
            p[flag].get<bool>();
    }
    if (p.contains("papers")) {
        const json& papers = p["papers"];
        if (!papers.is_object()) throw std::runtime_error(where + ".papers: expected an object");
        for (const auto& [code, size] : papers.items()) {
            const std::string at = where + ".papers." + code;
            char* end = nullptr;
            const long c = std::strtol(code.c_str(), &end, 10);
            if (code.empty() || *end || c <= 0 || c > 32767)
                throw std::runtime_error(at + ": expected a paper code from 1 to 32767");
            if (!size.is_array() || size.size() != 2 || !size[0].is_number() ||
                !size[1].is_number() || size[0].get<double>() <= 0 || size[1].get<double>() <= 0)
                throw std::runtime_error(at + ": expected [width, height] in millimetres");
            printer.papers[static_cast<int>(c)] = {size[0].get<double>(), size[1].get<double>()};
        }
    } else {
        printer.papers = PrinterProfile::builtinPdf().papers;
    }
    return printer;
}

std::filesystem::path printersFilePath() {
    if (const char* env = std::getenv("BWCTRLS_PRINTERS"); env && *env) return env;
    return FileLogger().GetSMDataDirectory() + "printers.json";
}

} // namespace

std::vector<PrinterProfile> PrinterCatalog::parsePrintersFile(std::string_view text) {
    const json doc = json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded()) throw std::runtime_error("not valid JSON");
    if (!doc.is_object()) throw std::runtime_error("$: expected an object");
    const json& list = member(doc, "printers", "$");
    if (!list.is_array()) throw std::runtime_error("$.printers: expected an array");
    std::vector<PrinterProfile> printers;
    for (std::size_t i = 0; i < list.size(); ++i)
        printers.push_back(parsePrinter(list[i], "$.printers[" + std::to_string(i) + "]"));
    return printers;
}

void PrinterCatalog::addFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return; // no printers file is no problem
    std::ostringstream text;
    text << in.rdbuf();
    try {
        for (PrinterProfile& p : parsePrintersFile(text.str())) {
            if (find(p.name)) {
                problems_.push_back(file.string() + ": printer \"" + p.name +
                                    "\" is listed twice; the first one is kept");
                continue;
            }
            printers_.push_back(std::move(p));
        }
    } catch (const std::exception& e) {
        problems_.push_back(file.string() + ": " + e.what());
    }
}

void PrinterCatalog::addCupsDestinations() {
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < n; ++i) {
        if (find(dests[i].name)) continue;
        PrinterProfile p = PrinterProfile::builtinPdf();
        p.name = dests[i].name;
        p.port = dests[i].name;
        p.format = "cups";
        printers_.push_back(std::move(p));
    }
    cupsFreeDests(n, dests);
}

PrinterCatalog PrinterCatalog::fromFile(const std::filesystem::path& printersFile) {
    PrinterCatalog c;
    c.printers_.push_back(PrinterProfile::builtinPdf());
    c.addFile(printersFile);
    return c;
}

PrinterCatalog PrinterCatalog::load() {
    PrinterCatalog c = fromFile(printersFilePath());
    c.addCupsDestinations();
    return c;
}

std::optional<PrinterProfile> PrinterCatalog::find(std::string_view name) const {
    for (const PrinterProfile& p : printers_)
        if (p.name == name) return p;
    return std::nullopt;
}

} // namespace bw
