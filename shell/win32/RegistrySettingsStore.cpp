// The settings store in the registry: HKEY_CURRENT_USER\Software\<company>\<title>, one
// subkey per section, every value a REG_SZ text. No cache: each call opens what it needs
// and closes it again.
#include <algorithm>
#include <optional>
#include <vector>

#include <windows.h>

#include "shell/General.h"
#include "shell/SettingsStore.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WideText.h"

namespace slanter {

namespace {

// One open key, closed when it goes.
class RegistryKey {
  public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_ != nullptr)
            ::RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens `path` below `parent`, creating it (and the keys above it) when missing.
    bool Create(HKEY parent, const std::wstring& path) {
        return ::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key_, nullptr) == ERROR_SUCCESS;
    }
    // Opens an existing key; false when it is missing.
    bool Open(HKEY parent, const std::wstring& path, REGSAM access) {
        return ::RegOpenKeyExW(parent, path.c_str(), 0, access, &key_) == ERROR_SUCCESS;
    }
    HKEY Handle() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

std::wstring CompanyKeyPath() {
    return L"Software\\" + WideText(kCompanyKeyName);
}

std::wstring ApplicationKeyPath() {
    return CompanyKeyPath() + L"\\" + WideText(Title);
}

// The store as the user finds it with the registry editor.
std::string StoreName() {
    return "HKEY_CURRENT_USER\\" + Utf8Text(ApplicationKeyPath());
}

// The text of a value, nothing when it is missing. A value of another kind than text
// cannot be a setting of ours: the command in progress ends with that reason.
std::optional<std::wstring> ValueText(HKEY section, const std::string& name) {
    const std::wstring valueName = WideText(name);
    // A value that grows between asking its size and reading it is asked again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD bytes = 0;
        LONG status =
            ::RegQueryValueExW(section, valueName.c_str(), nullptr, &type, nullptr, &bytes);
        if (status == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (status != ERROR_SUCCESS)
            throw SettingsError("Can't read '" + name + "'");
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw SettingsError("Invalid data type for '" + name + "'");
        // One more character than the bytes hold, for a text stored without its end.
        std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD read = bytes;
        status = ::RegQueryValueExW(section, valueName.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(text.data()), &read);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            throw SettingsError("Can't read '" + name + "'");
        std::size_t length = std::min<std::size_t>(read / sizeof(wchar_t), text.size());
        while (length > 0 && text[length - 1] == L'\0')
            --length;
        return std::wstring(text.data(), length);
    }
    throw SettingsError("Can't read '" + name + "'");
}

// Deletes `name` below `parent` with every key below it, deepest first: a key is deleted
// only once it has no subkeys left.
void DeleteTree(HKEY parent, const std::wstring& name) {
    {
        RegistryKey key;
        if (!key.Open(parent, name, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE))
            return;
        DWORD count = 0;
        DWORD longest = 0;
        if (::RegQueryInfoKeyW(key.Handle(), nullptr, nullptr, nullptr, &count, &longest, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return;
        std::vector<std::wstring> children;
        std::vector<wchar_t> child(longest + 1u);
        for (DWORD index = 0; index < count; ++index) {
            DWORD length = static_cast<DWORD>(child.size());
            if (::RegEnumKeyExW(key.Handle(), index, child.data(), &length, nullptr, nullptr,
                                nullptr, nullptr) == ERROR_SUCCESS)
                children.emplace_back(child.data(), length);
        }
        for (const std::wstring& each : children)
            DeleteTree(key.Handle(), each);
    }
    ::RegDeleteKeyW(parent, name.c_str());
}

} // namespace

void WriteStoredText(const std::string& section, const std::string& name, const std::string& text) {
    RegistryKey application;
    RegistryKey sectionKey;
    const std::wstring wide = WideText(text);
    const auto bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    if (!application.Create(HKEY_CURRENT_USER, ApplicationKeyPath()) ||
        !sectionKey.Create(application.Handle(), WideText(section)) ||
        ::RegSetValueExW(sectionKey.Handle(), WideText(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(wide.c_str()), bytes) != ERROR_SUCCESS)
        AppMessageBox(SettingsNoLongerKept(StoreName()), kWarningBox);
}

std::optional<std::string> ReadStoredText(const std::string& section, const std::string& name) {
    // A read creates nothing: a missing key or section is a missing value.
    RegistryKey sectionKey;
    if (!sectionKey.Open(HKEY_CURRENT_USER, ApplicationKeyPath() + L"\\" + WideText(section),
                         KEY_QUERY_VALUE))
        return std::nullopt;
    const auto stored = ValueText(sectionKey.Handle(), name);
    if (!stored)
        return std::nullopt;
    return Utf8Text(*stored);
}

void EraseSettings() {
    RegistryKey company;
    if (company.Open(HKEY_CURRENT_USER, CompanyKeyPath(), KEY_ALL_ACCESS))
        DeleteTree(company.Handle(), WideText(Title));
}

} // namespace slanter
