#include "barcodes/ItfEncoder.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

using namespace bw;

namespace {

std::string bits(const std::vector<std::uint8_t>& flags) {
    std::string s;
    for (std::uint8_t f : flags) s += static_cast<char>('0' + f);
    return s;
}

// Draws the elements 2 (narrow) and 5 (wide) pixels wide with quiet zones and reads them with
// zxing-cpp.
std::string readBack(const std::vector<std::uint8_t>& flags) {
    constexpr int quiet = 30, height = 8;
    std::vector<std::uint8_t> row(quiet, 255);
    for (std::size_t i = 0; i < flags.size(); ++i)
        row.insert(row.end(), flags[i] ? 5 : 2, i % 2 == 0 ? 0 : 255);
    row.insert(row.end(), quiet, 255);
    const int width = static_cast<int>(row.size());
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < height; ++y) pixels.insert(pixels.end(), row.begin(), row.end());
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::ITF);
    const ZXing::Result r =
        ZXing::ReadBarcode({pixels.data(), width, height, ZXing::ImageFormat::Lum}, hints);
    return r.isValid() ? r.text() : "(unreadable)";
}

class ItfEncoderTest : public ::testing::Test {
protected:
    ItfEncoder encoder{BarcodeTables::itf()};
};

} // namespace

TEST_F(ItfEncoderTest, CompletesCodesWithLeadingZeroAndCheckDigit) {
    struct Case {
        const char* text;
        bool checkIncluded;
        const char* code;
    } cases[] = {
        /*0*/ {"1234567890123", false, "12345678901231"}, // check digit appended
        /*1*/ {"12345678901231", true, "12345678901231"}, // check digit verified
        /*2*/ {"1234565", true, "01234565"},              // odd count: leading zero
        /*3*/ {"15400141288763", true, "15400141288763"}, // GS1 ITF-14 example
        /*4*/ {"123456123456", false, "01234561234560"},  // a new element's text
        /*5*/ {"12345", false, "123457"},                 // check appended, count even
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ItfEncoding r = encoder.GetITFCode(c.text, c.checkIncluded);
        EXPECT_EQ(r.status, ItfStatus::Encoded);
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(readBack(r.widthFlags), c.code);
        const std::size_t n = r.code.size();
        ASSERT_EQ(r.widthFlags.size(), 5 * n + 7);
        // Every digit has two wide elements of five: one digit per pair in bars, one in spaces.
        for (std::size_t p = 0; p < n / 2; ++p) {
            int wideBars = 0, wideSpaces = 0;
            for (std::size_t j = 0; j < 5; ++j) {
                wideBars += r.widthFlags[4 + 10 * p + 2 * j];
                wideSpaces += r.widthFlags[5 + 10 * p + 2 * j];
            }
            EXPECT_EQ(wideBars, 2) << "pair " << p;
            EXPECT_EQ(wideSpaces, 2) << "pair " << p;
        }
    }
    EXPECT_EQ(encoder.GetITFCode("1234567890123", false).readableText,
              "1 2 3 4 5 6 7 8 9 0 1 2 3 1 ");
}

// Written out by hand from the Interleaved 2 of 5 digit patterns (1 wide, 0 narrow):
// 0 00110, 1 10001, 2 01001, 3 11000, 4 00101, 5 10100, 6 01100, 7 00011, 8 10010, 9 01010;
// a pair's first digit in the bars, its second in the spaces between them.
TEST_F(ItfEncoderTest, WidthFlagsInterleaveTheDigitPairs) {
    const std::string start = "0000", stop = "100";
    EXPECT_EQ(bits(encoder.GetITFCode("12345678901231", true).widthFlags),
              start + "1001000011" + "1010010001" + "1001110000" + "0100001110" + "0010011100" +
                  "1001000011" + "1110000001" + stop);
    // The pair 0 1 after the start pattern.
    EXPECT_EQ(bits(encoder.GetITFCode("0123", true).widthFlags),
              start + "0100101001" + "0111000010" + stop);
}

TEST_F(ItfEncoderTest, ReportsEveryStatusWithWhatWasFoundAndExpected) {
    const std::string tooLong(256, '1');
    struct Case {
        std::string text;
        bool checkIncluded;
        ItfStatus status;
        bool emptiesText;
        const char* message;
    } cases[] = {
        /*0*/ {"", true, ItfStatus::ZeroValue, true, "Empty text, expecting digits"},
        /*1*/
        {"0000", false, ItfStatus::ZeroValue, true,
         "Text '0000' reads as the number 0, expecting a number other than 0"},
        /*2*/
        {"12A4", true, ItfStatus::NotADigit, true,
         "Invalid character 'A' at position 3, expecting a digit"},
        /*3*/
        {"12345678901232", true, ItfStatus::WrongCheckDigit, false,
         "Invalid check digit '2', expecting '1'"},
        /*4*/
        {"1234567", true, ItfStatus::WrongCheckDigit, false,
         "Invalid check digit '7', expecting '5'"},
        /*5*/
        {tooLong, false, ItfStatus::TooLong, false,
         "Invalid length 256, expecting at most 255 digits"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ItfEncoding r = encoder.GetITFCode(c.text, c.checkIncluded);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.emptiesText, c.emptiesText);
        EXPECT_EQ(r.message, c.message);
        EXPECT_FALSE(r.hasSymbol());
        EXPECT_TRUE(r.readableText.empty());
    }
    // The longest text still encodes, to 256 digits with its check digit.
    EXPECT_EQ(encoder.GetITFCode(tooLong.substr(1), false).digitCount(), 256);
}

TEST_F(ItfEncoderTest, SampleTextsEncodeToOneSymbolWhateverCheckIncludedSays) {
    for (CodeTypes type : {CodeTypes::ctEAN13, CodeTypes::ctEAN8}) {
        const ItfEncoding with = encoder.GetITFCode(ItfEncoder::sampleText(type, true), true);
        const ItfEncoding without = encoder.GetITFCode(ItfEncoder::sampleText(type, false), false);
        EXPECT_EQ(with.status, ItfStatus::Encoded);
        EXPECT_EQ(without.status, ItfStatus::Encoded);
        EXPECT_EQ(with.code, without.code);
    }
}
