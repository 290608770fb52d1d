#include "framework/FileLogger.h"

#include "framework/HostError.h"
#include "framework/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace bw {

namespace {

constexpr std::string_view lineEnd = "\r\n";

HostError fileError(int error, const std::string& path) {
    const std::string where = path + " (" + std::strerror(error) + ")";
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return HostError(err::pathNotFound, "Path not found: " + where);
    case EACCES:
    case EPERM:
    case EROFS:
        return HostError(err::permissionDenied, "Permission denied: " + where);
    case ENOSPC:
        return HostError(err::diskFull, "Disk full: " + where);
    default:
        return HostError(err::pathFileAccess, "Path/File access error: " + where);
    }
}

// The late-bound error object's members; the line is optional.
ErrorInfo errorFromObject(Object& object) {
    ErrorInfo info;
    info.number = object.getProperty("Number").toLong().value();
    info.source = object.getProperty("Source").toString().value();
    info.description = object.getProperty("Description").toString().value();
    try {
        info.line = object.getProperty("Line").toLong().value();
    } catch (const HostError& e) {
        if (e.number() != err::unknownMember) throw;
    }
    return info;
}

} // namespace

FileLogger::FileLogger(HostServices& host)
    : host_(host), path_(GetSMDataDirectory() + std::string(logFileName)),
      available_(host.fileServiceAvailable()) {}

const MemberTable<FileLogger>& FileLogger::memberTable() {
    static const MemberTable<FileLogger> table = [] {
        MemberTable<FileLogger> t("FileLogger");
        t.property("FileName", VariantType::String, Variant(""), nullptr,
                   [](FileLogger& f, const Variant& v) { f.setFileName(v.toString().value()); });
        t.method("ClearLog", {}, VariantType::Boolean,
                 [](FileLogger& f, std::span<Variant>) { return Variant(f.ClearLog()); });
        t.method(
            "WriteEntry", {"oError", "cString"}, VariantType::Boolean,
            [](FileLogger& f, std::span<Variant> args) {
                Object* error = args[0].toObject().valueOr(nullptr);
                if (!error)
                    throw HostError(err::objectRequired,
                                    "WriteEntry needs an error object, got " + args[0].describe());
                return Variant(f.WriteEntry(errorFromObject(*error), args[1].toString().value()));
            });
        t.method("dwrite", {"cString"}, VariantType::Empty,
                 [](FileLogger& f, std::span<Variant> args) {
                     return f.dwrite(args[0].toString().value());
                 });
        t.method("GetSMDataDirectory", {}, VariantType::String,
                 [](FileLogger& f, std::span<Variant>) { return Variant(f.GetSMDataDirectory()); });
        return t;
    }();
    return table;
}

std::string FileLogger::GetSMDataDirectory() const {
    const Registry registry = host_.registry();
    const auto key = registry.openKey(RegistryRoot::CurrentUser, dataDirectoryKey);
    if (!key) return {};
    const RegistryValue value = registry.queryValue(*key, "", 256);
    if (value.status != RegStatus::Success || value.type != RegType::Sz || value.length == 0)
        return {};
    // The returned length counts the terminator.
    return std::string(reinterpret_cast<const char*>(value.data.data()), value.length - 1);
}

void FileLogger::append(std::string_view text) const {
    UniqueFd fd(::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (!fd) throw fileError(errno, path_);
    // One write per entry, so concurrent writers interleave whole entries.
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd.get(), text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw fileError(n < 0 ? errno : EIO, path_);
        done += static_cast<std::size_t>(n);
    }
}

bool FileLogger::WriteEntry(const ErrorInfo& error, std::string_view tag) {
    if (!available_) {
        host_.messageBox("BWCTRLS Error: " + std::string(tag) + " Source: " + error.source +
                             " Desc:" + error.description,
                         msgbox::okOnly);
        return false;
    }
    std::string entry;
    const auto line = [&](std::string_view a, std::string_view b = {}) {
        entry.append(a).append(b).append(lineEnd);
    };
    line(host_.generalDateNow() + ": ", std::to_string(error.number));
    line("Source: ", error.source);
    line("Description: ", error.description);
    line("Call info: ", tag);
    line("Erl:", std::to_string(error.line));
    line(std::string(30, '-'));
    append(entry);
    return false;
}

Variant FileLogger::dwrite(std::string_view text) {
    if (available_) append(std::string(text) + std::string(lineEnd));
    return {};
}

bool FileLogger::ClearLog() {
    if (!available_) return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec)) return false;
    if (::unlink(path_.c_str()) != 0) throw fileError(errno, path_);
    return false;
}

} // namespace bw
