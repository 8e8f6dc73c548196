// Helpers shared by the unit tests: scratch registry keys, temporary INI
// files and plain windows, each removed again when it goes out of scope.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace test_support {

// Deletes a key of HKEY_LOCAL_MACHINE with all its subkeys. The platform
// headers of this build predate RegDeleteTree, so the tree is walked here.
inline void DeleteKeyTree(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
        for (;;) {
            char name[256];
            DWORD length = sizeof name;
            // Always the first subkey: each one is gone once deleted.
            if (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            DeleteKeyTree(root, path + "\\" + name);
        }
        RegCloseKey(key);
    }
    RegDeleteKeyA(root, path.c_str());
}

// A key of HKEY_LOCAL_MACHINE that is absent before the test starts with it
// and removed, with everything below it, when the test ends.
class ScratchKey {
public:
    explicit ScratchKey(std::string path) : path_(std::move(path)) { DeleteKeyTree(HKEY_LOCAL_MACHINE, path_); }
    ~ScratchKey() { DeleteKeyTree(HKEY_LOCAL_MACHINE, path_); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::string& Path() const { return path_; }
    void Remove() const { DeleteKeyTree(HKEY_LOCAL_MACHINE, path_); }

    // Writes a value with exactly the given bytes, creating the key (or the
    // subkey below it) when needed. Returns whether the registry took it.
    bool SetRaw(const std::string& name, DWORD type, const void* data, DWORD size,
                const std::string& subkey = "") const {
        const std::string path = subkey.empty() ? path_ : path_ + "\\" + subkey;
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const LONG result = RegSetValueExA(key, name.c_str(), 0, type,
                                           static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    // A string value stored with its terminator.
    bool SetString(const std::string& name, const std::string& text,
                   const std::string& subkey = "") const {
        return SetRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1), subkey);
    }

private:
    std::string path_;
};

// A directory of its own under the temporary directory, for INI files that
// are named by full path.
class TempDir {
public:
    TempDir() {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        static int counter = 0;
        path_ = std::string(base) + "statusmon_test_" + std::to_string(GetCurrentProcessId()) +
                "_" + std::to_string(++counter);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempDir() {
        for (const std::string& file : files_) DeleteFileA(file.c_str());
        RemoveDirectoryA(path_.c_str());
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes a new file with exactly this content and returns its full path.
    // The name gets a number of its own in front, so a file written again
    // under the same name is a different file to the profile functions.
    std::string Write(const std::string& name, const std::string& content) {
        static int serial = 0;
        const std::string file = path_ + "\\" + std::to_string(++serial) + "_" + name;
        WriteWholeFile(file, content);
        files_.push_back(file);
        return file;
    }

    static bool WriteWholeFile(const std::string& file, const std::string& content) {
        HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const BOOL ok = WriteFile(handle, content.data(), static_cast<DWORD>(content.size()),
                                  &written, nullptr);
        CloseHandle(handle);
        return ok && written == content.size();
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

// A hidden top-level window of the static class: a real window to give
// captions, children and tray icons to.
class TestWindow {
public:
    TestWindow()
        : handle_(CreateWindowExA(0, "STATIC", "test window", WS_POPUP, 0, 0, 300, 200, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~TestWindow() {
        if (handle_ != nullptr) DestroyWindow(handle_);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return handle_; }

private:
    HWND handle_;
};

// A small read-only multi-line edit control like the dialog's status area,
// owned by parent. With liftLimit, its text limit is lifted as the dialog does.
inline HWND CreateStatusArea(HWND parent, int width, bool liftLimit) {
    HWND area = CreateWindowExA(0, "EDIT", "",
                                ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_BORDER |
                                    WS_CHILD | WS_VISIBLE,
                                0, 0, width, 40, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (area != nullptr && liftLimit) SendMessageA(area, EM_LIMITTEXT, 0x7FFFFFFF, 0);
    return area;
}

inline std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Removes every quit message waiting in this thread's queue; returns how many
// there were.
inline int DrainQuitMessages() {
    int count = 0;
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) ++count;
    return count;
}

}  // namespace test_support
