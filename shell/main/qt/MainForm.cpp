#include "shell/main/qt/MainForm.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeySequence>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScrollArea>
#include <QStyle>
#include <QUrl>

#include "bitmap/Checkerboard.h"
#include "method/qt/MethodForm.h"
#include "shell/LaunchState.h"
#include "shell/ProgramState.h"
#include "shell/RecentFiles.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/MessageBox.h"
#include "shell/qt/OpenForm.h"
#include "shell/qt/PictureFiles.h"
#include "shell/qt/PixelExactPicture.h"
#include "shell/qt/ResultPicture.h"
#include "shell/qt/WindowKeys.h"
#include "shell/qt/WindowOnScreen.h"
#include "ui_MainForm.h"

namespace slanter {

TMainForm* MainForm = nullptr;

namespace {

// The form file keeps the designed size only; the designed position is set here.
constexpr QPoint kDesignedPosition(24, 21);
// The client area is never narrower, nor narrower than its menu bar needs.
constexpr int kLeastClientWidth = 100;

// The local files among dropped URLs, in their order.
std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            // The path's own bytes: a name that is no UTF-8 stays percent-encoded in the URL.
            files.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                                .toStdString());
    return files;
}

} // namespace

TMainForm::TMainForm(ProgramState& state, std::string commandLine)
    : ui_(std::make_unique<Ui::MainForm>()), services_(this),
      presenter_(state, services_, *this, std::move(commandLine)) {
    // The main window is the program's first.
    KeepFramesOnScreen();
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
    shownPicture_ = new PixelExactPicture(*ui_->Image1); // freed with Image1
    // Beside a picture smaller than the window the form's own colour shows.
    ui_->ClientArea->viewport()->setBackgroundRole(QPalette::Window);
    NameSeparators();
    for (const MainCommand& command : MainMenuCommands()) {
        auto* action = findChild<QAction*>(QString::fromUtf8(command.item));
        connect(action, &QAction::triggered, this,
                [this, run = command.run] { (presenter_.*run)(); });
    }
    // The platform's own keys for the commands that mean the same.
    ui_->KFileOpen->setShortcuts(QKeySequence::Open);
    ui_->KFileClipboard->setShortcuts(QKeySequence::Paste);
    ui_->KFileExit->setShortcuts(
        PlatformKeysOr(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    // Opening and quitting concern the whole program: their keys act in each of its windows.
    ui_->KFileOpen->setShortcutContext(Qt::ApplicationShortcut);
    ui_->KFileExit->setShortcutContext(Qt::ApplicationShortcut);
    setAcceptDrops(true);
}

TMainForm::~TMainForm() = default;

void TMainForm::NameSeparators() {
    // The form file cannot name separators; the menus' own names follow their places.
    const auto name = [](QMenu* menu, const QStringList& names) {
        qsizetype next = 0;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() && next < names.size())
                action->setObjectName(names[next++]);
        }
    };
    name(ui_->KFile, {QStringLiteral("KFileN1")});
    name(ui_->KHelp, {QStringLiteral("KHelpN1"), QStringLiteral("KHelpN2")});
    if (auto* separator = findChild<QAction*>(QStringLiteral("KHelpN2")))
        separator->setVisible(false);
}

void TMainForm::ShowSplash() {
    slanter::ShowSplash();
}

void TMainForm::HideSplash() {
    slanter::HideSplash();
}

bool TMainForm::Build(bool eraseSettingsCommand) {
    if (eraseSettingsCommand) {
        ui_->KHelpDeleteRegistry->setVisible(true);
        if (auto* separator = findChild<QAction*>(QStringLiteral("KHelpN2")))
            separator->setVisible(true);
    }
    return true;
}

void TMainForm::SetCaption(std::string_view item, const std::string& text) {
    const QString name = QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    if (auto* menu = findChild<QMenu*>(name))
        menu->setTitle(QString::fromStdString(text));
    else if (auto* action = findChild<QAction*>(name))
        action->setText(QString::fromStdString(text));
}

void TMainForm::Present() {
    // Qt does not wrap a menu bar: a window narrower than its menus would hide some.
    setMinimumWidth(MenuBarWidth());
    show();
    raise();
    activateWindow();
}

void TMainForm::RestorePlacement() {
    RestoreFormPlacement(*this);
}

void TMainForm::SavePlacement() {
    SaveFormPlacement(*this);
}

void TMainForm::CloseLater() {
    QMetaObject::invokeMethod(
        this,
        [window = QPointer<TMainForm>(this)] {
            if (window)
                window->close();
        },
        Qt::QueuedConnection);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    switch (presenter_.Close()) {
    case MainPresenter::CloseAnswer::Wait:
        event->ignore();
        return;
    case MainPresenter::CloseAnswer::Closed:
        event->accept();
        emit Closed();
        return;
    case MainPresenter::CloseAnswer::AlreadyClosed:
        event->accept();
        return;
    }
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = LocalFiles(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    // The boxes the opening raises wait until the drop has been answered, so that the
    // program the file was dragged from is not held until OK is pressed.
    struct Box {
        QString text;
        int flags;
        QString caption;
    };
    std::vector<Box> held;
    const MessageBoxShower previous =
        SetMessageBoxShower([&held](const QString& text, int flags, const QString& caption) {
            held.push_back({text, flags, caption});
            return kOkButton;
        });
    presenter_.OpenDropped(files);
    SetMessageBoxShower(previous);
    for (const Box& box : held)
        QMetaObject::invokeMethod(
            this,
            // The caption comes finished; AppMessageBox puts back the two blanks it takes.
            [box] { AppMessageBox(box.text, box.flags, box.caption.mid(2)); },
            Qt::QueuedConnection);
}

void TMainForm::ShowRecentFiles(const std::vector<std::string>& captions) {
    // The entries are made once, owned by the window; the menu holds those in use.
    if (recentActions_.empty()) {
        for (std::size_t k = 0; k < kMostRecentFiles; ++k) {
            auto* action = new QAction(this);
            action->setObjectName(QStringLiteral("KFileRecent%1").arg(k + 1));
            connect(action, &QAction::triggered, this, [this, k] { presenter_.OpenRecent(k); });
            recentActions_.push_back(action);
        }
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        separator->setObjectName(QStringLiteral("KFileN2"));
        recentActions_.push_back(separator);
    }
    for (QAction* action : recentActions_)
        ui_->KFile->removeAction(action);
    if (captions.empty())
        return;
    for (std::size_t k = 0; k < captions.size() && k < kMostRecentFiles; ++k) {
        recentActions_[k]->setText(QFile::decodeName(QByteArray::fromStdString(captions[k])));
        ui_->KFile->insertAction(ui_->KFileExit, recentActions_[k]);
    }
    ui_->KFile->insertAction(ui_->KFileExit, recentActions_.back());
}

std::string TMainForm::ShowPicture(const std::string& workingFile, const THandyBitmap& read) {
    // The picture our reader read from the working file, so that the window shows what is
    // converted at every size our reader takes; Qt's readers stop at 16384 x 16384 pixels.
    // Clear parts show over the checkerboard, from what the picture keeps. A file our
    // reader refused is shown as Qt decodes it.
    THandyBitmap checkered;
    const THandyBitmap& toShow = PictureToShow(read, checkered);
    QImage picture = toShow.biWidth() > 0 ? PictureOf(toShow) : QImage();
    if (picture.isNull()) {
        const DecodedPicture shown = DecodePicture(workingFile);
        if (shown.image.isNull())
            return shown.error.toStdString();
        picture = OnWhite(shown.image);
    }
    shownPicture_->SetPicture(picture);
    ui_->Image1->resize(picture.size());
    FitToImage();
    return {};
}

void TMainForm::ShowAsLaunched(int showCommand) {
    Qt::WindowStates state = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    switch (LaunchStateOf(showCommand)) {
    case LaunchState::Minimized:
        state |= Qt::WindowMinimized;
        break;
    case LaunchState::Maximized:
        state |= Qt::WindowMaximized;
        break;
    case LaunchState::Normal:
        break;
    }
    setWindowState(state);
}

void TMainForm::FitToImage() {
    // Leaving the maximized state, the window goes back to the user's normal place; a
    // window manager takes its time with the state, so the place is given with each size
    // here, or the maximized origin would be sent along and kept.
    const QRect normal = normalGeometry();
    const QPoint origin = (windowState() & Qt::WindowMaximized) && normal.isValid()
                              ? normal.topLeft()
                              : geometry().topLeft();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const QSize picture = ui_->Image1->size();
    QScrollArea& area = *ui_->ClientArea;
    // The client area is the whole scroll area. Its scroll bars stay out while the window
    // is fitted, or a bar shown at a step on the way would keep taking room at the end;
    // afterwards they show only what the window could not be made large enough for.
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Each pass changes the outer size by what the client lacks; the menu bar's height
    // may change with the width, so the passes repeat until both sides have settled. No
    // pass takes the window past the usable area of its screen.
    const int leastWidth = std::max(kLeastClientWidth, MenuBarWidth());
    const auto widthPass = [&] {
        const int wanted = std::max(picture.width(), leastWidth);
        ResizeOnScreen(*this, QSize(width() + wanted - area.width(), height()), origin);
    };
    const auto heightPass = [&] {
        ResizeOnScreen(*this, QSize(width(), height() + picture.height() - area.height()), origin);
    };
    widthPass();
    heightPass();
    widthPass();
    heightPass();
    heightPass();
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int TMainForm::MenuBarWidth() const {
    // Qt lays every menu out at its full size and hides the ones that do not fit behind
    // an extension button; the bar needs room up to the right edge of the last one.
    const QMenuBar& bar = *ui_->MainMenu1;
    int right = 0;
    for (QAction* menu : bar.actions()) {
        if (menu->isVisible())
            right = std::max(right, bar.actionGeometry(menu).right() + 1);
    }
    const int margin = bar.style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, &bar) +
                       bar.style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, &bar);
    return right + margin;
}

} // namespace slanter
