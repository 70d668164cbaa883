#include "status/flowlayout.h"

#include <QStyle>
#include <QWidget>

FlowLayout::FlowLayout(QWidget *parent)
    : QLayout(parent)
{
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem *item)
{
    items.append(item);
    invalidate();
}

int FlowLayout::count() const
{
    return items.size();
}

QLayoutItem *FlowLayout::itemAt(int index) const
{
    return items.value(index);
}

QLayoutItem *FlowLayout::takeAt(int index)
{
    if (index < 0 || index >= items.size())
        return nullptr;
    QLayoutItem *item = items.takeAt(index);
    invalidate();
    return item;
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    if (width != cachedWidth) {
        cachedHeight = arrange(QRect(0, 0, width, 0), false);
        cachedWidth = width;
    }
    return cachedHeight;
}

// All items in one row.
QSize FlowLayout::sizeHint() const
{
    int width = 0;
    int height = 0;
    int shown = 0;
    for (QLayoutItem *item : items) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        width += hint.width();
        height = qMax(height, hint.height());
        ++shown;
    }
    if (shown > 1)
        width += (shown - 1) * gap();
    const QMargins m = contentsMargins();
    return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

// One item per row: as narrow as the widest item allows.
QSize FlowLayout::minimumSize() const
{
    QSize size;
    for (QLayoutItem *item : items)
        if (!item->isEmpty())
            size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

void FlowLayout::invalidate()
{
    cachedWidth = -1;
    QLayout::invalidate();
}

int FlowLayout::gap() const
{
    if (spacing() >= 0)
        return spacing();
    const QWidget *w = parentWidget();
    const int styled =
        w ? w->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, w) : -1;
    return styled >= 0 ? styled : 6;
}

int FlowLayout::arrange(const QRect &rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int spacing = gap();
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem *item : items) {
        if (item->isEmpty())
            continue;
        int width = item->sizeHint().width();
        // an item that reflows itself (the sensor panel) takes the rest of the row when its
        // narrowest form fits there, instead of leaving the rest of the row empty
        const bool fitsNarrowed = item->hasHeightForWidth()
            && x + item->minimumSize().width() <= area.right() + 1;
        if (x > area.x() && x + width > area.right() + 1 && !fitsNarrowed) {
            x = area.x();
            y += rowHeight + spacing;
            rowHeight = 0;
        }
        const int room = area.right() + 1 - x;
        if (width > room)
            width = qMax(item->minimumSize().width(), room);
        const int height = item->hasHeightForWidth()
            ? qMax(item->heightForWidth(width), item->minimumSize().height())
            : item->sizeHint().height();
        if (apply)
            item->setGeometry(QRect(x, y, width, height));
        x += width + spacing;
        rowHeight = qMax(rowHeight, height);
    }
    const QMargins m = contentsMargins();
    return y + rowHeight - rect.y() + m.bottom();
}
