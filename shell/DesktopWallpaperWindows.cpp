#include "shell/DesktopWallpaper.h"

#include <windows.h>

#include <shlobj.h>

#include "bitmap/WideName.h"

namespace slanter {

namespace {

bool SetText(HKEY key, const wchar_t* name, const wchar_t* value) {
    const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) ==
           ERROR_SUCCESS;
}

std::string Utf8(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), text.data(), bytes,
                        nullptr, nullptr);
    return text;
}

} // namespace

std::string SetDesktopWallpaper(const std::string& file) {
    const std::wstring given = WideName(file);
    wchar_t full[32768] = {};
    if (given.empty() || GetFullPathNameW(given.c_str(), 32768, full, nullptr) == 0)
        return "the file's name is no text";
    std::wstring name = full;
    // Tiled, at the picture's own size: the values the desktop reads with the picture.
    HKEY desktop = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &desktop, nullptr) != ERROR_SUCCESS)
        return "the desktop's settings could not be opened";
    const bool tiled =
        SetText(desktop, L"WallpaperStyle", L"0") && SetText(desktop, L"TileWallpaper", L"1");
    RegCloseKey(desktop);
    if (!tiled)
        return "the desktop's settings could not be written";
    if (!SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, name.data(),
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
        return "the system did not take the picture as its background";
    return {};
}

std::string PicturesFolder() {
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK &&
        SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return {};
    return Utf8(path) + "\\";
}

} // namespace slanter
