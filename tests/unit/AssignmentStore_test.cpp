// The key sections of ktd.ini: path, default text, reading rules, one read
// and one write per load and save with the bytes of the single writes, the
// decisions for missing, unreadable, too large, read-only and held files, the
// three encodings, and the save that the ANSI text cannot hold whole.
#include <gtest/gtest.h>

#include <functional>

#include "core/AssignmentStore.h"
#include "core/DefaultIni.h"
#include "doubles/ControllerDoubles.h"
#include "doubles/FakeCodePage.h"
#include "doubles/MemoryFileSystem.h"
#include "ini_diff/IniChecks.h"
#include "model/Error.h"
#include "settings/ini/IniText.h"
#include "settings/ini/TextEncoding.h"

namespace keytide {
namespace {

constexpr char kPath[] = "C:\\Keytide\\ktd.ini";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

TEST(IniFilePath, IsTheProgramDirectoryFollowedByKtdIni) {
    EXPECT_EQ(IniFilePathFor("C:\\Program Files\\Keytide\\keytide.exe"), "C:\\Program Files\\Keytide\\ktd.ini");
    EXPECT_EQ(IniFilePathFor("keytide.exe"), "ktd.ini");
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
    fakes::MemoryFileSystem files;
    EXPECT_TRUE(WriteDefaultIni(files, kPath));
    EXPECT_EQ(files.files[kPath], kDefaultIniText);

    files.files[kPath] = "";
    EXPECT_TRUE(WriteDefaultIni(files, kPath));
    EXPECT_EQ(files.files[kPath], "");

    fakes::MemoryFileSystem unwritable;
    unwritable.unwritable.insert(kPath);
    EXPECT_FALSE(WriteDefaultIni(unwritable, kPath));
}

class AssignmentStoreTest : public ::testing::Test {
protected:
    void Load(std::string text) {
        files.files[kPath] = std::move(text);
        store.Load(keys, switches);
    }
    std::string Value(const char* section, const char* key) {
        return ini::ReadString(files.files[kPath], section, key, "<missing>");
    }
    // "" when the save went through, else the error's text.
    std::string ErrorOfSave() {
        try {
            store.Save(keys, switches);
        } catch (const KeytideError& error) {
            return error.what();
        }
        return "";
    }

    fakes::MemoryFileSystem files;
    fakes::Latin1CodePage codePage;
    fakes::RecordingMessages messages;
    ConfigFile iniFile{files, codePage, messages, kPath};
    AssignmentStore store{iniFile};
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
        EXPECT_EQ(keys[slot].kind.FileValue(), 0) << slot;
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
    EXPECT_EQ(keys[0].kind.FileValue(), 1);
    EXPECT_EQ(keys[1].actionIndex, 16);
    EXPECT_EQ(keys[2].actionIndex, 0);
    EXPECT_EQ(keys[2].kind.FileValue(), -3);
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

    EXPECT_EQ(ErrorOfSave(), "");
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
    EXPECT_EQ(ErrorOfSave(), "");

    // Only the two changed lines differ from the loaded text.
    std::string expected = text;
    expected.replace(expected.find("OSDLabel=Ply/Paus"), 17, "OSDLabel=Play");
    expected.replace(expected.find("IsOSDActive=1"), 13, "IsOSDActive=0");
    EXPECT_EQ(files.files[kPath], expected);
}

TEST_F(AssignmentStoreTest, SaveIntoAnEmptyFileWritesAll77Values) {
    Load("");
    EXPECT_EQ(ErrorOfSave(), "");
    const std::string& saved = files.files[kPath];
    std::size_t lines = 0;
    for (char c : saved) lines += c == '\n';
    EXPECT_EQ(lines, 15u * 6 + 3);  // 15 headers + 75 keys, [IsActive] + 2 keys
    store.Load(keys, switches);
    EXPECT_EQ(keys[14].osdLabel, "None");
    EXPECT_EQ(keys[14].kind.FileValue(), 1);
}

// The 77 writes of a save, one at a time in the file's order, each on the text
// the one before left: what the program's save wrote before it wrote once.
std::string SingleWrites(std::string text, const KeyAssignments& keys, const ProgramSwitches& switches,
                         const std::function<std::string(const std::string&)>& ansi) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string section = "NumPadKey" + std::to_string(slot);
        text = ini::WriteString(text, section, "OSDLabel", ansi(keys[slot].osdLabel));
        text = ini::WriteString(text, section, "FileName", ansi(keys[slot].fileName));
        text = ini::WriteString(text, section, "GoToAdress", ansi(keys[slot].address));
        text = ini::WriteString(text, section, "Action", std::to_string(keys[slot].actionIndex));
        text = ini::WriteString(text, section, "SelectedFunction", std::to_string(keys[slot].kind.FileValue()));
    }
    text = ini::WriteString(text, "IsActive", "IsKTDActive", switches.active ? "1" : "0");
    return ini::WriteString(text, "IsActive", "IsOSDActive", switches.osd ? "1" : "0");
}

TEST_F(AssignmentStoreTest, ASaveIsOneReadAndOneWriteWithTheBytesOfTheSingleWrites) {
    std::vector<fakes::CorpusFile> corpus = fakes::AwkwardFiles();
    corpus.push_back({"default text", std::string(kDefaultIniText)});
    for (const fakes::WriteCase& c : fakes::ByteExactWriteCases()) corpus.push_back({c.name, c.before});

    // The model as loaded, then changed the ways the editor and the switches
    // change it: other and longer texts, ANSI letters, odd numbers.
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"unchanged", [] {}},
        {"edited",
         [&] {
             for (int slot = 0; slot < kSlotCount; slot += 2) {
                 keys[slot].osdLabel = "Gr\xC3\xBC\xC3\x9F " + std::to_string(slot);  // "Grüß"
                 keys[slot].fileName = "C:\\Caf\xC3\xA9\\" + std::string(300 + slot, 'f') + ".exe";
                 keys[slot].address = slot % 4 ? "" : "example.com/?q= spaced ";
                 keys[slot].actionIndex = -2147483647 - 1;
                 keys[slot].kind = StoredKind::FromFile(slot);
             }
             switches.active = !switches.active;
             switches.osd = !switches.osd;
         }},
    };
    for (const fakes::CorpusFile& file : corpus) {
        for (const auto& [changeName, change] : changes) {
            SCOPED_TRACE(file.name + " / " + changeName);
            Load(file.text);
            change();
            const std::string expected =
                SingleWrites(file.text, keys, switches, [&](const std::string& v) { return *codePage.Utf8ToAnsi(v); });
            const int reads = files.readCount;
            const int writes = files.writeCount;
            EXPECT_EQ(ErrorOfSave(), "");
            EXPECT_EQ(files.files[kPath], expected);
            EXPECT_EQ(files.readCount - reads, 1);
            EXPECT_EQ(files.writeCount - writes, 1);
        }
    }
    // A load is one read too.
    const int reads = files.readCount;
    store.Load(keys, switches);
    EXPECT_EQ(files.readCount - reads, 1);
}

TEST_F(AssignmentStoreTest, ASaveStartsFromTheFileAsItIsNow) {
    Load("[NumPadKey0]\r\nOSDLabel=Run\r\n");
    files.files[kPath] += "[Other]\r\nz=9\r\n";  // another program's line, written after the load
    EXPECT_EQ(ErrorOfSave(), "");
    EXPECT_EQ(Value("Other", "z"), "9");
    EXPECT_EQ(Value("NumPadKey0", "OSDLabel"), "Run");
}

// What a load and a save do with a file in each state a user can leave it in.
TEST_F(AssignmentStoreTest, ReadAndWriteDecisions) {
    const std::string unableToWrite = std::string("Unable to write to ") + kPath;
    const std::string cannotRead = std::string("Keytide|Cannot read file ") + kPath + ".";
    const std::string text = "[NumPadKey0]\r\nOSDLabel=Mine\r\n; my notes\r\n";
    struct Case {
        const char* name;
        std::function<void(fakes::MemoryFileSystem&)> arrange;
        const char* loadedLabel;  // slot 0's label after the load
        bool reported;            // "Cannot read file" shown at the load
        bool saved;               // the save went through
        int writeAttempts;        // 0: nothing may even be tried on the file
    };
    const Case cases[] = {
        {"missing", [](auto& f) { f.files.erase(kPath); }, "None", false, true, 1},
        {"ordinary", [](auto&) {}, "Mine", false, true, 1},
        {"access denied or held without read sharing", [](auto& f) { f.unreadable.insert(kPath); }, "None", true,
         false, 0},
        {"larger than 16 MB", [&](auto& f) { f.files[kPath] = text + std::string(16 * 1024 * 1024, ' '); }, "None",
         true, false, 0},
        {"a folder", [](auto& f) { f.directories.insert(kPath); }, "None", true, false, 0},
        {"read-only", [](auto& f) { f.readOnly.insert(kPath); }, "Mine", false, false, 0},
        {"held open by another program (written in place)", [](auto& f) { f.heldOpen.insert(kPath); }, "Mine",
         false, true, 2},
        {"not writable", [](auto& f) { f.unwritable.insert(kPath); }, "Mine", false, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::MemoryFileSystem fresh;
        files = fresh;
        files.files[kPath] = text;
        c.arrange(files);
        const std::string before = files.files.count(kPath) ? files.files[kPath] : "<none>";
        messages.boxes.clear();
        ConfigFile file{files, codePage, messages, kPath};
        AssignmentStore caseStore{file};
        caseStore.Load(keys, switches);
        EXPECT_EQ(keys[0].osdLabel, c.loadedLabel);
        EXPECT_EQ(messages.boxes, c.reported ? std::vector<std::string>{cannotRead} : std::vector<std::string>{});

        keys[0].osdLabel = "New";
        std::string error;
        try {
            caseStore.Save(keys, switches);
        } catch (const KeytideError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.saved ? "" : unableToWrite);
        const std::string after = files.files.count(kPath) ? files.files[kPath] : "<none>";
        EXPECT_EQ(files.writeCount, c.writeAttempts);
        if (!c.saved) {
            EXPECT_EQ(after, before);
        } else {
            EXPECT_EQ(ini::ReadString(after, "NumPadKey0", "OSDLabel", "?"), "New");
            EXPECT_EQ(ini::ReadString(after, "IsActive", "IsOSDActive", "?"), "1");
        }
    }
}

TEST_F(AssignmentStoreTest, AnUnreadableFileIsReportedOnceAndNotSavedOverUntilALoadSucceeds) {
    const std::string text = "[NumPadKey0]\r\nOSDLabel=Mine\r\n";
    files.files[kPath] = text;
    files.unreadable.insert(kPath);
    store.Load(keys, switches);
    store.Load(keys, switches);
    EXPECT_EQ(messages.boxes.size(), 1u) << "reported once";

    // Readable again, but the values in memory are still the stand-in defaults.
    files.unreadable.clear();
    EXPECT_EQ(ErrorOfSave(), std::string("Unable to write to ") + kPath);
    EXPECT_EQ(files.files[kPath], text);

    store.Load(keys, switches);  // the editor's Cancel
    EXPECT_EQ(keys[0].osdLabel, "Mine");
    EXPECT_EQ(ErrorOfSave(), "");
    EXPECT_EQ(Value("NumPadKey0", "OSDLabel"), "Mine");

    // Unreadable once more: a new report.
    files.unreadable.insert(kPath);
    store.Load(keys, switches);
    EXPECT_EQ(messages.boxes.size(), 2u);
}

// UTF-8 and UTF-16LE files with their byte-order marks, as Notepad saves them.
std::string Utf16Le(std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
}

TEST_F(AssignmentStoreTest, UnicodeFilesLoadEveryKeyAndSaveInTheirOwnEncoding) {
    // "Пуск" (Cyrillic) as label: no ANSI code page of the tests holds it.
    const std::string cyrillic = "\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA";
    const std::string utf16Cyrillic = std::string("\xFF\xFE") + "\x1F\x04\x43\x04\x41\x04\x3A\x04";
    struct Case {
        const char* name;
        std::string bytes;
        std::string label0;
    };
    const std::string slot0 = "[NumPadKey0]\r\nOSDLabel=Run\r\nAction=8\r\nSelectedFunction=0\r\n";
    const Case cases[] = {
        {"UTF-8 with BOM", kUtf8Mark + std::string(kDefaultIniText), "Run"},
        {"UTF-16LE with BOM", Utf16Le(kDefaultIniText), "Run"},
        {"UTF-16LE with a Cyrillic label", utf16Cyrillic.substr(0, 2) + Utf16Le("[NumPadKey0]\r\nOSDLabel=").substr(2) +
                                               utf16Cyrillic.substr(2) + Utf16Le("\r\n").substr(2),
         cyrillic},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.bytes);
        EXPECT_EQ(keys[0].osdLabel, c.label0);
        if (c.label0 == "Run") {
            EXPECT_EQ(keys[13].osdLabel, "Min/Res");
            EXPECT_EQ(keys[14].actionIndex, 16);
            EXPECT_EQ(keys[14].kind.FileValue(), 0);
        }
        keys[1].fileName = "D:\\" + cyrillic + "\\run.exe";
        const ini::FileText before = ini::DecodeFileText(c.bytes);
        ini::FileText expected = before;
        expected.text = SingleWrites(before.text, keys, switches, [](const std::string& v) { return v; });
        EXPECT_EQ(ErrorOfSave(), "");
        const std::string saved = files.files[kPath];
        EXPECT_EQ(saved.substr(0, 2), c.bytes.substr(0, 2)) << "the mark is kept";
        EXPECT_EQ(saved, ini::EncodeFileText(expected));
        store.Load(keys, switches);
        EXPECT_EQ(keys[0].osdLabel, c.label0);
        EXPECT_EQ(keys[1].fileName, "D:\\" + cyrillic + "\\run.exe");
        if (c.bytes.starts_with("\xFF\xFE")) {
            EXPECT_EQ(saved.size() % 2, 0u);
            EXPECT_EQ(saved.find("FileName=D:"), std::string::npos) << "no single-byte text in a UTF-16 file";
        }
    }
}

// A value the ANSI text cannot hold: nothing is saved, not even the values
// before it (a Unicode file holds them all: see above).
TEST_F(AssignmentStoreTest, ASaveThatCannotStoreEveryValueWritesNothing) {
    const std::string cyrillic = "\xD0\x9F\xD1\x80\xD0\xB8";  // "При"
    const std::pair<std::string KeyAssignment::*, std::string> cases[] = {
        {&KeyAssignment::address, "Cannot store "},
        {&KeyAssignment::fileName, "Cannot store file name "},
        {&KeyAssignment::osdLabel, "Cannot store "},
    };
    for (const auto& [field, error] : cases) {
        Load(std::string(kDefaultIniText));
        keys[0].osdLabel = "Caf\xC3\xA9";  // written before it, and Latin-1 holds it
        keys[1].*field = cyrillic;
        EXPECT_EQ(ErrorOfSave(), error + cyrillic + " in the system's code page; nothing was saved");
        EXPECT_EQ(files.files[kPath], kDefaultIniText);
    }
}

}  // namespace
}  // namespace keytide
