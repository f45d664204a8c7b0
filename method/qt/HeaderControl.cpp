#include "method/qt/HeaderControl.h"

#include <QStandardItemModel>

namespace slanter {

namespace {

constexpr int kNewSectionWidth = 50;

} // namespace

HeaderControl::HeaderControl(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), captions_(new QStandardItemModel(this)) {
    setModel(captions_);
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Interactive);
    // A divider can be dragged all the way to the one before it.
    setMinimumSectionSize(0);
    setDefaultSectionSize(kNewSectionWidth);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFocusPolicy(Qt::NoFocus);
}

QStringList HeaderControl::Sections() const {
    QStringList captions;
    for (int section = 0; section < captions_->columnCount(); ++section)
        captions << captions_->headerData(section, Qt::Horizontal).toString();
    return captions;
}

void HeaderControl::SetSections(const QStringList& captions) {
    captions_->setColumnCount(static_cast<int>(captions.size()));
    for (int section = 0; section < captions.size(); ++section)
        SetSectionCaption(section, captions[section]);
}

void HeaderControl::SetSectionCaption(int section, const QString& caption) {
    captions_->setHeaderData(section, Qt::Horizontal, caption);
}

} // namespace slanter
