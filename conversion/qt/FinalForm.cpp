#include "conversion/qt/FinalForm.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>

#include "conversion/DeviceCover.h"
#include "conversion/ResultPlacement.h"
#include "conversion/ResultViews.h"
#include "conversion/ResultZoom.h"
#include "shell/EnglishCaptions.h"
#include "shell/General.h"
#include "shell/ViewKeys.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/ResultPicture.h"
#include "shell/qt/WindowKeys.h"
#include "shell/qt/WindowOnScreen.h"
#include "ui_FinalForm.h"

namespace slanter {

namespace {

// The progress bar's size while the conversion runs.
constexpr int kBarWidth = 200;
constexpr int kBarHeight = 16;
// Boxes are numbered row by row from the top-left cell of the three by three grid.
constexpr int kGridSide = 3;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QRect ToQt(const ZoomedCell& rect) {
    return {rect.topLeft.X, rect.topLeft.Y, rect.size.X, rect.size.Y};
}

ZoomedCell FromQt(const QRect& rect) {
    return {{rect.left(), rect.top()}, {rect.width(), rect.height()}};
}

// The cells of `picture` that the zoomed view shows in `part` (device pixels of the view),
// as an image of the same kind: palette indices stay indices.
QImage SampledPart(const QImage& picture, int view, TPoint shown, const QRect& part) {
    const TPoint size{picture.width(), picture.height()};
    const TPoint topLeft{part.left(), part.top()};
    const TPoint extent{part.width(), part.height()};
    QImage sampled(part.size(), picture.format());
    if (sampled.isNull())
        return sampled;
    const auto stride = [](const QImage& image, int cellBytes) {
        return static_cast<std::int32_t>(image.bytesPerLine() / cellBytes);
    };
    if (picture.format() == QImage::Format_Indexed8) {
        sampled.setColorTable(picture.colorTable());
        SampleZoomedView(picture.constBits(), stride(picture, 1), size, view, shown, topLeft,
                         extent, sampled.bits(), stride(sampled, 1));
    } else {
        SampleZoomedView(reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                         stride(picture, 4), size, view, shown, topLeft, extent,
                         reinterpret_cast<std::uint32_t*>(sampled.bits()), stride(sampled, 4));
    }
    return sampled;
}

// Frees a result window together with its owner, as Qt frees a child with its parent.
class OwnerLink : public QObject {
  public:
    OwnerLink(QObject* owner, TFinalForm* form) : QObject(owner), form_(form) {}
    ~OwnerLink() override { delete form_.data(); }
    OwnerLink(const OwnerLink&) = delete;
    OwnerLink& operator=(const OwnerLink&) = delete;

  private:
    QPointer<TFinalForm> form_;
};

} // namespace

TFinalForm::TFinalForm(ProgramState& state, QObject* owner)
    : ui_(std::make_unique<Ui::FinalForm>()), services_(this), presenter_(state, services_, *this) {
    ui_->setupUi(this);
    if (owner != nullptr)
        new OwnerLink(owner, this); // owned by `owner`
    ui_->ClientArea->viewport()->setBackgroundRole(QPalette::Window);
    ui_->ClientArea->hide();
    for (QWidget* tile : Tiles()) {
        tile->hide();
        tile->installEventFilter(this);
    }
    ui_->KFile->setEnabled(false);
    ui_->KView->setEnabled(false);
    // The form file cannot name separators: KViewN1, KViewN2 in their order.
    int separators = 0;
    for (QAction* action : ui_->KView->actions()) {
        if (action->isSeparator())
            action->setObjectName(QStringLiteral("KViewN%1").arg(++separators));
    }
    // The platform's keys; a key reaches a command only once the result is shown.
    ui_->KFileSaveAs->setShortcuts(
        PlatformKeysOr(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    ui_->KFileClipboard->setShortcuts(QKeySequence::Copy);
    ui_->KViewZoomIn->setShortcut(QKeySequence::ZoomIn);
    ui_->KViewZoomOut->setShortcut(QKeySequence::ZoomOut);
    ui_->KView100->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    auto* closeKey = new QAction(this); // freed with this window
    closeKey->setObjectName(QStringLiteral("CloseKey"));
    closeKey->setShortcuts(QKeySequence::Close);
    addAction(closeKey);
    connect(closeKey, &QAction::triggered, this, &QWidget::close);
    // A command that fails in a platform layer ends in the general error box.
    for (const ResultCommand& command : ResultCommands()) {
        auto* action = findChild<QAction*>(QString::fromLatin1(command.item));
        connect(action, &QAction::triggered, this,
                [this, run = command.run] { RunGuarded([&] { run(presenter_); }); });
    }
    connect(ui_->Button1, &QPushButton::clicked, this, [this] { presenter_.Cancel(); });
    FormCreate();
}

TFinalForm::~TFinalForm() = default;

void TFinalForm::FormCreate() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const TPoint place = ResultWindowPlace({area.width(), area.height()}, ClockSeededRandom());
    move(area.left() + place.X, area.top() + place.Y);
    // The formula lets the designed window reach past the right edge.
    KeepOnScreen(*this);
    if (!Japanese)
        SetEnglishCaptions();
}

void TFinalForm::SetEnglishCaptions() {
    const auto english = [](const QString& item) {
        return Text(EnglishCaption(CaptionForm::Final, item.toStdString()));
    };
    setWindowTitle(english(objectName()));
    for (QAction* action : findChildren<QAction*>()) {
        if (const QString text = english(action->objectName()); !text.isEmpty())
            action->setText(text);
    }
    for (QMenu* menu : {ui_->KFile, ui_->KView})
        menu->setTitle(english(menu->objectName()));
    ui_->Button1->setText(english(ui_->Button1->objectName()));
}

std::array<QWidget*, 9> TFinalForm::Tiles() const {
    return {ui_->Image1,    ui_->PaintBox2, ui_->PaintBox3, ui_->PaintBox4, ui_->PaintBox5,
            ui_->PaintBox6, ui_->PaintBox7, ui_->PaintBox8, ui_->PaintBox9};
}

void TFinalForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const int clientWidth = ui_->Client->width();
    if (clientWidth < kLeastResultClientWidth) {
        resize(width() + kLeastResultClientWidth - clientWidth, height());
        return;
    }
    ui_->Button1->move((ui_->Panel1->width() - ui_->Button1->width()) / 2, ui_->Button1->y());
    presenter_.Resized();
}

void TFinalForm::keyPressEvent(QKeyEvent* event) {
    // Esc cancels the run or the save while either goes on.
    if (event->key() == Qt::Key_Escape && presenter_.Escape())
        return;
    if (MoveViewByKey(*event))
        return;
    QMainWindow::keyPressEvent(event);
}

bool TFinalForm::MoveViewByKey(const QKeyEvent& event) {
    const bool control = event.modifiers() & Qt::ControlModifier;
    ViewKey key;
    if (event.key() == Qt::Key_Home)
        key = control ? ViewKey::ControlHome : ViewKey::Home;
    else if (event.key() == Qt::Key_End)
        key = control ? ViewKey::ControlEnd : ViewKey::End;
    else
        return false;
    QScrollBar& across = *ui_->ClientArea->horizontalScrollBar();
    QScrollBar& down = *ui_->ClientArea->verticalScrollBar();
    const ScrollPosition to =
        ViewKeyTarget(key, {across.value(), down.value()}, {across.maximum(), down.maximum()});
    across.setValue(to.x);
    down.setValue(to.y);
    return true;
}

bool TFinalForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        const int box = TileNumber(watched);
        if (box != 0) {
            PaintTile(box, static_cast<QPaintEvent*>(event)->rect());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFinalForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        presenter_.Closed();
}

std::string TFinalForm::Caption() const {
    return windowTitle().toStdString();
}

void TFinalForm::SetCaption(const std::string& caption) {
    setWindowTitle(Text(caption));
}

void TFinalForm::ShowProgressPanel() {
    show();
    raise();
    ResizeOnScreen(*this, QSize(width() + kBarWidth - ui_->ProgressBar1->width(),
                                height() + kBarHeight - ui_->ProgressBar1->height()));
    // Drawn before the work starts, which lets events run only between columns.
    repaint();
}

void TFinalForm::ShowProgress(int percent, const std::string& done, const std::string& estimate) {
    ui_->ProgressBar1->setValue(percent);
    ui_->Label1->setText(Text(done));
    ui_->Label2->setText(Text(estimate));
}

std::string TFinalForm::ReadPicture(const std::string& resultFile) {
    ReadBackPicture loaded = ReadShownResultPicture(resultFile);
    if (loaded.image.isNull())
        return loaded.error;
    picture_ = std::move(loaded.image);
    // Sampled a cell at a time; other kinds of picture than these two become colours.
    if (picture_.format() != QImage::Format_Indexed8 && picture_.depth() != 32)
        picture_ = picture_.convertToFormat(QImage::Format_RGB32);
    return {};
}

TPoint TFinalForm::PictureSize() const {
    return {picture_.width(), picture_.height()};
}

void TFinalForm::ShowResultArea() {
    ui_->KFile->setEnabled(true);
    ui_->KView->setEnabled(true);
    ui_->Panel1->hide();
    ui_->Panel2->hide();
    ui_->ClientArea->show();
    ui_->Image1->show();
}

void TFinalForm::ReleasePicture() {
    picture_ = QImage();
    for (QWidget* tile : Tiles())
        tile->hide();
    ui_->Canvas->resize(0, 0);
    // The platform window goes too, with the painting buffer of the window's size that it
    // keeps while hidden; not from inside its own close, which it is still handling.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!isVisible())
                destroy();
        },
        Qt::QueuedConnection);
}

TPoint TFinalForm::Room(bool sizeWindow) {
    const qreal ratio = devicePixelRatioF();
    if (!sizeWindow)
        return DeviceCover({{}, {ui_->Client->width(), ui_->Client->height()}}, ratio).size;
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    // The largest client area the window can have on its screen.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize around = size() - ui_->Client->size(); // the menu bar
    const QSize client = AvailableArea(*this).size() - frame - around;
    return {static_cast<int>(std::floor(client.width() * ratio)),
            static_cast<int>(std::floor(client.height() * ratio))};
}

void TFinalForm::LayOut(int view, TPoint shown, bool sizeWindow) {
    view_ = view;
    shown_ = shown;
    // One picture pixel to one pixel of the display at 100%, at any display scale: the
    // grid is laid in device pixels and each tile covers its cell's.
    const qreal ratio = devicePixelRatioF();
    std::vector<TileCell> tiles = ViewTiles(view_, PictureSize());
    tiles.insert(tiles.begin(), TileCell{1, {}}); // Image1's cell, always shown
    for (QWidget* tile : Tiles())
        tile->setVisible(tile == ui_->Image1);
    for (const TileCell& tile : tiles) {
        Tile(tile.paintBox)->setGeometry(ToQt(LogicalCover(CellOfTile(tile.paintBox), ratio)));
        Tile(tile.paintBox)->show();
    }
    const TPoint client = LogicalCover({{}, shown_}, ratio).size;
    ui_->Canvas->resize(client.X, client.Y);
    if (sizeWindow) {
        // No scroll bar may take room while the window is fitted; afterwards they show
        // what did not fit on the screen.
        QScrollArea& area = *ui_->ClientArea;
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Twice: the menu bar's height may change with the width.
        for (int pass = 0; pass < 2; ++pass) {
            ResizeOnScreen(*this, QSize(width() + client.X - ui_->Client->width(), height()));
            ResizeOnScreen(*this, QSize(width(), height() + client.Y - ui_->Client->height()));
        }
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    for (const TileCell& tile : tiles)
        Tile(tile.paintBox)->repaint();
}

void TFinalForm::SetChecked(std::string_view item, bool checked) {
    if (auto* action = findChild<QAction*>(QString::fromUtf8(item.data(), item.size())))
        action->setChecked(checked);
}

void TFinalForm::EnableSaveAs(bool enabled) {
    ui_->KFileSaveAs->setEnabled(enabled);
}

void TFinalForm::CloseWindow() {
    close();
}

ZoomedCell TFinalForm::CellOfTile(int box) const {
    return ZoomedTileCell(view_, PictureSize(), shown_, (box - 1) % kGridSide,
                          (box - 1) / kGridSide);
}

int TFinalForm::TileNumber(const QObject* tile) const {
    const auto tiles = Tiles();
    const auto found = std::find(tiles.begin(), tiles.end(), tile);
    return found == tiles.end() ? 0 : static_cast<int>(found - tiles.begin()) + 1;
}

QWidget* TFinalForm::Tile(int box) const {
    return Tiles()[static_cast<std::size_t>(box - 1)];
}

void TFinalForm::PaintTile(int box, const QRect& exposed) {
    if (picture_.isNull())
        return;
    QWidget* tile = Tile(box);
    const qreal ratio = tile->devicePixelRatioF();
    // In the canvas's device pixels: only what is exposed, straight from the one picture.
    const QRect cell = ToQt(CellOfTile(box));
    const QRect shown =
        ToQt(DeviceCover(FromQt(exposed.translated(tile->pos())), ratio)).intersected(cell);
    if (shown.isEmpty())
        return;
    QPainter painter(tile);
    painter.translate(-tile->pos());
    painter.scale(1 / ratio, 1 / ratio);
    painter.drawImage(shown.topLeft(), SampledPart(picture_, view_, shown_, shown));
}

} // namespace slanter
