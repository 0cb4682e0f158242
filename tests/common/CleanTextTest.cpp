#include "common/CleanText.h"

#include <gtest/gtest.h>

using wel::CleanText;

namespace {
QString u(const char16_t* s) { return QString::fromUtf16(s); }
} // namespace

// What a workbook or a paste brings, and the text a search typed by a clerk
// must find.
TEST(CleanText, StoresOneFormWithoutControlOrInvisibleCharacters)
{
    struct Case {
        const char* what;
        QString in, out;
    };
    const Case cases[] = {
        {"tab and line breaks between words", u(u"สมชาย\tใจดี\r\n"), u(u"สมชาย ใจดี  ")},
        {"no-break space", u(u"นาย\u00A0สมชาย"), u(u"นาย สมชาย")},
        {"zero-width space, joiners and word joiner", u(u"สม\u200Bชาย\u200C\u200D\u2060"), u(u"สมชาย")},
        {"soft hyphen and byte-order mark", u(u"\uFEFFวิศว\u00ADกรรม"), u(u"วิศวกรรม")},
        {"direction marks", u(u"\u200Eคำ\u200F"), u(u"คำ")},
        {"sara am typed as nikhahit and sara aa", u(u"\u0E19\u0E49\u0E4D\u0E32\u0E1D\u0E19"), u(u"\u0E19\u0E49\u0E33\u0E1D\u0E19")},
        {"nikhahit typed before the tone mark", u(u"\u0E19\u0E4D\u0E49\u0E32"), u(u"\u0E19\u0E49\u0E33")},
        {"sara am already one character", u(u"ทำ"), u(u"ทำ")},
        {"Latin letters composed (NFC)", u(u"Jose\u0301"), u(u"Jos\u00E9")},
        {"ordinary text unchanged, blanks kept", QStringLiteral("  SC5900000101 "), QStringLiteral("  SC5900000101 ")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CleanText(c.in), c.out) << c.what;
}
