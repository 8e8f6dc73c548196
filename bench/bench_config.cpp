#include "bench/bench_config.h"

#include <windows.h>

#include <cstdio>

#include "bench/bench_texts.h"
#include "protocol/config_names.h"

namespace bench {

std::string Profile(int scrollMsg) {
    char profile[512];
    std::snprintf(profile, sizeof profile,
                  "[%s]\r\nScrollMsg=%d\r\n00001=0,0,101\r\n00002=0,2,102\r\n00003=0,0,103\r\n"
                  "[%s,001]\r\nCaption=Benchmark\r\n00101=%s\r\n00102=%s\r\n00103=%s\r\n",
                  kDriver, scrollMsg, kDriver, TextForCode(kCodeA), TextForCode(kCodeB),
                  TextForCode(kSentinel));
    return profile;
}

void Configure(harness::TestDriver& driver) {
    driver.SetProfiles(Profile(0));
    driver.SetData(kDisplayValue, "bench");
    driver.SetBidiMode("1");
    driver.SetLanguage("BNCH,1");
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
