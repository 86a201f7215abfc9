#pragma once
// The program's file names are Windows-1250 bytes; the system gets them in its own encoding:
// UTF-8 on Linux, UTF-16 on Windows whatever its ANSI code page. Each call is the C library's
// of the same kind, errno included.
#include <sys/stat.h>

#include <cstdio>
#include <string>

[[nodiscard]] std::FILE* OpenFile(const std::string& path, const char* mode);
[[nodiscard]] int StatPath(const std::string& path, struct stat& info);
int RemoveFile(const std::string& path);
int RemoveFolder(const std::string& path);  // an empty one
unsigned long ProcessId();
[[nodiscard]] int ChangeFolder(const std::string& path);
// The absolute form of path, in Windows-1250 (a character the code page lacks as "?"); empty
// when it cannot be found.
[[nodiscard]] std::string FullPath(const std::string& path);

// The whole file, at most 64 MB; false with the system's reason in Czech (or the size) when it
// cannot be read whole.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason);
