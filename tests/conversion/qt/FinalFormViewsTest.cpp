#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "FinalFormFixture.h"
#include "shell/SettingsStore.h"
#include "shell/qt/BackgroundSave.h"
#include "shell/qt/Clipboard.h"
#include "shell/qt/SaveDialog.h"
#include "support/ForeignPictures.h"
#include "support/FullDisk.h"
#include "support/PatternedBitmap.h"

namespace slanter {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;
using Strings = std::vector<std::string>;

class FinalFormWindow : public testing::FinalFormTest {
  protected:
    // A result of 107 x 8 (the first pattern by angle of a 12 x 8 picture): nine tiles are
    // wider than the least client width, the picture alone is narrower.
    TFinalForm& WideResult() {
        engine_.SetSortOnAngle(true);
        Open(testing::PatternedBitmap(8, 12, 8));
        Select(0);
        EXPECT_EQ(engine_.PatternSize(0), (TPoint{107, 8}));
        return Converted(1);
    }
    template <class T>
    static T* Part(TFinalForm& form, const char* name) {
        return form.findChild<T*>(name);
    }
    static QSize Client(TFinalForm& form) { return Part<QWidget>(form, "Client")->size(); }
    static void View(TFinalForm& form, const char* item) { Part<QAction>(form, item)->trigger(); }
    // The visible paint boxes and their places, as "PaintBoxN x,y WxH".
    static Strings Tiles(TFinalForm& form) {
        Strings tiles;
        for (int n = 2; n <= 9; ++n) {
            const std::string name = "PaintBox" + std::to_string(n);
            const auto* box = Part<QWidget>(form, name.c_str());
            if (!box->isVisible())
                continue;
            const QRect g = box->geometry();
            tiles.push_back(name + " " + std::to_string(g.x()) + "," + std::to_string(g.y()) + " " +
                            std::to_string(g.width()) + "x" + std::to_string(g.height()));
        }
        return tiles;
    }
    static Strings Checked(TFinalForm& form) {
        Strings checked;
        for (const char* item : {"KView1", "KView4", "KView9"}) {
            if (Part<QAction>(form, item)->isChecked())
                checked.push_back(item);
        }
        return checked;
    }
    static std::string Entries(TFinalForm& form, const char* menuName) {
        const auto* menu = Part<QMenu>(form, menuName);
        std::string entries = menu->title().toStdString();
        for (const QAction* action : menu->actions()) {
            entries += '|';
            entries += action->objectName().toStdString();
            entries += ' ';
            entries += action->text().toStdString();
        }
        return entries;
    }
};

TEST_F(FinalFormWindow, MenusAndCancelInEnglish) {
    TFinalForm& form = NewForm();
    EXPECT_EQ(form.windowTitle(), "Converted");
    EXPECT_EQ(
        Entries(form, "KFile"),
        "&File|KFileSaveAs Save &As ...|KFileClipboard Copy to &Clip Board|KFileWallpaper Set "
        "as Desktop &Wallpaper|KFileWallpaperSize Save Wallpaper of Si&ze ...");
    EXPECT_EQ(Entries(form, "KView"),
              "&View|KView1 show &1|KView4 tile &4|KView9 tile &9|KViewN1 |KViewFit Fit to "
              "&Window|KView25 25%|KView50 50%|KView100 100%|KView200 200%|KViewZoomIn Zoom "
              "&In|KViewZoomOut Zoom &Out|KViewN2 |KViewInformation Bitmap &Information");
    EXPECT_EQ(Part<QPushButton>(form, "Button1")->text(), "Cancel");
}

TEST_F(FinalFormWindow, MenusAndCancelAsDesignedInJapanese) {
    Japanese = true;
    TFinalForm& form = NewForm();
    EXPECT_EQ(form.windowTitle(), "完成画像");
    EXPECT_EQ(Entries(form, "KFile"),
              "ファイル(&File)|KFileSaveAs 完成画像をファイルに保存(Save &As)...|KFileClipboard "
              "完成画像をクリップボードに貼り付ける(&Clipboard)|KFileWallpaper "
              "完成画像をデスクトップの壁紙にする(&Wallpaper)|KFileWallpaperSize "
              "大きさを決めて壁紙を保存(Si&ze)...");
    EXPECT_EQ(Entries(form, "KView"),
              "表示(&View)|KView1 普通に見る(&1)|KView4 ４枚並べて見る(&4)|KView9 "
              "９枚並べて見る(&9)|KViewN1 |KViewFit ウィンドウに合わせる(&Window)|KView25 "
              "25%で見る|KView50 50%で見る|KView100 100%で見る|KView200 200%で見る|KViewZoomIn "
              "拡大(Zoom &In)|KViewZoomOut 縮小(Zoom &Out)|KViewN2 |KViewInformation "
              "ビットマップの情報(&Information)...");
    EXPECT_EQ(Part<QPushButton>(form, "Button1")->text(), "キャンセル");
}

TEST_F(FinalFormWindow, ThePictureAloneNarrowerThanTheLeastClientWidth) {
    TFinalForm& form = WideResult();
    // 107 wide asks for a client of 107, which is widened to 200; the picture sits left.
    EXPECT_EQ(Client(form), QSize(200, 8));
    EXPECT_EQ(Part<QLabel>(form, "Image1")->geometry(), QRect(0, 0, 107, 8));
    EXPECT_EQ(Tiles(form), Strings{});
    EXPECT_EQ(Checked(form), Strings{"KView1"});
}

TEST_F(FinalFormWindow, FourAndNineTilesAndBackToThePictureAlone) {
    TFinalForm& form = WideResult();
    View(form, "KView4");
    EXPECT_EQ(Client(form), QSize(214, 16));
    EXPECT_EQ(Tiles(form),
              (Strings{"PaintBox2 107,0 107x8", "PaintBox4 0,8 107x8", "PaintBox5 107,8 107x8"}));
    EXPECT_EQ(Checked(form), Strings{"KView4"});
    View(form, "KView9");
    EXPECT_EQ(Client(form), QSize(321, 24));
    EXPECT_EQ(Tiles(form),
              (Strings{"PaintBox2 107,0 107x8", "PaintBox3 214,0 107x8", "PaintBox4 0,8 107x8",
                       "PaintBox5 107,8 107x8", "PaintBox6 214,8 107x8", "PaintBox7 0,16 107x8",
                       "PaintBox8 107,16 107x8", "PaintBox9 214,16 107x8"}));
    EXPECT_EQ(Checked(form), Strings{"KView9"});
    View(form, "KView1");
    EXPECT_EQ(Client(form), QSize(200, 8));
    EXPECT_EQ(Tiles(form), Strings{});
    EXPECT_EQ(Checked(form), Strings{"KView1"});
}

TEST_F(FinalFormWindow, EveryTileShowsTheWholePictureUnscaled) {
    TFinalForm& form = WideResult();
    View(form, "KView9");
    const QImage picture =
        QImage(QString::fromStdString(form.ResultFile())).convertToFormat(QImage::Format_RGB32);
    const QImage shown =
        Part<QWidget>(form, "Canvas")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(321, 24));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(shown.copy(column * 107, row * 8, 107, 8), picture) << row << "," << column;
    }
}

TEST_F(FinalFormWindow, AViewRestoresAMaximizedWindow) {
    TFinalForm& form = WideResult();
    form.showMaximized();
    View(form, "KView4");
    EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(Client(form), QSize(214, 16));
}

TEST_F(FinalFormWindow, AClientMadeNarrowerThanTwoHundredIsWidened) {
    TFinalForm& form = WideResult();
    View(form, "KView9");
    form.resize(120, form.height());
    EXPECT_EQ(Client(form).width(), 200);
}

TEST_F(FinalFormWindow, SaveAsCopyAndCloseTakeThePlatformsKeysOnlyOnceTheMenuIsOffered) {
    TFinalForm& form = WideResult();
    // Where the platform names no key for Save As, the usual one serves.
    const QList<QKeySequence> saveAs = QKeySequence::keyBindings(QKeySequence::SaveAs);
    EXPECT_EQ(Part<QAction>(form, "KFileSaveAs")->shortcuts(),
              saveAs.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}
                               : saveAs);
    EXPECT_EQ(Part<QAction>(form, "KFileClipboard")->shortcuts(),
              QKeySequence::keyBindings(QKeySequence::Copy));
    EXPECT_EQ(Part<QAction>(form, "CloseKey")->shortcuts(),
              QKeySequence::keyBindings(QKeySequence::Close));
    int asked = 0;
    QString offered;
    SetSaveDialogRunner([&](QWidget*, const SaveDialogSettings& settings) {
        ++asked;
        offered = settings.fileName;
        return std::optional<QString>();
    });
    // A key of the File menu does nothing before the result is shown.
    Part<QAction>(NewForm(), "KFileSaveAs")->trigger();
    EXPECT_EQ(asked, 0);
    Part<QAction>(form, "KFileSaveAs")->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(offered.endsWith(QStringLiteral("-4.26deg.bmp"))) << offered.toStdString();
    ASSERT_TRUE(form.isVisible());
    Part<QAction>(form, "CloseKey")->trigger();
    EXPECT_FALSE(form.isVisible());
}

// The dialog itself opens on the offered name, its format's entry chosen.
TEST_F(FinalFormWindow, TheSaveDialogOffersTheNameInItsFormatsEntry) {
    QString entry;
    QString name;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        entry = dialog->selectedNameFilter();
        if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
            name = edit->text();
        dialog->reject();
    });
    RunSaveDialog(nullptr, {QString(), QStringLiteral("photo-4.26deg.png"),
                            "Bitmap (*.bmp)|*.bmp|PNG (*.png)|*.png", QStringLiteral("png")});
    EXPECT_TRUE(entry.startsWith(QStringLiteral("PNG"))) << entry.toStdString();
    EXPECT_EQ(name, QStringLiteral("photo-4.26deg.png"));
}

// The job waits for Cancel, which shows only once the save has run for a second; the
// window's events go on meanwhile.
TEST_F(FinalFormWindow, ALongSaveShowsProgressAndCancelsOnCancel) {
    TFinalForm& form = WideResult();
    QTimer press;
    int looks = 0;
    QObject::connect(&press, &QTimer::timeout, [&] {
        ++looks;
        auto* cancel = form.findChild<QPushButton*>("SaveCancel");
        if (cancel != nullptr && cancel->isVisible())
            cancel->click();
    });
    press.start(20);
    const std::string answer =
        RunSaveInBackground(form, QStringLiteral("Cancel"), [](SaveControl& control) {
            control.permille = 500;
            while (!control.cancelled)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            return std::string("stopped");
        });
    EXPECT_EQ(answer, "stopped");
    EXPECT_GT(looks, 5);
    EXPECT_EQ(form.findChild<QPushButton*>("SaveCancel"), nullptr);
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FinalFormWindow, TheClipboardGetsThePictureWithItsColourTable) {
    TFinalForm& form = WideResult();
    std::vector<QImage> put;
    SetClipboardWriter([&](const QImage& picture) { put.push_back(picture); });
    Part<QAction>(form, "KFileClipboard")->trigger();
    ASSERT_EQ(put.size(), 1u);
    const QImage file(QString::fromStdString(form.ResultFile()));
    EXPECT_EQ(put[0], file);
    // An 8-bit result goes with its palette.
    EXPECT_EQ(put[0].colorCount(), 256);
}

TEST_F(FinalFormWindow, WindowsAreFreedWithTheirOwner) {
    QPointer<TFinalForm> form = &NewForm();
    ASSERT_FALSE(form.isNull());
    owner_.reset();
    EXPECT_TRUE(form.isNull());
}

} // namespace
} // namespace slanter
