#include "shell/win32/PlatformStart.h"

#include <windows.h>

#include <shellapi.h>

#include "shell/Arguments.h"
#include "shell/Language.h"
#include "shell/LaunchState.h"
#include "shell/SettingsStore.h"
#include "shell/TextUtilities.h"
#include "shell/win32/WideText.h"

namespace slanter {

namespace {

// The words after the program's own name.
std::vector<std::string> ArgumentWords() {
    std::vector<std::string> words;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return words;
    for (int k = 1; k < count; ++k)
        words.push_back(Utf8Text(arguments[k]));
    LocalFree(arguments);
    return words;
}

std::string ProgramFile() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return Utf8Text(name);
        }
        name.resize(name.size() * 2);
    }
}

std::string FullName(const std::string& name) {
    const std::wstring wide = WideText(name);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return name;
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), length, full.data(), nullptr));
    return Utf8Text(full);
}

} // namespace

bool SystemLanguageIsJapanese() {
    const LANGID language = GetSystemDefaultLangID();
    wchar_t name[128] = {};
    VerLanguageNameW(language, name, 127);
    if (IsJapaneseLanguageName(Utf8Text(name)))
        return true;
    // Wine names every language in English here; the language's own name for itself is
    // what a Japanese system gives above.
    wchar_t own[128] = {};
    GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SNATIVELANGNAME, own, 127);
    return IsJapaneseLanguageName(Utf8Text(own));
}

ProgramStart PlatformProgramStart() {
    return {ProgramFile(), CommandLineText(SwitchWords(ArgumentWords())), SystemLanguageIsJapanese};
}

std::vector<std::string> PictureArguments() {
    std::vector<std::string> pictures;
    for (const std::string& word : PictureWords(ArgumentWords()))
        pictures.push_back(FullName(word));
    return pictures;
}

int LaunchShowCommand() {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : kShowNormal;
}

void StartGeneral() {
    InitGeneral(PlatformProgramStart());
    SetProgramInfo();
    WriteApplicationInfo();
}

} // namespace slanter
