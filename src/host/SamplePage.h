#pragma once
// A sample sheet drawn through the drawing surface: one label recorded once and played into
// the slots of an A4 sheet, as the print engine does.

#include <filesystem>
#include <string>

namespace bw::host {

// Writes the sample sheet to `output` with the built-in PDF printer; returns an error
// message, empty on success.
std::string writeSamplePage(const std::filesystem::path& output);

} // namespace bw::host
