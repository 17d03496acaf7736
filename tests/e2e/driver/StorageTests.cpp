// ktd.ini as users leave it: unreadable (held without read sharing, too
// large), read-only, saved by Notepad as UTF-8 or UTF-16 with a byte-order
// mark, with a bad colour; the launch paths with the longest values the file
// can hold; and the program and a browser in a folder whose name the ANSI code
// page lacks.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "Driver.h"
#include "RestoredValue.h"
#include "core/DefaultIni.h"

using namespace ktd::e2e;

namespace {

constexpr char kIni[] = "ktd.ini";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
using Clock = std::chrono::steady_clock;

std::string slot(int index, int kind, int action, const std::string& file = "", const std::string& address = "",
                 const std::string& label = "") {
  const std::string shown = label.empty() ? "S" + std::to_string(index) : label;
  return "[NumPadKey" + std::to_string(index) + "]\r\nOSDLabel=" + shown + "\r\nFileName=" + file +
         "\r\nGoToAdress=" + address + "\r\nAction=" + std::to_string(action) +
         "\r\nSelectedFunction=" + std::to_string(kind) + "\r\n";
}

// Slots as given; welcome screen off and start-with-Windows off so that the
// start neither blocks nor writes the Run key; OSD off unless asked for.
std::string iniWith(const std::vector<std::string>& slots, const std::string& settings = "",
                    const std::string& osd = "0") {
  std::string text;
  for (const auto& section : slots) text += section;
  text += "[Settings]\r\nAutoLoad=0\r\nWelcomeScreen=0\r\nScrollLock=1\r\n" + settings;
  text += "[IsActive]\r\nIsKTDActive=1\r\nIsOSDActive=" + osd + "\r\n";
  return text;
}

std::wstring wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
  return text;
}

// UTF-8 text as the bytes of a UTF-16LE file with its mark.
std::string utf16File(const std::string& utf8) {
  const std::wstring text = wide(utf8);
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The visible message box of a process with this caption, once there.
HWND waitForBox(DWORD pid, const char* caption, std::optional<Ms> timeout = {}) {
  HWND box = nullptr;
  waitUntil(
      [&] {
        for (HWND dialog : findWindows(pid, "#32770", caption))
          if (isVisible(dialog)) box = dialog;
        return box != nullptr;
      },
      timeout);
  return box;
}

// Answers the box with this caption and text, failing when it does not come.
void expectBox(KeytideProcess& k, const char* caption, const std::string& text, std::source_location where =
                                                                                    std::source_location::current()) {
  HWND box = waitForBox(k.pid(), caption);
  if (!box) {
    currentTest().fail("no message box \"" + std::string(caption) + "\" saying " + quoted(text), where);
    return;
  }
  if (dialogText(box) != text) currentTest().fail("the box says " + quoted(dialogText(box)) + ", expected " +
                                                  quoted(text), where);
  answerDialog(box);
  waitUntil([&] { return !IsWindow(box); });
}

void awaitActive() {
  REQUIRE_MSG(waitHotKey(VK_NUMPAD5, true), "the keypad was never grabbed");
  pause(Ms{500});  // the rest of the deferred start (Num Lock)
}

bool makeDirsW(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool writeFileW(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return CloseHandle(file) && ok;
}

std::optional<std::string> readFileW(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content(1 << 20, '\0');
  DWORD got = 0;
  const bool ok = ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  content.resize(got);
  return content;
}

bool runsOnWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

// Starts a program whose path the ANSI functions cannot name.
KeytideProcess& startWide(TestContext& t, const std::string& exeUtf8) {
  std::wstring commandLine = L"\"" + wide(exeUtf8) + L"\"";
  const std::wstring folder = wide(exeUtf8.substr(0, exeUtf8.find_last_of('\\')));
  SetEnvironmentVariableA("KEYTIDE_MARKER_LOG", t.markerLog().c_str());  // inherited
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessW(wide(exeUtf8).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      folder.c_str(), &startup, &info);
  SetEnvironmentVariableA("KEYTIDE_MARKER_LOG", nullptr);
  REQUIRE_MSG(started, "cannot start the program from a Unicode folder, error " + std::to_string(GetLastError()));
  KeytideProcess& k = t.adopt(info, exeUtf8);
  REQUIRE_MSG(k.waitForWindows(), "the program in the Unicode folder did not show its windows");
  return k;
}


}  // namespace

E2E_TEST("storage.unreadable_file_is_reported_once_and_never_written_over") {
  struct Variant {
    const char* folder;
    bool held;         // held open by the test without read sharing
    std::size_t size;  // the file padded to this size
  };
  for (const Variant& v : {Variant{"held", true, 0}, Variant{"large", false, 17u * 1024 * 1024}}) {
    const std::string ini = std::string(v.folder) + "\\" + kIni;
    std::string text = iniWith({slot(8, 1, 0)});
    if (text.size() < v.size) text += std::string(v.size - text.size(), ';');
    t.write(ini, text);
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (v.held) {
      holder = CreateFileA(t.path(ini).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
      REQUIRE(holder != INVALID_HANDLE_VALUE);
    }
    KeytideProcess& k = t.start({.exe = t.installKeytide(std::string(v.folder) + "\\keytide.exe")});
    expectBox(k, "Keytide", "Cannot read file " + t.path(ini) + ".");
    // The stand-in settings are the defaults: the welcome screen shows first,
    // and the start ends with the tray icon.
    awaitStarted(k);
    REQUIRE_MSG(waitHotKey(VK_NUMPAD5, true, Ms{5000}), std::string(v.folder) + ": the keypad was never grabbed");
    for (int press = 0; press < 2; ++press) {
      pressKey(VK_SCROLL);
      expectBox(k, "Keytide", "Unable to write to " + t.path(ini) + ".");
    }
    pause(Ms{500});
    CHECK_MSG(waitForBox(k.pid(), "Keytide", Ms{300}) == nullptr, std::string(v.folder) + ": a further box");
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    CHECK_MSG(t.read(ini) == text, std::string(v.folder) + ": the file was changed");
    CHECK_MSG(!fileExists(t.path(ini + ".tmp")), std::string(v.folder) + ": a temporary file was left");
    CHECK_EQ(k.close(), DWORD{0});
  }
}

E2E_TEST("storage.read_only_file_is_left_as_it_is_with_the_message") {
  const std::string text = iniWith({slot(8, 1, 0)});
  t.write(kIni, text);
  REQUIRE(SetFileAttributesA(t.path(kIni).c_str(), FILE_ATTRIBUTE_READONLY));
  KeytideProcess& k = t.start();
  awaitActive();
  awaitStarted(k);
  pressKey(VK_SCROLL);
  // Clicks that fail the same way while the box is up open no further box.
  for (int click = 0; click < 4; ++click) CHECK(clickTrayIcon(k));
  pause(Ms{500});
  int boxes = 0;
  for (HWND dialog : findWindows(k.pid(), "#32770", "Keytide")) boxes += isVisible(dialog) ? 1 : 0;
  CHECK_EQ(boxes, 1);
  expectBox(k, "Keytide", "Unable to write to " + t.path(kIni) + ".");
  CHECK_EQ(t.read(kIni), std::optional<std::string>(text));
  const DWORD attributes = GetFileAttributesA(t.path(kIni).c_str());
  CHECK_MSG(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY),
            "the read-only mark is gone");
  CHECK_EQ(k.close(), DWORD{0});
  SetFileAttributesA(t.path(kIni).c_str(), FILE_ATTRIBUTE_NORMAL);
}

E2E_TEST("storage.unicode_files_load_every_key_and_keep_their_encoding") {
  const std::string marker = t.installMarker();
  // Slot 0 is the first section, right after the mark; its label is Cyrillic.
  // Every slot complete, so that a save changes nothing but the switch.
  std::vector<std::string> slots{slot(0, 1, 0, marker, "", "\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA")};
  for (int index = 1; index < 14; ++index) slots.push_back(slot(index, 1, 0));
  slots.push_back(slot(14, 1, 0, marker));
  const std::string text = iniWith(slots);
  struct Encoding {
    const char* name;
    std::string (*bytes)(const std::string&);
  };
  const Encoding encodings[] = {
      {"utf8", [](const std::string& utf8) { return "\xEF\xBB\xBF" + utf8; }},
      {"utf16", &utf16File},
  };
  std::size_t runs = 0;
  for (const Encoding& e : encodings) {
    const std::string ini = std::string(e.name) + "\\" + kIni;
    t.write(ini, e.bytes(text));
    KeytideProcess& k = t.start({.exe = t.installKeytide(std::string(e.name) + "\\keytide.exe")});
    awaitActive();
    pressKey(VK_DIVIDE);
    pressKey(VK_DECIMAL);
    runs += 2;
    CHECK_MSG(waitForMarkerRuns(t.markerLog(), runs).has_value(),
              std::string(e.name) + ": the first and the last key did not both run their file");
    pressKey(VK_SCROLL);
    const std::string expected = e.bytes(replaced(text, "IsKTDActive=1", "IsKTDActive=0"));
    const auto saved = waitForFile(t.path(ini), [&](const std::string& now) { return now == expected; });
    CHECK_MSG(saved.has_value(), std::string(e.name) + ": the save is not the old file with one value changed: " +
                                     firstDifference(expected, t.read(ini).value_or("")));
    CHECK_MSG(waitForBox(k.pid(), "Keytide", Ms{300}) == nullptr, std::string(e.name) + ": an error box");
    CHECK_EQ(k.close(), DWORD{0});
  }
}

E2E_TEST("storage.bad_colour_still_gives_the_osd_its_time_out_and_bar") {
  t.write(kIni, iniWith({slot(6, 0, 22, "", "", "Vol+")},
                        "FontName=Arial\r\nOSDSize=1\r\nOSDColor=clBogus\r\nOSDProgressStyle=0\r\nOSDTimeOut=1\r\n",
                        "1"));
  KeytideProcess& k = t.start();
  expectBox(k, "Keytide", "'clBogus' is not a valid integer value.");
  awaitActive();
  HWND text = k.window("TktdOSDTextForm");
  HWND bar = k.window("TktdOSDProgressForm");
  REQUIRE(text != nullptr && bar != nullptr);
  const auto pressed = Clock::now();
  pressKey(VK_ADD);
  REQUIRE_MSG(waitUntil([&] { return isVisible(text) && isVisible(bar); }, Ms{3000}),
              "the label and the bar did not both show");
  const WindowRegion shape = windowRegion(bar);
  CHECK_MSG(shape.present && shape.area() > 0, "the volume bar has no segments");
  REQUIRE_MSG(waitUntil([&] { return !isVisible(text); }, Ms{6000}), "the label did not hide");
  const auto shownFor = std::chrono::duration_cast<Ms>(Clock::now() - pressed).count();
  // Time-out "2" seconds: the lower bound is exact, polling sees a hide late.
  CHECK_MSG(shownFor >= 2000, "the label hid after " + std::to_string(shownFor) + " ms");
  CHECK_MSG(shownFor <= 4000, "the label stayed " + std::to_string(shownFor) + " ms");
  CHECK_EQ(k.close(), DWORD{0});
}

// Wine 8's ShellExecute copies the name it is given into a MAX_PATH buffer on
// its stack (the program used to crash on addresses of about 990 characters);
// Windows takes long addresses. Every launch path gets the longest value the
// file can hold, or a path longer than MAX_PATH: no crash, and either the
// program starts or the missing-file box names the file.
E2E_TEST("launch.long_values_start_their_programs_or_say_the_file_is_missing") {
  const std::string marker = t.installMarker();
  std::string deep = t.path("deep");
  while (deep.size() < 400) deep += "\\folder-of-a-long-path";
  REQUIRE(makeDirsW(wide(deep)));
  const std::string deepMarker = deep + "\\marker.exe";
  REQUIRE(CopyFileW(wide(marker).c_str(), wide(deepMarker).c_str(), FALSE));
  const std::string document = deep + "\\page.ktdtest";
  REQUIRE(writeFileW(wide(document), "a document"));

  RestoredValue http(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "");
  RestoredValue mail(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "");
  // The web handler lives in an ordinary folder, the mail program in the deep one.
  REQUIRE(regWriteString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "", "\"" + marker + "\" \"%1\""));
  REQUIRE(regWriteString(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "", "\"" + deepMarker + "\" %1"));
  // A document type of the test's own, opened by the marker.
  REQUIRE(regWriteString(HKEY_CLASSES_ROOT, ".ktdtest", "", "ktdtestfile"));
  REQUIRE(regWriteString(HKEY_CLASSES_ROOT, "ktdtestfile\\shell\\open\\command", "", "\"" + marker + "\" \"%1\""));

  const std::string address = "example.com/" + std::string(1023 - 12, 'a');  // the longest value read
  const std::string missing = "C:\\no such folder\\" + std::string(1023 - 18, 'x');
  t.write(kIni, iniWith({slot(0, 2, 0, "", address), slot(1, 1, 0, missing), slot(2, 1, 0, deepMarker),
                         slot(3, 1, 0, document), slot(4, 0, 6), slot(5, 0, 7)}));
  KeytideProcess& k = t.start();
  awaitActive();

  pressKey(VK_DIVIDE);  // the address
  const auto addressRun = waitForMarkerRuns(t.markerLog(), 1);
  REQUIRE_MSG(addressRun.has_value(), "the address started no handler");
  // Wine 8 builds the handler's command line in a buffer of 1024 characters
  // and leaves the address out when it does not fit (its "Argify buffer not
  // large enough, truncating"); Windows hands the handler the whole address.
  if (!runsOnWine()) {
    CHECK_MSG((*addressRun)[0].commandLine.find("http://" + address) != std::string::npos,
              "the address did not reach its handler whole");
  }
  pressKey(VK_MULTIPLY);  // the missing file
  expectBox(k, "Error", "File \"" + missing + "\" does not exists!");

  // A path of MAX_PATH characters or more names no file for Windows' file
  // functions (the program declares no long-path support); Wine finds one
  // there, but the program answers as Windows does: a program, a document and
  // a mail program in the deep folder get the missing-file box.
  for (const auto& [key, path] : {std::pair<WORD, std::string>{VK_SUBTRACT, deepMarker}, {VK_NUMPAD7, document},
                                  {VK_NUMPAD8, deepMarker}}) {
    pressKey(key);
    expectBox(k, "Error", "File \"" + path + "\" does not exists!");
  }
  pressKey(VK_NUMPAD9);  // the web browser, in an ordinary folder
  const auto browserRun = waitForMarkerRuns(t.markerLog(), 2);
  CHECK_MSG(browserRun && browserRun->back().argc == 1, "the browser key did not start its program");
  CHECK_MSG(k.running() && isResponsive(k.mainWindow()), "the program did not survive the long values");
  CHECK_EQ(k.close(), DWORD{0});
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".ktdtest");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "ktdtestfile");
}

E2E_TEST("unicode.program_in_a_folder_outside_the_ansi_code_page") {
  // "Папка 文件夹": Cyrillic and CJK, which no single ANSI code page holds.
  const std::string folder = t.path("\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0 \xE6\x96\x87\xE4\xBB\xB6\xE5\xA4\xB9");
  const std::string exe = folder + "\\keytide.exe";
  REQUIRE(makeDirsW(wide(folder)));
  REQUIRE(CopyFileW(wide(t.config().keytideExe).c_str(), wide(exe).c_str(), FALSE));
  RestoredValue runValue(HKEY_CURRENT_USER, kRunKey, "Keytide");
  regDeleteValue(HKEY_CURRENT_USER, kRunKey, "Keytide");

  {
    KeytideProcess& k = startWide(t, exe);
    const auto written = [&] { return readFileW(wide(folder + "\\" + kIni)); };
    CHECK_MSG(waitUntil([&] { return written() == std::string(keytide::kDefaultIniText); }),
              "ktd.ini was not written in the folder with the default text");
    // The default text starts with Windows: the Run value names this program, quoted.
    std::wstring data(1024, L'\0');
    DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const bool read = waitUntil([&] {
      size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
      return RegGetValueW(HKEY_CURRENT_USER, wide(kRunKey).c_str(), L"Keytide", RRF_RT_REG_SZ, nullptr, data.data(),
                          &size) == ERROR_SUCCESS &&
             size > sizeof(wchar_t);
    });
    CHECK_MSG(read, "no Run value \"Keytide\"");
    data.resize(size / sizeof(wchar_t) - 1);
    CHECK_MSG(data == wide("\"" + exe + "\""), "the Run value does not name the program");
    CHECK_MSG(waitForBox(k.pid(), "Keytide", Ms{300}) == nullptr, "an error box at the start");
    CHECK_EQ(k.close(), DWORD{0});
  }
  {
    // A file in such a folder, named in a UTF-8 ktd.ini; and the web browser
    // there, as the shell names it.
    const std::string target = folder + "\\\xD0\xBC\xD0\xB0\xD1\x80\xD0\xBA\xD0\xB5\xD1\x80.exe";  // "маркер.exe"
    REQUIRE(CopyFileW(wide(t.config().markerExe).c_str(), wide(target).c_str(), FALSE));
    RestoredValue http(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "");
    const std::wstring browser = L"\"" + wide(target) + L"\" -url \"%1\"";
    REQUIRE(RegSetKeyValueW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", nullptr, REG_SZ, browser.c_str(),
                            static_cast<DWORD>((browser.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS);
    REQUIRE(writeFileW(wide(folder + "\\" + kIni),
                       "\xEF\xBB\xBF" + iniWith({slot(8, 1, 0, target), slot(5, 0, 7)})));
    KeytideProcess& k = startWide(t, exe);
    awaitActive();
    pressKey(VK_NUMPAD5);
    CHECK_MSG(waitForMarkerRuns(t.markerLog(), 1).has_value(), "the file in the Unicode folder did not run");
    pressKey(VK_NUMPAD9);
    CHECK_MSG(waitForMarkerRuns(t.markerLog(), 2).has_value(), "the browser in the Unicode folder did not run");
    CHECK_MSG(waitForBox(k.pid(), "Error", Ms{300}) == nullptr, "the missing-file box for an existing file");
    CHECK_EQ(k.close(), DWORD{0});
  }
}
