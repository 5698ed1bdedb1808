#pragma once
// A fresh folder under %TEMP% for one test, removed with everything in it afterwards.

#include <string>

class TempDir {
public:
    explicit TempDir(const char* tag = "t");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + "\\" + name
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Writes `content` to `path` (created or truncated); false on failure.
bool WriteFileBytes(const std::string& path, const std::string& content);
// The whole content of `path`; an empty string when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Creates the folder `path` and any missing parents.
bool MakeFolders(const std::string& path);
// Removes `path` (a file, or a folder with everything below it), clearing
// read-only bits on the way.
void RemoveTree(const std::string& path);
bool PathExists(const std::string& path);
