#include "watch/winhttp_api.h"

namespace {

template <typename Function>
bool Find(HMODULE module, const char* name, Function* function, std::string* missing) {
    // GetProcAddress gives a generic pointer; the function's real type is
    // the one winhttp.h declares.
    *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (*function == nullptr && missing->empty()) *missing = name;
    return *function != nullptr;
}

}  // namespace

bool LoadWinHttp(WinHttpApi* api, std::string* error) {
    const HMODULE module = LoadLibraryA("winhttp.dll");
    if (module == nullptr) {
        *error = "WinHTTP (winhttp.dll) is not available on this system (error " + std::to_string(GetLastError()) +
                 "); it comes with Windows 2000 SP3, XP SP1 and later";
        return false;
    }
    std::string missing;
    bool found = Find(module, "WinHttpOpen", &api->Open, &missing);
    found = Find(module, "WinHttpConnect", &api->Connect, &missing) && found;
    found = Find(module, "WinHttpOpenRequest", &api->OpenRequest, &missing) && found;
    found = Find(module, "WinHttpSetOption", &api->SetOption, &missing) && found;
    found = Find(module, "WinHttpSetTimeouts", &api->SetTimeouts, &missing) && found;
    found = Find(module, "WinHttpSendRequest", &api->SendRequest, &missing) && found;
    found = Find(module, "WinHttpReceiveResponse", &api->ReceiveResponse, &missing) && found;
    found = Find(module, "WinHttpQueryHeaders", &api->QueryHeaders, &missing) && found;
    found = Find(module, "WinHttpQueryDataAvailable", &api->QueryDataAvailable, &missing) && found;
    found = Find(module, "WinHttpReadData", &api->ReadData, &missing) && found;
    found = Find(module, "WinHttpCloseHandle", &api->CloseHandle, &missing) && found;
    if (!found) {
        *error = "winhttp.dll lacks " + missing;
        FreeLibrary(module);
    }
    // Otherwise the module stays loaded until the process ends.
    return found;
}

void HttpHandle::Reset(HINTERNET handle) {
    if (handle_ != nullptr) (void)api_.CloseHandle(handle_);
    handle_ = handle;
}
