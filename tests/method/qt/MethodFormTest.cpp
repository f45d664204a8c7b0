#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QStyleOptionViewItem>

#include "bitmap/HandyBitmap.h"
#include "conversion/qt/FinalForm.h"
#include "engine/Slanter.h"
#include "method/qt/MethodForm.h"
#include "preview/PicturePreview.h"
#include "preview/qt/PreviewForm.h"
#include "shell/main/qt/MainForm.h"
#include "shell/qt/MainWindowFixture.h"
#include "shell/PendingMessages.h"

namespace slanter {
namespace {

// Notes whether the method window took input when the watched window showed.
class ShowWatcher : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show)
            methodEnabledAtShow.push_back(MethodForm->isEnabled());
        return false;
    }
    std::vector<bool> methodEnabledAtShow;
};

class MethodFormTest : public testing::MainWindowTest {
  protected:
    void TearDown() override {
        SetPendingMessagesProcessor({});
        MainWindowTest::TearDown();
    }

    TMethodForm& Method() { return *MethodForm; }
    template <typename T>
    T& Part(const char* name) {
        T* part = Method().findChild<T*>(QString::fromLatin1(name));
        if (part == nullptr)
            throw std::runtime_error(std::string("no ") + name);
        return *part;
    }
    QRadioButton& Radio(int number) {
        return Part<QRadioButton>(("RadioButton" + std::to_string(number)).c_str());
    }
    QListWidget& List() { return Part<QListWidget>("ListBox1"); }
    QHeaderView& Header() { return Part<QHeaderView>("HeaderControl1"); }
    QPushButton& Preview() { return Part<QPushButton>("Button1"); }
    QPushButton& Convert() { return Part<QPushButton>("Button2"); }
    bool CommandsEnabled() { return Preview().isEnabled() && Convert().isEnabled(); }
    bool CommandsDisabled() { return !Preview().isEnabled() && !Convert().isEnabled(); }

    // A 24-bit picture of the given size, opened in the main window.
    void OpenPicture(int width, int height) {
        THandyBitmap picture;
        picture.NewImage(width, height, 24);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.SetPixelColor(x, y, (x * 4) | (y * 5) << 8);
        const std::string file = Temporary().Path("picture" + std::to_string(width) + "x" +
                                                  std::to_string(height) + ".bmp");
        ASSERT_TRUE(picture.SaveToFile(file));
        MainForm->Presenter().OpenFile(file);
        QCoreApplication::processEvents();
    }
    // The list's items as texts.
    std::vector<std::string> Items() {
        std::vector<std::string> items;
        for (int row = 0; row < List().count(); ++row)
            items.push_back(List().item(row)->text().toStdString());
        return items;
    }
    // The user clicks the item in the given row.
    void ClickRow(int row) {
        List().setCurrentRow(row);
        QCoreApplication::processEvents();
    }
};

TEST_F(MethodFormTest, FirstStartChoosesRowsRisingRightUnsmoothedByAngle) {
    Start();
    for (int checked : {1, 3, 5, 7}) {
        EXPECT_TRUE(Radio(checked).isChecked()) << checked;
        EXPECT_FALSE(Radio(checked + 1).isChecked()) << checked + 1;
    }
    // The slide's seven eights, "%" included, do not fit in 50 pixels of this font.
    for (int section : {0, 1, 3})
        EXPECT_EQ(Header().sectionSize(section), 50) << section;
    EXPECT_GT(Header().sectionSize(2), QFontMetrics(List().font()).horizontalAdvance("8888888"));
    EXPECT_EQ(List().count(), 0);
    EXPECT_TRUE(CommandsDisabled());
    // Preview is the default command.
    EXPECT_TRUE(Preview().isDefault());
    // The designed font, 12 pixels high.
    EXPECT_EQ(Method().font().family(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(Method().font().pixelSize(), 12);
}

TEST_F(MethodFormTest, OptionsAndFourColumnWidthsSurviveARestart) {
    Start();
    for (int checked : {2, 4, 6, 8})
        Radio(checked).click();
    const int widths[] = {40, 61, 72, 83};
    for (int section = 0; section < 4; ++section)
        Header().resizeSection(section, widths[section]);
    Header().resizeSection(4, 7);
    Stop();
    EXPECT_EQ(Stored("MethodForm/Row"), QVariant("Vertical"));
    EXPECT_EQ(Stored("MethodForm/Rotation"), QVariant("Clockwize"));
    EXPECT_EQ(Stored("MethodForm/Smoothing"), QVariant("ON"));
    EXPECT_EQ(Stored("MethodForm/Sort"), QVariant("Area"));
    EXPECT_EQ(Stored("MethodForm/Width(1)"), QVariant("61"));
    EXPECT_FALSE(Stored("MethodForm/Width(4)").isValid());
    Start();
    for (int checked : {2, 4, 6, 8})
        EXPECT_TRUE(Radio(checked).isChecked()) << checked;
    EXPECT_FALSE(State().PatternEngine.RightUp());
    for (int section = 0; section < 4; ++section)
        EXPECT_EQ(Header().sectionSize(section), widths[section]) << section;
    // The last column follows the panel.
    EXPECT_EQ(Header().sectionSize(4), Part<QWidget>("Panel1").width());
}

TEST_F(MethodFormTest, TheWindowSnapsBackTo208By117AndThePanelFollowsItsSize) {
    Start();
    Method().Window().BringToFront();
    Method().resize(100, 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(Method().size(), QSize(208, 117));
    Method().resize(300, 90);
    QCoreApplication::processEvents();
    EXPECT_EQ(Method().size(), QSize(300, 117));
    Method().resize(600, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(Method().size(), QSize(600, 300));
    const QWidget& panel = Part<QWidget>("Panel1");
    EXPECT_EQ(panel.geometry(), QRect(160, 0, 436, 296));
    EXPECT_EQ(Header().sectionSize(4), 436);
    // The list fills the panel below the header, inside its one-pixel frame.
    EXPECT_EQ(Header().geometry(), QRect(1, 1, 434, 19));
    EXPECT_EQ(List().geometry(), QRect(1, 20, 434, 275));
}

TEST_F(MethodFormTest, PreviewByButtonDoubleClickOrEnterWithTheWindowDisabledMeanwhile) {
    Start();
    OpenPicture(64, 48);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&List(), &enter);
    EXPECT_FALSE(PreviewForm->isVisible()); // nothing chosen yet

    ShowWatcher watcher;
    PreviewForm->installEventFilter(&watcher);
    ClickRow(7);
    List().setFocus();
    Preview().click();
    EXPECT_EQ(State().PatternEngine.PatternIndex(), 7);
    EXPECT_EQ(watcher.methodEnabledAtShow, std::vector<bool>{false});
    EXPECT_TRUE(Method().isEnabled());
    // The focus is back in the list, where the arrow keys step through the patterns.
    EXPECT_EQ(Method().focusWidget(), &List());
    PreviewForm->removeEventFilter(&watcher);

    ClickRow(4);
    emit List().itemDoubleClicked(List().item(4));
    EXPECT_EQ(State().PatternEngine.PatternIndex(), 4);
    // Preview is the default command: Enter in the list presses it.
    ClickRow(6);
    QCoreApplication::sendEvent(&List(), &enter);
    EXPECT_EQ(State().PatternEngine.PatternIndex(), 6);
}

TEST_F(MethodFormTest, TheKeysStayInTheListAfterAnOpenedPictureAndAPreviewShownAnew) {
    Start();
    OpenPicture(64, 48);
    // Not the arrangement's option, where Down would turn the rows into columns.
    EXPECT_EQ(Method().focusWidget(), &List());
    EXPECT_EQ(QApplication::activeWindow(), &Method());
    // The first Down in the fresh list chooses its first pattern, not the second.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&List(), &down);
    ASSERT_EQ(List().selectedItems().size(), 1);
    EXPECT_EQ(List().row(List().selectedItems().front()), 0);
    ClickRow(3);
    Preview().click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(PreviewForm->isVisible());
    EXPECT_EQ(QApplication::activeWindow(), &Method());
    EXPECT_EQ(Method().focusWidget(), &List());
}

TEST_F(MethodFormTest, EscClosesTheMethodAndThePreviewWindow) {
    Start();
    OpenPicture(64, 48);
    ClickRow(3);
    Preview().click();
    for (QWidget* window :
         {static_cast<QWidget*>(PreviewForm), static_cast<QWidget*>(MethodForm)}) {
        auto* keys = window->findChild<QAction*>(QStringLiteral("CloseKeys"));
        ASSERT_NE(keys, nullptr);
        EXPECT_TRUE(keys->shortcuts().contains(QKeySequence(Qt::Key_Escape)));
        keys->trigger();
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(MethodFormTest, NoCaptionOrColumnHeaderIsCutInEitherLanguage) {
    for (const char* language : {"/JAPANESE", "/ENGLISH"}) {
        Start(language);
        for (QGroupBox* box : Method().findChildren<QGroupBox*>()) {
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxLabel;
            const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, box);
            // Right of the caption a stretch of the frame's top line shows, then its corner.
            EXPECT_LT(label.right() + 6, box->width())
                << language << " " << box->title().toStdString();
            EXPECT_GE(box->fontInfo().pixelSize(), 8);
            for (const QRadioButton* button : box->findChildren<QRadioButton*>()) {
                QStyleOptionButton buttonOption;
                buttonOption.initFrom(button);
                buttonOption.text = button->text();
                const QRect text = button->style()->subElementRect(QStyle::SE_RadioButtonContents,
                                                                   &buttonOption, button);
                EXPECT_LE(text.left() +
                              button->fontMetrics().tightBoundingRect(button->text()).right() + 1,
                          button->width())
                    << language << " " << button->text().toStdString();
                // The ink of the text stays inside (a glyph's advance may end past it).
                // Inside the frame, in the designed font.
                EXPECT_LT(button->geometry().right(), box->width() - 1);
                EXPECT_EQ(button->fontInfo().pixelSize(), Method().fontInfo().pixelSize());
            }
        }
        for (const QPushButton* button : {&Preview(), &Convert()})
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 6, button->width())
                << language << " " << button->text().toStdString();
        const QHeaderView& header = Header();
        for (int section = 0; section < header.count(); ++section) {
            const QString text = header.model()->headerData(section, Qt::Horizontal).toString();
            EXPECT_LE(header.fontMetrics().horizontalAdvance(text) + 4, header.sectionSize(section))
                << language << " " << text.toStdString();
        }
        Stop();
    }
}

// The preview's wallpaper follows the smoothing option at each preview, as a conversion
// started then would.
TEST_F(MethodFormTest, ThePreviewsWallpaperIsSmoothedWhenTheOptionSays) {
    Start();
    OpenPicture(64, 48);
    ClickRow(2);
    const auto expected = [this](bool smoothing) {
        const int side = qRound(PreviewForm->PictureViewSide() * PreviewForm->devicePixelRatioF());
        const PicturePixels pixels = RenderPicturePreview(
            State().PatternEngine, State().SourceBitmap, smoothing,
            PicturePreviewSize(State().PatternEngine.PatternSize(2), {side, side}), false);
        QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
        for (int y = 0; y < pixels.height; ++y)
            for (int x = 0; x < pixels.width; ++x) {
                const auto colour = static_cast<std::uint32_t>(pixels.At(x, y));
                image.setPixel(x, y, qRgb(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF));
            }
        return image;
    };
    Preview().click();
    EXPECT_EQ(PreviewForm->PictureView().convertToFormat(QImage::Format_RGB32), expected(false));
    Radio(6).click();
    Preview().click();
    EXPECT_EQ(PreviewForm->PictureView().convertToFormat(QImage::Format_RGB32), expected(true));
}

// The row as the list paints it, in a picture of its own.
QImage PaintRow(const TMethodForm& form, int index, const QStyleOptionViewItem& state, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter canvas(&image);
    form.ListBox1DrawItem(canvas, index, QRect(QPoint(0, 0), size), state);
    return image;
}

TEST_F(MethodFormTest, TheRowOf24Point30DegreesShowsItsFiveColumnsEndingAtTheirEights) {
    Start();
    Radio(8).click();
    OpenPicture(64, 48);
    ASSERT_EQ(State().PatternEngine.PatternSize(0), (TPoint{116, 52}));
    EXPECT_EQ(List().item(0)->text(), "24.30");
    const int widths[] = {50, 30, 20, 44, 60};
    for (int section = 0; section < 5; ++section)
        Header().resizeSection(section, widths[section]);

    QStyleOptionViewItem state;
    state.initFrom(&List());
    state.font = List().font();
    state.state = QStyle::State_Enabled | QStyle::State_Active;
    const QSize size(300, 15);
    const QImage row = PaintRow(Method(), 0, state, size);

    // Each text drawn by itself so that it ends where n eights end from its column's
    // left edge, and cut at the column's right edge.
    QImage expected(size, QImage::Format_RGB32);
    expected.fill(state.palette.color(QPalette::Active, QPalette::Base));
    QPainter canvas(&expected);
    canvas.setFont(state.font);
    canvas.setPen(state.palette.color(QPalette::Active, QPalette::Text));
    const QFontMetrics metrics(state.font);
    // Right-aligned in 5, 3, 5 and a "%", 4 and 4 characters.
    const char* texts[] = {"24.30", "  2", "33.86%", " 116", "  52"};
    const char* eights[] = {"888888", "8888", "8888888", "88888", "88888"};
    int left = 0;
    for (int column = 0; column < 5; ++column) {
        canvas.setClipRect(QRect(left, 0, widths[column], size.height()));
        const int x = left + metrics.horizontalAdvance(eights[column]) -
                      metrics.horizontalAdvance(texts[column]);
        canvas.drawText(QPoint(x, metrics.ascent()), texts[column]);
        left += widths[column];
    }
    canvas.end();
    EXPECT_EQ(row, expected);
    // The slide's column is narrower than its text, yet part of the text shows in it.
    const QColor base = state.palette.color(QPalette::Active, QPalette::Base);
    bool ink = false;
    for (int x = 80; x < 100; ++x)
        for (int y = 0; y < 15; ++y)
            ink = ink || row.pixelColor(x, y) != base;
    EXPECT_TRUE(ink);
}

TEST_F(MethodFormTest, TwoConversionsOpenTwoWindowsNumbered1And2) {
    Start();
    OpenPicture(20, 10);
    ClickRow(0);
    std::vector<bool> enabledDuringRun;
    SetPendingMessagesProcessor([&] {
        enabledDuringRun.push_back(MethodForm->isEnabled());
        QCoreApplication::processEvents();
    });
    Convert().click();
    ClickRow(1);
    Convert().click();
    EXPECT_EQ(Method().ResultCount(), 2);
    const auto& results = Method().ResultWindows();
    ASSERT_EQ(results.size(), 2u);
    ASSERT_TRUE(results[0] && results[1]);
    EXPECT_EQ(results[0]->windowTitle(), "Converted(1)");
    EXPECT_EQ(results[1]->windowTitle(), "Converted(2)");
    EXPECT_TRUE(results[0]->isVisible());
    EXPECT_TRUE(results[1]->isVisible());
    EXPECT_NE(results[0]->ResultFile(), results[1]->ResultFile());
    // Disabled while each ran, and taking input again afterwards.
    ASSERT_FALSE(enabledDuringRun.empty());
    EXPECT_EQ(std::count(enabledDuringRun.begin(), enabledDuringRun.end(), true), 0);
    EXPECT_TRUE(Method().isEnabled());
    EXPECT_EQ(Method().focusWidget(), &List());
    EXPECT_EQ(State().PatternEngine.PatternIndex(), 1);
    // The method window owns them.
    const QPointer<TFinalForm> first = results[0];
    Stop();
    EXPECT_TRUE(first.isNull());
}

} // namespace
} // namespace slanter
