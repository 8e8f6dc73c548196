// Small set-up helpers shared by the benchmark and the soak run: both write
// the configuration the monitor reads before they start it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace machine_setup {

// Writes a text value under HKEY_LOCAL_MACHINE, creating the key as needed.
inline void SetString(const char* path, const char* name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot create %s\n", path);
        return;
    }
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

// A file name in the temporary directory.
inline std::string TempPath(const char* name) {
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    return std::string(directory) + name;
}

}  // namespace machine_setup
