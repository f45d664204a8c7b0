#include "conversion/qt/FinalForm.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "bitmap/HandyBitmap.h"
#include "bitmap/OutputFile.h"
#include "conversion/ConversionRun.h"
#include "conversion/Progress.h"
#include "conversion/ResultFileChoice.h"
#include "conversion/ResultPlacement.h"
#include "conversion/ResultSave.h"
#include "conversion/ResultSaveFilter.h"
#include "conversion/ResultShape.h"
#include "conversion/ResultTexts.h"
#include "conversion/ResultViews.h"
#include "conversion/ResultZoom.h"
#include "conversion/SaveFolderChoice.h"
#include "conversion/ViewKeys.h"
#include "engine/Slanter.h"
#include "shell/ConversionGuard.h"
#include "shell/EnglishCaptions.h"
#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/MainTexts.h"
#include "shell/ProgramIdentity.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/TemporaryPictures.h"
#include "shell/qt/BackgroundSave.h"
#include "shell/qt/Clipboard.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/MessageBox.h"
#include "shell/qt/PendingMessages.h"
#include "shell/qt/ResultPicture.h"
#include "shell/qt/SaveDialog.h"
#include "shell/qt/WindowKeys.h"
#include "shell/qt/WindowOnScreen.h"
#include "ui_FinalForm.h"

namespace slanter {

namespace {

// The English caption of this form's item `item`.
QString English(std::string_view item) {
    return QString::fromStdString(EnglishCaption(CaptionForm::Final, item));
}

// The progress bar's size while the conversion runs.
constexpr int kBarWidth = 200;
constexpr int kBarHeight = 16;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The usable part of the screen where new result windows open.
QRect PlacementArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The logical rectangle that covers the device pixels `device` at `ratio` device pixels
// per logical one; the same rectangle at a ratio of 1.
QRect LogicalCover(const QRect& device, qreal ratio) {
    const int left = static_cast<int>(std::floor(device.left() / ratio));
    const int top = static_cast<int>(std::floor(device.top() / ratio));
    const int right = static_cast<int>(std::ceil((device.right() + 1) / ratio));
    const int bottom = static_cast<int>(std::ceil((device.bottom() + 1) / ratio));
    return {left, top, right - left, bottom - top};
}

// The device pixels that the logical rectangle `logical` touches at `ratio`.
QRect DeviceCover(const QRect& logical, qreal ratio) {
    const int left = static_cast<int>(std::floor(logical.left() * ratio));
    const int top = static_cast<int>(std::floor(logical.top() * ratio));
    const int right = static_cast<int>(std::ceil((logical.right() + 1) * ratio));
    const int bottom = static_cast<int>(std::ceil((logical.bottom() + 1) * ratio));
    return {left, top, right - left, bottom - top};
}

// Boxes are numbered row by row from the top-left cell of the three by three grid.
constexpr int kGridSide = 3;

// The cells of `picture` that the zoomed view shows in `part` (device pixels of the view),
// as an image of the same kind: palette indices stay indices.
QImage SampledPart(const QImage& picture, int view, TPoint shown, const QRect& part) {
    const TPoint size{picture.width(), picture.height()};
    const TPoint topLeft{part.left(), part.top()};
    const TPoint extent{part.width(), part.height()};
    QImage sampled(part.size(), picture.format());
    if (sampled.isNull())
        return sampled;
    const auto copyRows = [&sampled](const auto& cells) {
        const auto rowBytes = static_cast<std::size_t>(sampled.width()) * sizeof(cells[0]);
        for (int y = 0; y < sampled.height(); ++y)
            std::memcpy(sampled.scanLine(y), cells.data() + std::size_t(y) * sampled.width(),
                        rowBytes);
    };
    const std::size_t count = static_cast<std::size_t>(extent.X) * extent.Y;
    if (picture.format() == QImage::Format_Indexed8) {
        sampled.setColorTable(picture.colorTable());
        std::vector<std::uint8_t> cells(count);
        SampleZoomedView(picture.constBits(), static_cast<std::int32_t>(picture.bytesPerLine()),
                         size, view, shown, topLeft, extent, cells.data());
        copyRows(cells);
    } else {
        std::vector<std::uint32_t> cells(count);
        SampleZoomedView(reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                         static_cast<std::int32_t>(picture.bytesPerLine() / 4), size, view, shown,
                         topLeft, extent, cells.data());
        copyRows(cells);
    }
    return sampled;
}

// Every result window that exists, to find the result files still shown.
std::vector<const TFinalForm*>& LiveForms() {
    static std::vector<const TFinalForm*> forms;
    return forms;
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
    : ui_(std::make_unique<Ui::FinalForm>()), state_(state) {
    ui_->setupUi(this);
    if (owner != nullptr)
        new OwnerLink(owner, this); // owned by `owner`
    LiveForms().push_back(this);
    ui_->ClientArea->viewport()->setBackgroundRole(QPalette::Window);
    ui_->ClientArea->hide();
    ui_->Image1->hide();
    ui_->Image1->installEventFilter(this);
    for (QWidget* box : PaintBoxes()) {
        box->hide();
        box->installEventFilter(this);
    }
    ui_->KFile->setEnabled(false);
    ui_->KView->setEnabled(false);
    // The form file cannot name separators: KViewN1, KViewN2 in their order.
    int separators = 0;
    for (QAction* action : ui_->KView->actions()) {
        if (action->isSeparator())
            action->setObjectName(QStringLiteral("KViewN%1").arg(++separators));
    }
    // The platform's zoom keys, and the usual one for the actual size.
    ui_->KViewZoomIn->setShortcut(QKeySequence::ZoomIn);
    ui_->KViewZoomOut->setShortcut(QKeySequence::ZoomOut);
    ui_->KView100->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

    // A command that fails in a platform layer ends in the general error box.
    const auto route = [this](QAction* action, const std::function<void()>& command) {
        connect(action, &QAction::triggered, this, [command] { RunGuarded(command); });
    };
    // The platform's own keys; a key reaches a command only while its menu is offered.
    ui_->KFileSaveAs->setShortcuts(
        PlatformKeysOr(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    ui_->KFileClipboard->setShortcuts(QKeySequence::Copy);
    route(ui_->KFileSaveAs, [this] {
        if (ui_->KFile->isEnabled())
            KFileSaveAsClick();
    });
    route(ui_->KFileClipboard, [this] {
        if (ui_->KFile->isEnabled())
            KFileClipboardClick();
    });
    auto* closeKey = new QAction(this); // freed with this window
    closeKey->setObjectName(QStringLiteral("CloseKey"));
    closeKey->setShortcuts(QKeySequence::Close);
    addAction(closeKey);
    connect(closeKey, &QAction::triggered, this, &QWidget::close);
    route(ui_->KView1, [this] { KViewClick(ui_->KView1); });
    route(ui_->KView4, [this] { KViewClick(ui_->KView4); });
    route(ui_->KView9, [this] { KViewClick(ui_->KView9); });
    route(ui_->KViewFit, [this] { KViewZoomClick(kZoomToFit); });
    route(ui_->KView25, [this] { KViewZoomClick(25); });
    route(ui_->KView50, [this] { KViewZoomClick(50); });
    route(ui_->KView100, [this] { KViewZoomClick(100); });
    route(ui_->KView200, [this] { KViewZoomClick(200); });
    route(ui_->KViewZoomIn, [this] { KViewZoomStep(1); });
    route(ui_->KViewZoomOut, [this] { KViewZoomStep(-1); });
    route(ui_->KViewInformation, [this] { KViewInformationClick(); });
    connect(ui_->Button1, &QPushButton::clicked, this, [this] { CancelRequested = true; });
    FormCreate();
}

TFinalForm::~TFinalForm() {
    auto& forms = LiveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

std::array<QWidget*, 8> TFinalForm::PaintBoxes() const {
    return {ui_->PaintBox2, ui_->PaintBox3, ui_->PaintBox4, ui_->PaintBox5,
            ui_->PaintBox6, ui_->PaintBox7, ui_->PaintBox8, ui_->PaintBox9};
}

void TFinalForm::FormCreate() {
    const QRect area = PlacementArea();
    const TPoint place = ResultWindowPlace({area.width(), area.height()}, ClockSeededRandom());
    move(area.left() + place.X, area.top() + place.Y);
    // The formula lets the designed window reach past the right edge.
    KeepOnScreen(*this);
    if (!Japanese)
        SetEnglishCaptions();
    // Panel2 fills the client area above Panel1 through the form's layout.
}

void TFinalForm::SetEnglishCaptions() {
    setWindowTitle(English("FinalForm"));
    ui_->KFile->setTitle(English("KFile"));
    ui_->KFileSaveAs->setText(English("KFileSaveAs"));
    ui_->KFileClipboard->setText(English("KFileClipboard"));
    ui_->KView->setTitle(English("KView"));
    ui_->KView1->setText(English("KView1"));
    ui_->KView4->setText(English("KView4"));
    ui_->KView9->setText(English("KView9"));
    ui_->KViewFit->setText(English("KViewFit"));
    ui_->KView25->setText(English("KView25"));
    ui_->KView50->setText(English("KView50"));
    ui_->KView100->setText(English("KView100"));
    ui_->KView200->setText(English("KView200"));
    ui_->KViewZoomIn->setText(English("KViewZoomIn"));
    ui_->KViewZoomOut->setText(English("KViewZoomOut"));
    ui_->KViewInformation->setText(English("KViewInformation"));
    ui_->Button1->setText(English("Button1"));
}

void TFinalForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TFinalForm::FormResize() {
    const int clientWidth = ui_->Client->width();
    if (clientWidth < kLeastResultClientWidth) {
        resize(width() + kLeastResultClientWidth - clientWidth, height());
        return;
    }
    ui_->Button1->move((ui_->Panel1->width() - ui_->Button1->width()) / 2, ui_->Button1->y());
    // A fitted view follows the window as the user sizes it.
    if (zoom_ == kZoomToFit && !layingOut_)
        LayOutView(false);
}

void TFinalForm::keyPressEvent(QKeyEvent* event) {
    // Esc presses Cancel while it is there to press.
    if (event->key() == Qt::Key_Escape && ui_->Panel1->isVisible()) {
        ui_->Button1->click();
        return;
    }
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
    if (!event->isAccepted())
        return;
    // A closed window is never shown again. During a run the run still needs the window
    // and writes its file; what it would show is then never made.
    closed_ = true;
    if (!converting_)
        ReleasePictures();
    // A file the run or a save still writes or reads goes when they end.
    if (!converting_ && !saving_)
        RemoveResultFile();
}

void TFinalForm::RemoveResultFile() {
    if (!resultFile_.empty())
        std::remove(resultFile_.c_str());
}

void TFinalForm::ReleasePictures() {
    picture_ = QImage();
    ui_->Image1->hide();
    for (QWidget* box : PaintBoxes())
        box->hide();
    ui_->Canvas->resize(0, 0);
    // The platform window goes too, with the painting buffer of the window's size that it
    // keeps while hidden; not from inside its own close, which it is still handling.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (closed_ && !isVisible())
                destroy();
        },
        Qt::QueuedConnection);
}

void TFinalForm::Convert() {
    if (started_)
        return;
    started_ = true;
    pictureFile_ = state_.SourceFile;
    setWindowTitle(Text(NumberedCaption(windowTitle().toStdString(), ResultNumber)));
    ResultBitmap = std::make_unique<THandyBitmap>();
    CancelRequested = false;
    const bool shown = RunConversion();
    ResultBitmap.reset();
    if (!shown)
        close();
}

bool TFinalForm::RunConversion() {
    // The main window has closed: nothing is left to convert.
    if (!state_.TemporaryFiles)
        return false;
    // Held to the end: the picture, the engine and the folder must outlast the run.
    const ConversionGuard::Running running(state_.Conversions);
    const TSlanter& engine = state_.PatternEngine;
    const THandyBitmap& source = state_.SourceBitmap;
    const TPoint tile = engine.PatternSize(engine.PatternIndex());
    const int depth = ResultDepth(source, Smoothing);
    // Known before any work: a tile whose pixel data no BMP file can hold.
    if (!ResultFitsInFile(tile, depth)) {
        Message(TileTooLargeText(Japanese, tile.X, tile.Y, depth));
        return false;
    }
    resultFile_ = ChooseResultFile();
    if (resultFile_.empty()) {
        Message(NoResultFileText(Japanese));
        return false;
    }
    converting_ = true;
    ShowProgressPanel();
    ui_->Image1->resize(tile.X, tile.Y);

    RunHooks hooks;
    hooks.keepGoing = [this] {
        ProcessPendingMessages();
        return !CancelRequested && !state_.Conversions.StopRequested();
    };
    hooks.showProgress = [this](const ColumnProgress& progress) {
        ui_->ProgressBar1->setValue(progress.percent);
        ui_->Label1->setText(QString::number(ui_->ProgressBar1->value()) + QStringLiteral("%"));
        ui_->Label2->setText(Text(EstimateText(progress.estimateSeconds, Japanese)));
    };
    hooks.clock = clock_;
    const RunOutcome outcome = ComputeResult(engine, source, Smoothing, *ResultBitmap, hooks);
    if (outcome == RunOutcome::OutOfMemory)
        Message(ResultOutOfMemoryText(Japanese, tile.X, tile.Y));
    const bool shown = outcome == RunOutcome::Finished && ShowResult();
    converting_ = false;
    return shown;
}

void TFinalForm::ShowProgressPanel() {
    show();
    raise();
    ResizeOnScreen(*this, QSize(width() + kBarWidth - ui_->ProgressBar1->width(),
                                height() + kBarHeight - ui_->ProgressBar1->height()));
    // Drawn before the work starts, which lets events run only between columns.
    repaint();
}

bool TFinalForm::ShowResult() {
    state_.TemporaryFiles->Writing(resultFile_);
    // Through a temporary file and a rename, as every save: a full disk leaves no partial
    // file behind, and the message says why.
    if (const std::string reason = WriteResultFile(*ResultBitmap, resultFile_); !reason.empty()) {
        Message(ResultNotWrittenText(Japanese, resultFile_, reason));
        return false;
    }
    const TSlanter& engine = state_.PatternEngine;
    InfoText = ResultInfoText(Japanese, engine.Horizontal(), engine.RightUp(), Smoothing,
                              ResultBitmap->biWidth(), ResultBitmap->biHeight(),
                              ResultBitmap->biBitCount());
    // The file holds the result now: freed before it is read back, so that the largest
    // results never need room for two records at once.
    ResultBitmap.reset();
    // Closed during the run: nothing is left to show, and no command reaches the file.
    if (closed_) {
        ReleasePictures();
        RemoveResultFile();
        return true;
    }
    ReadBackPicture loaded = ReadResultPicture(resultFile_);
    if (loaded.image.isNull()) {
        Message(ResultNotReadText(Japanese, resultFile_, loaded.error));
        return false;
    }
    picture_ = std::move(loaded.image);
    ui_->KFile->setEnabled(true);
    ui_->KView->setEnabled(true);
    ui_->Panel1->hide();
    ui_->Panel2->hide();
    ui_->ClientArea->show();
    ui_->Image1->show();
    KViewClick(ui_->KView1);
    return true;
}

std::string TFinalForm::ChooseResultFile() const {
    const TemporaryPictures* folder = state_.TemporaryFiles.get();
    if (folder == nullptr || folder->Folder().empty())
        return {};
    const std::string name =
        ChooseResultFileName(ResultNumber, [this, folder](const std::string& name) {
            return NeededElsewhere(folder->FileName(name));
        });
    return name.empty() ? name : folder->FileName(name);
}

bool TFinalForm::NeededElsewhere(const std::string& fileName) const {
    if (fileName == state_.WorkingFile)
        return true;
    // A closed window shows its result no more, so its file may go.
    return std::any_of(LiveForms().begin(), LiveForms().end(), [&](const TFinalForm* form) {
        return form != this && form->resultFile_ == fileName &&
               (form->isVisible() || form->converting_);
    });
}

void TFinalForm::KViewClick(QAction* sender) {
    if (picture_.isNull())
        return;
    view_ = sender == ui_->KView9 ? 9 : sender == ui_->KView4 ? 4 : 1;
    LayOutView(true);
    ui_->KView1->setChecked(view_ == 1);
    ui_->KView4->setChecked(view_ == 4);
    ui_->KView9->setChecked(view_ == 9);
    CheckZoom();
}

void TFinalForm::KViewZoomClick(int zoom) {
    // Nothing to zoom before the result is shown (the keys may reach a disabled menu).
    if (picture_.isNull())
        return;
    zoom_ = zoom;
    LayOutView(true);
    CheckZoom();
}

void TFinalForm::KViewZoomStep(int step) {
    if (picture_.isNull())
        return;
    const TPoint grid = ViewClientSize(view_, {picture_.width(), picture_.height()});
    const int fitted = grid.X > 0 ? static_cast<int>(std::int64_t{shown_.X} * 100 / grid.X) : 100;
    const int next = NextZoom(zoom_, step, fitted);
    if (next != zoom_)
        KViewZoomClick(next);
}

void TFinalForm::CheckZoom() {
    ui_->KViewFit->setChecked(zoom_ == kZoomToFit);
    ui_->KView25->setChecked(zoom_ == 25);
    ui_->KView50->setChecked(zoom_ == 50);
    ui_->KView100->setChecked(zoom_ == 100);
    ui_->KView200->setChecked(zoom_ == 200);
}

QSize TFinalForm::LargestClient(qreal ratio) const {
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize around = size() - ui_->Client->size(); // the menu bar
    const QSize client = AvailableArea(*this).size() - frame - around;
    return {static_cast<int>(std::floor(client.width() * ratio)),
            static_cast<int>(std::floor(client.height() * ratio))};
}

void TFinalForm::LayOutView(bool sizeWindow) {
    if (picture_.isNull())
        return;
    // Sampled a cell at a time; other kinds of picture than these two become colours.
    if (picture_.format() != QImage::Format_Indexed8 && picture_.depth() != 32)
        picture_ = picture_.convertToFormat(QImage::Format_RGB32);
    layingOut_ = true;
    if (sizeWindow)
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    // One picture pixel to one pixel of the display at 100%, at any display scale: the
    // grid is laid in device pixels and each tile covers its cell's.
    const qreal ratio = devicePixelRatioF();
    const TPoint size{picture_.width(), picture_.height()};
    QSize room = LargestClient(ratio);
    if (!sizeWindow)
        room = DeviceCover(QRect(QPoint(0, 0), ui_->Client->size()), ratio).size();
    shown_ = ZoomedViewSize(view_, size, zoom_, {room.width(), room.height()});
    const auto boxes = PaintBoxes();
    const std::vector<TileCell> tiles = ViewTiles(view_, size);
    const auto boxOf = [&boxes](const TileCell& tile) {
        return boxes[static_cast<std::size_t>(tile.paintBox - 2)];
    };
    ui_->Image1->setGeometry(LogicalCover(CellOfTile(1), ratio));
    for (QWidget* box : boxes)
        box->hide();
    for (const TileCell& tile : tiles) {
        boxOf(tile)->setGeometry(LogicalCover(CellOfTile(tile.paintBox), ratio));
        boxOf(tile)->show();
    }
    const QSize client = LogicalCover(QRect(0, 0, shown_.X, shown_.Y), ratio).size();
    ui_->Canvas->resize(client);

    if (sizeWindow) {
        // No scroll bar may take room while the window is fitted; afterwards they show
        // what did not fit on the screen.
        QScrollArea& area = *ui_->ClientArea;
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Twice: the menu bar's height may change with the width.
        for (int pass = 0; pass < 2; ++pass) {
            ResizeOnScreen(*this, QSize(width() + client.width() - ui_->Client->width(), height()));
            ResizeOnScreen(*this,
                           QSize(width(), height() + client.height() - ui_->Client->height()));
        }
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    layingOut_ = false;

    ui_->Image1->update();
    for (const TileCell& tile : tiles)
        boxOf(tile)->repaint();
}

QRect TFinalForm::CellOfTile(int box) const {
    const TPoint size{picture_.width(), picture_.height()};
    const ZoomedCell cell =
        ZoomedTileCell(view_, size, shown_, (box - 1) % kGridSide, (box - 1) / kGridSide);
    return {cell.topLeft.X, cell.topLeft.Y, cell.size.X, cell.size.Y};
}

void TFinalForm::PaintBoxPaint(QWidget* sender) {
    const int box = TileNumber(sender);
    if (box != 0)
        PaintTile(box, sender->rect());
}

int TFinalForm::TileNumber(const QObject* tile) const {
    if (tile == ui_->Image1)
        return 1;
    const auto boxes = PaintBoxes();
    const auto box = std::find(boxes.begin(), boxes.end(), tile);
    return box == boxes.end() ? 0 : static_cast<int>(box - boxes.begin()) + 2;
}

QWidget* TFinalForm::Tile(int box) const {
    return box == 1 ? static_cast<QWidget*>(ui_->Image1)
                    : PaintBoxes()[static_cast<std::size_t>(box - 2)];
}

void TFinalForm::PaintTile(int box, const QRect& exposed) {
    if (picture_.isNull())
        return;
    QWidget* tile = Tile(box);
    const qreal ratio = tile->devicePixelRatioF();
    // In the canvas's device pixels: only what is exposed, straight from the one picture.
    const QRect cell = CellOfTile(box);
    const QRect shown = DeviceCover(exposed.translated(tile->pos()), ratio).intersected(cell);
    if (shown.isEmpty())
        return;
    QPainter painter(tile);
    painter.translate(-tile->pos());
    painter.scale(1 / ratio, 1 / ratio);
    painter.drawImage(shown.topLeft(), SampledPart(picture_, view_, shown_, shown));
}

void TFinalForm::KFileSaveAsClick() {
    SaveDialogSettings settings;
    settings.folder = QFile::decodeName(QByteArray::fromStdString(
        SaveDialogFolder(ReadSetting("Folder", "SavePath", "").Text(), pictureFile_)));
    settings.filter = ResultSaveFilter(Japanese);
    settings.defaultSuffix = QStringLiteral("bmp");
    const auto chosen = RunSaveDialog(this, settings);
    if (!chosen)
        return;
    SaveResultAs(QFile::encodeName(*chosen).toStdString());
}

void TFinalForm::SaveResultAs(const std::string& fileName) {
    if (saving_)
        return;
    if (const std::string refusal = ResultSaveRefusal(Japanese, resultFile_, fileName);
        !refusal.empty()) {
        Message(refusal);
        return;
    }
    saving_ = true;
    ui_->KFileSaveAs->setEnabled(false);
    const std::string reason = RunSaveInBackground(
        *this, Japanese ? QStringLiteral("キャンセル") : QStringLiteral("Cancel"),
        [resultFile = resultFile_, fileName](SaveControl& control) {
            ResultFileWriting writing;
            writing.progress = [&control](double done) {
                control.permille = static_cast<int>(done * 1000);
                return !control.cancelled.load();
            };
            return SaveResultFile(
                resultFile, fileName, [&control] { return !control.cancelled.load(); }, writing);
        });
    ui_->KFileSaveAs->setEnabled(true);
    saving_ = false;
    // The window was closed meanwhile: its result file goes now that nothing reads it.
    if (closed_)
        RemoveResultFile();
    if (reason == kWriteStopped)
        return;
    if (!reason.empty()) {
        Message(ResultNotSavedText(Japanese, fileName, reason));
        return;
    }
    // Only a folder a result really went to is offered by the next save.
    WriteSetting("Folder", "SavePath", FolderPart(fileName));
}

void TFinalForm::KFileClipboardClick() {
    PutClipboardBitmap(picture_);
}

void TFinalForm::KViewInformationClick() {
    AppMessageBox(Text(InfoText), kInformationBox, Text(BitmapInformationCaption(Japanese)));
}

void TFinalForm::Message(const std::string& text) {
    AppMessageBox(Text(text), kWarningBox);
}

} // namespace slanter
