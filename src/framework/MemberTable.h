#pragma once
// One declarative table per class: its properties (type, default, getter, optional setter) and
// methods by name. A class declares it once and derives from TableObject to be reachable by
// name; the table converts assigned values to the declared type before the setter sees them.

#include "framework/CaseFold.h"
#include "framework/HostError.h"
#include "framework/Object.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace bw {

template <class T>
class MemberTable {
public:
    using Getter = std::function<Variant(T&)>;
    using Setter = std::function<void(T&, const Variant&)>; // gets the declared type
    using Method = std::function<Variant(T&, std::span<Variant>)>;

    explicit MemberTable(std::string className) : className_(std::move(className)) {}

    // A null getter makes the property write-only, a null setter read-only.
    MemberTable& property(std::string name, VariantType type, Variant defaultValue, Getter get,
                          Setter set) {
        properties_.push_back(
            {std::move(name), type, std::move(defaultValue), std::move(get), std::move(set)});
        return *this;
    }
    MemberTable& method(std::string name, std::vector<std::string> params, VariantType result,
                        Method call) {
        methods_.push_back({std::move(name), std::move(params), result, std::move(call)});
        return *this;
    }

    const std::string& className() const { return className_; }

    Variant get(T& object, std::string_view name) const {
        const PropertyEntry& p = findProperty(name);
        if (!p.get)
            throw HostError(err::writeOnlyProperty, "Property " + p.name + " is write-only");
        return p.get(object);
    }

    void set(T& object, std::string_view name, const Variant& value) const {
        const PropertyEntry& p = findProperty(name);
        if (!p.set) throw HostError(err::readOnlyProperty, "Property " + p.name + " is read-only");
        p.set(object, value.convertTo(p.type).value());
    }

    Variant call(T& object, std::string_view name, std::span<Variant> args) const {
        const MethodEntry* m = findMethod(name);
        if (!m) throw unknown(name);
        std::size_t required = 0;
        for (const std::string& param : m->params) required += param.starts_with('[') ? 0 : 1;
        if (args.size() < required || args.size() > m->params.size())
            throw HostError(err::wrongArgumentCount,
                            m->name + " takes " + std::to_string(m->params.size()) +
                                " arguments, got " + std::to_string(args.size()));
        return m->call(object, args);
    }

    std::vector<MemberInfo> members() const {
        std::vector<MemberInfo> out;
        for (const PropertyEntry& p : properties_)
            out.push_back({p.name,
                           MemberKind::Property,
                           p.type,
                           p.defaultValue,
                           static_cast<bool>(p.get),
                           static_cast<bool>(p.set),
                           {}});
        for (const MethodEntry& m : methods_)
            out.push_back({m.name, MemberKind::Method, m.result, {}, false, false, m.params});
        return out;
    }

private:
    struct PropertyEntry {
        std::string name;
        VariantType type;
        Variant defaultValue;
        Getter get;
        Setter set;
    };
    struct MethodEntry {
        std::string name;
        std::vector<std::string> params;
        VariantType result;
        Method call;
    };

    HostError unknown(std::string_view name) const {
        return HostError(err::unknownMember,
                         className_ + " has no property or method \"" + std::string(name) + "\"");
    }
    const PropertyEntry& findProperty(std::string_view name) const {
        for (const PropertyEntry& p : properties_)
            if (iequals(p.name, name)) return p;
        throw unknown(name);
    }
    const MethodEntry* findMethod(std::string_view name) const {
        for (const MethodEntry& m : methods_)
            if (iequals(m.name, name)) return &m;
        return nullptr;
    }

    std::string className_;
    std::vector<PropertyEntry> properties_;
    std::vector<MethodEntry> methods_;
};

// Makes T reachable by name through its table: T provides
// `static const MemberTable<T>& memberTable();`.
template <class T>
class TableObject : public Object {
public:
    std::string_view className() const override { return T::memberTable().className(); }
    Variant getProperty(std::string_view name) override {
        return T::memberTable().get(self(), name);
    }
    void setProperty(std::string_view name, const Variant& value) override {
        T::memberTable().set(self(), name, value);
    }
    Variant callMethod(std::string_view name, std::span<Variant> args) override {
        return T::memberTable().call(self(), name, args);
    }
    std::vector<MemberInfo> members() const override { return T::memberTable().members(); }

private:
    T& self() { return static_cast<T&>(*this); }
};

} // namespace bw
