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
#include "method/qt/CaptionFit.h"
#include "method/qt/DesignedFont.h"
#include "method/qt/PatternListDelegate.h"
#include "shell/qt/FormPlacement.h"
#include "shell/qt/GeneralError.h"
#include "shell/qt/WindowKeys.h"
#include "ui_MethodForm.h"

namespace slanter {

TMethodForm* MethodForm = nullptr;

namespace {

// The form file keeps the designed size only; the designed position is set here.
constexpr QPoint kDesignedPosition(25, 155);
constexpr int kListRowHeight = 15;
// The designed font is 12 pixels high, whatever resolution the screen reports.
constexpr int kFontPixels = 12;

BoxBounds BoundsOf(const QWidget& widget) {
    return {widget.x(), widget.y(), widget.width(), widget.height()};
}

QRadioButton* OptionButton(const QWidget& form, int button) {
    return form.findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(button));
}

} // namespace

TMethodForm::TMethodForm(ProgramState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::MethodForm>()), state_(state),
      services_(this), presenter_(state, services_, view_) {
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
    BindControls();
    CloseOnKeys(*this, {QKeySequence(Qt::Key_Escape)});
    RunGuarded([this] { RestoreFormPlacement(*this); });
    LayOutList();
    presenter_.Start();
    for (QGroupBox* box : {ui_->GroupBox1, ui_->GroupBox2, ui_->GroupBox3, ui_->GroupBox4})
        FitGroupBox(*box);
}

TMethodForm::~TMethodForm() = default;

void TMethodForm::BindControls() {
    for (int button = 1; button <= kOptionButtonCount; ++button) {
        connect(OptionButton(*this, button), &QRadioButton::toggled, this,
                [this, button](bool checked) {
                    if (checked)
                        presenter_.CheckOption(button);
                });
    }
    connect(ui_->ListBox1, &QListWidget::itemSelectionChanged, this,
            [this] { presenter_.SelectionChanged(); });
    ui_->ListBox1->installEventFilter(this);
    connect(ui_->ListBox1, &QListWidget::itemDoubleClicked, this, [this] { presenter_.Preview(); });
    connect(ui_->Button1, &QPushButton::clicked, this, [this] { presenter_.Preview(); });
    connect(ui_->Button2, &QPushButton::clicked, this, [this] { presenter_.Convert(); });
    connect(ui_->HeaderControl1, &QHeaderView::sectionResized, this,
            [this] { ui_->ListBox1->viewport()->update(); });
}

void TMethodForm::LayOutList() {
    // The list fills the panel below the header, which spans the panel's width.
    auto* panelLayout = new QVBoxLayout(ui_->Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    ui_->HeaderControl1->setFixedHeight(ui_->HeaderControl1->height());
    panelLayout->addWidget(ui_->HeaderControl1);
    panelLayout->addWidget(ui_->ListBox1, 1);
}

void TMethodForm::closeEvent(QCloseEvent* event) {
    presenter_.Closing();
    event->accept();
}

void TMethodForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    presenter_.Resized();
}

void TMethodForm::keyPressEvent(QKeyEvent* event) {
    // Preview is the default command: Enter anywhere else in the window presses it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && presenter_.Enter())
        return;
    QWidget::keyPressEvent(event);
}

bool TMethodForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ListBox1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up))
            return presenter_.ArrowKeyInList(key->key() == Qt::Key_Down);
    }
    return QWidget::eventFilter(watched, event);
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

    SectionWidths sections{};
    for (int section = 0; section < kListColumnCount; ++section)
        sections[section] = ui_->HeaderControl1->sectionSize(section);
    const QFontMetrics metrics(state.font);
    const auto row = presenter_.RowToPaint(index, sections, [&metrics](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    });
    if (row) {
        canvas.setFont(state.font);
        canvas.setPen(ink);
        for (int column = 0; column < kListColumnCount; ++column) {
            const ColumnCell& at = row->cells[column];
            // The row's own left edge plays no part: the columns start at the header's.
            const QRect cell(at.left, rect.top(), at.width, rect.height());
            canvas.save();
            canvas.setClipRect(cell);
            canvas.fillRect(cell, brush);
            canvas.drawText(QPoint(cell.left() + at.textLeft, rect.top() + metrics.ascent()),
                            QString::fromStdString(row->texts[column]));
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

// The window as its presenter sees it.

template <typename Form>
void MethodViewOf<Form>::ShowChoices(const MethodChoices& choices) {
    // Checking one button of a pair takes the other's mark.
    for (int button = 1; button <= kOptionButtonCount; ++button) {
        if (OptionChecked(choices, button))
            OptionButton(form_, button)->setChecked(true);
    }
}

template <typename Form>
void MethodViewOf<Form>::SetCaption(std::string_view item, const std::string& text) {
    const QString caption = QString::fromStdString(text);
    const QString name = QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    constexpr std::string_view section = "HeaderControl1.";
    if (name == form_.objectName())
        form_.setWindowTitle(caption);
    else if (item.starts_with(section))
        form_.ui_->HeaderControl1->SetSectionCaption(item.back() - '0', caption);
    else if (auto* box = form_.template findChild<QGroupBox*>(name))
        box->setTitle(caption);
    else if (auto* button = form_.template findChild<QAbstractButton*>(name))
        button->setText(caption);
}

template <typename Form>
int MethodViewOf<Form>::ColumnWidth(int column) const {
    return form_.ui_->HeaderControl1->sectionSize(column);
}

template <typename Form>
void MethodViewOf<Form>::SetColumnWidth(int column, int width) {
    form_.ui_->HeaderControl1->resizeSection(column, width);
}

template <typename Form>
int MethodViewOf<Form>::ListTextWidth(const std::string& text) const {
    return QFontMetrics(form_.ui_->ListBox1->font())
        .horizontalAdvance(QString::fromStdString(text));
}

template <typename Form>
void MethodViewOf<Form>::ShowRows(const std::vector<std::string>& items) {
    form_.ui_->ListBox1->clear();
    for (const std::string& item : items)
        form_.ui_->ListBox1->addItem(QString::fromStdString(item));
}

template <typename Form>
int MethodViewOf<Form>::SelectedRow() const {
    const QList<QListWidgetItem*> selected = form_.ui_->ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : form_.ui_->ListBox1->row(selected.front());
}

template <typename Form>
void MethodViewOf<Form>::SelectRow(int row) {
    form_.ui_->ListBox1->setCurrentRow(row);
    form_.ui_->ListBox1->scrollToItem(form_.ui_->ListBox1->item(row));
}

template <typename Form>
void MethodViewOf<Form>::EnableCommands(bool enabled) {
    form_.ui_->Button1->setEnabled(enabled);
    form_.ui_->Button2->setEnabled(enabled);
}

template <typename Form>
void MethodViewOf<Form>::EnableInput(bool enabled) {
    form_.setEnabled(enabled);
    // Disabling took the focus away; it goes back to the list, so that the arrow keys step
    // on through the patterns.
    if (enabled)
        form_.ui_->ListBox1->setFocus(Qt::OtherFocusReason);
}

template <typename Form>
bool MethodViewOf<Form>::IsActive() const {
    return form_.isActiveWindow();
}

template <typename Form>
void MethodViewOf<Form>::Activate() {
    form_.activateWindow();
}

template <typename Form>
Extent MethodViewOf<Form>::ClientArea() const {
    return {form_.width(), form_.height()};
}

template <typename Form>
BoxBounds MethodViewOf<Form>::ConvertButtonBounds() const {
    return BoundsOf(*form_.ui_->Button2);
}

template <typename Form>
BoxBounds MethodViewOf<Form>::PanelBounds() const {
    return BoundsOf(*form_.ui_->Panel1);
}

template <typename Form>
void MethodViewOf<Form>::SetClientArea(Extent client) {
    form_.resize(client.width, client.height);
}

template <typename Form>
void MethodViewOf<Form>::LayOutPanel(Extent panel, int lastColumnWidth) {
    form_.ui_->Panel1->resize(panel.width, panel.height);
    form_.ui_->HeaderControl1->resizeSection(kListColumnCount - 1, lastColumnWidth);
}

template <typename Form>
ResultWindow& MethodViewOf<Form>::OpenResultWindow() {
    auto* result = new TFinalForm(form_.state_, &form_); // freed with &form_ window
    form_.results_.emplace_back(result);
    return result->Window();
}

template <typename Form>
void MethodViewOf<Form>::ShowInFront() {
    form_.show();
    form_.raise();
    form_.activateWindow();
    // The list is where the user goes on: the arrow keys step through the patterns, not
    // the options.
    form_.ui_->ListBox1->setFocus(Qt::OtherFocusReason);
}

template <typename Form>
void MethodViewOf<Form>::HideWindow() {
    form_.hide();
}

template <typename Form>
void MethodViewOf<Form>::SavePlacement() {
    SaveFormPlacement(form_);
}

template class MethodViewOf<TMethodForm>;

} // namespace slanter
