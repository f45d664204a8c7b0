#include <QLabel>
#include <QPixmap>

#include "ShellFixture.h"
#include "shell/qt/OpenForm.h"

namespace slanter {
namespace {

class OpenFormTest : public testing::ShellTest {
  protected:
    void TearDown() override {
        FreeSplash();
        ShellTest::TearDown();
    }
    static QLabel* Label(const TOpenForm& form, const char* name) {
        return form.findChild<QLabel*>(name);
    }
};

TEST_F(OpenFormTest, SplashShowsTitleAndVersionAndHides) {
    ShowSplash();
    ASSERT_TRUE(OpenForm);
    EXPECT_TRUE(OpenForm->isVisible());
    EXPECT_EQ(OpenForm->objectName(), "OpenForm");
    EXPECT_EQ(OpenForm->windowTitle(), "  Loading ...");
    EXPECT_EQ(Label(*OpenForm, "Label1")->text(), "Bit Map Slanter");
    EXPECT_EQ(Label(*OpenForm, "Label2")->text(), "Ver.3.00  Rev.2");
    EXPECT_EQ(OpenForm->minimumSize(), OpenForm->maximumSize());
    HideSplash();
    EXPECT_FALSE(OpenForm->isVisible());
    EXPECT_TRUE(OpenForm);
}

TEST_F(OpenFormTest, LabelsFollowTheIconAndTheWiderLabelSetsTheWidth) {
    TOpenForm form;
    QPixmap icon(32, 32);
    icon.fill(Qt::red);
    form.Arrange(icon, "A title much wider than the version text", "Ver.3.00  Rev.2",
                 QSize(800, 600));
    const QLabel* title = Label(form, "Label1");
    const QLabel* version = Label(form, "Label2");
    EXPECT_EQ(Label(form, "Image1")->geometry(), QRect(5, 6, 32, 32));
    EXPECT_EQ(title->x(), 42); // 2 x 5 + 32
    EXPECT_EQ(version->x(), 42);
    EXPECT_GT(title->width(), version->width());
    EXPECT_EQ(form.width(), 42 + title->width() + 5);
    EXPECT_EQ(form.height(), 44); // 2 x 6 + 32
    EXPECT_EQ(form.y(), 185);     // (600 - 44) / 3

    form.Arrange(icon, "T", "Ver.3.00  Rev.2", QSize(800, 600));
    EXPECT_EQ(form.width(), 42 + version->width() + 5);
}

TEST_F(OpenFormTest, WithoutAnIconTheDesignedPictureSizeCounts) {
    TOpenForm form;
    form.Arrange(QPixmap(), "Bit Map Slanter", "Ver.3.00  Rev.2", QSize(800, 600));
    EXPECT_EQ(Label(form, "Label1")->x(), 43); // 2 x 5 + 33
    EXPECT_EQ(form.height(), 45);
}

TEST_F(OpenFormTest, PlacementOnASmallScreenTruncatesTowardZero) {
    TOpenForm form;
    form.Arrange(QPixmap(), "Bit Map Slanter", "Ver.3.00  Rev.2", QSize(100, 31));
    EXPECT_EQ(form.y(), -4); // -14 / 3, where flooring would give -5
    const int width = form.frameGeometry().width();
    form.Arrange(QPixmap(), "Bit Map Slanter", "Ver.3.00  Rev.2", QSize(width - 4, 31));
    EXPECT_EQ(form.x(), -1); // -4 / 3, where flooring would give -2
}

} // namespace
} // namespace slanter
