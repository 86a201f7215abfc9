#pragma once
// "provozovatel.txt": who issues the proof, the company, its IČO, address and contact, one per
// line, in Windows-1250 or UTF-8 as the operator's tables are; empty lines and lines starting
// with "#" skipped.
#include <string>
#include <string_view>
#include <vector>

// The file's lines in Windows-1250, without their spaces at either end.
std::vector<std::string> ParseIssuer(std::string_view bytes);
