// The widget layer on the screen, through the widget demo (widget_demo.exe, a
// window built like the assignment editor from the program's own widgets),
// until the editor, the settings dialog and the About window carry them. The
// demo reads its window back from the screen and compares: every background
// row against the bands the gradient code computes, the sunken edge, the
// faces of pushed, focused and plain buttons, the check box's see-through
// background, the kept picture, the groups, the hint's colours and the GDI
// object count over repeated redraws.
#include <windows.h>

#include <string>

#include "Driver.h"

using namespace ktd::e2e;

E2E_TEST("widgets.demo_window_shows_the_computed_gradient_and_flat_controls") {
  const std::string demo = folderOf(t.config().keytideExe) + "\\widget_demo.exe";
  REQUIRE_MSG(fileExists(demo), "widget_demo.exe is missing beside keytide.exe");
  KeytideProcess& window =
      t.start({.exe = demo, .args = "--check \"" + t.path("widgets.txt") + "\"", .waitForWindows = false});
  const auto exitCode = window.waitExit(Ms{30000});
  REQUIRE_MSG(exitCode.has_value(), "the widget demo did not end");
  const std::string report = t.read("widgets.txt").value_or("(no report)");
  CHECK_MSG(*exitCode == 0, "the widget demo found faults:\n" + report);
  CHECK_MSG(report.find("ok:    gradient rows on the screen match") != std::string::npos,
            "the demo did not compare the background rows:\n" + report);
}
