#include "method/qt/MethodForm.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

#include "conversion/qt/FinalForm.h"
#include "engine/Slanter.h"
#include "method/MethodLayout.h"
#include "method/MethodOptions.h"
#include "method/qt/CaptionFit.h"
#include "method/qt/DesignedFont.h"
#include "method/qt/PatternListDelegate.h"
#include "preview/qt/PreviewForm.h"
#include "shell/EnglishCaptions.h"
#include "shell/General.h"
#include "shell/ProgramState.h"
#include "shell/SettingsStore.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/WindowKeys.h"
#include "ui_MethodForm.h"

namespace slanter {

TMethodForm* MethodForm = nullptr;

namespace {

// The English caption of this form's item `item`.
QString English(std::string_view item) {
    return QString::fromStdString(EnglishCaption(CaptionForm::Method, item));
}

// The form file keeps the designed size only; the designed position is set here.
constexpr QPoint kDesignedPosition(25, 155);
constexpr int kListRowHeight = 15;
// The designed font is 12 pixels high, whatever resolution the screen reports.
constexpr int kFontPixels = 12;
// The size rules take at most these steps: the width, the height, the panel.
constexpr int kResizeSteps = 3;

// The window takes no input while a preview is drawn or a conversion runs, so that no
// second one can be started from it; it takes input again however the command ends.
// Disabling takes the focus away: it goes back to the list, so the arrow keys step on
// through the patterns.
class DisabledWhile {
  public:
    DisabledWhile(QWidget& window, QWidget& focusAfter) : window_(window), focusAfter_(focusAfter) {
        window_.setEnabled(false);
    }
    ~DisabledWhile() {
        window_.setEnabled(true);
        focusAfter_.setFocus(Qt::OtherFocusReason);
    }
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

  private:
    QWidget& window_;
    QWidget& focusAfter_;
};

BoxBounds BoundsOf(const QWidget& widget) {
    return {widget.x(), widget.y(), widget.width(), widget.height()};
}

// Checks the pair's first button or its second; checking one that was not checked runs
// its handler, as a click would.
void CheckPair(QRadioButton& first, QRadioButton& second, bool firstChecked) {
    (firstChecked ? first : second).setChecked(true);
}

} // namespace

TMethodForm::TMethodForm(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::MethodForm>()), state_(state) {
    SubstituteDesignedFont();
    ui_->setupUi(this);
    setGeometry(QRect(kDesignedPosition, size()));
    QFont designed = font();
    designed.setPixelSize(kFontPixels);
    setFont(designed);

    ui_->ListBox1->setItemDelegate(new PatternListDelegate(
        kListRowHeight,
        [this](QPainter& canvas, int index, const QRect& rect, const QStyleOptionViewItem& state) {
            ListBox1DrawItem(canvas, index, rect, state);
        },
        ui_->ListBox1));

    // A command that fails in a platform layer ends in the general error box.
    for (QRadioButton* button : {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3,
                                 ui_->RadioButton4, ui_->RadioButton7, ui_->RadioButton8}) {
        connect(button, &QRadioButton::toggled, this, [this, button](bool checked) {
            if (checked)
                RunGuarded([this, button] { RadioButtonClick(button); });
        });
    }
    connect(ui_->ListBox1, &QListWidget::itemSelectionChanged, this, [this] { ListBox1Click(); });
    connect(ui_->ListBox1, &QListWidget::itemDoubleClicked, this,
            [this] { RunGuarded([this] { ListBox1DblClick(); }); });
    connect(ui_->Button1, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { Button1Click(); }); });
    connect(ui_->Button2, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { Button2Click(); }); });
    connect(ui_->HeaderControl1, &QHeaderView::sectionResized, this,
            [this] { HeaderControl1SectionResize(); });
    CloseOnKeys(*this, {QKeySequence(Qt::Key_Escape)});
    FormCreate();
}

TMethodForm::~TMethodForm() = default;

void TMethodForm::FormCreate() {
    RunGuarded([this] { RestoreFormPlacement(*this); });

    // The list fills the panel below the header, which spans the panel's width.
    auto* panelLayout = new QVBoxLayout(ui_->Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    ui_->HeaderControl1->setFixedHeight(ui_->HeaderControl1->height());
    panelLayout->addWidget(ui_->HeaderControl1);
    panelLayout->addWidget(ui_->ListBox1, 1);

    RunGuarded([this] {
        ReadOptions();
        for (int section = 0; section < kStoredColumnCount; ++section) {
            const int stored = ReadSetting(objectName().toStdString(), ColumnWidthName(section),
                                           kDefaultColumnWidth)
                                   .Integer();
            ui_->HeaderControl1->resizeSection(section, ColumnWidthFromStore(stored));
        }
    });
    ResultCount_ = 0;
    if (!Japanese)
        SetEnglishCaptions();
    for (QGroupBox* box : {ui_->GroupBox1, ui_->GroupBox2, ui_->GroupBox3, ui_->GroupBox4})
        FitGroupBox(*box);
    // A hidden window hears of its size only when it shows; the panel is laid out now.
    for (int step = 0; step < kResizeSteps; ++step) {
        if (FormResize())
            break;
    }
}

void TMethodForm::ReadOptions() {
    const std::string section = objectName().toStdString();
    const auto firstChosen = [&section](const OptionSetting& setting) {
        return FirstButtonChosen(setting, ReadSetting(section, setting.name, setting.first).Text());
    };
    CheckPair(*ui_->RadioButton1, *ui_->RadioButton2, firstChosen(kRowSetting));
    CheckPair(*ui_->RadioButton3, *ui_->RadioButton4, firstChosen(kRotationSetting));
    CheckPair(*ui_->RadioButton5, *ui_->RadioButton6, firstChosen(kSmoothingSetting));
    CheckPair(*ui_->RadioButton7, *ui_->RadioButton8, firstChosen(kSortSetting));
}

void TMethodForm::SetEnglishCaptions() {
    setWindowTitle(English("MethodForm"));
    ui_->GroupBox1->setTitle(English("GroupBox1"));
    ui_->GroupBox2->setTitle(English("GroupBox2"));
    ui_->GroupBox3->setTitle(English("GroupBox3"));
    ui_->GroupBox4->setTitle(English("GroupBox4"));
    ui_->Button1->setText(English("Button1"));
    ui_->Button2->setText(English("Button2"));
    HeaderControl& header = *ui_->HeaderControl1;
    header.SetSectionCaption(0, English("HeaderControl1.0"));
    header.SetSectionCaption(1, English("HeaderControl1.1"));
    header.SetSectionCaption(2, English("HeaderControl1.2"));
    header.SetSectionCaption(3, English("HeaderControl1.3"));
    header.SetSectionCaption(4, English("HeaderControl1.4"));
    ui_->RadioButton1->setText(English("RadioButton1"));
    ui_->RadioButton2->setText(English("RadioButton2"));
    ui_->RadioButton3->setText(English("RadioButton3"));
    ui_->RadioButton4->setText(English("RadioButton4"));
    ui_->RadioButton5->setText(English("RadioButton5"));
    ui_->RadioButton6->setText(English("RadioButton6"));
    ui_->RadioButton7->setText(English("RadioButton7"));
    ui_->RadioButton8->setText(English("RadioButton8"));
}

void TMethodForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TMethodForm::FormClose() {
    // The preview window goes first, then this window saves its own settings.
    if (PreviewForm != nullptr)
        PreviewForm->close();
    RunGuarded([this] {
        SaveFormPlacement(*this);
        const std::string section = objectName().toStdString();
        WriteSetting(section, kRowSetting.name,
                     StoredOptionText(kRowSetting, ui_->RadioButton1->isChecked()));
        WriteSetting(section, kRotationSetting.name,
                     StoredOptionText(kRotationSetting, ui_->RadioButton3->isChecked()));
        WriteSetting(section, kSmoothingSetting.name,
                     StoredOptionText(kSmoothingSetting, ui_->RadioButton5->isChecked()));
        WriteSetting(section, kSortSetting.name,
                     StoredOptionText(kSortSetting, ui_->RadioButton7->isChecked()));
        for (int column = 0; column < kStoredColumnCount; ++column)
            WriteSetting(section, ColumnWidthName(column),
                         ui_->HeaderControl1->sectionSize(column));
    });
}

void TMethodForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

bool TMethodForm::FormResize() {
    const ResizeStep step = NextResizeStep({width(), height()}, BoundsOf(*ui_->Button2),
                                           ui_->Panel1->x(), ui_->Panel1->y());
    switch (step.kind) {
    case ResizeStep::Kind::GrowWidth:
    case ResizeStep::Kind::GrowHeight:
        resize(step.client.width, step.client.height);
        return false;
    case ResizeStep::Kind::LayOut:
        break;
    }
    ui_->Panel1->resize(step.panel.width, step.panel.height);
    ui_->HeaderControl1->resizeSection(kListColumnCount - 1, step.lastColumnWidth);
    return true;
}

void TMethodForm::keyPressEvent(QKeyEvent* event) {
    // Preview is the default command: Enter anywhere else in the window presses it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        ui_->Button1->isEnabled()) {
        ui_->Button1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TMethodForm::RadioButtonClick(QRadioButton* sender) {
    TSlanter& engine = state_.PatternEngine;
    // A new tilt changes no pattern of the list; the next command uses it.
    if (sender == ui_->RadioButton3) {
        engine.SetRightUp(true);
        return;
    }
    if (sender == ui_->RadioButton4) {
        engine.SetRightUp(false);
        return;
    }
    if (sender == ui_->RadioButton1)
        engine.SetHorizontal(true);
    else if (sender == ui_->RadioButton2)
        engine.SetHorizontal(false);
    else if (sender == ui_->RadioButton7)
        engine.SetSortOnAngle(true);
    else if (sender == ui_->RadioButton8)
        engine.SetSortOnAngle(false);
    else
        return;
    RefreshList();
}

void TMethodForm::RefreshList() {
    ui_->ListBox1->clear();
    const std::int32_t count = state_.PatternEngine.PatternCount();
    for (std::int32_t index = 0; index < count; ++index)
        ui_->ListBox1->addItem(
            QString::fromStdString(PatternItemText(state_.PatternEngine, index)));
    // Even an empty list offers no command: the engine's selection may belong to a table
    // that is gone.
    ui_->Button1->setEnabled(false);
    ui_->Button2->setEnabled(false);
    if (count > 0 && PreviewForm != nullptr)
        PreviewForm->hide();
}

void TMethodForm::BringToFront() {
    show();
    raise();
    activateWindow();
    // The list is where the user goes on: the arrow keys step through the patterns, not
    // the options.
    ui_->ListBox1->setFocus(Qt::OtherFocusReason);
}

int TMethodForm::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = ui_->ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ui_->ListBox1->row(selected.front());
}

void TMethodForm::ListBox1Click() {
    // Offered only for a selected pattern, so no command runs on a selection the user
    // took back.
    const bool chosen = SelectedIndex() >= 0;
    ui_->Button1->setEnabled(chosen);
    ui_->Button2->setEnabled(chosen);
    // An open preview follows the selection, so that stepping down the list shows each
    // pattern's wallpaper at once.
    if (chosen && PreviewForm != nullptr && PreviewForm->isVisible())
        RunGuarded([this] { ShowPreview(); });
}

void TMethodForm::ListBox1DblClick() {
    ShowPreview();
}

void TMethodForm::Button1Click() {
    ShowPreview();
}

void TMethodForm::Button2Click() {
    StartConversion();
}

void TMethodForm::ShowPreview() {
    if (PreviewForm == nullptr)
        return;
    // The user goes on in the list, watching the preview: a preview shown anew must not
    // take the keys.
    const bool active = isActiveWindow();
    {
        const DisabledWhile disabled(*this, *ui_->ListBox1);
        state_.PatternEngine.SetPatternIndex(SelectedIndex());
        PreviewForm->Smoothing = ui_->RadioButton6->isChecked();
        PreviewForm->DrawPreview();
    }
    // Asked for even when still active: a platform may activate a shown window later.
    if (active)
        activateWindow();
}

void TMethodForm::StartConversion() {
    const DisabledWhile disabled(*this, *ui_->ListBox1);
    state_.PatternEngine.SetPatternIndex(SelectedIndex());
    auto* result = new TFinalForm(state_, this); // freed with this window
    results_.emplace_back(result);
    ++ResultCount_;
    result->ResultNumber = ResultCount_;
    result->Smoothing = ui_->RadioButton6->isChecked();
    result->Convert();
}

void TMethodForm::HeaderControl1SectionResize() {
    ui_->ListBox1->viewport()->update();
}

SectionWidths TMethodForm::ColumnWidths() const {
    SectionWidths widths{};
    for (int section = 0; section < kListColumnCount; ++section)
        widths[section] = ui_->HeaderControl1->sectionSize(section);
    return widths;
}

void TMethodForm::ListBox1DrawItem(QPainter& canvas, int index, const QRect& rect,
                                   const QStyleOptionViewItem& state) const {
    const bool selected = state.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(state.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (state.state & QStyle::State_Active) ? QPalette::Active
                                                                              : QPalette::Inactive;
    const QColor brush =
        state.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
    const QColor ink =
        state.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    canvas.fillRect(rect, brush);

    {
        const RowTexts texts = PatternRowTexts(state_.PatternEngine, index);
        const QFontMetrics metrics(state.font);
        const auto cells = RowCells(ColumnWidths(), texts, [&metrics](const std::string& text) {
            return metrics.horizontalAdvance(QString::fromStdString(text));
        });
        canvas.setFont(state.font);
        canvas.setPen(ink);
        for (int column = 0; column < kListColumnCount; ++column) {
            // The row's own left edge plays no part: the columns start at the header's.
            const QRect cell(cells[column].left, rect.top(), cells[column].width, rect.height());
            canvas.save();
            canvas.setClipRect(cell);
            canvas.fillRect(cell, brush);
            canvas.drawText(
                QPoint(cell.left() + cells[column].textLeft, rect.top() + metrics.ascent()),
                QString::fromStdString(texts[column]));
            canvas.restore();
        }
    }

    if (state.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(state);
        focus.rect = rect;
        focus.backgroundColor = brush;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &canvas);
    }
}

} // namespace slanter
