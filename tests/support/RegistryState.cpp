// tests/support/RegistryState.cpp
#include "RegistryState.h"
#include "framework/RegKey.h"

struct SavedKey::Tree
{
    struct Value { std::string name; DWORD type; std::vector<BYTE> data; };
    std::vector<Value> values;
    std::vector<std::pair<std::string, Tree>> subkeys;
};

namespace {

// Where 64-bit Windows keeps the machine's keys, whichever build runs: a 32-bit program that reads
// them through their 32-bit copy misses what is really there.
constexpr REGSAM kNativeView = KEY_WOW64_64KEY;

std::unique_ptr<SavedKey::Tree> Copy(HKEY root, const std::string& subkey)
{
    CRegKey key;
    if (key.Open(root, subkey.c_str(), KEY_READ | kNativeView) != ERROR_SUCCESS)
        return nullptr;
    auto tree = std::make_unique<SavedKey::Tree>();
    DWORD maxName = 0, maxData = 0, maxSubkey = 0;
    ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &maxSubkey, nullptr, nullptr,
                       &maxName, &maxData, nullptr, nullptr);
    for (DWORD i = 0;; ++i) {
        std::string name(maxName + 1, '\0');
        std::vector<BYTE> data(maxData + 1);
        DWORD nameLength = maxName + 1, dataLength = maxData + 1, type = 0;
        if (::RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) != ERROR_SUCCESS)
            break;
        name.resize(nameLength);
        data.resize(dataLength);
        tree->values.push_back({ name, type, data });
    }
    for (DWORD i = 0;; ++i) {
        std::string name(maxSubkey + 1, '\0');
        DWORD nameLength = maxSubkey + 1;
        if (::RegEnumKeyExA(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        name.resize(nameLength);
        if (auto sub = Copy(key, name))
            tree->subkeys.emplace_back(name, std::move(*sub));
    }
    return tree;
}

void Restore(HKEY root, const std::string& subkey, const SavedKey::Tree& tree)
{
    CRegKey key;
    if (key.Create(root, subkey.c_str(), KEY_ALL_ACCESS | kNativeView) != ERROR_SUCCESS)
        return;
    for (const auto& value : tree.values)
        ::RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    for (const auto& [name, sub] : tree.subkeys)
        Restore(key, name, sub);
}

}

SavedKey::SavedKey(HKEY root, std::string subkey)
    : m_root(root), m_subkey(std::move(subkey)), m_copy(Copy(m_root, m_subkey))
{
    DeleteRegKey(m_root, m_subkey);
}

SavedKey::~SavedKey()
{
    DeleteRegKey(m_root, m_subkey);
    if (m_copy)
        Restore(m_root, m_subkey, *m_copy);
}

SavedValue::SavedValue(HKEY root, std::string subkey, std::string name)
    : m_root(root), m_subkey(std::move(subkey)), m_name(std::move(name))
{
    CRegKey key;
    DWORD type = 0, size = 0;
    if (key.Open(m_root, m_subkey.c_str(), KEY_ALL_ACCESS | kNativeView) != ERROR_SUCCESS
        || ::RegQueryValueExA(key, m_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return;
    std::vector<BYTE> data(size);
    if (::RegQueryValueExA(key, m_name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return;
    m_copy.emplace(type, std::move(data));
    ::RegDeleteValueA(key, m_name.c_str());
}

SavedValue::~SavedValue()
{
    CRegKey key;
    if (!m_copy) {
        if (key.Open(m_root, m_subkey.c_str(), KEY_ALL_ACCESS | kNativeView) == ERROR_SUCCESS)
            ::RegDeleteValueA(key, m_name.c_str());
        return;
    }
    if (key.Create(m_root, m_subkey.c_str(), KEY_ALL_ACCESS | kNativeView) == ERROR_SUCCESS)
        ::RegSetValueExA(key, m_name.c_str(), 0, m_copy->first, m_copy->second.data(),
                         static_cast<DWORD>(m_copy->second.size()));
}

bool SetRegValue(HKEY root, const std::string& subkey, const std::string& name, DWORD type, const void* data, DWORD size)
{
    CRegKey key;
    return key.Create(root, subkey.c_str(), KEY_ALL_ACCESS | kNativeView) == ERROR_SUCCESS
        && ::RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, type, static_cast<const BYTE*>(data), size)
               == ERROR_SUCCESS;
}

bool SetRegString(HKEY root, const std::string& subkey, const std::string& name, const std::string& data)
{
    return SetRegValue(root, subkey, name, REG_SZ, data.c_str(), static_cast<DWORD>(data.size() + 1));
}

bool RegKeyExists(HKEY root, const std::string& subkey)
{
    CRegKey key;
    return key.Open(root, subkey.c_str(), KEY_READ | kNativeView) != ERROR_FILE_NOT_FOUND;
}

bool RegValueExists(HKEY root, const std::string& subkey, const std::string& name)
{
    CRegKey key;
    return key.Open(root, subkey.c_str(), KEY_READ | kNativeView) == ERROR_SUCCESS
        && ::RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool DeleteRegKey(HKEY root, const std::string& subkey)
{
    // Given a subkey, RegDeleteTree removes the subkey itself as well.
    return ::RegDeleteTreeA(root, subkey.c_str()) == ERROR_SUCCESS;
}

std::vector<std::pair<std::string, std::string>> RegStrings(HKEY root, const std::string& subkey)
{
    std::vector<std::pair<std::string, std::string>> strings;
    auto tree = Copy(root, subkey);
    if (!tree)
        return strings;
    for (const auto& value : tree->values) {
        if (value.type != REG_SZ)
            continue;
        std::string data(value.data.begin(), value.data.end());
        strings.emplace_back(value.name, data.substr(0, data.find('\0')));
    }
    return strings;
}
