#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ShellFixture.h"
#include "shell/qt/FormPlacement.h"

namespace slanter {
namespace {

class FormPlacementTest : public testing::ShellTest {
  protected:
    // A sizeable form with the designed bounds of the method window.
    static void Design(QWidget& form, const char* name) {
        form.setObjectName(name);
        form.setGeometry(23, 35, 400, 300);
    }
};

TEST_F(FormPlacementTest, SizeableFormRoundTrip) {
    QWidget saved;
    Design(saved, "MethodForm");
    saved.setGeometry(30, 40, 320, 210);
    SaveFormPlacement(saved);
    EXPECT_EQ(Stored("MethodForm/Left"), QVariant("30"));
    EXPECT_EQ(Stored("MethodForm/Top"), QVariant("40"));
    EXPECT_EQ(Stored("MethodForm/Width"), QVariant("320"));
    EXPECT_EQ(Stored("MethodForm/Height"), QVariant("210"));
    EXPECT_EQ(Stored("MethodForm/State"), QVariant("Normal"));

    QWidget restored;
    Design(restored, "MethodForm");
    RestoreFormPlacement(restored);
    EXPECT_EQ(restored.geometry(), QRect(30, 40, 320, 210));
    EXPECT_EQ(restored.windowState(), Qt::WindowNoState);
}

// Sizes the window system cannot hold and positions off every screen come back within
// the screen's available area.
TEST_F(FormPlacementTest, StoredExtremesAreBroughtWithinTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* far : {"-2147483648", "2147483647"}) {
        WriteSetting("MethodForm", "Left", std::string(far));
        WriteSetting("MethodForm", "Top", std::string(far));
        WriteSetting("MethodForm", "Width", std::string("2147483647"));
        WriteSetting("MethodForm", "Height", std::string("2147483647"));
        QWidget restored;
        Design(restored, "MethodForm");
        RestoreFormPlacement(restored);
        EXPECT_EQ(restored.geometry(), area) << far;
    }
    WriteSetting("MethodForm", "Width", 320);
    WriteSetting("MethodForm", "Height", 210);
    QWidget restored;
    Design(restored, "MethodForm");
    RestoreFormPlacement(restored);
    EXPECT_TRUE(area.contains(restored.geometry())) << restored.geometry().x();
    EXPECT_EQ(restored.size(), QSize(320, 210));
}

TEST_F(FormPlacementTest, MaximizedFormKeepsTheBoundsItReturnsTo) {
    QWidget saved;
    Design(saved, "MethodForm");
    saved.setGeometry(30, 40, 320, 210);
    saved.showMaximized();
    QCoreApplication::processEvents();
    ASSERT_NE(saved.geometry(), QRect(30, 40, 320, 210));
    SaveFormPlacement(saved);
    EXPECT_EQ(Stored("MethodForm/Left"), QVariant("30"));
    EXPECT_EQ(Stored("MethodForm/Width"), QVariant("320"));
    EXPECT_EQ(Stored("MethodForm/State"), QVariant("Maximized"));

    QWidget restored;
    Design(restored, "MethodForm");
    RestoreFormPlacement(restored);
    EXPECT_TRUE(restored.windowState() & Qt::WindowMaximized);
    restored.show();
    QCoreApplication::processEvents();
    ASSERT_NE(restored.geometry(), QRect(30, 40, 320, 210));
    restored.showNormal();
    QCoreApplication::processEvents();
    EXPECT_EQ(restored.geometry(), QRect(30, 40, 320, 210));
}

TEST_F(FormPlacementTest, FixedFormStoresAndReadsNoSize) {
    QWidget saved;
    saved.setObjectName("PreviewForm");
    saved.setFixedSize(200, 150);
    saved.move(5, 6);
    EXPECT_FALSE(IsSizeableFrame(saved));
    SaveFormPlacement(saved);
    EXPECT_EQ(Stored("PreviewForm/Left"), QVariant("5"));
    EXPECT_FALSE(Stored("PreviewForm/Width").isValid());
    EXPECT_FALSE(Stored("PreviewForm/Height").isValid());

    WriteSetting("PreviewForm", "Width", 999);
    WriteSetting("PreviewForm", "Height", 999);
    QWidget restored;
    restored.setObjectName("PreviewForm");
    restored.setFixedSize(200, 150);
    RestoreFormPlacement(restored);
    EXPECT_EQ(restored.geometry(), QRect(5, 6, 200, 150));
}

TEST_F(FormPlacementTest, NoSectionLeavesTheDesignAndCreatesNothing) {
    QWidget form;
    Design(form, "MethodForm");
    RestoreFormPlacement(form);
    EXPECT_EQ(form.geometry(), QRect(23, 35, 400, 300));
    EXPECT_EQ(form.windowState(), Qt::WindowNoState);
    EXPECT_FALSE(StoreExists());
}

TEST_F(FormPlacementTest, StoredTextsAreReadByTheRules) {
    WriteSetting("MethodForm", "Left", "0x20");
    WriteSetting("MethodForm", "Top", "letters");
    WriteSetting("MethodForm", "State", "minimized");
    QWidget form;
    Design(form, "MethodForm");
    RestoreFormPlacement(form);
    EXPECT_EQ(form.geometry(), QRect(32, 35, 400, 300));
    EXPECT_EQ(form.windowState(), Qt::WindowNoState);

    WriteSetting("MethodForm", "State", "Minimized");
    RestoreFormPlacement(form);
    EXPECT_TRUE(form.windowState() & Qt::WindowMinimized);
}

TEST_F(FormPlacementTest, AfterErasureClosingWindowsCreatesNothing) {
    QWidget form;
    Design(form, "MainForm");
    SaveFormPlacement(form);
    SettingsWritable = false;
    EraseSettings();
    SaveFormPlacement(form);
    RestoreFormPlacement(form);
    EXPECT_FALSE(StoreExists());
}

} // namespace
} // namespace slanter
