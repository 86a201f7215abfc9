#pragma once
// What a campaign proof was made from, so that anyone can count it again: the program's
// version, the files and panels' folders as the working folder names them, and the settings of
// the count. The page holds it as a JSON data block, the sums file as a comment line that
// `sha256sum -c` passes over.
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ProofSettings {
    std::string version;              // the program's that made the proof
    std::string booking;              // paths Windows-1250, relative to the working folder
    std::vector<std::string> panels;  // the panels' folders, "" for the working folder itself
    std::string panelRegister;        // "" without one
    std::string audience;             // "" without one
    int32_t gapMinutes = 15;
    int32_t asOfDay = 0;  // as asked, INT32_MAX for every booked day
    bool perClient = false;
    std::string client;      // "" for the overview, else the client whose pair this is
    std::time_t madeAt = 0;  // the proof's moment, seconds since 1970
};

// The version this program writes into its proofs.
std::string_view ProgramVersion();

// One line of JSON (UTF-8, only ASCII outside its strings), with "<", ">" and "&" escaped so
// that it can stand inside a page's script element.
std::string ProofSettingsJson(const ProofSettings& settings);
[[nodiscard]] std::optional<ProofSettings> ParseProofSettings(std::string_view json);

// The page's data block and the sums file's first line, CR LF.
std::string ProofSettingsBlock(const ProofSettings& settings);
std::string ProofSettingsSumsLine(const ProofSettings& settings);

// Found in a page or in a sums file; none when it holds no readable record.
[[nodiscard]] std::optional<ProofSettings> FindProofSettings(std::string_view proof);
