#pragma once
// Handing files, documents, addresses and command lines to the system, from
// the program's UTF-8 text, through the wide-character functions.
#include <string>

namespace keytide::win32 {

// Opens the target with its default verb: no parameters, no working
// directory, SW_SHOW. The result is not used.
void OpenWithShell(const std::string& target);

// Starts a command line as WinExec does (the first program it names, with the
// show state); the result is not used. WinExec itself takes ANSI text only.
void StartCommandLine(const std::string& commandLine, int showCommand);

}  // namespace keytide::win32
