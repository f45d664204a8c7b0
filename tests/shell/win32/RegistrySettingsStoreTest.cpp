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

struct Stored {
    std::string section;
    std::string name;
    std::string text;
};

// Writes every section and value the program writes, with the kinds it writes them as;
// answers the texts the registry is to hold (all ASCII, as reg.exe lists them).
std::vector<Stored> WriteTheWholeLayout() {
    std::vector<Stored> layout;
    const auto write = [&](const std::string& section, const std::string& name,
                           const SettingValue& value, const std::string& text) {
        WriteSetting(section, name, value);
        layout.push_back({section, name, text});
    };
    WriteApplicationInfo();
    layout.push_back({"Application", "Title", "Bit Map Slanter"});
    layout.push_back({"Application", "Path", "C:\\tools\\"});
    layout.push_back({"Application", "ExeName", "Slanter"});
    layout.push_back({"Application", "MajorVersion", "3"});
    layout.push_back({"Application", "MinorVersion", "0"});
    layout.push_back({"Application", "Revision", "2"});
    write("Folder", "OpenPath", "C:\\pictures\\a.bmp", "C:\\pictures\\a.bmp");
    write("Folder", "SavePath", "C:\\results\\", "C:\\results\\");
    for (const char* form : {"MainForm", "MethodForm", "PreviewForm"}) {
        if (std::string(form) != "PreviewForm") {
            write(form, "Width", 640, "640");
            write(form, "Height", 480, "480");
        }
        write(form, "Left", -8, "-8");
        write(form, "Top", 40, "40");
        write(form, "State", "Maximized", "Maximized");
    }
    write("MethodForm", "Row", "Vertical", "Vertical");
    write("MethodForm", "Rotation", "Clockwize", "Clockwize");
    write("MethodForm", "Smoothing", "ON", "ON");
    write("MethodForm", "Sort", "Area", "Area");
    for (int column = 0; column < 4; ++column)
        write("MethodForm", "Width(" + std::to_string(column) + ")", 50 + column,
              std::to_string(50 + column));
    return layout;
}

TEST_F(RegistrySettingsStore, EveryValueOfTheLayoutIsATextInItsSectionsSubkey) {
    const std::vector<Stored> layout = WriteTheWholeLayout();
    ASSERT_EQ(layout.size(), 29u);
    // reg.exe lists each section's key, then its values, then an empty line.
    const std::string listing = RegQuery();
    const std::string key = "HKEY_CURRENT_USER\\Software\\TAMRI Lab\\Bit Map Slanter\\";
    for (const Stored& value : layout) {
        SCOPED_TRACE(value.section + "\\" + value.name);
        const auto [type, text] = Raw(value.section, value.name);
        EXPECT_EQ(type, DWORD{REG_SZ});
        EXPECT_EQ(text, WideText(value.text));
        const std::size_t section = listing.find(key + value.section + "\n");
        ASSERT_NE(section, std::string::npos) << listing;
        const std::size_t line =
            listing.find("    " + value.name + "    REG_SZ    " + value.text + "\n", section);
        EXPECT_LT(line, listing.find("\n\n", section)) << listing;
    }
    EXPECT_EQ(Raw("PreviewForm", "Width").first, 0u);
    EXPECT_EQ(ReadSetting("MethodForm", "Width(2)", 50), SettingValue(52));
    EXPECT_EQ(ReadSetting("MainForm", "Left", 0), SettingValue(-8));
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
