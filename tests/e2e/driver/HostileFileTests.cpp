// The standing guard against hostile and careless ktd.ini files: variants made
// from a seed (random bytes, truncations of the built-in file, NUL bytes, lone
// CR and LF line ends, byte-order marks, 100 000-character lines, huge and
// negative numbers, long and non-ASCII values, duplicate and unterminated
// sections, a file too large to read), each given to the real program, which
// then gets every keypad key and Scroll Lock twice. Checked: the program
// neither dies nor shows a crash dialog, every message box is one of its own
// texts, and the file afterwards is the file before with only the program's
// documented writes (the two saves of the key sections, or none). Then the
// file is deleted and the editor's Cancel reloads: the program writes back
// the keys it holds, and nothing is lost.
//
// KEYTIDE_HOSTILE_FILES (default 12, about a minute) and KEYTIDE_HOSTILE_SEED
// (default 1) choose the run; make soak runs a few hundred from a new seed.
// The counts are printed as one "hostile:" line; KEYTIDE_HOSTILE_VERBOSE=1
// prints a line per file as well.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Driver.h"
#include "RestoredValue.h"
#include "core/AssignmentStore.h"
#include "core/DefaultIni.h"
#include "platform/FileSystem.h"
#include "platform/win32/Win32CodePage.h"
#include "settings/ini/IniDocument.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr WORD kSlotKeys[15] = {VK_DIVIDE,  VK_MULTIPLY, VK_SUBTRACT, VK_NUMPAD7, VK_NUMPAD8,
                                VK_NUMPAD9, VK_ADD,      VK_NUMPAD4,  VK_NUMPAD5, VK_NUMPAD6,
                                VK_NUMPAD1, VK_NUMPAD2,  VK_NUMPAD3,  VK_NUMPAD0, VK_DECIMAL};

const keytide::win32::Win32CodePage gCodePage;

int environmentNumber(const char* name, int fallback) {
  char value[32];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::atoi(value) : fallback;
}

// ---------------------------------------------------------------------------
// The variants.

struct Variant {
  std::string description;
  std::string bytes;
};

class VariantMaker {
 public:
  explicit VariantMaker(unsigned seed) : random_(seed) {}

  Variant make(int index) {
    // The built-in file as a user keeps it: no welcome screen (three seconds
    // each), not started with Windows. Damage may bring either back.
    std::string base(keytide::kDefaultIniText);
    base = replaced(base, "WelcomeScreen=1", "WelcomeScreen=0");
    base = replaced(base, "AutoLoad=1", "AutoLoad=0");
    switch (index % 10) {
      case 0: return {"random bytes", randomBytes(below(3000))};
      case 1: {
        const std::size_t at = below(base.size());
        return {"truncated at " + std::to_string(at), base.substr(0, at)};
      }
      case 2: return {"NUL bytes", withNuls(base)};
      case 3: return lineEnds(base);
      case 4: return marked(base, index / 10);
      case 5: return longLine(base);
      case 6: return numbers(base);
      case 7: return longValues(base);
      case 8: return sections(base);
      default: {
        if (index % 40 == 19) return {"larger than 16 MB", base + std::string(keytide::platform::kMaxReadSize, ';')};
        Variant mixed = numbers(base);
        mixed = longValues(mixed.bytes);
        Variant third = below(2) ? sections(mixed.bytes) : lineEnds(mixed.bytes);
        return {"mixed: " + third.description, third.bytes};
      }
    }
  }

 private:
  std::size_t below(std::size_t bound) { return bound == 0 ? 0 : random_() % bound; }

  static std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
  }

  std::string randomBytes(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) bytes += static_cast<char>(random_() % 256);
    // Now and then something that looks like a section to the reader.
    if (below(2)) bytes.insert(below(bytes.size() + 1), "\r\n[NumPadKey" + std::to_string(below(15)) + "]\r\n");
    return bytes;
  }

  std::string withNuls(std::string text) {
    for (std::size_t n = below(8) + 1; n > 0; --n) text.insert(below(text.size() + 1), 1, '\0');
    return text;
  }

  Variant lineEnds(const std::string& text) {
    const char* lone = below(2) ? "\r" : "\n";
    const bool every = below(2) != 0;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text.compare(i, 2, "\r\n") == 0 && (every || below(3) == 0)) {
        out += lone;
        ++i;
      } else {
        out += text[i];
      }
    }
    return {std::string(every ? "every" : "some") + " line ends a lone " + (*lone == '\r' ? "CR" : "LF"), out};
  }

  Variant marked(const std::string& text, int turn) {
    switch (turn % 5) {
      case 0: return {"UTF-8 mark", "\xEF\xBB\xBF" + text};
      case 1: return {"UTF-16LE mark", utf16(text)};
      case 2: return {"UTF-16LE mark, random bytes", "\xFF\xFE" + randomBytes(below(2000))};
      case 3: return {"UTF-8 mark, random bytes", "\xEF\xBB\xBF" + randomBytes(below(2000))};
      default: return {"UTF-16BE mark (read as ANSI)", "\xFE\xFF" + text};
    }
  }

  static std::string utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
  }

  // A value of some key, replaced.
  std::string withValue(std::string text, const std::string& key, const std::string& value) {
    std::vector<std::size_t> places;
    const std::string line = "\n" + key + "=";
    for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
      places.push_back(at + line.size());
    if (places.empty()) return text;
    const std::size_t start = places[below(places.size())];
    const std::size_t end = text.find_first_of("\r\n", start);
    return text.replace(start, (end == std::string::npos ? text.size() : end) - start, value);
  }

  Variant longLine(const std::string& text) {
    static const char* keys[] = {"OSDLabel", "FileName", "GoToAdress", "Action", "FontName", "OSDColor"};
    const std::string key = keys[below(6)];
    if (below(3) == 0) {
      std::string junk(100000, 'x');
      for (char& c : junk) c = static_cast<char>(' ' + random_() % 95);
      std::string out = text;
      out.insert(below(out.size() + 1), junk + "\r\n");
      return {"a 100 000-character line", out};
    }
    return {"100 000-character " + key, withValue(text, key, std::string(100000, static_cast<char>('a' + below(26))))};
  }

  Variant numbers(const std::string& text) {
    static const char* values[] = {"-1", "-2147483648", "2147483647", "99999999999999999999", "$FFFFFFFF",
                                   "0x7FFFFFFF", "-0", "+5", "", "1e9", "0x", "$", "--3", " 12 ", "4294967296"};
    static const char* keys[] = {"Action", "SelectedFunction", "OSDSize", "OSDTimeOut", "OSDProgressStyle",
                                 "OSDColor", "IsKTDActive", "IsOSDActive", "ScrollLock", "Bold"};
    std::string out = text;
    std::string what;
    for (std::size_t n = below(5) + 1; n > 0; --n) {
      const std::string key = keys[below(10)];
      const std::string value = values[below(15)];
      out = withValue(out, key, value);
      what += " " + key + "=" + value;
    }
    return {"numbers:" + what, out};
  }

  // The value of a key in one slot's section, replaced (or added after the
  // section line); the slot's kind set so that the value is used.
  static std::string withSlotValue(std::string text, int slot, const std::string& key, const std::string& value,
                                   int kind) {
    const std::string header = "[NumPadKey" + std::to_string(slot) + "]";
    const auto section = text.find(header);
    if (section == std::string::npos) return text;
    const auto next = text.find("\n[", section + 1);
    const auto end = next == std::string::npos ? text.size() : next;
    for (const auto& [name, newValue] : {std::pair<std::string, std::string>{key, value},
                                         {"SelectedFunction", std::to_string(kind)}}) {
      const auto line = text.find("\n" + name + "=", section);
      if (line != std::string::npos && line < end) {
        const auto start = line + 1 + name.size() + 1;
        const auto stop = text.find_first_of("\r\n", start);
        text.replace(start, (stop == std::string::npos ? text.size() : stop) - start, newValue);
      } else {
        text.insert(section + header.size(), "\r\n" + name + "=" + newValue);
      }
    }
    return text;
  }

  Variant longValues(const std::string& text) {
    static const char* keys[] = {"OSDLabel", "FileName", "GoToAdress", "FontName"};
    const std::string key = keys[below(4)];
    std::string value;
    switch (below(4)) {
      case 0: value = std::string(1023 + below(3), 'v'); break;  // at and just past the limit
      case 1:
        for (std::size_t n = below(40) + 1; n > 0; --n) value += static_cast<char>(0x80 + random_() % 128);
        break;  // ANSI letters (Latin-1 and control bytes)
      case 2: value = "\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA \xE6\xB5\x8B\xE8\xAF\x95 \xF0\x9F\x98\x80"; break;  // UTF-8
      default: value = "\"" + std::string(below(1100), 'q') + "\""; break;
    }
    if (key == "FontName") return {"long or non-ASCII FontName", withValue(text, key, value)};
    const int slot = static_cast<int>(below(15));
    const int kind = key == "FileName" ? 1 : key == "GoToAdress" ? 2 : static_cast<int>(below(3));
    return {"long or non-ASCII " + key + " of slot " + std::to_string(slot),
            withSlotValue(text, slot, key, value, kind)};
  }

  Variant sections(const std::string& text) {
    std::string out = text;
    switch (below(3)) {
      case 0: {
        const std::string slot = "[NumPadKey" + std::to_string(below(15)) + "]\r\nOSDLabel=Twice\r\nAction=99\r\n";
        out.insert(below(2) ? 0 : out.size(), slot);
        return {"duplicate section", out};
      }
      case 1: {
        const std::string name = below(2) ? "[NumPadKey" + std::to_string(below(15)) + "]" : "[Settings]";
        const auto at = out.find(name);
        if (at != std::string::npos) out.erase(at + name.size() - 1, 1);
        return {"unterminated " + name, out};
      }
      default:
        out.insert(0, "[IsActive]\r\nIsKTDActive=0\r\n[settings]\r\nScrollLock=1\r\n");
        return {"sections in the wrong place", out};
    }
  }

  std::mt19937 random_;
};

// ---------------------------------------------------------------------------
// What the program must do with a file.

struct Expectation {
  bool readable = true;
  bool active = true;
  bool scrollLockSaves = true;
  std::string fileAfterFirst;              // after the first Scroll Lock press
  std::string fileAfter;                   // after the second
  std::vector<bool> pressable = std::vector<bool>(15, true);  // false: a key that would end the session
  keytide::KeyConfiguration held;          // what the program holds from the file
};

Expectation expect(const std::string& bytes) {
  Expectation e;
  e.readable = bytes.size() <= keytide::platform::kMaxReadSize;
  e.fileAfter = e.fileAfterFirst = bytes;
  if (!e.readable) return e;  // the stand-in defaults: active, no save
  const keytide::ini::IniDocument document = keytide::ini::IniDocument::FromBytes(bytes, gCodePage);
  keytide::KeyAssignments keys;
  keytide::ProgramSwitches switches;
  keytide::ReadAssignments(document, keys, switches);
  e.held = {keys, switches};
  e.active = switches.active;
  e.scrollLockSaves = document.ReadBool("Settings", "ScrollLock", true);
  for (int slot = 0; slot < 15; ++slot) {
    const keytide::KeyAssignment& key = keys[slot];
    // Log off, restart, shut down, shutdown dialog, suspend, and the close of
    // whatever window has the focus would end the test session, not the program.
    const int action = key.actionIndex;
    e.pressable[slot] = !(key.kind == keytide::AssignmentKind::Action && (action == 0 || action == 10 || action == 17 || action == 19 ||
                                            action == 29 || action == 30));
  }
  if (!e.scrollLockSaves) return e;
  // Two saves, each from the file as the one before left it: switched off
  // (or on), then back.
  const auto save = [&](const std::string& text, bool active) {
    keytide::ini::IniDocument saved = keytide::ini::IniDocument::FromBytes(text, gCodePage);
    (void)keytide::WriteAssignments(saved, keys, keytide::ProgramSwitches{active, switches.osd});
    return saved.ToBytes();
  };
  e.fileAfterFirst = save(bytes, !switches.active);
  e.fileAfter = save(e.fileAfterFirst, switches.active);
  return e;
}

// The program's own message texts ("*" stands for any text).
bool matchesPattern(const std::string& text, const std::string& pattern) {
  const auto star = pattern.find('*');
  if (star == std::string::npos) return text == pattern;
  return text.size() >= pattern.size() - 1 && text.compare(0, star, pattern, 0, star) == 0 &&
         text.compare(text.size() - (pattern.size() - star - 1), std::string::npos, pattern, star + 1) == 0;
}

std::string programMessageKind(const std::string& caption, const std::string& text) {
  static const std::pair<const char*, const char*> known[] = {
      {"Error", "File \"*\" does not exists!"},
      {"Keytide", "Cannot read file *."},
      {"Keytide", "Unable to write to *."},
      {"Keytide", "'*' is not a valid integer value."},
      {"Keytide", "Cannot create file *."},
      {"Keytide", "Failed to set data for 'Keytide'."},
      {"Keytide", "Cannot store file name * in the system's code page."},
      {"Keytide", "Cannot store * in the system's code page."},
  };
  for (const auto& [knownCaption, pattern] : known)
    if (caption == knownCaption && matchesPattern(text, pattern)) return pattern;
  return {};
}

struct Counts {
  int files = 0;
  int keyPresses = 0;
  int keysSkipped = 0;
  int scrollLockPresses = 0;
  std::map<std::string, int> messages;
  int faults = 0;
};

// ---------------------------------------------------------------------------

class GuardRun {
 public:
  GuardRun(TestContext& t, Counts& counts) : t_(t), counts_(counts) {}

  void fault(int index, const Variant& variant, const std::string& what) {
    ++counts_.faults;
    const std::string saved = "fault-" + std::to_string(index) + ".ini";
    writeFile(t_.path(saved), variant.bytes);
    t_.fail("file " + std::to_string(index) + " (" + variant.description + ", kept as " + saved + "): " + what,
            __FILE__, __LINE__);
  }

  // Answers every visible box of the program, checking its text; false when
  // one is not the program's own.
  void answerBoxes(KeytideProcess& k, int index, const Variant& variant) {
    for (int round = 0; round < 20; ++round) {
      HWND box = nullptr;
      for (HWND dialog : findWindows(k.pid(), "#32770"))
        if (isVisible(dialog)) box = dialog;
      if (!box) return;
      const std::string caption = windowText(box);
      const std::string text = dialogText(box);
      const std::string kind = programMessageKind(caption, text);
      if (kind.empty()) {
        fault(index, variant, "a box not of the program's own: " + quoted(caption) + " " + quoted(text));
      } else {
        ++counts_.messages[kind];
      }
      answerDialog(box);
      waitUntil([&] { return !IsWindow(box); }, Ms{3000});
      isResponsive(k.mainWindow());
    }
  }

  // Wine's crash dialog ("Program Error", shown by winedbg for any process).
  static bool crashDialogShown() {
    bool shown = false;
    EnumWindows(
        [](HWND window, LPARAM found) {
          if (IsWindowVisible(window) && windowText(window).find("Program Error") != std::string::npos)
            *reinterpret_cast<bool*>(found) = true;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
  }

  void run(int index, const Variant& variant) {
    ++counts_.files;
    const Expectation e = expect(variant.bytes);
    if (verbose_) {
      std::printf("hostile: file %d: %s (%zu bytes%s%s)\n", index, variant.description.c_str(), variant.bytes.size(),
                  e.readable ? "" : ", unreadable", e.readable && e.scrollLockSaves ? ", saved twice" : "");
      std::fflush(stdout);
    }
    t_.write("run\\" + std::string(kIni), variant.bytes);
    KeytideProcess& k = t_.start({.exe = exe_});
    const auto alive = [&](const char* when) {
      if (k.running() && !crashDialogShown()) return true;
      fault(index, variant, std::string("the program died ") + when);
      return false;
    };
    // The start: boxes answered until the keypad is grabbed (or, inactive,
    // until the deferred start has had its time; the welcome screen may
    // come back with a damaged file).
    const auto startBy = std::chrono::steady_clock::now() + std::chrono::seconds(e.active ? 15 : 5);
    while (std::chrono::steady_clock::now() < startBy) {
      answerBoxes(k, index, variant);
      if (!k.running()) break;
      if (e.active && !hotKeyFree(VK_NUMPAD5)) break;
      pause(Ms{100});
    }
    pause(Ms{300});
    answerBoxes(k, index, variant);
    if (!alive("at the start")) return cleanUp(k);

    for (int slot = 0; slot < 15; ++slot) {
      if (!e.pressable[slot]) {
        ++counts_.keysSkipped;
        continue;
      }
      pressKey(kSlotKeys[slot]);
      ++counts_.keyPresses;
      isResponsive(k.mainWindow());
      isResponsive(k.mainWindow());
      answerBoxes(k, index, variant);
      if (!alive("after a key press")) return cleanUp(k);
    }
    // Each press saves (the first one switches the program off or on, so the
    // file must show it), or, with the Scroll Lock setting off or the file
    // unreadable, leaves the file alone.
    const std::string ini = t_.path("run\\" + std::string(kIni));
    for (const std::string* expected : {&e.fileAfterFirst, &e.fileAfter}) {
      pressKey(VK_SCROLL);
      ++counts_.scrollLockPresses;
      isResponsive(k.mainWindow());
      isResponsive(k.mainWindow());
      answerBoxes(k, index, variant);
      if (!alive("after Scroll Lock")) return cleanUp(k);
      if (!waitForFile(ini, [&](const std::string& now) { return now == *expected; }, Ms{3000})) {
        fault(index, variant, "the file is not the file before with the program's writes: " +
                                  firstDifference(*expected, readFile(ini).value_or("<unreadable>")));
        break;
      }
    }
    answerBoxes(k, index, variant);
    if (e.readable) checkDeletedFileComesBack(k, index, variant, e);
    if (verbose_) {
      const std::string now = readFile(t_.path("run\\" + std::string(kIni))).value_or("<unreadable>");
      std::printf("hostile:   file afterwards %s\n", now == e.fileAfter      ? "as expected"
                                                   : now == variant.bytes ? "unchanged"
                                                                          : "otherwise");
      std::fflush(stdout);
    }
    cleanUp(k);
  }

  // ktd.ini deleted, then "Show..." and the editor's X (Cancel, a reload).
  void checkDeletedFileComesBack(KeytideProcess& k, int index, const Variant& variant, const Expectation& e) {
    const std::string ini = t_.path("run\\" + std::string(kIni));
    HWND menu = deleteFile(ini) && clickTrayIcon(k, MOUSEEVENTF_RIGHTDOWN) ? waitForPopupMenu(k.pid()) : nullptr;
    if (menu && chooseFromMenu(menu, 1) && waitUntil([&] { return isVisible(k.mainWindow()); }))
      PostMessageA(k.mainWindow(), WM_CLOSE, 0, 0);
    keytide::KeyConfiguration read;
    if (!waitForFile(ini, [&](const std::string& now) {
          keytide::ReadAssignments(keytide::ini::IniDocument::FromBytes(now, gCodePage), read.keys, read.switches);
          return read == e.held;
        }, Ms{5000}))
      fault(index, variant, "the deleted ktd.ini did not come back with the keys in force");
    answerBoxes(k, index, variant);
  }

  void cleanUp(KeytideProcess& k) {
    LaunchedPrograms launched({k.pid()});
    if (k.running()) k.close(Ms{5000});
    launched.end(Ms{3000});
  }

  void install() { exe_ = t_.installKeytide("run\\keytide.exe"); }

 private:
  TestContext& t_;
  Counts& counts_;
  std::string exe_;
  bool verbose_ = environmentNumber("KEYTIDE_HOSTILE_VERBOSE", 0) != 0;
};


}  // namespace

E2E_TEST("hostile.generated_files_neither_crash_the_program_nor_lose_the_file") {
  const int files = environmentNumber("KEYTIDE_HOSTILE_FILES", 12);
  const unsigned seed = static_cast<unsigned>(environmentNumber("KEYTIDE_HOSTILE_SEED", 1));
  // Addresses, mail and browser keys start the marker, never a real program;
  // a file's AutoLoad may write the Run value.
  const std::string marker = t.installMarker();
  RestoredValue http(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "");
  RestoredValue mail(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "");
  RestoredValue run(HKEY_CURRENT_USER, kRunKey, "Keytide");
  REQUIRE(regWriteString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", "\"" + marker + "\" \"%1\""));
  REQUIRE(regWriteString(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "", "\"" + marker + "\" %1"));

  Counts counts;
  GuardRun guard(t, counts);
  guard.install();
  VariantMaker maker(seed);
  for (int index = 0; index < files; ++index) guard.run(index, maker.make(index));

  std::string messages;
  int messageCount = 0;
  for (const auto& [kind, count] : counts.messages) {
    messages += (messages.empty() ? "" : ", ") + std::to_string(count) + " \"" + kind + "\"";
    messageCount += count;
  }
  std::printf("hostile: seed %u, %d files, %d key presses (%d keys not pressed: power and close actions), "
              "%d Scroll Lock presses, %d messages (%s), %d faults\n",
              seed, counts.files, counts.keyPresses, counts.keysSkipped, counts.scrollLockPresses, messageCount,
              messages.c_str(), counts.faults);
  std::fflush(stdout);
}
