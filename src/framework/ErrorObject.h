#pragma once
// An error as an object with members by name (Number, Source, Description, Line), for
// late-bound callers of FileLogger's WriteEntry.

#include "framework/ErrorInfo.h"
#include "framework/MemberTable.h"

namespace bw {

class ErrorObject : public TableObject<ErrorObject> {
public:
    explicit ErrorObject(ErrorInfo error = {}) : info(std::move(error)) {}
    static const MemberTable<ErrorObject>& memberTable();

    ErrorInfo info;
};

} // namespace bw
