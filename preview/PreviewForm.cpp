#include "preview/PreviewForm.h"

#include <QCloseEvent>

#include "shell/FormPlacement.h"
#include "shell/General.h"
#include "shell/GeneralError.h"
#include "ui_PreviewForm.h"

namespace slanter {

TPreviewForm* PreviewForm = nullptr;

namespace {

// Beside the method window's designed place, so the two do not cover each other.
constexpr QPoint kDesignedPosition(496, 155);

} // namespace

TPreviewForm::TPreviewForm(QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::PreviewForm>()) {
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
    FormCreate();
}

TPreviewForm::~TPreviewForm() = default;

void TPreviewForm::FormCreate() {
    RunGuarded([this] { RestoreFormPlacement(*this); });
    if (!Japanese)
        setWindowTitle(QStringLiteral("Preview"));
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TPreviewForm::FormClose() {
    RunGuarded([this] { SaveFormPlacement(*this); });
}

} // namespace slanter
