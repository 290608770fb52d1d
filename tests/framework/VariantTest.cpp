#include "framework/Variant.h"

#include <gtest/gtest.h>

using namespace bw;

namespace {

constexpr std::int16_t i16(int v) {
    return static_cast<std::int16_t>(v);
}

} // namespace

TEST(Variant, ConvertsAsTheRuntimeDoes) {
    struct Case {
        Variant in;
        VariantType to;
        Variant out; // ignored when an error is expected
        std::int32_t error = 0;
    } cases[] = {
        // floating to integer: nearest, halves to even; out of range after rounding: overflow
        {2.5, VariantType::Long, 2},
        {3.5, VariantType::Long, 4},
        {-2.5, VariantType::Long, -2},
        {-3.5, VariantType::Integer, i16(-4)},
        {32766.5, VariantType::Integer, i16(32766)},
        {32767.5, VariantType::Integer, {}, err::overflow},
        {40000, VariantType::Integer, {}, err::overflow},
        {2147483647.5, VariantType::Long, {}, err::overflow},
        {1e39, VariantType::Single, {}, err::overflow},
        // strings: one whole number, spaces around it allowed
        {" 12 ", VariantType::Long, 12},
        {"1e3", VariantType::Long, 1000},
        {"2.5", VariantType::Integer, i16(2)},
        {"&H1F", VariantType::Long, 31},
        {"12abc", VariantType::Long, {}, err::typeMismatch},
        {"", VariantType::Double, {}, err::typeMismatch},
        {"1e999", VariantType::Long, {}, err::overflow},
        // Booleans: True is -1, anything non-zero is True
        {true, VariantType::Long, -1},
        {true, VariantType::Double, -1.0},
        {false, VariantType::Integer, i16(0)},
        {5, VariantType::Boolean, true},
        {0.0, VariantType::Boolean, false},
        {"TRUE", VariantType::Boolean, true},
        {" false ", VariantType::Boolean, false},
        {"1", VariantType::Boolean, true},
        {"abc", VariantType::Boolean, {}, err::typeMismatch},
        // to text
        {true, VariantType::String, "True"},
        {0.1, VariantType::String, "0.1"},
        {0.1f, VariantType::String, "0.1"},
        {-5, VariantType::String, "-5"},
        // empty reads as zero, "" and False
        {Variant(), VariantType::Long, 0},
        {Variant(), VariantType::String, ""},
        {Variant(), VariantType::Boolean, false},
        // fonts only to fonts; Empty as a target takes anything as it is
        {FontDesc{}, VariantType::Long, {}, err::typeMismatch},
        {"Arial", VariantType::Font, {}, err::typeMismatch},
        {FontDesc{}, VariantType::Font, FontDesc{}},
        {"x", VariantType::Empty, "x"},
    };
    for (const Case& c : cases) {
        const Result<Variant> r = c.in.convertTo(c.to);
        const std::string what = c.in.describe() + " to " + std::string(typeName(c.to));
        if (c.error) {
            ASSERT_FALSE(r.ok()) << what;
            EXPECT_EQ(r.error().number, c.error) << what;
        } else {
            ASSERT_TRUE(r.ok()) << what << ": " << r.error().description;
            EXPECT_EQ(r.value(), c.out) << what;
        }
    }
}

TEST(Variant, FailuresSayWhatWasFoundAndWanted) {
    EXPECT_EQ(Variant("abc").toLong().error().description,
              "Type mismatch: \"abc\" (String) is not a Long");
    EXPECT_EQ(Variant(40000).toInteger().error().description,
              "Overflow: 40000 (Long) does not fit an Integer");
    EXPECT_THROW(Variant("abc").toLong().value(), HostError);
}

TEST(Variant, SameValueComparesAcrossNumericTypes) {
    struct Case {
        Variant a, b;
        bool same;
    } cases[] = {
        {i16(5), 5, true},
        {true, -1, true},
        {"5", 5.0, true},
        {"abc", 0, false},
        {Variant(), 0, true},
        {Variant(), "", true},
        {"a", "A", false},
        {0.5f, 0.5, true},
        {FontDesc{}, FontDesc{}, true},
        {FontDesc{}, "Arial", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sameValue(c.a, c.b), c.same) << c.a.describe() << " vs " << c.b.describe();
}
