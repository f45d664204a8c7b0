#include "method/MethodForm.h"

#include <QCloseEvent>

#include "engine/Slanter.h"
#include "preview/PreviewForm.h"
#include "shell/FormPlacement.h"
#include "shell/General.h"
#include "shell/GeneralError.h"
#include "shell/SharedObjects.h"
#include "ui_MethodForm.h"

namespace slanter {

TMethodForm* MethodForm = nullptr;

namespace {

// The form file keeps the designed size only; the designed position is set here.
constexpr QPoint kDesignedPosition(25, 155);

} // namespace

TMethodForm::TMethodForm(QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::MethodForm>()) {
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
    FormCreate();
}

TMethodForm::~TMethodForm() = default;

void TMethodForm::FormCreate() {
    RunGuarded([this] { RestoreFormPlacement(*this); });
    if (!Japanese)
        setWindowTitle(QStringLiteral("Method"));
}

void TMethodForm::RefreshList() {
    if (PatternEngine != nullptr && PatternEngine->PatternCount() > 0 && PreviewForm != nullptr)
        PreviewForm->hide();
}

void TMethodForm::BringToFront() {
    show();
    raise();
    activateWindow();
}

void TMethodForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TMethodForm::FormClose() {
    // The preview window goes first, then this window saves its own placement.
    if (PreviewForm != nullptr)
        PreviewForm->close();
    RunGuarded([this] { SaveFormPlacement(*this); });
}

} // namespace slanter
