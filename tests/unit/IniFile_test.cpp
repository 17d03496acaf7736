#include "settings/ini/IniFile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"
#include "doubles/MemoryFileSystem.h"

namespace keytide::ini {
namespace {

const std::string kPath = "C:\\Keytide\\ktd.ini";

class IniFileTest : public ::testing::Test {
protected:
    testing::MemoryFileSystem files;
    IniFile ini{files, kPath};

    void SetText(std::string text) { files.files[kPath] = std::move(text); }
    const std::string& Text() { return files.files.at(kPath); }
};

TEST_F(IniFileTest, MissingFileGivesEveryDefaultAndIsNotCreated) {
    EXPECT_EQ(ini.ReadString("NumPadKey0", "OSDLabel", "None"), "None");
    EXPECT_EQ(ini.ReadInteger("NumPadKey0", "SelectedFunction", 1), 1);
    EXPECT_TRUE(ini.ReadBool("IsActive", "IsKTDActive", true));
    EXPECT_FALSE(ini.ReadBool("IsActive", "IsKTDActive", false));
    EXPECT_EQ(files.writeCount, 0);
    EXPECT_EQ(files.files.count(kPath), 0u);
}

TEST_F(IniFileTest, ReadsIntegersAsTheStoreWritesThem) {
    struct Case {
        const char* stored;  // nullptr: no such key
        std::int32_t expected;
    };
    const Case cases[] = {{"31", 31},      {"-5", -5},  {"0x1F", 31}, {"$10", 16},        {"$FFFFFFFF", -1},
                          {"12abc", 77},   {"", 77},    {"yes", 77},  {" \"8\" ", 8},     {"99", 99},
                          {"0x", 77},      {nullptr, 77}};
    for (const Case& c : cases) {
        SetText(c.stored ? "[NumPadKey4]\r\nAction=" + std::string(c.stored) + "\r\n" : "[NumPadKey4]\r\n");
        EXPECT_EQ(ini.ReadInteger("NumPadKey4", "Action", 77), c.expected) << (c.stored ? c.stored : "(missing)");
    }
}

TEST_F(IniFileTest, ReadsBooleansAsNonZeroIntegers) {
    struct Case {
        const char* stored;
        bool withDefaultTrue;
        bool withDefaultFalse;
    };
    const Case cases[] = {{"1", true, true},     {"0", false, false},   {"2", true, true},    {"-1", true, true},
                          {"$0", false, false},  {"yes", true, false},  {"", true, false},    {"true", true, false},
                          {nullptr, true, false}};
    for (const Case& c : cases) {
        SetText(c.stored ? "[IsActive]\r\nIsOSDActive=" + std::string(c.stored) + "\r\n" : "[IsActive]\r\n");
        const char* label = c.stored ? c.stored : "(missing)";
        EXPECT_EQ(ini.ReadBool("IsActive", "IsOSDActive", true), c.withDefaultTrue) << label;
        EXPECT_EQ(ini.ReadBool("IsActive", "IsOSDActive", false), c.withDefaultFalse) << label;
    }
}

TEST_F(IniFileTest, FirstWriteCreatesTheFileWithCrLfLines) {
    ini.WriteString("NumPadKey0", "OSDLabel", "Run");
    ini.WriteInteger("NumPadKey0", "Action", -8);
    ini.WriteBool("IsActive", "IsKTDActive", true);
    ini.WriteBool("IsActive", "IsOSDActive", false);
    EXPECT_EQ(Text(),
              "[NumPadKey0]\r\nOSDLabel=Run\r\nAction=-8\r\n"
              "[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=0\r\n");
    EXPECT_EQ(files.writeCount, 4);
}

TEST_F(IniFileTest, WritesReadBackAndKeepForeignSections) {
    SetText("[settings]\r\nFontName=Arial\r\n\r\n[numpadkey2]\r\nosdlabel=Vol-\r\n\r\n[Mine]\r\nx=1\r\n");
    const std::string label20 = "A label of twenty ch";
    ini.WriteString("NumPadKey2", "OSDLabel", label20);
    ini.WriteInteger("NumPadKey2", "Action", 99);
    ini.WriteInteger("NumPadKey2", "SelectedFunction", 7);
    EXPECT_EQ(ini.ReadString("NumPadKey2", "OSDLabel", "None"), label20);
    EXPECT_EQ(ini.ReadInteger("NumPadKey2", "Action", 0), 99);
    EXPECT_EQ(ini.ReadInteger("NumPadKey2", "SelectedFunction", 1), 7);
    EXPECT_EQ(Text(),
              "[settings]\r\nFontName=Arial\r\n\r\n"
              "[numpadkey2]\r\nosdlabel=" + label20 + "\r\nAction=99\r\nSelectedFunction=7\r\n\r\n"
              "[Mine]\r\nx=1\r\n");
}

TEST_F(IniFileTest, LongValueIsReadCutAndWrittenBackCut) {
    const std::string longValue(1500, 'p');
    SetText("[NumPadKey1]\r\nFileName=" + longValue + "\r\nAction=12\r\n");
    const std::string read = ini.ReadString("NumPadKey1", "FileName", "");
    EXPECT_EQ(read, longValue.substr(0, 1023));
    ini.WriteString("NumPadKey1", "FileName", read);
    EXPECT_EQ(Text(), "[NumPadKey1]\r\nFileName=" + longValue.substr(0, 1023) + "\r\nAction=12\r\n");
}

TEST_F(IniFileTest, EveryWriteStartsFromTheFileAsItIsNow) {
    ini.WriteString("a", "k", "1");
    files.files[kPath] += "[other]\r\nz=9\r\n";  // changed behind our back
    ini.WriteString("a", "j", "2");
    EXPECT_EQ(Text(), "[a]\r\nk=1\r\nj=2\r\n[other]\r\nz=9\r\n");
}

TEST_F(IniFileTest, UnwritableFileThrowsWithThePathAndStaysAsItWas) {
    SetText("[a]\r\nk=1\r\n");
    files.unwritable.insert(kPath);
    const auto expectFailure = [&](auto&& write) {
        try {
            write();
            ADD_FAILURE() << "no error thrown";
        } catch (const KeytideError& error) {
            EXPECT_STREQ(error.what(), "Unable to write to C:\\Keytide\\ktd.ini");
        }
    };
    expectFailure([&] { ini.WriteString("a", "k", "2"); });
    expectFailure([&] { ini.WriteInteger("a", "k", 3); });
    expectFailure([&] { ini.WriteBool("a", "k", false); });
    EXPECT_EQ(Text(), "[a]\r\nk=1\r\n");
}

TEST_F(IniFileTest, FailedWriteKeepsTheValuesWrittenBeforeIt) {
    files.failWriteNumber = 3;
    ini.WriteInteger("s", "a", 1);
    ini.WriteInteger("s", "b", 2);
    EXPECT_THROW(ini.WriteInteger("s", "c", 3), KeytideError);
    EXPECT_EQ(Text(), "[s]\r\na=1\r\nb=2\r\n");
    ini.WriteInteger("s", "d", 4);
    EXPECT_EQ(Text(), "[s]\r\na=1\r\nb=2\r\nd=4\r\n");
}

}  // namespace
}  // namespace keytide::ini
