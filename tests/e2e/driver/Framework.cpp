// Test registry, runner and command line of the end-to-end driver.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "Driver.h"

namespace ktd::e2e {
namespace {

struct RegisteredTest {
  std::string name;
  std::string file;
  TestFn fn;
  bool onRequest;
};

std::vector<RegisteredTest>& registry() {
  static std::vector<RegisteredTest> tests;
  return tests;
}

TestContext* g_current = nullptr;
int g_passed = 0;
int g_failed = 0;

void printLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void printSummary() { printLine("e2e: " + std::to_string(g_passed) + " passed, " + std::to_string(g_failed) + " failed"); }

// A crash inside the driver must still end with a report and must not leave
// programs running: stop what the current test started, count it as failed.
LONG WINAPI onCrash(EXCEPTION_POINTERS* info) {
  char code[32];
  std::snprintf(code, sizeof code, "0x%08lX", info->ExceptionRecord->ExceptionCode);
  if (g_current) {
    printLine("FAIL " + g_current->name() + ": the driver crashed (exception " + code + ")");
    for (const auto& process : g_current->processes()) TerminateProcess(process->handle(), 1);
  } else {
    printLine(std::string("FAIL (driver): crashed outside a test (exception ") + code + ")");
  }
  ++g_failed;
  printSummary();
  ExitProcess(3);
}

std::string sanitize(const std::string& name) {
  std::string out;
  for (char c : name) out += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-') ? c : '_';
  return out;
}

bool matches(const RegisteredTest& test, const std::vector<std::string>& filters) {
  if (filters.empty()) return !test.onRequest;
  for (const auto& f : filters) {
    const auto at = test.name.find(f);
    if (at != std::string::npos && (at == 0 || !test.onRequest)) return true;
  }
  return false;
}

// Whether this driver takes the test: with no claims folder always; with one,
// only when no other driver made the test's file there first.
bool claim(const Config& config, const std::string& safeName) {
  if (config.claimsDir.empty()) return true;
  HANDLE file = CreateFileA((config.claimsDir + "\\" + safeName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// Under Wine, the stacks of every thread of every program in the session,
// taken after a test failed and before its programs are stopped: where a
// program or the shell hung shows there.
void saveStacks(const std::string& path) {
  if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr) return;
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = out;
  char commandLine[] = "winedbg --command \"bt all\"";
  PROCESS_INFORMATION info{};
  if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                     &info)) {
    if (WaitForSingleObject(info.hProcess, 60000) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  CloseHandle(out);
}

std::string seconds(std::chrono::steady_clock::duration elapsed) {
  char text[32];
  std::snprintf(text, sizeof text, " (%.1f s)", std::chrono::duration<double>(elapsed).count());
  return text;
}

std::string absolutePath(const std::string& path) {
  char buffer[MAX_PATH * 4];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (n == 0 || n >= sizeof buffer) return path;
  return buffer;
}

void usage() {
  std::fputs(
      "usage: ktdriver --exe <keytide.exe> --marker <marker.exe> --work <scratch root>\n"
      "                [--data <expected files>] [--timeout-ms N] [--shots <folder>] [--claims <folder>]\n"
      "                [--list]\n"
      "                [filter ...]\n",
      stderr);
}

}  // namespace

TestRegistrar::TestRegistrar(const char* name, const char* file, TestFn fn, bool onRequest) {
  registry().push_back({name, file, fn, onRequest});
}

TestContext& currentTest() {
  if (!g_current) {
    std::fputs("ktdriver: a check was used outside a test\n", stderr);
    std::abort();
  }
  return *g_current;
}

int runAll(const Config& config, const std::vector<std::string>& filters) {
  std::vector<const RegisteredTest*> selected;
  for (const auto& test : registry())
    if (matches(test, filters)) selected.push_back(&test);
  std::stable_sort(selected.begin(), selected.end(),
                   [](const RegisteredTest* a, const RegisteredTest* b) { return a->name < b->name; });
  if (selected.empty()) {
    std::fputs("ktdriver: no test matches the filter\n", stderr);
    printSummary();
    return 2;
  }
  if (!makeDirs(config.workRoot)) {
    std::fprintf(stderr, "ktdriver: cannot create the scratch root %s\n", config.workRoot.c_str());
    return 2;
  }
  if (!config.claimsDir.empty() && !makeDirs(config.claimsDir)) {
    std::fprintf(stderr, "ktdriver: cannot create the claims folder %s\n", config.claimsDir.c_str());
    return 2;
  }
  SetUnhandledExceptionFilter(onCrash);
  for (const RegisteredTest* test : selected) {
    if (!claim(config, sanitize(test->name))) continue;
    const auto started = std::chrono::steady_clock::now();
    std::string dir = config.workRoot + "\\" + sanitize(test->name);
    removeTree(dir);
    TestContext context(config, test->name, dir);
    g_current = &context;
    if (!makeDirs(dir)) {
      context.fail("cannot create the scratch folder " + dir, __FILE__, __LINE__);
    } else {
      try {
        test->fn(context);
      } catch (const TestAborted&) {
        // already recorded
      } catch (const std::exception& e) {
        context.fail(std::string("exception: ") + e.what(), test->file.c_str(), 0);
      } catch (...) {
        context.fail("unknown exception", test->file.c_str(), 0);
      }
      if (!context.failures().empty()) saveStacks(dir + "\\stacks.txt");
      try {
        context.tearDown();
      } catch (const TestAborted&) {
      }
    }
    const auto& failures = context.failures();
    const std::string took = seconds(std::chrono::steady_clock::now() - started);
    if (failures.empty()) {
      ++g_passed;
      printLine("PASS " + test->name + took);
    } else {
      ++g_failed;
      printLine("FAIL " + test->name + took + ": " + failures.front());
      for (size_t i = 1; i < failures.size(); ++i) printLine("    " + failures[i]);
    }
    g_current = nullptr;
  }
  printSummary();
  return g_failed == 0 ? 0 : 1;
}

}  // namespace ktd::e2e

int main(int argc, char** argv) {
  using namespace ktd::e2e;
  Config config;
  std::vector<std::string> filters;
  bool list = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) {
        usage();
        std::exit(2);
      }
      into = argv[++i];
    };
    if (arg == "--exe") {
      value(config.keytideExe);
    } else if (arg == "--marker") {
      value(config.markerExe);
    } else if (arg == "--work") {
      value(config.workRoot);
    } else if (arg == "--data") {
      value(config.dataDir);
    } else if (arg == "--shots") {
      value(config.shotsDir);
    } else if (arg == "--claims") {
      value(config.claimsDir);
    } else if (arg == "--timeout-ms") {
      std::string ms;
      value(ms);
      config.timeout = Ms(std::atoi(ms.c_str()));
      if (config.timeout.count() <= 0) {
        usage();
        return 2;
      }
    } else if (arg == "--list") {
      list = true;
    } else if (arg == "--help" || arg == "-h") {
      usage();
      return 0;
    } else if (arg.rfind("--", 0) == 0) {
      usage();
      return 2;
    } else {
      filters.push_back(arg);
    }
  }
  if (list) {
    std::vector<std::string> names;
    for (const auto& test : registry())
      if (matches(test, filters)) names.push_back(test.name);
    std::sort(names.begin(), names.end());
    for (const auto& name : names) std::printf("%s\n", name.c_str());
    return 0;
  }
  if (config.keytideExe.empty() || config.markerExe.empty() || config.workRoot.empty()) {
    usage();
    return 2;
  }
  config.keytideExe = absolutePath(config.keytideExe);
  config.markerExe = absolutePath(config.markerExe);
  config.workRoot = absolutePath(config.workRoot);
  if (!config.shotsDir.empty()) config.shotsDir = absolutePath(config.shotsDir);
  if (!config.claimsDir.empty()) config.claimsDir = absolutePath(config.claimsDir);
  if (config.dataDir.empty()) {
    // Default: <repo>\tests\e2e\data seen from <repo>\build\<dir>\ktdriver.exe.
    char self[MAX_PATH * 4];
    GetModuleFileNameA(nullptr, self, sizeof self);
    config.dataDir = folderOf(self) + "\\..\\..\\tests\\e2e\\data";
  }
  config.dataDir = absolutePath(config.dataDir);
  for (const std::string* file : {&config.keytideExe, &config.markerExe}) {
    if (!fileExists(*file)) {
      std::fprintf(stderr, "ktdriver: %s does not exist\n", file->c_str());
      return 2;
    }
  }
  return runAll(config, filters);
}
