#include "platform/FilePath.h"

#include <gtest/gtest.h>

namespace keytide::platform {
namespace {

TEST(FilePathTest, TheLastBackslashSlashOrDriveColonEndsTheDirectory) {
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Keytide\\keytide.exe", "C:\\Program Files\\Keytide\\", "keytide.exe"},
        {"C:keytide.exe", "C:", "keytide.exe"},
        {"\\\\server\\share\\tools/kt.exe", "\\\\server\\share\\tools/", "kt.exe"},
        {"C:\\dir.with.dots\\x", "C:\\dir.with.dots\\", "x"},
        {"keytide.exe", "", "keytide.exe"},
        {"C:\\Tools\\", "C:\\Tools\\", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DirectoryOf(c.path), c.directory) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
    }
}

}  // namespace
}  // namespace keytide::platform
