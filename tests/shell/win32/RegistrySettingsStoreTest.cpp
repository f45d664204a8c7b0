// The settings in the registry of the wine prefix the tests run in, looked at through the
// registry API and through reg.exe, past our own read rules.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "shell/General.h"
#include "shell/SettingsStore.h"
#include "shell/win32/MessageBox.h"
#include "shell/win32/WideText.h"

namespace slanter {
namespace {

const wchar_t* const kKey = L"Software\\TAMRI Lab\\Bit Map Slanter";

class RegistrySettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        InitGeneral({"C:\\tools\\Slanter.exe", "/ENGLISH", [] { return false; }});
        SetProgramInfo();
        EraseSettings();
    }
    void TearDown() override {
        SettingsWritable = true;
        EraseSettings();
    }

    static bool KeyExists(const std::wstring& path) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
    // The value's type and text as the registry holds them; type 0 when it is missing.
    static std::pair<DWORD, std::wstring> Raw(const std::string& section, const std::string& name) {
        wchar_t text[512] = {};
        DWORD bytes = sizeof text - sizeof(wchar_t);
        DWORD type = 0;
        const std::wstring path = std::wstring(kKey) + L"\\" + WideText(section);
        if (::RegGetValueW(HKEY_CURRENT_USER, path.c_str(), WideText(name).c_str(),
                           RRF_RT_ANY | RRF_NOEXPAND, &type, text, &bytes) != ERROR_SUCCESS)
            return {0, {}};
        return {type, text};
    }
    // The listing of reg.exe, its lines ended by line feeds (the pipe is read as text).
    static std::string RegQuery() {
        std::string listing;
        FILE* reg = ::_popen("reg query \"HKCU\\Software\\TAMRI Lab\\Bit Map Slanter\" /s", "r");
        if (reg == nullptr)
            return listing;
        char line[1024];
        while (std::fgets(line, sizeof line, reg) != nullptr)
            listing += line;
        ::_pclose(reg);
        return listing;
    }
};

// Every section and value the program writes, with the kinds it writes them as.
void WriteTheWholeLayout() {
    WriteApplicationInfo();
    WriteSetting("Folder", "OpenPath", "C:\\pictures\\a.bmp");
    WriteSetting("Folder", "SavePath", "C:\\results\\");
    for (const char* form : {"MainForm", "MethodForm", "PreviewForm"}) {
        WriteSetting(form, "Left", -8);
        WriteSetting(form, "Top", 40);
        if (std::string(form) != "PreviewForm") {
            WriteSetting(form, "Width", 640);
            WriteSetting(form, "Height", 480);
        }
        WriteSetting(form, "State", "Maximized");
    }
    WriteSetting("MethodForm", "Row", "Vertical");
    WriteSetting("MethodForm", "Rotation", "Clockwize");
    WriteSetting("MethodForm", "Smoothing", "ON");
    WriteSetting("MethodForm", "Sort", "Area");
    for (int column = 0; column < 4; ++column)
        WriteSetting("MethodForm", "Width(" + std::to_string(column) + ")", 50 + column);
}

TEST_F(RegistrySettingsStore, EveryValueOfTheLayoutIsATextInItsSectionsSubkey) {
    WriteTheWholeLayout();
    const std::vector<std::tuple<std::string, std::string, std::wstring>> expected = {
        {"Application", "Title", L"Bit Map Slanter"},
        {"Application", "Path", L"C:\\tools\\"},
        {"Application", "ExeName", L"Slanter"},
        {"Application", "MajorVersion", L"3"},
        {"Application", "MinorVersion", L"0"},
        {"Application", "Revision", L"2"},
        {"Folder", "OpenPath", L"C:\\pictures\\a.bmp"},
        {"Folder", "SavePath", L"C:\\results\\"},
        {"MainForm", "Left", L"-8"},
        {"MainForm", "Height", L"480"},
        {"MethodForm", "State", L"Maximized"},
        {"MethodForm", "Smoothing", L"ON"},
        {"MethodForm", "Width(3)", L"53"},
        {"PreviewForm", "Top", L"40"},
    };
    for (const auto& [section, name, text] : expected) {
        const auto [type, stored] = Raw(section, name);
        EXPECT_EQ(type, DWORD{REG_SZ}) << section << "\\" << name;
        EXPECT_EQ(stored, text) << section << "\\" << name;
    }
    EXPECT_EQ(Raw("PreviewForm", "Width").first, 0u);
    EXPECT_EQ(ReadSetting("MethodForm", "Width(2)", 50), SettingValue(52));
    EXPECT_EQ(ReadSetting("MainForm", "Left", 0), SettingValue(-8));

    const std::string listing = RegQuery();
    const std::string key = "HKEY_CURRENT_USER\\Software\\TAMRI Lab\\Bit Map Slanter";
    for (const char* section : {"Application", "Folder", "MainForm", "MethodForm", "PreviewForm"})
        EXPECT_NE(listing.find(key + "\\" + section + "\n"), std::string::npos) << section;
    for (const char* line :
         {"    Title    REG_SZ    Bit Map Slanter", "    Revision    REG_SZ    2",
          "    OpenPath    REG_SZ    C:\\pictures\\a.bmp", "    Width(0)    REG_SZ    50",
          "    Rotation    REG_SZ    Clockwize"})
        EXPECT_NE(listing.find(std::string(line) + "\n"), std::string::npos) << line << listing;
}

TEST_F(RegistrySettingsStore, TextsOfAnyLanguageReadBackAsWritten) {
    const std::string path = "C:\\写真\\a, \"b\"; c=d.bmp";
    WriteSetting("Folder", "OpenPath", path);
    EXPECT_EQ(Raw("Folder", "OpenPath").second, L"C:\\\u5199\u771f\\a, \"b\"; c=d.bmp");
    EXPECT_EQ(ReadSetting("Folder", "OpenPath", ""), SettingValue(path));
}

TEST_F(RegistrySettingsStore, ReadsCreateNothingAndAValueOfAnotherKindFails) {
    EXPECT_EQ(ReadSetting("MainForm", "Left", 24), SettingValue(24));
    EXPECT_FALSE(KeyExists(kKey));
    WriteSetting("MainForm", "Top", 1);
    EXPECT_EQ(ReadSetting("MainForm", "Left", 24), SettingValue(24));
    EXPECT_FALSE(KeyExists(std::wstring(kKey) + L"\\MethodForm"));

    const DWORD number = 5;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kKey) + L"\\MainForm").c_str(),
                                L"Left", REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    EXPECT_THROW(ReadSetting("MainForm", "Left", 0), SettingsError);
}

TEST_F(RegistrySettingsStore, EraseDeletesTheKeyWithAllBelowItAndDroppedWritesCreateNothing) {
    WriteTheWholeLayout();
    HKEY deeper = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kKey) + L"\\Folder\\A\\B").c_str(),
                                0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &deeper, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(deeper);
    SettingsWritable = false;
    EraseSettings();
    EXPECT_FALSE(KeyExists(kKey));
    EXPECT_TRUE(KeyExists(L"Software\\TAMRI Lab"));
    WriteSetting("MainForm", "Left", 1);
    WriteApplicationInfo();
    EXPECT_FALSE(KeyExists(kKey));
}

TEST_F(RegistrySettingsStore, AStoreThatCannotBeWrittenIsToldOnceAndLaterWritesAreDropped) {
    std::vector<std::string> boxes;
    const MessageBoxShower previous = SetMessageBoxShower([&](const std::string& text, int, auto&) {
        boxes.push_back(text);
        return kOkButton;
    });
    // No key name may be that long.
    const std::string section(300, 'S');
    EXPECT_NO_THROW(WriteSetting(section, "Left", 1));
    EXPECT_NO_THROW(WriteSetting("MainForm", "Top", 2));
    SetMessageBoxShower(previous);
    EXPECT_FALSE(SettingsWritable);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Can't save the settings to HKEY_CURRENT_USER\\Software\\TAMRI Lab\\Bit "
                        "Map Slanter.\r\nThe program works on, but this run's settings will not "
                        "be kept.\r\n");
    EXPECT_EQ(Raw("MainForm", "Top").first, 0u);
}

} // namespace
} // namespace slanter
