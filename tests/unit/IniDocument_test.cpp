// The INI document in its file's encoding: every file's bytes come back
// unchanged, UTF-16 is read as UTF-8, values cut at the limit stay whole
// characters, and ANSI values are converted in and out through the code page
// (the stores' tests save Unicode files whole).
#include "settings/ini/IniDocument.h"

#include <gtest/gtest.h>

#include <random>

#include "doubles/FakeCodePage.h"
#include "settings/ini/TextEncoding.h"

namespace keytide::ini {
namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kUtf16Mark = "\xFF\xFE";

TEST(TextEncoding, EveryFileConvertsBackToExactlyItsBytes) {
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::string text;  // as the INI engine sees it
    };
    const Case cases[] = {
        {"ANSI", "[a]\r\nk=Gr\xFC\xDF\r\n", TextEncoding::Ansi, "[a]\r\nk=Gr\xFC\xDF\r\n"},
        {"UTF-16 big-endian mark is no mark", "\xFE\xFF\0[", TextEncoding::Ansi, "\xFE\xFF\0["},
        {"UTF-8 mark", kUtf8Mark + "[a]\r\nk=\xD0\x9F\r\n", TextEncoding::Utf8, "[a]\r\nk=\xD0\x9F\r\n"},
        {"UTF-8 mark before a UTF-16 one", kUtf8Mark + kUtf16Mark, TextEncoding::Utf8, kUtf16Mark},
        {"UTF-16", kUtf16Mark + std::string("[\0a\0]\0\x1F\x04", 8), TextEncoding::Utf16Le, "[a]\xD0\x9F"},
        {"UTF-16 surrogate pair", kUtf16Mark + std::string("\x3D\xD8\x00\xDE", 4), TextEncoding::Utf16Le,
         "\xF0\x9F\x98\x80"},
        {"UTF-16 lone high surrogate", kUtf16Mark + "\x3D\xD8" + "A" + '\0', TextEncoding::Utf16Le,
         "\xED\xA0\xBD" "A"},
        {"UTF-16 lone low surrogate", kUtf16Mark + std::string("\x00\xDE", 2), TextEncoding::Utf16Le, "\xED\xB8\x80"},
        {"UTF-16 pair the wrong way round", kUtf16Mark + std::string("\x00\xDE\x3D\xD8", 4), TextEncoding::Utf16Le,
         "\xED\xB8\x80\xED\xA0\xBD"},
        {"UTF-16 NUL units", kUtf16Mark + std::string("\0\0k\0", 4), TextEncoding::Utf16Le, std::string("\0k", 2)},
        {"UTF-16 odd last byte", kUtf16Mark + "k" + '\0' + "\x7F", TextEncoding::Utf16Le, "k"},
        {"UTF-16 mark alone", kUtf16Mark, TextEncoding::Utf16Le, ""},
    };
    for (const Case& c : cases) {
        const FileText decoded = DecodeFileText(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding) << c.name;
        EXPECT_EQ(decoded.text, c.text) << c.name;
        EXPECT_EQ(EncodeFileText(decoded), c.bytes) << c.name;
    }

    // And whatever bytes a file holds after each mark.
    std::mt19937 random(20240601);
    for (const std::string& mark : {std::string(), kUtf8Mark, kUtf16Mark}) {
        for (int round = 0; round < 300; ++round) {
            std::string bytes = mark;
            const int length = static_cast<int>(random() % 64);
            for (int i = 0; i < length; ++i) bytes += static_cast<char>(random() % 256);
            ASSERT_EQ(EncodeFileText(DecodeFileText(bytes)), bytes);
        }
    }
}

TEST(TextEncoding, ACutValueDoesNotEndInsideACharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "abc"},
        {"", ""},
        {"ab\xD0", "ab"},                         // two-byte character cut after its lead
        {"ab\xD0\x9F", "ab\xD0\x9F"},              // whole
        {"a\xE6\xB5", "a"},                        // three-byte character cut after two
        {"a\xF0\x9F\x98", "a"},                    // four-byte character cut after three
        {"a\xF0\x9F\x98\x80", "a\xF0\x9F\x98\x80"},  // whole
        {"\x80\x80", "\x80\x80"},                  // no character at all: left as it is
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(WithoutCutSequence(text), expected);
}

class IniDocumentTest : public ::testing::Test {
protected:
    fakes::Latin1CodePage latin1;
};

TEST_F(IniDocumentTest, AnsiValuesAreConvertedOnTheWayInAndOut) {
    IniDocument document = IniDocument::FromBytes("[a]\r\nk=Gr\xFC\xDF\r\nn=0x1F\r\n", latin1);
    EXPECT_EQ(document.Encoding(), TextEncoding::Ansi);
    EXPECT_EQ(document.ReadString("a", "k", ""), "Gr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(document.ReadInteger("a", "n", 0), 31);
    EXPECT_TRUE(document.WriteString("a", "k", "caf\xC3\xA9"));
    EXPECT_EQ(document.ToBytes(), "[a]\r\nk=caf\xE9\r\nn=0x1F\r\n");

    // A character the code page lacks is not written, and not as "?" either.
    EXPECT_FALSE(document.WriteString("a", "k", "\xD0\x9F"));
    EXPECT_FALSE(document.WriteString("b", "new", "\xE6\xB5\x8B"));
    EXPECT_EQ(document.ToBytes(), "[a]\r\nk=caf\xE9\r\nn=0x1F\r\n");
}

TEST_F(IniDocumentTest, AValueCutAtTheLimitIsCutBeforeTheCharacterItWouldSplit) {
    // 1022 ASCII letters, then "П" (two bytes): the 1023rd byte is its lead.
    const std::string value = std::string(1022, 'x') + "\xD0\x9F" + "tail";
    const IniDocument utf8 = IniDocument::FromBytes(kUtf8Mark + "[a]\r\nk=" + value + "\r\n", latin1);
    EXPECT_EQ(utf8.ReadString("a", "k", ""), std::string(1022, 'x'));
    // An ANSI file is cut at the 1023rd byte, which is a whole character there.
    const IniDocument ansi = IniDocument::FromBytes("[a]\r\nk=" + std::string(1022, 'x') + "\xFC\xFC\r\n", latin1);
    EXPECT_EQ(ansi.ReadString("a", "k", ""), std::string(1022, 'x') + "\xC3\xBC");
}

}  // namespace
}  // namespace keytide::ini
