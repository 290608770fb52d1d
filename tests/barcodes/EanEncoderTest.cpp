#include "barcodes/EanEncoder.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

using namespace bw;

namespace {

constexpr CodeTypes EAN13 = CodeTypes::ctEAN13;
constexpr CodeTypes EAN8 = CodeTypes::ctEAN8;
constexpr CodeTypes UPCA = CodeTypes::ctUPCA;

std::string bits(const std::vector<std::uint8_t>& modules) {
    std::string s;
    for (std::uint8_t m : modules) s += static_cast<char>('0' + m);
    return s;
}

std::string withoutSpaces(std::string s) {
    std::erase(s, ' ');
    return s;
}

// Draws the modules 3 pixels wide with quiet zones and reads them with zxing-cpp: its format
// and text, "EAN-13 5012345678900".
std::string readBack(const std::vector<std::uint8_t>& modules) {
    constexpr int quiet = 12, scale = 3, height = 8;
    const int width = (static_cast<int>(modules.size()) + 2 * quiet) * scale;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height), 255);
    for (int y = 0; y < height; ++y)
        for (std::size_t i = 0; i < modules.size(); ++i)
            for (int s = 0; s < scale && modules[i]; ++s)
                pixels[static_cast<std::size_t>(y * width + (quiet + static_cast<int>(i)) * scale +
                                                s)] = 0;
    const ZXing::Result r =
        ZXing::ReadBarcode({pixels.data(), width, height, ZXing::ImageFormat::Lum});
    return r.isValid() ? std::string(ZXing::ToString(r.format())) + " " + r.text() : "(unreadable)";
}

class EanEncoderTest : public ::testing::Test {
protected:
    EanEncoder encoder{BarcodeTables::ean()};
};

} // namespace

TEST_F(EanEncoderTest, CompletesRealCodesWithTheirCheckDigit) {
    struct Case {
        const char* text;
        CodeTypes type;
        const char* code;
        const char* reads; // by zxing-cpp
    } cases[] = {
        /*0*/ {"5012345678900", EAN13, "5012345678900", "EAN-13 5012345678900"}, // GS1 sample
        /*1*/ {"4006381333931", EAN13, "4006381333931", "EAN-13 4006381333931"}, // a product
        /*2*/ {"400638133393", EAN13, "4006381333931", "EAN-13 4006381333931"},  // check added
        /*3*/ {"123456123456", EAN13, "1234561234560", "EAN-13 1234561234560"},  // 90 -> 0
        /*4*/ {"96385074", EAN8, "96385074", "EAN-8 96385074"},                  // a product
        /*5*/ {"9638507", EAN8, "96385074", "EAN-8 96385074"},                   // check added
        /*6*/ {"1231234", EAN8, "12312344", "EAN-8 12312344"},                   // 36 -> 4
        /*7*/ {"0036000291452", UPCA, "0036000291452", "UPC-A 036000291452"},    // a product
        /*8*/ {"003600029145", UPCA, "0036000291452", "UPC-A 036000291452"},     // check added
        /*9*/ {"0123456234567", UPCA, "0123456234567", "UPC-A 123456234567"},    //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const EanEncoding r = encoder.GetEanCode(c.text, c.type);
        EXPECT_EQ(r.status, EanStatus::Encoded);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.modules.size(), c.type == EAN8 ? 67u : 95u);
        EXPECT_EQ(readBack(r.modules), c.reads);
        EXPECT_TRUE(r.message.empty());
    }
}

TEST_F(EanEncoderTest, SplitsTheDigitsForTheBoxesAroundTheSymbol) {
    struct Case {
        const char* text;
        CodeTypes type;
        const char* lead;
        const char* left;
        const char* right;
        const char* trail;
    } cases[] = {
        {"123456123456", EAN13, "1", "2 3 4 5 6 1 ", "2 3 4 5 6 0 ", " "},
        {"1231234", EAN8, "", "1 2 3 1 ", "2 3 4 4 ", ""},
        {"0123456234567", UPCA, "1", "2 3 4 5 6 ", "2 3 4 5 6 ", "7"},
        // A wrong EAN-13 check digit shows the right one, as the bars do.
        {"1234561234561", EAN13, "1", "2 3 4 5 6 1 ", "2 3 4 5 6 0 ", " "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const EanEncoding r = encoder.GetEanCode(c.text, c.type);
        EXPECT_EQ(r.leadDigit, c.lead);
        EXPECT_EQ(r.leftDigits, c.left);
        EXPECT_EQ(r.rightDigits, c.right);
        EXPECT_EQ(r.trailDigit, c.trail);
    }
}

// Written out by hand from the GS1 encodation tables: guards 101 / 01010 / 101, left digits in
// L (A) or G (B) code by the parity row of the leading digit, right digits in R (C) code.
TEST_F(EanEncoderTest, ModulePatternsMatchTheEncodationTables) {
    struct Case {
        const char* text;
        CodeTypes type;
        const char* pattern;
    } cases[] = {
        // Leading 4: parity A B A A B B; 0(A) 0(B) 6(A) 3(A) 8(B) 1(B) | 3 3 3 9 3 1.
        {"4006381333931", EAN13,
         "101 0001101 0100111 0101111 0111101 0001001 0110011 01010 "
         "1000010 1000010 1000010 1110100 1000010 1100110 101"},
        // 9 6 3 8 in A | 5 0 7 4 in C.
        {"96385074", EAN8,
         "101 0001011 0101111 0111101 0110111 01010 1001110 1110010 1000100 1011100 101"},
        // EAN-13 with leading 0 (all A): 0 3 6 0 0 0 | 2 9 1 4 5 2.
        {"0036000291452", UPCA,
         "101 0001101 0111101 0101111 0001101 0001101 0001101 01010 "
         "1101100 1110100 1100110 1011100 1001110 1101100 101"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(bits(encoder.GetEanCode(c.text, c.type).modules), withoutSpaces(c.pattern));
    }
}

TEST_F(EanEncoderTest, ReportsEveryStatusWithWhatWasFoundAndExpected) {
    struct Case {
        const char* text;
        CodeTypes type;
        EanStatus status;
        bool emptiesText;
        bool symbol;
        const char* message;
    } cases[] = {
        /*0*/ {"", EAN13, EanStatus::ZeroValue, true, false, "Empty text, expecting digits"},
        /*1*/
        {"0000000", EAN8, EanStatus::ZeroValue, true, false,
         "Text '0000000' reads as the number 0, expecting a number other than 0"},
        // Reads as 0 before its digits are looked at.
        /*2*/
        {"A23456123456", EAN13, EanStatus::ZeroValue, true, false,
         "Text 'A23456123456' reads as the number 0, expecting a number other than 0"},
        /*3*/
        {"123456123456A", EAN13, EanStatus::NotADigit, true, false,
         "Invalid character 'A' at position 13, expecting a digit"},
        // Positions count characters, not bytes; a damaged byte shows as U+FFFD.
        /*4*/
        {"1\xc3\xa9\xff", EAN8, EanStatus::NotADigit, true, false,
         "Invalid character '\xc3\xa9' at position 2, expecting a digit"},
        /*5*/
        {"12\xff", EAN8, EanStatus::NotADigit, true, false,
         "Invalid character '\xef\xbf\xbd' at position 3, expecting a digit"},
        /*6*/
        {"12345", EAN13, EanStatus::WrongLength, true, false,
         "Invalid length 5, expecting 12 or 13 digits"},
        /*7*/
        {"12345", UPCA, EanStatus::WrongLength, true, false,
         "Invalid length 5, expecting 12 or 13 digits"},
        // EAN-8 keeps the text of a wrong length.
        /*8*/
        {"12345", EAN8, EanStatus::WrongLength, false, false,
         "Invalid length 5, expecting 7 or 8 digits"},
        /*9*/
        {"12345612345600", EAN13, EanStatus::WrongLength, true, false,
         "Invalid length 14, expecting 12 or 13 digits"},
        /*10*/
        {"1234561234561", EAN13, EanStatus::WrongCheckDigit, false, true,
         "Invalid check digit '1', expecting '0'"},
        /*11*/
        {"0123456234560", UPCA, EanStatus::WrongCheckDigit, false, true,
         "Invalid check digit '0', expecting '7'"},
        /*12*/
        {"12312345", EAN8, EanStatus::WrongCheckDigit, false, false,
         "Invalid check digit '5', expecting '4'"},
        /*13*/
        {"1231234", CodeTypes::ctCODE128C, EanStatus::CodeTypeNotServed, false, false,
         "Invalid code type 2, expecting 0 (EAN-13), 1 (EAN-8) or 5 (UPC-A)"},
        /*14*/
        {"1231234", static_cast<CodeTypes>(-7), EanStatus::CodeTypeNotServed, false, false,
         "Invalid code type -7, expecting 0 (EAN-13), 1 (EAN-8) or 5 (UPC-A)"},
        /*15*/
        {"123123123123", UPCA, EanStatus::UpcaNotLeadingZero, false, false,
         "Invalid first digit '1' for UPC-A, expecting '0'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const EanEncoding r = encoder.GetEanCode(c.text, c.type);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.emptiesText, c.emptiesText);
        EXPECT_EQ(r.hasSymbol(), c.symbol);
        EXPECT_EQ(r.message, c.message);
        if (!c.symbol) {
            EXPECT_TRUE(r.code.empty() && r.leftDigits.empty());
        }
    }
}

TEST_F(EanEncoderTest, WrongEan13CheckDigitGivesTheSymbolOfTheCorrectedCode) {
    const EanEncoding wrong = encoder.GetEanCode("1234561234561", EAN13);
    const EanEncoding right = encoder.GetEanCode("1234561234560", EAN13);
    EXPECT_EQ(wrong.code, "1234561234560");
    EXPECT_EQ(wrong.modules, right.modules);
}

TEST_F(EanEncoderTest, SampleTextsEncode) {
    for (CodeTypes type : {EAN13, EAN8, UPCA})
        EXPECT_EQ(encoder.GetEanCode(EanEncoder::sampleText(type), type).status, EanStatus::Encoded)
            << static_cast<int>(type);
}

TEST(EanSpaceOut, PutsASpaceAfterEveryCharacter) {
    EXPECT_EQ(EanEncoder::SpaceOut("1234"), "1 2 3 4 ");
    EXPECT_EQ(EanEncoder::SpaceOut(""), "");
    EXPECT_EQ(EanEncoder::SpaceOut("\xc3\xa9"
                                   "1"),
              "\xc3\xa9 1 ");
}
