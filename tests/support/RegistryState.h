// tests/support/RegistryState.h
// Registry state that a test seeds in the shared prefix and puts back afterwards, seen where 64-bit Windows
// keeps it whichever build runs.
#pragma once
#include <windows.h>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Copies a key with its values and subkeys and removes it, so the test starts without it; the
// destructor removes what the test left and puts the copy back.
class SavedKey
{
public:
    SavedKey(HKEY root, std::string subkey);
    ~SavedKey();
    SavedKey(const SavedKey&) = delete;
    SavedKey& operator=(const SavedKey&) = delete;

    struct Tree;

private:
    HKEY m_root;
    std::string m_subkey;
    std::unique_ptr<Tree> m_copy;     // null when the key did not exist
};

// The same for one value of a key that stays.
class SavedValue
{
public:
    SavedValue(HKEY root, std::string subkey, std::string name);
    ~SavedValue();
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    HKEY m_root;
    std::string m_subkey;
    std::string m_name;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> m_copy;
};

// Creates the key if need be; an empty name sets the key's default value.
bool SetRegValue(HKEY root, const std::string& subkey, const std::string& name, DWORD type, const void* data, DWORD size);
bool SetRegString(HKEY root, const std::string& subkey, const std::string& name, const std::string& data);
// A key this process may not open is there all the same.
bool RegKeyExists(HKEY root, const std::string& subkey);
bool RegValueExists(HKEY root, const std::string& subkey, const std::string& name);
bool DeleteRegKey(HKEY root, const std::string& subkey);
// Name and data of every string value, in the order the registry enumerates them.
std::vector<std::pair<std::string, std::string>> RegStrings(HKEY root, const std::string& subkey);
