#include "method/qt/PatternListDelegate.h"

#include <utility>

#include <QPainter>

namespace slanter {

PatternListDelegate::PatternListDelegate(int rowHeight, RowPainter painter, QObject* parent)
    : QStyledItemDelegate(parent), rowHeight_(rowHeight), painter_(std::move(painter)) {}

void PatternListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    painter->save();
    painter_(*painter, index.row(), option.rect, option);
    painter->restore();
}

QSize PatternListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), rowHeight_};
}

} // namespace slanter
