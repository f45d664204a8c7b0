#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "ShellFixture.h"
#include "shell/SettingsStore.h"
#include "shell/qt/MessageBox.h"

namespace slanter {
namespace {

class SettingsStoreTest : public testing::ShellTest {};

TEST_F(SettingsStoreTest, StoreIsTheProgramsFileUnderTheCompany) {
    WriteSetting("Folder", "OpenPath", "/pictures/a.bmp");
    const QFileInfo file(StoreFileName());
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(file.fileName(), "Bit Map Slanter.conf");
    EXPECT_EQ(file.dir().dirName(), "TAMRI Lab");
    EXPECT_EQ(Stored("Folder/OpenPath"), QVariant("/pictures/a.bmp"));
}

TEST_F(SettingsStoreTest, EveryKindIsStoredAsTextAndReadsBack) {
    WriteSetting("MethodForm", "Width(0)", -5);
    WriteSetting("S", "Flag", true);
    WriteSetting("S", "Off", false);
    WriteSetting("S", "Real", 2.5);
    const std::string path = "/写真/a, \"b\"; c=d.bmp";
    WriteSetting("Folder", "SavePath", path);

    EXPECT_EQ(Stored("MethodForm/Width(0)"), QVariant("-5"));
    EXPECT_EQ(Stored("S/Flag"), QVariant("1"));
    EXPECT_EQ(Stored("S/Off"), QVariant("0"));
    EXPECT_EQ(Stored("S/Real"), QVariant(" 2.50000000000000E+0000"));

    EXPECT_EQ(ReadSetting("MethodForm", "Width(0)", 50), SettingValue(-5));
    EXPECT_EQ(ReadSetting("S", "Flag", false), SettingValue(true));
    EXPECT_EQ(ReadSetting("S", "Flag", true), SettingValue(true));
    EXPECT_EQ(ReadSetting("S", "Off", true), SettingValue(false));
    EXPECT_EQ(ReadSetting("S", "Real", 0.0), SettingValue(" 2.50000000000000E+0000"));
    EXPECT_EQ(ReadSetting("Folder", "SavePath", ""), SettingValue(path));
}

TEST_F(SettingsStoreTest, StoredTextsAreReadByTheDefaultsKind) {
    WriteSetting("MainForm", "Left", "0x20");
    WriteSetting("MainForm", "Top", "letters");
    WriteSetting("MainForm", "Width", "$1F");
    WriteSetting("S", "Two", 2);
    EXPECT_EQ(ReadSetting("MainForm", "Left", 7), SettingValue(32));
    EXPECT_EQ(ReadSetting("MainForm", "Top", 7), SettingValue(7));
    EXPECT_EQ(ReadSetting("MainForm", "Width", 7), SettingValue(31));
    EXPECT_EQ(ReadSetting("S", "Two", false), SettingValue(true));
    EXPECT_EQ(ReadSetting("S", "Two", ""), SettingValue("2"));
    EXPECT_EQ(ReadSetting("S", "Two", SettingValue()), SettingValue());
}

TEST_F(SettingsStoreTest, MissingValuesGiveTheDefaultAndCreateNothing) {
    EXPECT_EQ(ReadSetting("MainForm", "Left", 24), SettingValue(24));
    EXPECT_EQ(ReadSetting("MainForm", "State", "Normal"), SettingValue("Normal"));
    EXPECT_EQ(ReadSetting("Nowhere", "Real", 1.5), SettingValue(" 1.50000000000000E+0000"));
    EXPECT_FALSE(StoreExists());
    WriteSetting("MainForm", "Top", 1);
    EXPECT_EQ(ReadSetting("MainForm", "Left", 24), SettingValue(24));
}

TEST_F(SettingsStoreTest, EmptyValuesAndDroppedWritesLeaveNoStore) {
    WriteSetting("S", "Nothing", SettingValue());
    EXPECT_FALSE(StoreExists());
    SettingsWritable = false;
    WriteSetting("S", "Dropped", 1);
    WriteApplicationInfo();
    EXPECT_FALSE(StoreExists());
}

TEST_F(SettingsStoreTest, ApplicationRecord) {
    WriteApplicationInfo();
    EXPECT_EQ(Stored("Application/Title"), QVariant("Bit Map Slanter"));
    EXPECT_EQ(Stored("Application/Path"), QVariant("/tools/"));
    EXPECT_EQ(Stored("Application/ExeName"), QVariant("Slanter"));
    EXPECT_EQ(Stored("Application/MajorVersion"), QVariant("3"));
    EXPECT_EQ(Stored("Application/MinorVersion"), QVariant("0"));
    EXPECT_EQ(Stored("Application/Revision"), QVariant("2"));
    EXPECT_EQ(RawStore().childGroups(), QStringList{"Application"});
}

TEST_F(SettingsStoreTest, EraseRemovesEverySectionAndAWriteAfterItStartsAfresh) {
    WriteApplicationInfo();
    WriteSetting("MainForm", "Left", 10);
    WriteSetting("MethodForm", "Row", "Vertical");
    EraseSettings();
    EXPECT_FALSE(StoreExists());
    EXPECT_EQ(ReadSetting("MainForm", "Left", 3), SettingValue(3));
    EXPECT_EQ(ReadSetting("MethodForm", "Row", "Horizontal"), SettingValue("Horizontal"));

    WriteSetting("Folder", "OpenPath", "/a.bmp");
    EXPECT_EQ(RawStore().childGroups(), QStringList{"Folder"});
}

TEST_F(SettingsStoreTest, AValueThatIsNoTextFailsToRead) {
    RawStore().setValue("MainForm/Left", QStringList{"1", "2"});
    EXPECT_THROW(ReadSetting("MainForm", "Left", 0), SettingsError);
    // A default of no kind never looks at the store.
    EXPECT_EQ(ReadSetting("MainForm", "Left", SettingValue()), SettingValue());
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeWrittenIsToldOnceAndLaterWritesAreDropped) {
    std::vector<QString> boxes;
    const MessageBoxShower previous = SetMessageBoxShower([&](const QString& text, int, auto&) {
        boxes.push_back(text);
        return kOkButton;
    });
    // A folder where the store's file should be cannot be written, even by root.
    ASSERT_TRUE(QDir().mkpath(StoreFileName()));
    EXPECT_NO_THROW(WriteSetting("MainForm", "Left", 1));
    EXPECT_NO_THROW(WriteSetting("MainForm", "Top", 2));
    EXPECT_FALSE(SettingsWritable);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Can't save the settings to " + StoreFileName() +
                            ".\r\nThe program works on, but this run's settings will not be "
                            "kept.\r\n");
    SetMessageBoxShower(previous);
    QDir(StoreFileName()).removeRecursively();
}

} // namespace
} // namespace slanter
