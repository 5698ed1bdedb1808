#include "CString.h"
#include "CStringArray.h"
#include "TextConversion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const char* text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        out += digits[*p >> 4];
        out += digits[*p & 15];
        out += ' ';
    }
    return out;
}

TEST(CStringTest, ResourceTextsArriveInWindows1252)
{
    CString text;
    ASSERT_TRUE(text.LoadString(1));
    // "à" 0xE0, "°" 0xB0, "é" 0xE9: one byte each, as the program's resources store them.
    EXPECT_EQ(std::string("Mise \xE0 jour n\xB0%d : \xE9t\xE9"), std::string(text)) << Hex(text);

    CString lines;
    ASSERT_TRUE(lines.LoadString(2));
    EXPECT_EQ(std::string("Ligne un\r\nLigne deux"), std::string(lines));

    CString missing("kept?");
    EXPECT_FALSE(missing.LoadString(999));
    EXPECT_TRUE(missing.IsEmpty());
}

TEST(CStringTest, FormatUsesALoadedTextAsFormat)
{
    CString format;
    ASSERT_TRUE(format.LoadString(1));
    CString text;
    text.Format(format, 42);
    EXPECT_EQ(std::string("Mise \xE0 jour n\xB0" "42 : \xE9t\xE9"), std::string(text));

    CString longText;
    longText.Format("%s-%s", std::string(3000, 'a').c_str(), std::string(3000, 'b').c_str());
    EXPECT_EQ(6001, longText.GetLength());
}

TEST(CStringTest, SlicesClampToTheString)
{
    const CString path("C:\\Suite\\Ecole");
    EXPECT_EQ(8, path.ReverseFind('\\'));
    EXPECT_EQ(-1, path.ReverseFind('/'));
    EXPECT_EQ(CString("C:\\Suite"), path.Left(8));
    EXPECT_EQ(CString("Ecole"), path.Mid(9));
    EXPECT_EQ(CString(""), path.Left(-1));
    EXPECT_EQ(path, path.Left(99));
    EXPECT_EQ(CString(""), path.Mid(99));
    EXPECT_EQ(CString("Eco"), path.Mid(9, 3));
    EXPECT_EQ(CString("cole"), path.Right(4));
    // "NAME.ini" less three characters plus "log", as the catalogue forms log names.
    const CString ini("D:\\x\\Pavane 5.ini");
    EXPECT_EQ(CString("D:\\x\\Pavane 5.log"), ini.Left(ini.GetLength() - 3) + "log");
}

TEST(CStringTest, RemoveTakesOutEveryOccurrence)
{
    CString version("1, 2, 5, 0");
    EXPECT_EQ(3, version.Remove(','));
    EXPECT_EQ(3, version.Remove(' '));
    EXPECT_EQ(CString("1250"), version);
}

TEST(CStringTest, CompareIsByteWiseAndCompareNoCaseFoldsLetters)
{
    EXPECT_EQ(0, CString("C:\\Suite").Compare("C:\\Suite"));
    EXPECT_NE(0, CString("C:\\Suite").Compare("c:\\suite"));
    EXPECT_LT(CString("A").Compare("B"), 0);

    EXPECT_EQ(0, CString("pavane 5").CompareNoCase("Pavane 5"));
    EXPECT_EQ(0, CString("QUILL MX").CompareNoCase("Quill Mx"));
    EXPECT_NE(0, CString("Pavane 5").CompareNoCase("Pavane 5 +"));
    EXPECT_NE(0, CString("Pavane 5 ").CompareNoCase("Pavane 5"));
}

TEST(CStringArrayTest, CopyReplacesTheContent)
{
    CStringArray source;
    source.Add("un");
    source.Add("deux");
    CStringArray target;
    target.Add("vieux");
    target.Copy(source);
    ASSERT_EQ(2, target.GetSize());
    EXPECT_EQ(CString("un"), target.GetAt(0));
    EXPECT_EQ(CString("deux"), target.GetAt(1));
    target.Copy(target);
    EXPECT_EQ(2, target.GetSize());
    target.RemoveAll();
    EXPECT_EQ(0, target.GetSize());
    EXPECT_EQ(2, source.GetSize());
}

} // namespace

TEST(TextConversion, OneWayEachWithTheRulesStated)
{
    // Windows-1252 bytes to UTF-16 and back, every byte keeping its character.
    const char ansi[] = "Coll\xE8ge \xAB \x80 \xBB \xFF";
    const std::wstring wide = AfxWideFromAnsi(ansi);
    EXPECT_EQ(std::wstring(L"Coll\u00E8ge \u00AB \u20AC \u00BB \u00FF"), wide);
    EXPECT_EQ(std::string(ansi), static_cast<const char*>(AfxAnsiFromWide(wide.c_str())));
    EXPECT_EQ(std::wstring(L"Co"), AfxWideFromAnsi(ansi, 2)) << "a length";
    EXPECT_EQ(std::wstring(), AfxWideFromAnsi(nullptr));

    struct Case {
        const wchar_t* text;
        const char* bestFit;
        const char* question;
        const char* utf8;
    };
    const Case cases[] = {
        {L"", "", "", ""},
        {L"\u00C9t\u00E9", "\xC9t\xE9", "\xC9t\xE9", "\xC3\x89t\xC3\xA9"},
        // A letter the code page lacks: its look-alike, or '?'.
        {L"\u0100b", "Ab", "?b", "\xC4\x80" "b"},
        // Nothing like it in the code page: '?' either way.
        {L"\u4E2D", "?", "?", "\xE4\xB8\xAD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("case: ") + c.bestFit);
        EXPECT_EQ(std::string(c.bestFit), static_cast<const char*>(AfxAnsiFromWide(c.text)));
        EXPECT_EQ(std::string(c.question),
                  static_cast<const char*>(AfxAnsiFromWide(c.text, -1, AnsiFallback::Question)));
        EXPECT_EQ(std::string(c.utf8), AfxUtf8FromWide(c.text));
    }
    EXPECT_EQ(std::string("\xC9"), static_cast<const char*>(AfxAnsiFromWide(L"\u00C9t\u00E9", 1))) << "a length";
    EXPECT_EQ(std::string("Coll\xC3\xA8ge \xE2\x82\xAC"), AfxUtf8FromAnsi("Coll\xE8ge \x80"));
}

TEST(TextConversion, TheUtf8CheckRefusesEveryIllFormedSequence)
{
    // What a record read back from another PC must pass: the system's decoder
    // decides, and Wine's must refuse what Windows' refuses.
    const struct {
        const char* label;
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"empty", "", true},
        {"accents and a euro sign", "Coll\xC3\xA8ge \xE2\x82\xAC", true},
        {"a character beyond the first plane", "\xF0\x9F\x98\x80", true},
        {"a Windows-1252 letter alone", "Coll\xE8ge", false},
        {"an overlong slash", "\xC0\xAF", false},
        {"a surrogate", "\xED\xA0\x80", false},
        {"a sequence cut short", "\xE2\x82", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.utf8, AfxIsUtf8(c.bytes.data(), static_cast<int>(c.bytes.size()))) << c.label;
}
