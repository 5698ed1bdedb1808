#pragma once
// Registry state a test makes and takes away again: the key is deleted, with
// everything below it, before the test uses it and after.

#include <windows.h>

#include <string>

class RegistryScratch {
public:
    RegistryScratch(HKEY root, std::string path);
    ~RegistryScratch();
    RegistryScratch(const RegistryScratch&) = delete;
    RegistryScratch& operator=(const RegistryScratch&) = delete;

    HKEY root() const { return m_root; }
    const std::string& path() const { return m_path; }

    // Creates `subPath` below the scratch key ("" for the key itself).
    void CreateKey(const std::string& subPath = "");
    void SetString(const std::string& subPath, const std::string& name, const std::string& value);
    // Stores raw bytes with the given type: for values without a terminating zero, or empty.
    void SetRaw(const std::string& subPath, const std::string& name, DWORD type, const std::string& bytes);
    void SetDword(const std::string& subPath, const std::string& name, DWORD value);
    bool KeyExists(const std::string& subPath = "") const;

private:
    std::string Full(const std::string& subPath) const;
    HKEY m_root;
    std::string m_path;
};

// Deletes `path` under `root` with all its subkeys; missing is fine.
void DeleteRegistryTree(HKEY root, const std::string& path);
