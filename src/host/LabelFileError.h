#pragma once
// What is wrong with a label file: the file, the JSON path of the value ("$" is the whole
// document, "$.controls[2].properties.PWidth" one value) and what was expected there.

#include <filesystem>
#include <stdexcept>
#include <string>

namespace bw::host {

class LabelFileError : public std::runtime_error {
public:
    LabelFileError(const std::filesystem::path& file, std::string jsonPath, std::string problem)
        : std::runtime_error(file.string() + ": " + jsonPath + ": " + problem), file_(file),
          jsonPath_(std::move(jsonPath)), problem_(std::move(problem)) {}

    const std::filesystem::path& file() const { return file_; }
    const std::string& jsonPath() const { return jsonPath_; }
    const std::string& problem() const { return problem_; }

private:
    std::filesystem::path file_;
    std::string jsonPath_;
    std::string problem_;
};

} // namespace bw::host
