#include "framework/Guarded.h"

#include "framework/FileLogger.h"
#include "framework/HostError.h"

#include <exception>
#include <new>
#include <stdexcept>

namespace bw {

ErrorInfo currentErrorInfo() {
    const auto from = [](std::int32_t number, const char* what) {
        return ErrorInfo{number, errorSource, what, 0};
    };
    try {
        throw;
    } catch (const HostError& e) {
        return e.info();
    } catch (const std::bad_alloc&) {
        return from(err::outOfMemory, "Out of memory");
    } catch (const std::out_of_range& e) {
        return from(err::subscriptOutOfRange, e.what());
    } catch (const std::overflow_error& e) {
        return from(err::overflow, e.what());
    } catch (const std::range_error& e) {
        return from(err::overflow, e.what());
    } catch (const std::exception& e) {
        return from(err::invalidProcedureCall, e.what());
    } catch (...) {
        return from(err::invalidProcedureCall, "Unknown failure");
    }
}

void reportFailure(HostServices& host, std::string_view tag, std::string_view alert) {
    const ErrorInfo error = currentErrorInfo();
    if (!alert.empty()) host.messageBox(alert, msgbox::okOnly);
    FileLogger(host).WriteEntry(error, tag);
}

} // namespace bw
