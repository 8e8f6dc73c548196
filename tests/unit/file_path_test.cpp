// Paths handed to the profile functions: devices and shares could block the
// monitor's only thread, so they are never opened.
#include "config/file_path.h"

#include <gtest/gtest.h>

TEST(IsPlainFilePath, RefusesDevicesAndSharesAndNothingElse) {
    const struct {
        const char* path;
        bool plain;
    } rows[] = {
        {"C:\\drivers\\profile.ini", true}, {"profile.ini", true}, {"C:\\p\\console.ini", true},
        {"NULL.ini", true}, {"C:\\p\\COM10.ini", true}, {"C:\\LPT1x\\a.ini", true},
        {"", false}, {"NUL", false}, {"nul.ini", false}, {"CON:", false}, {"C:NUL", false},
        {"C:\\x\\Com1 .ini", false}, {"C:\\x\\COM1        .ini", false}, {"nul       ", false},
        {"COM10   .ini", true}, {"D:/x/lpt9.txt", false}, {"C:\\x\\conout$", false},
        {"\\\\host\\share\\profile.ini", false}, {"//host/share/profile.ini", false}, {"\\\\.\\NUL", false},
        {"\\\\?\\C:\\profile.ini", false}, {"C:\\p\\AUX.INI", false}, {"PRN", false}, {"clock$.ini", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsPlainFilePath(row.path), row.plain) << row.path;
}
