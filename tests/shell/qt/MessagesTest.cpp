#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>

#include "ShellFixture.h"
#include "shell/qt/Help.h"
#include "shell/qt/HelpWindow.h"
#include "shell/qt/MessageBox.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;

struct ShownBox {
    QString text;
    int flags;
    QString caption;
};

// Catches every box and help file instead of showing them; the program runs from a
// fresh temporary folder so the help and text files can be made or left out.
class MessagesTest : public testing::ShellTest {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("slanter-messages-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        ShellTest::SetUp();
        previousShower_ =
            SetMessageBoxShower([this](const QString& text, int flags, const QString& caption) {
                shown_.push_back({text, flags, caption});
                return 7;
            });
        previousViewer_ = SetHelpViewer([this](const QString& fileName) {
            opened_.push_back(fileName);
            return true;
        });
    }
    void TearDown() override {
        SetMessageBoxShower(previousShower_);
        SetHelpViewer(previousViewer_);
        ShellTest::TearDown();
        fs::remove_all(folder_);
    }

    void Start(const std::string& switches) {
        InitGeneral({(folder_ / "Slanter").string(), switches, [] { return false; }});
        SetProgramInfo();
    }
    std::string InFolder(const std::string& leaf) const { return (folder_ / leaf).string(); }
    void Make(const std::string& leaf) const { std::ofstream(folder_ / leaf) << "x"; }

    fs::path folder_;
    std::vector<ShownBox> shown_;
    std::vector<QString> opened_;
    MessageBoxShower previousShower_;
    HelpViewer previousViewer_;
};

TEST_F(MessagesTest, CaptionIsTwoBlanksAndTheCaptionOrTheTitle) {
    EXPECT_EQ(AppMessageBox("No Bitmap Image in Clip Board.", kWarningBox), 7);
    AppMessageBox("x", kInformationBox, "Bitmap Information");
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].caption, "  Bit Map Slanter");
    EXPECT_EQ(shown_[0].flags, 48);
    EXPECT_EQ(shown_[0].text, "No Bitmap Image in Clip Board.");
    EXPECT_EQ(shown_[1].caption, "  Bitmap Information");
    EXPECT_EQ(shown_[1].flags, 64);
}

TEST_F(MessagesTest, PresentHelpFileIsOpened) {
    Start("/japanese");
    Make("Slanter.html");
    ShowHelp();
    EXPECT_TRUE(shown_.empty());
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].toStdString(), InFolder("Slanter.html"));
}

TEST_F(MessagesTest, TheShippedHelpShowsInAHelpWindowOfTheOwnerInEitherLanguage) {
    SetHelpViewer({});
    QWidget owner;
    using Words = std::vector<const char*>;
    for (const auto& [language, document, words] :
         {std::tuple{"/ENGLISH", "SlanterE.html",
                     Words{"Command line", "in Line", "Rotation", "Smoothing", "Sort on"}},
          std::tuple{"/JAPANESE", "Slanter.html",
                     Words{"コマンドライン", "並べかた", "傾き", "スムージング", "リスト順"}}}) {
        Start(language);
        fs::copy_file(fs::path(SLANTER_HELP_DIR) / document, InFolder(document),
                      fs::copy_options::overwrite_existing);
        ShowHelp(&owner);
        EXPECT_TRUE(shown_.empty()) << language;
        const auto windows = owner.findChildren<THelpWindow*>();
        ASSERT_EQ(windows.size(), 1u) << language; // one window, shown again
        EXPECT_TRUE(windows[0]->isVisible());
        EXPECT_TRUE(windows[0]->windowTitle().contains(QLatin1String("Bit Map Slanter")));
        // What a user needs to know is there: the options and the switches.
        const QString text = windows[0]->Browser().toPlainText();
        for (const char* word : words)
            EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << language << " " << word;
        for (const char* word : {"/JAPANESE", "/ENGLISH", "/REGISTRY"})
            EXPECT_TRUE(text.contains(QLatin1String(word))) << language << " " << word;
    }
}

TEST_F(MessagesTest, TheHelpShowsEachWindowAndClosesOnEscOrControlW) {
    SetHelpViewer({});
    for (const char* document : {"Slanter.html", "SlanterE.html"}) {
        QWidget owner;
        ASSERT_TRUE(ShowHelpWindow(
            QString::fromStdString(std::string(SLANTER_HELP_DIR) + "/" + document), owner));
        auto* window = owner.findChild<THelpWindow*>();
        // Every picture the document shows lies beside it.
        const QString html = window->Browser().toHtml();
        int pictures = 0;
        for (qsizetype at = html.indexOf(QLatin1String("<img src=\"")); at >= 0;
             at = html.indexOf(QLatin1String("<img src=\""), at + 1)) {
            const qsizetype start = at + 10;
            const QString name = html.mid(start, html.indexOf(QLatin1Char('"'), start) - start);
            EXPECT_TRUE(fs::exists(fs::path(SLANTER_HELP_DIR) / name.toStdString()))
                << name.toStdString();
            ++pictures;
        }
        EXPECT_GE(pictures, 4) << document; // the main, method, preview and result windows
        const QString text = window->Browser().toPlainText();
        for (const char* word : {"PNG", "JPEG", "GIF", "WebP", "TIFF", "Ctrl+Shift+S", "Esc"})
            EXPECT_TRUE(text.contains(QLatin1String(word))) << document << " " << word;
        auto* keys = window->findChild<QAction*>(QStringLiteral("CloseKeys"));
        ASSERT_NE(keys, nullptr);
        EXPECT_TRUE(keys->shortcuts().contains(QKeySequence(Qt::Key_Escape)));
        EXPECT_TRUE(keys->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)));
        keys->trigger();
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(MessagesTest, PlatformBoxIsModalAndShowsTheText) {
    SetMessageBoxShower({});
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            modal = box->isModal();
            box->accept();
        }
    });
    closer.start(10);
    EXPECT_EQ(AppMessageBox("Can't copy a.bmp.\r\n", kWarningBox), kOkButton);
    EXPECT_EQ(title, "  Bit Map Slanter");
    EXPECT_EQ(text, "Can't copy a.bmp.\n");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_TRUE(modal);
}

} // namespace
} // namespace slanter
