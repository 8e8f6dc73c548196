// WinHTTP, loaded at run time: the program starts where winhttp.dll is
// missing (the Windows 95 family) and can say so instead of failing in the
// loader. WinHTTP has only wide-character functions. The library stays
// loaded for the life of the process: a poll may still be using it when the
// program ends.
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <string>

struct WinHttpApi {
    decltype(&::WinHttpOpen) Open = nullptr;
    decltype(&::WinHttpConnect) Connect = nullptr;
    decltype(&::WinHttpOpenRequest) OpenRequest = nullptr;
    decltype(&::WinHttpSetOption) SetOption = nullptr;
    decltype(&::WinHttpSetTimeouts) SetTimeouts = nullptr;
    decltype(&::WinHttpSendRequest) SendRequest = nullptr;
    decltype(&::WinHttpReceiveResponse) ReceiveResponse = nullptr;
    decltype(&::WinHttpQueryHeaders) QueryHeaders = nullptr;
    decltype(&::WinHttpQueryDataAvailable) QueryDataAvailable = nullptr;
    decltype(&::WinHttpReadData) ReadData = nullptr;
    decltype(&::WinHttpCloseHandle) CloseHandle = nullptr;
};

// Loads winhttp.dll and finds every function; false with the reason in one
// line when it cannot.
bool LoadWinHttp(WinHttpApi* api, std::string* error);

// One WinHTTP handle (session, connection or request), closed when it goes.
class HttpHandle {
public:
    explicit HttpHandle(const WinHttpApi& api, HINTERNET handle = nullptr) : api_(api), handle_(handle) {}
    ~HttpHandle() { Reset(); }
    HttpHandle(const HttpHandle&) = delete;
    HttpHandle& operator=(const HttpHandle&) = delete;

    HINTERNET Get() const { return handle_; }
    // Closes the handle held, then holds this one.
    void Reset(HINTERNET handle = nullptr);

private:
    const WinHttpApi& api_;
    HINTERNET handle_;
};
