#include "shell/qt/OpenForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "shell/General.h"
#include "shell/InfoTexts.h"
#include "shell/ScreenFit.h"
#include "ui_OpenForm.h"

namespace slanter {

std::unique_ptr<TOpenForm> OpenForm;

namespace {

// How long the splash waits for the window system to show it, at most.
constexpr qint64 kMappingWaitMs = 2000;

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
    // A window manager gives a dialog its title-bar buttons whatever the window asks
    // for; a splash it shows as it is, without border icons. The border is drawn here.
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::OpenForm>()) {
    ui_->setupUi(this);
}

void TOpenForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
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

    const QSize window = frameGeometry().size();
    const ScreenRect place =
        SplashPlace(screen.width(), screen.height(), window.width(), window.height());
    move(place.left, place.top);
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
    // The message loop is not running yet while the main window is built: paint now. A
    // window manager maps the window in its own time, and what is painted before that is
    // lost; so wait for the mapping (a while at most), paint, and see it to the screen.
    QElapsedTimer waited;
    waited.start();
    const QWindow* window = OpenForm->windowHandle();
    while (window != nullptr && !window->isExposed() && waited.elapsed() < kMappingWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    OpenForm->repaint();
    QGuiApplication::sync();
}

void HideSplash() {
    if (OpenForm)
        OpenForm->close();
}

void FreeSplash() {
    OpenForm.reset();
}

} // namespace slanter
