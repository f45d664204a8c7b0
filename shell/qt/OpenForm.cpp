#include "shell/qt/OpenForm.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

#include "shell/General.h"
#include "shell/InfoTexts.h"
#include "ui_OpenForm.h"

namespace slanter {

std::unique_ptr<TOpenForm> OpenForm;

namespace {

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

// The icon as the platform's standard icon size shows it; null when the program has none.
QPixmap ApplicationIcon() {
    return QApplication::windowIcon().pixmap(QSize(32, 32));
}

} // namespace

TOpenForm::TOpenForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::OpenForm>()) {
    ui_->setupUi(this);
}

TOpenForm::~TOpenForm() = default;

void TOpenForm::Arrange(const QPixmap& icon, const QString& title, const QString& version,
                        const QSize& screen) {
    QLabel* image = ui_->Image1;
    if (!icon.isNull()) {
        image->setPixmap(icon);
        image->resize(icon.deviceIndependentSize().toSize());
    }
    ui_->Label1->setText(title);
    ui_->Label2->setText(version);
    ui_->Label1->adjustSize();
    ui_->Label2->adjustSize();
    ui_->Label1->move(2 * image->x() + image->width(), ui_->Label1->y());
    ui_->Label2->move(ui_->Label1->x(), ui_->Label2->y());

    const QLabel* wider = ui_->Label1->width() > ui_->Label2->width() ? ui_->Label1 : ui_->Label2;
    setFixedSize(wider->x() + wider->width() + image->x(), 2 * image->y() + image->height());

    // One third of the free space, not the middle; division truncates toward zero.
    const QSize window = frameGeometry().size();
    move((screen.width() - window.width()) / 3, (screen.height() - window.height()) / 3);
}

void ShowSplash() {
    if (!OpenForm) {
        OpenForm = std::make_unique<TOpenForm>();
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, FreeSplash);
    }
    OpenForm->Arrange(
        ApplicationIcon(), QString::fromStdString(Title),
        QString::fromStdString(VersionNumberText(MajorVersion, MinorVersion, Revision)),
        ScreenSize());
    OpenForm->show();
    // The message loop is not running yet while the main window is built: paint now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    OpenForm->repaint();
}

void HideSplash() {
    if (OpenForm)
        OpenForm->close();
}

void FreeSplash() {
    OpenForm.reset();
}

} // namespace slanter
