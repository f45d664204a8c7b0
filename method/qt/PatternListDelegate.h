#pragma once

#include <functional>

#include <QStyledItemDelegate>

namespace slanter {

// Lets the owner of an owner-drawn list paint each row itself, at one fixed row height.
class PatternListDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    // Paints row `index` in `rect` of the list's viewport; `state` tells whether the row is
    // selected or has the focus, and gives the list's font and colours.
    using RowPainter = std::function<void(QPainter& canvas, int index, const QRect& rect,
                                          const QStyleOptionViewItem& state)>;

    PatternListDelegate(int rowHeight, RowPainter painter, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    int rowHeight_;
    RowPainter painter_;
};

} // namespace slanter
