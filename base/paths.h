#pragma once
// Paths as the program forms and reads them: the separator it writes, the name without its
// folders, and whether a path is a folder.
#include <string>
#include <string_view>

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// The last path component: everything after the last "\" or "/", or after a drive "X:" when
// there is no separator; a name with neither is returned unchanged.
std::string_view NameWithoutFolders(std::string_view path);
std::wstring_view NameWithoutFolders(std::wstring_view path);

// path is Windows-1250, handed to the system in its own encoding.
bool IsFolder(const std::string& path);
