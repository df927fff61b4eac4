// Line sizes of the destination and extra-text list boxes. A project can
// fill a box with 10000 long lines; measuring each of them for the layout
// takes seconds. All lines are one height in the box's fixed-pitch font, so
// the box takes one size for every line: as wide as its longest line, which
// the delegate keeps up to date from the line lengths.
#pragma once

#include <QFontMetrics>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <algorithm>

namespace kv {

class ListLineDelegate : public QStyledItemDelegate {
public:
    explicit ListLineDelegate(QListWidget* box) : QStyledItemDelegate(box), box_(box) {
        box->setUniformItemSizes(true);
        box->setItemDelegate(this);
    }
    // A line of that many characters was shown.
    void Fit(int chars) {
        if (chars <= longest_) return;
        longest_ = chars;
        box_->doItemsLayout();
    }
    // Everything shown anew: the longest of these lengths.
    void Reset(int chars) {
        longest_ = chars;
        box_->doItemsLayout();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize base = QStyledItemDelegate::sizeHint(option, index);
        const QFontMetrics fm(box_->font());
        // The widest character of the fixed-pitch font, plus the margins the
        // style puts around a line's text.
        const int margins = std::max(0, base.width() - fm.horizontalAdvance(index.data().toString()));
        return {longest_ * fm.horizontalAdvance(QLatin1Char('W')) + margins, base.height()};
    }

private:
    QListWidget* box_;
    int longest_ = 0;
};

}  // namespace kv
