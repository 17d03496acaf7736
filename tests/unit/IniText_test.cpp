#include "settings/ini/IniText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "ini_diff/IniChecks.h"

namespace keytide::fakes {
void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }
}  // namespace keytide::fakes

namespace keytide::ini {
namespace {

using fakes::ByteExactWriteCases;
using fakes::CheckSingleEdit;
using fakes::WriteCase;

// A case's description as a test name.
std::string TestName(std::string name) {
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

struct ReadCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const ReadCase& c) { return out << c.name; }

class ReadStringTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadStringTest, ReadsLikeTheProfileFunctions) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(ReadString(c.text, c.section, c.key, "DEF"), c.expected);
}

const std::string kLong1500 = std::string(1000, 'a') + std::string(500, 'b');

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadStringTest,
    ::testing::Values(
        ReadCase{"plain value", "[a]\r\nk=v\r\n", "a", "k", "v"},
        ReadCase{"section name in another case", "[NumPadKey3]\r\nk=v\r\n", "numpadkey3", "k", "v"},
        ReadCase{"key name in another case", "[a]\r\nOSDLabel=v\r\n", "a", "osdlabel", "v"},
        ReadCase{"blanks around the value removed", "[a]\r\nk=  \t v w \t \r\n", "a", "k", "v w"},
        ReadCase{"blanks around the key and section names", "  [ a ]  \r\n\t k \t= v\r\n", "a", "k", "v"},
        ReadCase{"double quotes removed", "[a]\r\nk=\"v w\"\r\n", "a", "k", "v w"},
        ReadCase{"single quotes removed", "[a]\r\nk='v'\r\n", "a", "k", "v"},
        ReadCase{"blanks inside quotes kept", "[a]\r\nk= \"  v  \" \r\n", "a", "k", "  v  "},
        ReadCase{"only one pair of quotes removed", "[a]\r\nk=\"\"v\"\"\r\n", "a", "k", "\"v\""},
        ReadCase{"empty quotes give an empty value", "[a]\r\nk=\"\"\r\n", "a", "k", ""},
        ReadCase{"unmatched opening quote kept", "[a]\r\nk=\"v\r\n", "a", "k", "\"v"},
        ReadCase{"unmatched closing quote kept", "[a]\r\nk=v'\r\n", "a", "k", "v'"},
        ReadCase{"mixed quote kinds kept", "[a]\r\nk=\"v'\r\n", "a", "k", "\"v'"},
        ReadCase{"a lone quote kept", "[a]\r\nk=\"\r\n", "a", "k", "\""},
        ReadCase{"inner quotes kept", "[a]\r\nk=a\"b\"c\r\n", "a", "k", "a\"b\"c"},
        ReadCase{"value after the first equals sign", "[a]\r\nk=x=y=z\r\n", "a", "k", "x=y=z"},
        ReadCase{"empty value is not the default", "[a]\r\nk=\r\n", "a", "k", ""},
        ReadCase{"blank value is empty", "[a]\r\nk=   \r\n", "a", "k", ""},
        ReadCase{"no inline comments", "[a]\r\nk=v ; note\r\n", "a", "k", "v ; note"},
        ReadCase{"missing key", "[a]\r\nk=v\r\n", "a", "j", "DEF"},
        ReadCase{"missing section", "[a]\r\nk=v\r\n", "b", "k", "DEF"},
        ReadCase{"empty file", "", "a", "k", "DEF"},
        ReadCase{"key of another section", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n", "a", "k", "DEF"},
        ReadCase{"first of two sections wins", "[a]\r\nk=1\r\n[A]\r\nk=2\r\n", "a", "k", "1"},
        ReadCase{"second section of a name never looked at", "[a]\r\nx=1\r\n[a]\r\nk=2\r\n", "a", "k", "DEF"},
        ReadCase{"first of two keys wins", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "1"},
        ReadCase{"line without equals is no key", "[a]\r\nk\r\nk=2\r\n", "a", "k", "2"},
        ReadCase{"lone line without equals", "[a]\r\nk\r\n", "a", "k", "DEF"},
        ReadCase{"keys before the first section belong to none", "k=0\r\n[a]\r\nk=1\r\n", "a", "k", "1"},
        ReadCase{"keys before the first section unreachable", "k=0\r\n[a]\r\n", "a", "k", "DEF"},
        ReadCase{"text after the closing bracket ignored", "[a] ; note\r\nk=1\r\n", "a", "k", "1"},
        ReadCase{"section name ends at the first bracket", "[a]b]\r\nk=1\r\n", "a", "k", "1"},
        ReadCase{"section line without a closing bracket is none", "[a]\r\nk=1\r\n[b\r\nj=2\r\n", "a", "j", "2"},
        ReadCase{"unclosed bracket does not open a section", "[b\r\nj=2\r\n", "b", "j", "DEF"},
        ReadCase{"semicolon lines are ordinary lines", "[a]\r\n;k=1\r\nk=2\r\n", "a", "k", "2"},
        ReadCase{"LF line ends", "[a]\nk=1\nj=2\n", "a", "j", "2"},
        ReadCase{"CR line ends", "[a]\rk=1\rj=2\r", "a", "j", "2"},
        ReadCase{"lone CR inside a CR LF file ends a line", "[a]\r\nk=1\rj=2\r\n", "a", "j", "2"},
        ReadCase{"missing last line end", "[a]\r\nk=1\r\nj=2", "a", "j", "2"},
        ReadCase{"section line is the last line", "[a]", "a", "k", "DEF"},
        ReadCase{"blanks inside a section name count", "[a  b]\r\nk=1\r\n", "a b", "k", "DEF"},
        ReadCase{"blanks around the asked names ignored", "[a]\r\nk=1\r\n", " a ", "\tk ", "1"},
        ReadCase{"ANSI bytes kept as they are", "[a]\r\nk=Gr\xFC\xDF\xE9\r\n", "a", "k", "Gr\xFC\xDF\xE9"},
        ReadCase{"value of 1022 characters whole", "[a]\r\nk=" + std::string(1022, 'x') + "\r\n", "a", "k",
                 std::string(1022, 'x')},
        ReadCase{"value of 1023 characters whole", "[a]\r\nk=" + std::string(1023, 'x') + "\r\n", "a", "k",
                 std::string(1023, 'x')},
        ReadCase{"value of 1024 characters cut", "[a]\r\nk=" + std::string(1024, 'x') + "\r\n", "a", "k",
                 std::string(1023, 'x')},
        ReadCase{"value of 1500 characters cut after the 1023rd", "[a]\r\nk=" + kLong1500 + "\r\n", "a", "k",
                 kLong1500.substr(0, 1023)},
        ReadCase{"quoted value of 1023 characters whole", "[a]\r\nk=\"" + std::string(1023, 'q') + "\"\r\n", "a",
                 "k", std::string(1023, 'q')},
        ReadCase{"quoted value of 1500 characters cut", "[a]\r\nk=\"" + kLong1500 + "\"\r\n", "a", "k",
                 kLong1500.substr(0, 1023)}),
    [](const ::testing::TestParamInfo<ReadCase>& param) { return TestName(param.param.name); });

TEST(ReadStringDefault, LosesTrailingBlanksAndIsCutLikeAValue) {
    EXPECT_EQ(ReadString("", "a", "k", "None  \t"), "None");
    EXPECT_EQ(ReadString("", "a", "k", "  lead"), "  lead");
    EXPECT_EQ(ReadString("", "a", "k", std::string(2000, 'd')), std::string(1023, 'd'));
}

class WriteStringTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteStringTest, GivesTheExactText) {
    const WriteCase& c = GetParam();
    const std::string after = WriteString(c.before, c.section, c.key, c.value);
    EXPECT_EQ(after, c.expected);
    EXPECT_EQ(CheckSingleEdit(c.before, after), "");
    const bool blankPadded = !c.value.empty() && (c.value.front() == ' ' || c.value.back() == ' ');
    if (!blankPadded) {
        EXPECT_EQ(ReadString(after, c.section, c.key, "DEF"), c.value.substr(0, kMaxValueLength));
    }
    EXPECT_EQ(WriteString(after, c.section, c.key, c.value), after) << "a second identical write changed the text";
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteStringTest, ::testing::ValuesIn(ByteExactWriteCases()),
                         [](const ::testing::TestParamInfo<WriteCase>& param) { return TestName(param.param.name); });

// A hand-written file with the kinds of lines the program never writes itself.
const std::string kForeignFile =
    "; Keytide settings, edited by hand\r\n"
    "stray=before any section\r\n"
    "\r\n"
    "[numpadkey0]\r\n"
    "  osdlabel = \"Run it\"  \r\n"
    "FileName=C:\\Tools\\run.exe\r\n"
    "a line without an equals sign\r\n"
    "\r\n"
    "[Foreign] ; belongs to another tool\r\n"
    "Colour=$00FF00\r\n"
    "\r\n"
    "[NumPadKey0]\r\n"
    "OSDLabel=shadowed\r\n"
    "\r\n"
    "[Settings]\n"
    "AutoLoad=1";

struct Query {
    const char* section;
    const char* key;
};

const std::vector<Query> kForeignQueries = {
    {"NumPadKey0", "OSDLabel"}, {"NumPadKey0", "FileName"}, {"NumPadKey0", "Action"}, {"Foreign", "Colour"},
    {"Settings", "AutoLoad"},   {"Settings", "OSDSize"},    {"IsActive", "IsKTDActive"}};

TEST(WriteStringOnForeignFile, ChangesOnlyTheWrittenValue) {
    struct Write {
        const char* section;
        const char* key;
        const char* value;
    };
    const Write writes[] = {{"NumPadKey0", "OSDLabel", "Calc"},   {"NumPadKey0", "FileName", ""},
                            {"NumPadKey0", "Action", "5"},        {"Foreign", "Colour", "clLime"},
                            {"Settings", "AutoLoad", "0"},        {"Settings", "OSDSize", "3"},
                            {"IsActive", "IsKTDActive", "1"}};
    for (const Write& w : writes) {
        SCOPED_TRACE(std::string(w.section) + "/" + w.key);
        const std::string after = WriteString(kForeignFile, w.section, w.key, w.value);
        EXPECT_EQ(CheckSingleEdit(kForeignFile, after), "");
        EXPECT_EQ(ReadString(after, w.section, w.key, "DEF"), w.value);
        for (const Query& q : kForeignQueries) {
            if (std::string(q.section) == w.section && std::string(q.key) == w.key) continue;
            EXPECT_EQ(ReadString(after, q.section, q.key, "DEF"), ReadString(kForeignFile, q.section, q.key, "DEF"))
                << q.section << "/" << q.key;
        }
        std::string again = after;
        for (int save = 0; save < 9; ++save) again = WriteString(again, w.section, w.key, w.value);
        EXPECT_EQ(again, after) << "ten identical saves must give one text";
    }
}

TEST(WriteStringOnForeignFile, FullSaveKeepsForeignLinesInTheirPlaces) {
    // Saving every slot value of one section, then the flags, as a save does.
    std::string text = kForeignFile;
    const char* keys[] = {"OSDLabel", "FileName", "GoToAdress", "Action", "SelectedFunction"};
    const char* values[] = {"Run it", "C:\\Tools\\run.exe", "", "8", "1"};
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 5; ++i) text = WriteString(text, "NumPadKey0", keys[i], values[i]);
        text = WriteString(text, "IsActive", "IsKTDActive", "1");
        text = WriteString(text, "IsActive", "IsOSDActive", "0");
    }
    const std::string expected =
        "; Keytide settings, edited by hand\r\n"
        "stray=before any section\r\n"
        "\r\n"
        "[numpadkey0]\r\n"
        "  osdlabel = Run it\r\n"
        "FileName=C:\\Tools\\run.exe\r\n"
        "a line without an equals sign\r\n"
        "GoToAdress=\r\n"
        "Action=8\r\n"
        "SelectedFunction=1\r\n"
        "\r\n"
        "[Foreign] ; belongs to another tool\r\n"
        "Colour=$00FF00\r\n"
        "\r\n"
        "[NumPadKey0]\r\n"
        "OSDLabel=shadowed\r\n"
        "\r\n"
        "[Settings]\n"
        "AutoLoad=1\r\n"
        "[IsActive]\r\n"
        "IsKTDActive=1\r\n"
        "IsOSDActive=0\r\n";
    EXPECT_EQ(text, expected);
}

TEST(CheckSingleEdit, RejectsEditsThatTouchOtherLines) {
    struct Case {
        const char* name;
        const char* before;
        const char* after;
    };
    const Case bad[] = {
        {"a foreign line changed", "[a]\r\n; note\r\nk=1\r\n", "[a]\r\n; NOTE\r\nk=1\r\n"},
        {"key renamed", "[a]\r\nk=1\r\n", "[a]\r\nK=1\r\n"},
        {"line end changed", "[a]\r\nk=1\r\n", "[a]\r\nk=1\n"},
        {"two values changed", "[a]\r\nk=1\r\nj=1\r\n", "[a]\r\nk=2\r\nj=2\r\n"},
        {"blank line dropped", "[a]\r\nk=1\r\n\r\n[b]\r\n", "[a]\r\nk=1\r\n[b]\r\n"},
        {"three lines added", "[a]\r\n", "[a]\r\nx=1\r\ny=2\r\nz=3\r\n"},
        {"unterminated last line changed", "[a]\r\nk=1", "[a]\r\nk=12\r\nj=2\r\n"},
    };
    for (const Case& c : bad) EXPECT_NE(CheckSingleEdit(c.before, c.after), "") << c.name;
    EXPECT_EQ(CheckSingleEdit("[a]\r\nk=1", "[a]\r\nk=1\r\nj=2\r\n"), "");
    EXPECT_EQ(CheckSingleEdit("[a]\r\nk = 1\r\n", "[a]\r\nk = 22\r\n"), "");
}

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

TEST(ParseInteger, AcceptsDecimalAndBothHexForms) {
    const IntegerCase cases[] = {
        {"0", 0},
        {"42", 42},
        {"-5", -5},
        {"+7", 7},
        {"007", 7},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"0x1F", 31},
        {"0X1f", 31},
        {"0x0", 0},
        {"$10", 16},
        {"$ff", 255},
        {"$0", 0},
        {"$7FFFFFFF", INT32_MAX},
        {"$80000000", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"0xFFFFFFFE", -2},
        {"$000000001", 1},
    };
    for (const IntegerCase& c : cases) EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ParseInteger, RejectsEverythingElse) {
    const char* rejected[] = {
        "",         "12abc",       "abc",          "-",           "+",    "0x",    "0X",         "$",
        "0x1G",     "$1G",         "$-1",          "-$10",        "-0x10", "0x-1", " 5",        "5 ",
        "1.5",      "1e3",         "2147483648",   "-2147483649", "99999999999999999999",         "$100000000",
        "0x100000000", "x10",      "0b101",        "\xFF",
    };
    for (const char* text : rejected) EXPECT_EQ(ParseInteger(text), std::nullopt) << '"' << text << '"';
}

}  // namespace
}  // namespace keytide::ini
