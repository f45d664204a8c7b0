#include "conversion/qt/FinalForm.h"

#include <algorithm>
#include <array>
#include <vector>

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>

#include "bitmap/HandyBitmap.h"
#include "conversion/ConversionRun.h"
#include "conversion/Progress.h"
#include "conversion/ResultFileChoice.h"
#include "conversion/ResultPlacement.h"
#include "conversion/ResultShape.h"
#include "conversion/ResultTexts.h"
#include "conversion/ResultViews.h"
#include "engine/Slanter.h"
#include "shell/ConversionGuard.h"
#include "shell/FileCopy.h"
#include "shell/FileFound.h"
#include "shell/General.h"
#include "shell/MainTexts.h"
#include "shell/ProgramIdentity.h"
#include "shell/SharedObjects.h"
#include "shell/TemporaryPictures.h"
#include "shell/qt/Clipboard.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/MessageBox.h"
#include "shell/qt/PendingMessages.h"
#include "shell/qt/PictureFiles.h"
#include "shell/qt/SaveDialog.h"
#include "shell/qt/SettingsStore.h"
#include "ui_FinalForm.h"

namespace slanter {

namespace {

// The progress bar's size while the conversion runs.
constexpr int kBarWidth = 200;
constexpr int kBarHeight = 16;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

TPoint ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize();
    return {size.width(), size.height()};
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

TFinalForm::TFinalForm(QObject* owner) : ui_(std::make_unique<Ui::FinalForm>()) {
    ui_->setupUi(this);
    if (owner != nullptr)
        new OwnerLink(owner, this); // owned by `owner`
    LiveForms().push_back(this);
    ui_->ClientArea->viewport()->setBackgroundRole(QPalette::Window);
    ui_->ClientArea->hide();
    ui_->Image1->hide();
    for (QWidget* box : PaintBoxes()) {
        box->hide();
        box->installEventFilter(this);
    }
    ui_->KFile->setEnabled(false);
    ui_->KView->setEnabled(false);
    // The form file cannot name separators.
    for (QAction* action : ui_->KView->actions()) {
        if (action->isSeparator())
            action->setObjectName(QStringLiteral("KViewN1"));
    }

    // A command that fails in a platform layer ends in the general error box.
    const auto route = [this](QAction* action, const std::function<void()>& command) {
        connect(action, &QAction::triggered, this, [command] { RunGuarded(command); });
    };
    route(ui_->KFileSaveAs, [this] { KFileSaveAsClick(); });
    route(ui_->KFileClipboard, [this] { KFileClipboardClick(); });
    route(ui_->KView1, [this] { KViewClick(ui_->KView1); });
    route(ui_->KView4, [this] { KViewClick(ui_->KView4); });
    route(ui_->KView9, [this] { KViewClick(ui_->KView9); });
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
    const TPoint place = ResultWindowPlace(ScreenSize(), ClockSeededRandom());
    move(place.X, place.Y);
    if (!Japanese)
        SetEnglishCaptions();
    // Panel2 fills the client area above Panel1 through the form's layout.
}

void TFinalForm::SetEnglishCaptions() {
    setWindowTitle(QStringLiteral("Converted"));
    ui_->KFile->setTitle(QStringLiteral("&File"));
    ui_->KFileSaveAs->setText(QStringLiteral("Save &As ..."));
    ui_->KFileClipboard->setText(QStringLiteral("Copy to &Clip Board"));
    ui_->KView->setTitle(QStringLiteral("&View"));
    ui_->KView1->setText(QStringLiteral("show &1"));
    ui_->KView4->setText(QStringLiteral("tile &4"));
    ui_->KView9->setText(QStringLiteral("tile &9"));
    ui_->KViewInformation->setText(QStringLiteral("Bitmap &Information"));
    ui_->Button1->setText(QStringLiteral("Cancel"));
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
}

void TFinalForm::keyPressEvent(QKeyEvent* event) {
    // Esc presses Cancel while it is there to press.
    if (event->key() == Qt::Key_Escape && ui_->Panel1->isVisible()) {
        ui_->Button1->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TFinalForm::eventFilter(QObject* watched, QEvent* event) {
    const auto boxes = PaintBoxes();
    const auto box = std::find(boxes.begin(), boxes.end(), watched);
    if (event->type() == QEvent::Paint && box != boxes.end()) {
        PaintBoxPaint(*box);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFinalForm::Convert() {
    if (started_)
        return;
    started_ = true;
    setWindowTitle(Text(NumberedCaption(windowTitle().toStdString(), ResultNumber)));
    ResultBitmap = std::make_unique<THandyBitmap>();
    CancelRequested = false;
    const bool shown = RunConversion();
    ResultBitmap.reset();
    if (!shown)
        close();
}

bool TFinalForm::RunConversion() {
    if (PatternEngine == nullptr || SourceBitmap == nullptr)
        return false;
    // Held to the end: the picture, the engine and the folder must outlast the run.
    const ConversionRunning running;
    const TSlanter& engine = *PatternEngine;
    const THandyBitmap& source = *SourceBitmap;
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
        return !CancelRequested && !ConversionStopRequested();
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
    resize(width() + kBarWidth - ui_->ProgressBar1->width(),
           height() + kBarHeight - ui_->ProgressBar1->height());
    // Drawn before the work starts, which lets events run only between columns.
    repaint();
}

bool TFinalForm::ShowResult() {
    TemporaryFiles->Writing(resultFile_);
    if (!ResultBitmap->SaveToFile(resultFile_)) {
        Message(ResultNotWrittenText(Japanese, resultFile_, ResultBitmap->ErrorText()));
        return false;
    }
    const DecodedPicture loaded = DecodePicture(resultFile_);
    if (loaded.image.isNull()) {
        Message(ResultNotReadText(Japanese, resultFile_, loaded.error.toStdString()));
        return false;
    }
    picture_ = loaded.image;
    ui_->Image1->setPixmap(QPixmap::fromImage(picture_));
    const TSlanter& engine = *PatternEngine;
    InfoText = ResultInfoText(Japanese, engine.Horizontal(), engine.RightUp(), Smoothing,
                              ResultBitmap->biWidth(), ResultBitmap->biHeight(),
                              ResultBitmap->biBitCount());
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
    if (TemporaryFiles == nullptr || TemporaryFiles->Folder().empty())
        return {};
    const std::string name = ChooseResultFileName(ResultNumber, [this](const std::string& name) {
        return NeededElsewhere(TemporaryFiles->FileName(name));
    });
    return name.empty() ? name : TemporaryFiles->FileName(name);
}

bool TFinalForm::NeededElsewhere(const std::string& fileName) const {
    if (fileName == WorkingFile)
        return true;
    // A closed window shows its result no more, so its file may go.
    return std::any_of(LiveForms().begin(), LiveForms().end(), [&](const TFinalForm* form) {
        return form != this && form->resultFile_ == fileName &&
               (form->isVisible() || form->converting_);
    });
}

void TFinalForm::KViewClick(QAction* sender) {
    const int view = sender == ui_->KView9 ? 9 : sender == ui_->KView4 ? 4 : 1;
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const TPoint size{ui_->Image1->width(), ui_->Image1->height()};
    const auto boxes = PaintBoxes();
    const std::vector<TileCell> tiles = ViewTiles(view, size);
    const auto boxOf = [&boxes](const TileCell& tile) {
        return boxes[static_cast<std::size_t>(tile.paintBox - 2)];
    };
    for (QWidget* box : boxes)
        box->hide();
    for (const TileCell& tile : tiles) {
        boxOf(tile)->setGeometry(tile.topLeft.X, tile.topLeft.Y, size.X, size.Y);
        boxOf(tile)->show();
    }
    const TPoint client = ViewClientSize(view, size);
    ui_->Canvas->resize(client.X, client.Y);

    // No scroll bar may take room while the window is fitted; afterwards they show what
    // the window could not be made large enough for.
    QScrollArea& area = *ui_->ClientArea;
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Twice: the menu bar's height may change with the width.
    for (int pass = 0; pass < 2; ++pass) {
        resize(width() + client.X - ui_->Client->width(), height());
        resize(width(), height() + client.Y - ui_->Client->height());
    }
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    for (const TileCell& tile : tiles)
        boxOf(tile)->repaint();
    ui_->KView1->setChecked(view == 1);
    ui_->KView4->setChecked(view == 4);
    ui_->KView9->setChecked(view == 9);
}

void TFinalForm::PaintBoxPaint(QWidget* sender) {
    const QPixmap picture = ui_->Image1->pixmap();
    const QRect client(QPoint(0, 0), ui_->Client->size());
    QPainter painter(sender);
    painter.drawPixmap(QPoint(0, 0), picture, client.intersected(picture.rect()));
}

void TFinalForm::KFileSaveAsClick() {
    SaveDialogSettings settings;
    settings.folder =
        QFile::decodeName(QByteArray::fromStdString(ReadSetting("Folder", "SavePath", "").Text()));
    // The same files as the open dialog offers.
    settings.filter = OpenDialogFilter(Japanese);
    settings.defaultSuffix = QStringLiteral("bmp");
    const auto chosen = RunSaveDialog(this, settings);
    if (!chosen)
        return;
    SaveResultAs(QFile::encodeName(*chosen).toStdString());
}

void TFinalForm::SaveResultAs(const std::string& fileName) {
    if (!FileFound(resultFile_))
        Message(ResultFileGoneText(Japanese, resultFile_));
    else if (!CopyFileReplacing(resultFile_, fileName))
        Message(ResultNotSavedText(Japanese, fileName));
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
