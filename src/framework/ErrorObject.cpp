#include "framework/ErrorObject.h"

namespace bw {

const MemberTable<ErrorObject>& ErrorObject::memberTable() {
    static const MemberTable<ErrorObject> table = [] {
        MemberTable<ErrorObject> t("ErrorObject");
        t.property(
            "Number", VariantType::Long, Variant(0),
            [](ErrorObject& e) { return Variant(e.info.number); },
            [](ErrorObject& e, const Variant& v) { e.info.number = v.toLong().value(); });
        t.property(
            "Source", VariantType::String, Variant(""),
            [](ErrorObject& e) { return Variant(e.info.source); },
            [](ErrorObject& e, const Variant& v) { e.info.source = v.toString().value(); });
        t.property(
            "Description", VariantType::String, Variant(""),
            [](ErrorObject& e) { return Variant(e.info.description); },
            [](ErrorObject& e, const Variant& v) { e.info.description = v.toString().value(); });
        t.property(
            "Line", VariantType::Long, Variant(0),
            [](ErrorObject& e) { return Variant(static_cast<std::int32_t>(e.info.line)); },
            [](ErrorObject& e, const Variant& v) { e.info.line = v.toLong().value(); });
        return t;
    }();
    return table;
}

} // namespace bw
