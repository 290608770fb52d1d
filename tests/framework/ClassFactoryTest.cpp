#include "framework/ClassFactory.h"

#include "framework/ErrorObject.h"
#include "framework/FileLogger.h"
#include "framework/RecordingHost.h"
#include "support/FileText.h"

#include <array>
#include <gtest/gtest.h>

using namespace bw;

namespace {

std::int32_t errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const HostError& e) {
        return e.number();
    }
    return 0;
}

// A class with every kind of member, declared once.
class Gauge : public TableObject<Gauge> {
public:
    std::int32_t level = 0;

    static const MemberTable<Gauge>& memberTable() {
        static const MemberTable<Gauge> table = [] {
            MemberTable<Gauge> t("Gauge");
            t.property(
                "Level", VariantType::Long, 0, [](Gauge& g) { return Variant(g.level); },
                [](Gauge& g, const Variant& v) { g.level = v.toLong().value(); });
            t.property(
                "Maximum", VariantType::Long, 100, [](Gauge&) { return Variant(100); }, nullptr);
            // Raise(by, [result]): adds `by`, and hands the new level back through `result`.
            t.method("Raise", {"by", "[result]"}, VariantType::Boolean,
                     [](Gauge& g, std::span<Variant> args) {
                         g.level += args[0].toLong().value();
                         if (args.size() > 1) args[1] = g.level;
                         return Variant(true);
                     });
            return t;
        }();
        return table;
    }
};

} // namespace

TEST(MemberTable, GetSetAndCallByName) {
    Gauge gauge;
    Object& object = gauge;
    object.setProperty("level", "12"); // converted to the declared Long
    EXPECT_EQ(gauge.level, 12);
    EXPECT_EQ(object.getProperty("LEVEL"), Variant(12));
    std::array<Variant, 2> args{5, Variant()};
    EXPECT_EQ(object.callMethod("raise", args), Variant(true));
    EXPECT_EQ(args[1], Variant(17)); // by reference

    EXPECT_EQ(errorOf([&] { object.setProperty("Level", "abc"); }), err::typeMismatch);
    EXPECT_EQ(errorOf([&] { object.setProperty("Maximum", 5); }), err::readOnlyProperty);
    EXPECT_EQ(errorOf([&] { object.getProperty("Colour"); }), err::unknownMember);
    EXPECT_EQ(errorOf([&] { object.callMethod("Raise", {}); }), err::wrongArgumentCount);
    EXPECT_EQ(gauge.level, 17);
}

TEST(MemberTable, FileLoggerByName) {
    test::RecordingHost host;
    test::TempDir data;
    FileLogger logger(host);
    Object& object = logger;
    EXPECT_EQ(object.className(), "FileLogger");
    const auto path = data.path() / "named.log";
    object.setProperty("FileName", path.string());
    EXPECT_EQ(errorOf([&] { object.getProperty("FileName"); }), err::writeOnlyProperty);

    ErrorObject error(ErrorInfo{13, "NutriBox", "Type mismatch", 3});
    std::array<Variant, 2> entry{&error, "NutriBox:LoadTexts"};
    EXPECT_EQ(object.callMethod("WriteEntry", entry), Variant(false));
    std::array<Variant, 1> line{"done"};
    EXPECT_TRUE(object.callMethod("DWRITE", line).isEmpty());
    EXPECT_EQ(test::fileText(path),
              "03/15/24 14:05:09: 13\r\nSource: NutriBox\r\nDescription: Type mismatch\r\n"
              "Call info: NutriBox:LoadTexts\r\nErl:3\r\n------------------------------\r\n"
              "done\r\n");

    std::array<Variant, 2> notAnObject{5, "x"};
    EXPECT_EQ(errorOf([&] { object.callMethod("WriteEntry", notAnObject); }), err::objectRequired);
    std::array<Variant, 1> extra{1};
    EXPECT_EQ(errorOf([&] { object.callMethod("ClearLog", extra); }), err::wrongArgumentCount);
    EXPECT_EQ(object.callMethod("ClearLog", {}), Variant(false));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(MemberTable, ListsMembersForTheHost) {
    std::vector<std::string> names;
    for (const MemberInfo& m : FileLogger::memberTable().members()) {
        names.push_back(m.name);
        if (m.name == "FileName") {
            EXPECT_FALSE(m.readable);
            EXPECT_TRUE(m.writable);
            EXPECT_EQ(m.type, VariantType::String);
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"FileName", "ClearLog", "WriteEntry", "dwrite",
                                               "GetSMDataDirectory"}));
}

TEST(ClassFactory, CreatesByProgIdIgnoringCase) {
    test::RecordingHost host;
    for (const char* id : {"BWCTRLS.FileLogger", "bwctrls.filelogger"}) {
        const auto object = ClassFactory::create(id, host);
        ASSERT_TRUE(object) << id;
        EXPECT_EQ(object->className(), "FileLogger");
    }
    for (const char* id : {"FileLogger", "BWCTRLS.", "BWCTRLS.Nothing", "OTHER.FileLogger", ""})
        EXPECT_FALSE(ClassFactory::create(id, host)) << id;
    EXPECT_EQ(ClassFactory::classes(),
              (std::vector<std::string>{"AutoText", "EANCode", "EanCode128", "ITFCode",
                                        "LabelPrinter", "PrintDialog", "FileLogger"}));
}
