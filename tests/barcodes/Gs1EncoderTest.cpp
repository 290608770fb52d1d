#include "barcodes/Gs1Encoder.h"

#include "framework/HostError.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

using namespace bw;

namespace {

constexpr CodeTypes GS1 = CodeTypes::ctEAN13; // every type but the three below
constexpr CodeTypes C = CodeTypes::ctCODE128C;
constexpr CodeTypes FREE = CodeTypes::ctCODE128FreeForm;
constexpr CodeTypes TNT = CodeTypes::ctEAN128TNT;

using Codes = std::vector<std::uint8_t>;

const std::string fnc1 = "\u2020";

struct Reading {
    std::string text; // FNC1 separators read as GS (hex 1D)
    std::string symbology;
};

// Draws the modules 3 pixels wide with quiet zones and reads them with zxing-cpp.
Reading readBack(const std::vector<std::uint8_t>& bars) {
    constexpr int quiet = 10, scale = 3, height = 8;
    const int width = (static_cast<int>(bars.size()) + 2 * quiet) * scale;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height), 255);
    for (int y = 0; y < height; ++y)
        for (std::size_t i = 0; i < bars.size(); ++i)
            for (int s = 0; s < scale && bars[i]; ++s)
                pixels[static_cast<std::size_t>(y * width + (quiet + static_cast<int>(i)) * scale +
                                                s)] = 0;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::Code128);
    const ZXing::Result r =
        ZXing::ReadBarcode({pixels.data(), width, height, ZXing::ImageFormat::Lum}, hints);
    if (!r.isValid()) return {"(unreadable)", ""};
    return {r.text(), r.symbologyIdentifier()};
}

class Gs1EncoderTest : public ::testing::Test {
protected:
    Code128Patterns patterns = Code128Patterns::fromResources();
    Gs1Encoder encoder{patterns};
};

} // namespace

// Expected values from the worked examples where marked, else worked out by hand from the
// switching rule and (c0 + 1 c1 + 2 c2 + ...) mod 103.
TEST_F(Gs1EncoderTest, BuildsTheSymbolValuesOfEachCodeType) {
    struct Case {
        std::string text;
        CodeTypes type;
        Codes codes;
        const char* readable;
    } cases[] = {
        /*0*/ {"(10)123456", GS1, {105, 102, 10, 12, 34, 56, 61}, "( 1 0 ) 1 2 3 4 5 6"}, // worked
        /*1*/ {"AB1234CD", FREE, {104, 33, 34, 99, 12, 34, 100, 35, 36, 102}, ""},        // worked
        /*2*/ {"1234", C, {105, 12, 34, 82}, "1 2 3 4"},                                  // worked
        /*3*/ {"1234", TNT, {105, 102, 12, 34, 24}, ""},                                  // worked
        // Fixed-length 01: no FNC1 after it; C throughout, then B for the letters.
        /*4*/
        {"(01)12345678901231(10)ABC",
         GS1,
         {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 10, 100, 33, 34, 35, 27},
         "( 0 1 ) 1 2 3 4 5 6 7 8 9 0 1 2 3 1 ( 1 0 ) A B C"},
        // Variable 10 first: FNC1 after ABC, then C for the 16 digits.
        /*5*/
        {"(10)ABC(01)12345678901231",
         GS1,
         {104, 102, 17, 16, 33, 34, 35, 102, 99, 1, 12, 34, 56, 78, 90, 12, 31, 45},
         "( 1 0 ) A B C ( 0 1 ) 1 2 3 4 5 6 7 8 9 0 1 2 3 1"},
        // 37 is a variable count: its FNC1 stays.
        /*6*/ {"(37)12(10)AB", GS1, {105, 102, 37, 12, 102, 10, 100, 33, 34, 24}, nullptr},
        /*7*/
        {"(01)09501101530003(17)261231(10)AB12",
         GS1,
         {105, 102, 1, 9, 50, 11, 1, 53, 0, 3, 17, 26, 12, 31, 10, 100, 33, 34, 17, 18, 39},
         nullptr},
        // Odd runs leave their last digit to set B; a run of fewer than four stays in B.
        /*8*/ {"12345", FREE, {105, 12, 34, 100, 21, 54}, ""},
        /*9*/ {"1234567", FREE, {105, 12, 34, 56, 100, 23, 44}, ""},
        /*10*/ {"A12345", FREE, {104, 33, 99, 12, 34, 100, 21, 0}, ""},
        /*11*/ {"123", FREE, {104, 17, 18, 19, 8}, ""},
        /*12*/ {"12AB3456", FREE, {104, 17, 18, 33, 34, 99, 34, 56, 41}, ""},
        // The marker is FNC1 in any set; space and DEL are set B's ends.
        /*13*/ {"1234" + fnc1 + "5678", FREE, {105, 12, 34, 102, 56, 78, 75}, ""},
        /*14*/ {"a b\x7F", FREE, {104, 65, 0, 66, 95, 26}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Code128Symbol s = encoder.GetEanCode(c.text, c.type);
        ASSERT_TRUE(s.encoded()) << s.error;
        EXPECT_EQ(s.codes, c.codes);
        if (c.readable) {
            EXPECT_EQ(s.readableText, c.readable);
        }
        EXPECT_EQ(s.bars, patterns.barsOf(s.codes));
        EXPECT_EQ(s.bars.size(), 11 * s.codes.size() + 13);
    }
    EXPECT_EQ(encoder.GetEanCode("(10)123456", GS1).bars.size(), 90u); // worked

    // The value builder alone: an empty text is START B and its check character.
    EXPECT_EQ(Gs1Encoder::ConvertToCodes("", false).codes, (Codes{104, 1}));
}

// Between them the cases use every symbol value and the stop pattern, so the tables themselves
// are checked by an independent reader.
TEST_F(Gs1EncoderTest, SymbolsReadBackWithAnIndependentReader) {
    std::string ascii; // set B: values 0 to 95
    for (char c = ' '; c != '\x7F'; ++c) ascii += c;
    ascii += '\x7F';
    std::string pairs; // set C: values 0 to 99
    for (int v = 0; v < 100; ++v) pairs += std::to_string(v / 10) + std::to_string(v % 10);
    const std::string gs = "\x1D";

    struct Case {
        std::string text;
        CodeTypes type;
        std::string read;
        const char* symbology; // ]C1 marks GS1-128
    } cases[] = {
        /*0*/ {ascii, FREE, ascii, "]C0"},
        /*1*/ {pairs, C, pairs, "]C0"},
        /*2*/ {"(10)123456", GS1, "10123456", "]C1"},
        /*3*/
        {"(01)09501101530003(17)261231(10)AB12", GS1, "01095011015300031726123110AB12", "]C1"},
        /*4*/ {"(00)123456789012345675", GS1, "00123456789012345675", "]C1"},
        /*5*/ {"(10)ABC(01)12345678901231", GS1, "10ABC" + gs + "0112345678901231", "]C1"},
        /*6*/ {"(37)12(10)AB", GS1, "3712" + gs + "10AB", "]C1"},
        /*7*/ {"AB1234CD", FREE, "AB1234CD", "]C0"},
        /*8*/ {"A12345", FREE, "A12345", "]C0"},
        /*9*/ {"0112345678901231", TNT, "0112345678901231", "]C1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Code128Symbol s = encoder.GetEanCode(c.text, c.type);
        ASSERT_TRUE(s.encoded()) << s.error;
        const Reading r = readBack(s.bars);
        EXPECT_EQ(r.text, c.read);
        EXPECT_EQ(r.symbology, c.symbology);
    }

    // The values no encoding produces: START A, SHIFT, FNC4, FNC2 and FNC3.
    Codes startA = {103, 33, 98, 65, 101, 33, 97, 34, 96, 35};
    startA.push_back(Gs1Encoder::checkCharacter(startA));
    EXPECT_EQ(readBack(patterns.barsOf(startA)).text, "Aa\u00C1BC");
}

TEST_F(Gs1EncoderTest, EveryPatternStartsWithABarAndSumsToItsModules) {
    auto runs = [](std::span<const std::uint8_t> modules) {
        std::vector<int> widths{1};
        for (std::size_t i = 1; i < modules.size(); ++i) {
            if (modules[i] == modules[i - 1])
                ++widths.back();
            else
                widths.push_back(1);
        }
        return widths;
    };
    for (int v = 0; v < 106; ++v) {
        SCOPED_TRACE(v);
        const auto p = patterns.pattern(static_cast<std::uint8_t>(v));
        EXPECT_EQ(p.front(), 1);
        EXPECT_EQ(p.back(), 0);
        const std::vector<int> widths = runs(p); // bar, space, bar, space, bar, space
        ASSERT_EQ(widths.size(), 6u);
        for (int w : widths) EXPECT_TRUE(w >= 1 && w <= 4);
    }
    const std::vector<std::uint8_t> stop(patterns.stop().begin(), patterns.stop().end());
    EXPECT_EQ(stop, (Codes{1, 1, 0, 0, 0, 1, 1, 1, 0, 1, 0, 1, 1}));
    EXPECT_THROW(patterns.pattern(106), HostError);
}

TEST_F(Gs1EncoderTest, ReportsEveryStatusWithWhatWasFoundAndExpected) {
    struct Case {
        std::string text;
        CodeTypes type;
        Code128Status status;
        bool emptiesText;
        const char* error; // checked when given
    } cases[] = {
        /*0*/ {"10123456", GS1, Code128Status::NotWellFormed, true,
               "Invalid character '1' at position 1, expecting '('"},
        /*1*/
        {"((10)1", GS1, Code128Status::NotWellFormed, true,
         "Unexpected '(' at position 2, expecting the digits of an AI"},
        /*2*/
        {"(1)23", GS1, Code128Status::NotWellFormed, true,
         "Too few digits (1) in AI at position 3, expecting 2 to 4"},
        /*3*/
        {"(12345)6", GS1, Code128Status::NotWellFormed, true,
         "Too many digits in AI at position 6, expecting ')'"},
        /*4*/
        {"(1a)2", GS1, Code128Status::NotWellFormed, true,
         "Invalid character 'a' at position 3, expecting a digit"},
        /*5*/
        {"(10", GS1, Code128Status::NotWellFormed, true,
         "AI at position 1 is not closed, expecting ')'"},
        /*6*/ {"(10)1)2", GS1, Code128Status::NotWellFormed, true, nullptr},
        /*7*/ {"", FREE, Code128Status::NotWellFormed, true, nullptr},
        /*8*/ {"", C, Code128Status::NotWellFormed, true, nullptr},
        /*9*/
        {"123", C, Code128Status::NotDigitPairs, true,
         "Odd number of digits (3), expecting an even number"},
        /*10*/
        {"12a4", C, Code128Status::NotDigitPairs, true,
         "Invalid character 'a' at position 3, expecting a digit"},
        /*11*/ {"12" + fnc1 + "4", TNT, Code128Status::NotDigitPairs, true, nullptr},
        /*12*/
        {"Caf\u00E9", FREE, Code128Status::NotEncodable, false,
         "Character '\u00E9' (U+00E9) at position 4 cannot be encoded in Code 128, "
         "expecting printable ASCII"},
        /*13*/
        {"(10)A\tB", GS1, Code128Status::NotEncodable, false,
         "Character U+0009 at position 6 cannot be encoded in Code 128, expecting "
         "printable ASCII"},
        /*14*/ {"(10)\u20AC5", GS1, Code128Status::NotEncodable, false, nullptr}, // euro sign
        /*15*/ {"ab\xFF", FREE, Code128Status::NotEncodable, false, nullptr},     // broken UTF-8
        // A reader assumes the fixed lengths: short data would swallow the next element.
        /*16*/
        {"(17)2612(10)AB", GS1, Code128Status::WrongLength, false,
         "AI (17) at position 1 has 4 data digits, expecting 6"},
        /*17*/ {"(00)12345678901234567", GS1, Code128Status::WrongLength, false, nullptr},
        /*18*/ {"(10)X(3103)0001234", GS1, Code128Status::WrongLength, false, nullptr},
        /*19*/
        {"(01)0950110153000O", GS1, Code128Status::NotADigit, false,
         "Invalid character 'O' at position 18 in the data of AI (01), expecting a digit"},
        /*20*/
        {"(00)123456789012345670", GS1, Code128Status::WrongCheckDigit, false,
         "Invalid check digit '0' in AI (00) at position 1, expecting '5'"},
        /*21*/ {"(10)A(01)09501101530004", GS1, Code128Status::WrongCheckDigit, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Code128Symbol s = encoder.GetEanCode(c.text, c.type);
        EXPECT_EQ(s.status, c.status);
        EXPECT_EQ(s.emptiesText, c.emptiesText);
        if (c.error) {
            EXPECT_EQ(s.error, c.error);
        }
        EXPECT_FALSE(s.error.empty());
        EXPECT_TRUE(s.codes.empty() && s.bars.empty() && s.readableText.empty());
    }
}

TEST(Gs1AiText, IsValidAiFormatChecksBracketsAndIdentifiersOnly) {
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {
        {"(10)123456", true}, {"(10)", true},    {"(9999)a b(10)", true}, {"(10)ABC(21)x", true},
        {"10123456", false},  {"((10)1", false}, {"(1)23", false},        {"(12345)6", false},
        {"(1a)2", false},     {"(10", false},    {"(10)1)2", false},      {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(Gs1Encoder::IsValidAiFormat(c.text), c.valid) << c.text;
}

TEST(Gs1AiText, InsertFunc1SeparatesOnlyVariableLengthElements) {
    struct Case {
        const char* text;
        std::string processed;
    } cases[] = {
        {"(01)12345678901231(10)AB12(21)X", "0112345678901231"
                                            "10AB12" +
                                                fnc1 + "21X"}, // worked
        {"(10)ABC(01)12345678901231", "10ABC" + fnc1 + "0112345678901231"},
        {"(37)12(10)AB", "3712" + fnc1 + "10AB"},
        {"(3103)000123(10)AB", "3103000123"
                               "10AB"},
        {"(10)AB", "10AB"}, // nothing after the last element
    };
    for (const Case& c : cases) EXPECT_EQ(Gs1Encoder::InsertFunc1(c.text), c.processed) << c.text;
}

TEST(Gs1AiText, CountDigitsStopsAtTheFirstNonDigit) {
    EXPECT_EQ(Gs1Encoder::CountDigits("0123a45"), 4u);
    EXPECT_EQ(Gs1Encoder::CountDigits(""), 0u);
    EXPECT_EQ(Gs1Encoder::CountDigits(fnc1 + "12"), 0u);
    EXPECT_EQ(Gs1Encoder::CountDigits("\uFF11\uFF12"), 0u); // full-width digits are not digits
}

TEST(Gs1AiText, SsccGetsItsCheckDigitBehindSeventeenDigits) {
    EXPECT_EQ(Gs1Encoder::SsccCheckDigit("12345678901234567"), "5"); // worked
    EXPECT_EQ(Gs1Encoder::SsccCheckDigit("12345678901234568"), "2");
    EXPECT_EQ(Gs1Encoder::SsccCheckDigit("10614141123456789"), "7"); // 83 -> 7
    EXPECT_EQ(Gs1Encoder::SsccCheckDigit("1x"), Gs1Encoder::SsccCheckDigit("10"));

    struct Case {
        const char* text;
        const char* completed;
    } cases[] = {
        {"(00)[+]12345678901234567", "(00)[+]123456789012345675"},
        {"(00)[+]12345678901234567 (10)AB", "(00)[+]123456789012345675 (10)AB"},
        {"(00)[++0]12345678901234568(10)A", "(00)[++0]123456789012345682(10)A"},
        // Every SSCC of the text gets its own digit.
        {"(00)[+]12345678901234567(00)[+]12345678901234568",
         "(00)[+]123456789012345675(00)[+]123456789012345682"},
        // Other than 17 digits: left for the encoder to refuse rather than spliced wrongly.
        {"(00)[+]123456789012345675", "(00)[+]123456789012345675"},
        {"(00)[+]1234567890123456", "(00)[+]1234567890123456"},
        {"(00)[+]1234567890(10)ABCDEF", "(00)[+]1234567890(10)ABCDEF"},
        {"(00)12345678901234567", "(00)12345678901234567"}, // no token
        {"(00)[+", "(00)[+"},
    };
    for (const Case& c : cases) EXPECT_EQ(Gs1Encoder::SSCCCheck(c.text), c.completed) << c.text;
}

// A check digit typed behind the counter is not completed again, and the counter's next step
// changes it; a second digit spliced behind it makes 19. Refused, never printed as another number.
TEST_F(Gs1EncoderTest, SsccWithAWrongCheckDigitNeverMakesASymbol) {
    struct Case {
        const char* text;
        Code128Status status;
    } cases[] = {
        {"(00)123456789012345675", Code128Status::Encoded},
        {"(00)123456789012345676", Code128Status::WrongCheckDigit},
        {"(00)1234567890123456755", Code128Status::WrongLength},
        {"(00)1234567890123(10)AB", Code128Status::WrongLength},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encoder.GetEanCode(c.text, GS1).status, c.status) << c.text;
}

TEST_F(Gs1EncoderTest, SampleTextOfEveryCodeTypeEncodes) {
    for (int t = 0; t <= 5; ++t) {
        const auto type = static_cast<CodeTypes>(t);
        EXPECT_TRUE(encoder.GetEanCode(Gs1Encoder::sampleText(type), type).encoded()) << t;
    }
}

TEST(Code128Patterns, RefusesDamagedTables) {
    const std::vector<std::byte> symbols(1166, std::byte{0}), stop(13, std::byte{1});
    std::vector<std::byte> badByte = symbols;
    badByte[5] = std::byte{2};
    EXPECT_NO_THROW((void)Code128Patterns(symbols, stop));
    EXPECT_THROW(Code128Patterns(std::span(symbols).first(1165), stop), HostError);
    EXPECT_THROW(Code128Patterns(symbols, std::span(stop).first(12)), HostError);
    EXPECT_THROW(Code128Patterns(badByte, stop), HostError);
}
