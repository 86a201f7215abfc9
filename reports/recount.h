#pragma once
// A campaign proof counted again from the files and settings it records, and the CSV file that
// count gives compared with the proof's own, row by row. Nothing is written: the fresh file is
// made in memory. The command line and the window both recount with it.
#include <string>
#include <vector>

struct ProofRecount {
    bool agrees = false;
    std::vector<std::string> lines;  // UTF-8: the version, then "přepočet souhlasí" or the rows
};

// path as CheckProof takes it: a page or a sums file, Windows-1250.
[[nodiscard]] ProofRecount RecountProof(const std::string& path);
