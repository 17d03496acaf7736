// The key sections of ktd.ini: path, default text, reading rules and saving.
#include <gtest/gtest.h>

#include "core/AssignmentStore.h"
#include "core/DefaultIni.h"
#include "platform/Error.h"
#include "settings/ini/IniText.h"
#include "doubles/MemoryFileSystem.h"

namespace keytide {
namespace {

constexpr char kPath[] = "C:\\Keytide\\ktd.ini";

TEST(IniFilePath, IsTheProgramDirectoryFollowedByKtdIni) {
    struct Case {
        const char* executable;
        const char* expected;
    };
    for (Case c : {Case{"C:\\Program Files\\Keytide\\keytide.exe", "C:\\Program Files\\Keytide\\ktd.ini"},
                   Case{"C:keytide.exe", "C:ktd.ini"}, Case{"\\\\server\\share\\k.exe", "\\\\server\\share\\ktd.ini"},
                   Case{"keytide.exe", "ktd.ini"}, Case{"C:\\dir.with.dots\\x", "C:\\dir.with.dots\\ktd.ini"}}) {
        EXPECT_EQ(IniFilePathFor(c.executable), c.expected) << c.executable;
    }
}

TEST(DefaultIniText, Has121CrLfLinesAnd1511Bytes) {
    EXPECT_EQ(kDefaultIniText.size(), 1511u);
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = kDefaultIniText.find("\r\n", at)) != std::string_view::npos; at += 2) ++lines;
    EXPECT_EQ(lines, 121u);
    EXPECT_EQ(kDefaultIniText.find('\n'), kDefaultIniText.find("\r\n") + 1);  // no bare LF
    EXPECT_TRUE(kDefaultIniText.ends_with("[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=1\r\n"));
    EXPECT_TRUE(kDefaultIniText.starts_with(
        "[NumPadKey0]\r\nOSDLabel=Run\r\nFileName=\r\nGoToAdress=\r\nAction=8\r\nSelectedFunction=0\r\n\r\n"));
}

TEST(WriteDefaultIni, CreatesOnlyAMissingFile) {
    testing::MemoryFileSystem files;
    EXPECT_TRUE(WriteDefaultIni(files, kPath));
    EXPECT_EQ(files.files[kPath], kDefaultIniText);

    files.files[kPath] = "";
    EXPECT_TRUE(WriteDefaultIni(files, kPath));
    EXPECT_EQ(files.files[kPath], "");

    testing::MemoryFileSystem readOnly;
    readOnly.unwritable.insert(kPath);
    EXPECT_FALSE(WriteDefaultIni(readOnly, kPath));
}

class AssignmentStoreTest : public ::testing::Test {
protected:
    void Load(std::string text) {
        files.files[kPath] = std::move(text);
        ReadAssignments(file, keys, switches);
    }
    std::string Value(const char* section, const char* key) {
        return ini::ReadString(files.files[kPath], section, key, "<missing>");
    }

    testing::MemoryFileSystem files;
    ini::IniFile file{files, kPath};
    KeyAssignments keys;
    ProgramSwitches switches;
};

TEST_F(AssignmentStoreTest, DefaultTextLoadsTheDefaultAssignments) {
    Load(std::string(kDefaultIniText));
    const std::pair<const char*, int> expected[kSlotCount] = {
        {"Run", 8},   {"Mute", 12},     {"Vol-", 21}, {"Calc", 5},  {"Mail", 6},
        {"WWW", 7},   {"Vol+", 22},     {"Prev", 27}, {"Ply/Paus", 26}, {"Next", 25},
        {"Back", 23}, {"Stop", 28},     {"Frwrd", 24}, {"Min/Res", 11}, {"Refrs", 16}};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(keys[slot].osdLabel, expected[slot].first) << slot;
        EXPECT_EQ(keys[slot].actionIndex, expected[slot].second) << slot;
        EXPECT_EQ(keys[slot].kind, 0) << slot;
    }
    EXPECT_TRUE(switches.active);
    EXPECT_TRUE(switches.osd);
}

TEST_F(AssignmentStoreTest, ValuesFollowTheIntegerAndBooleanReadingRules) {
    Load("[NumPadKey0]\r\nAction=0x1F\r\nSelectedFunction=\r\n"
         "[NumPadKey1]\r\nAction=$10\r\n"
         "[NumPadKey2]\r\nAction=12abc\r\nSelectedFunction=-3\r\n"
         "[IsActive]\r\nIsKTDActive=yes\r\nIsOSDActive=2\r\n");
    EXPECT_EQ(keys[0].actionIndex, 31);
    EXPECT_EQ(keys[0].kind, 1);
    EXPECT_EQ(keys[1].actionIndex, 16);
    EXPECT_EQ(keys[2].actionIndex, 0);
    EXPECT_EQ(keys[2].kind, -3);
    EXPECT_TRUE(switches.active);  // "yes" is no integer: the default
    EXPECT_TRUE(switches.osd);     // any non-zero integer is true

    Load("[IsActive]\r\nIsKTDActive=0\r\n");
    EXPECT_FALSE(switches.active);
    EXPECT_TRUE(switches.osd);
}

TEST_F(AssignmentStoreTest, LowerCaseSectionServesItsSlot) {
    Load("[numpadkey3]\r\nosdlabel=Lower\r\nACTION=7\r\n");
    EXPECT_EQ(keys[3].osdLabel, "Lower");
    EXPECT_EQ(keys[3].actionIndex, 7);
}

TEST_F(AssignmentStoreTest, OutOfRangeAndLongValuesSurviveALoadSaveRoundTrip) {
    const std::string label20 = "ABCDEFGHIJKLMNOPQRST";
    const std::string long1500(1500, 'x');
    Load("[NumPadKey4]\r\nOSDLabel=" + label20 + "\r\nAction=99\r\nSelectedFunction=7\r\nFileName=" + long1500 +
         "\r\n");
    EXPECT_EQ(keys[4].osdLabel, label20);
    EXPECT_EQ(keys[4].fileName.size(), 1023u);

    WriteAssignments(file, keys, switches);
    EXPECT_EQ(Value("NumPadKey4", "OSDLabel"), label20);
    EXPECT_EQ(Value("NumPadKey4", "Action"), "99");
    EXPECT_EQ(Value("NumPadKey4", "SelectedFunction"), "7");
    EXPECT_EQ(Value("NumPadKey4", "FileName"), std::string(1023, 'x'));
    EXPECT_EQ(files.files[kPath].find(std::string(1024, 'x')), std::string::npos);
}

TEST_F(AssignmentStoreTest, SaveKeepsSettingsAndForeignSectionsInTheirPlaces) {
    std::string text(kDefaultIniText);
    text.insert(0, "; my notes\r\n[Mine]\r\nColour=blue\r\n\r\n");
    Load(text);
    keys[8].osdLabel = "Play";
    switches.osd = false;
    WriteAssignments(file, keys, switches);

    const std::string& saved = files.files[kPath];
    EXPECT_TRUE(saved.starts_with("; my notes\r\n[Mine]\r\nColour=blue\r\n\r\n[NumPadKey0]\r\n"));
    const auto settings = saved.find("[Settings]\r\nAutoLoad=1\r\nWelcomeScreen=1");
    const auto active = saved.find("[IsActive]");
    EXPECT_NE(settings, std::string::npos);
    EXPECT_LT(settings, active);
    EXPECT_EQ(Value("NumPadKey8", "OSDLabel"), "Play");
    EXPECT_EQ(Value("IsActive", "IsOSDActive"), "0");
    // Only the two changed lines differ from the loaded text.
    std::string expected = text;
    expected.replace(expected.find("OSDLabel=Ply/Paus"), 17, "OSDLabel=Play");
    expected.replace(expected.find("IsOSDActive=1"), 13, "IsOSDActive=0");
    EXPECT_EQ(saved, expected);
}

TEST_F(AssignmentStoreTest, SaveIntoAnEmptyFileWritesAll77Values) {
    Load("");
    WriteAssignments(file, keys, switches);
    const std::string& saved = files.files[kPath];
    std::size_t lines = 0;
    for (char c : saved) lines += c == '\n';
    EXPECT_EQ(lines, 15u * 6 + 3);  // 15 headers + 75 keys, [IsActive] + 2 keys
    ReadAssignments(file, keys, switches);
    EXPECT_EQ(keys[14].osdLabel, "None");
    EXPECT_EQ(keys[14].kind, 1);
}

TEST_F(AssignmentStoreTest, FailedWriteStopsAtThatValueAndNamesTheFile) {
    Load(std::string(kDefaultIniText));
    for (int slot = 0; slot < kSlotCount; ++slot) keys[slot].osdLabel = "New" + std::to_string(slot);
    files.writeCount = 0;
    files.failWriteNumber = 6;  // slot 1's label

    try {
        WriteAssignments(file, keys, switches);
        FAIL() << "a refused write must stop the save";
    } catch (const KeytideError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\Keytide\\ktd.ini");
    }
    EXPECT_EQ(Value("NumPadKey0", "OSDLabel"), "New0");
    EXPECT_EQ(Value("NumPadKey1", "OSDLabel"), "Mute");
    EXPECT_EQ(Value("NumPadKey2", "OSDLabel"), "Vol-");
}

}  // namespace
}  // namespace keytide
