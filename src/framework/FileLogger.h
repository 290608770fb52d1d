#pragma once
// The error log: appends reports of trapped failures to BWERROR.LOG in the product's data
// directory, which the host records in the registry. One logger is made per report and then
// dropped; the file is opened and closed for every write.
//
// An entry is six lines ended by CR LF: "<general date>: <number>", "Source: ...",
// "Description: ...", "Call info: <tag>", "Erl:<line>", 30 hyphens. Tags name the element and
// routine, "AutoText:Reformat". Without the text-file service an entry becomes a message box.
// A failure to write (missing directory, unwritable file) raises HostError to the caller.

#include "framework/ErrorInfo.h"
#include "framework/HostServices.h"
#include "framework/MemberTable.h"

#include <string>
#include <string_view>

namespace bw {

class FileLogger : public TableObject<FileLogger> {
public:
    static constexpr std::string_view dataDirectoryKey =
        "Software\\Brightwell\\Packline\\1.0\\DataDirectory";
    static constexpr std::string_view logFileName = "BWERROR.LOG";

    explicit FileLogger(HostServices& host = currentHost());

    static const MemberTable<FileLogger>& memberTable();

    // FileName (write only): replaces the log path.
    void setFileName(std::string path) { path_ = std::move(path); }
    // Deletes the log file if there is one; returns false.
    bool ClearLog();
    // Appends one entry for `error` under the source tag `tag`; returns false.
    bool WriteEntry(const ErrorInfo& error, std::string_view tag);
    // Appends `line` as one line; returns an empty value.
    Variant dwrite(std::string_view line);
    // The data directory as stored (directory with its trailing separator), or "" when the
    // value is missing, not a string, or longer than 256 bytes with its terminator.
    std::string GetSMDataDirectory() const;

    const std::string& logPath() const { return path_; }
    bool fileServiceAvailable() const { return available_; }

private:
    void append(std::string_view text) const;

    HostServices& host_;
    std::string path_;
    bool available_;
};

} // namespace bw
