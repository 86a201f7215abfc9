#pragma once
// The panel register, "panely.csv": what a client knows each panel by, where it stands and the
// operator's own number for it, one row per panel folder. It is read by the rules of the
// operator's files (campaign/operator_table.h).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "campaign/operator_table.h"

struct RegisteredPanel {
    int32_t lineNumber;  // in the file, from 1
    // Windows-1250: "Panel" (the folder's name), "Název", "Adresa", "Město" (the market), "ID".
    std::string panel, name, address, town, id;
    bool hasPosition = false;  // "Šířka" and "Délka", WGS-84 degrees
    double latitude = 0, longitude = 0;
};

struct PanelRegister {
    std::vector<RegisteredPanel> panels;
    std::vector<BookingError> errors;  // every error of the file; no panels are usable then
};

constexpr size_t kMaxPanelIdDigits = 10;

[[nodiscard]] PanelRegister ParsePanelRegister(std::string_view bytes);

// The panel of a folder, its name compared as Windows compares names (either case); nullptr when
// the register lacks it.
const RegisteredPanel* FindRegistered(const PanelRegister& panels, std::string_view folderName);
