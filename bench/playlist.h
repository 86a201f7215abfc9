#pragma once
// The animations genlog plays, by their place in the playlist, so that a generated booking can
// name them: "C:\Panel\Animace\spot_001.avi", and every seventh from the fourth a Czech title.
#include <cstdio>
#include <string>

#include "base/cp1250.h"

// Windows-1250.
inline std::string AnimationPath(unsigned i) {
    static const char16_t* const kCzechTitles[] = {u"Léto_výprodej", u"Čerstvé_pečivo",
                                                   u"Žlutý_kůň", u"Příběh_města", u"Šťastný_den"};
    std::string path = "C:\\Panel\\Animace\\";
    if (i % 7 == 3) {
        path += Utf16ToCp1250(kCzechTitles[(i / 7) % 5]);
        path += i >= 35 ? "_" + std::to_string(i) : "";
        return path + ".avi";
    }
    char name[32];
    std::snprintf(name, sizeof name, "spot_%03u.avi", i + 1);
    return path + name;
}
