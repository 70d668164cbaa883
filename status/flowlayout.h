#pragma once

#include <QLayout>
#include <QList>

// Lays its items out left to right, each at its preferred width, and starts a
// new row when the next item does not fit: the columns of a page stand side by
// side in a wide window and under each other in a narrow one, so the page needs
// vertical scrolling only. The items of a row are aligned at their tops; an
// item wider than the whole row gets the row's width, but never less than its
// minimum width. The height follows the width (height for width), which a
// widget-resizable scroll area asks for.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent = nullptr);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;
    void invalidate() override;

private:
    // Places the items in rect (applying the geometries when asked) and returns
    // the height used, margins included.
    int arrange(const QRect &rect, bool apply) const;
    int gap() const;

    QList<QLayoutItem *> items;
    mutable int cachedWidth = -1;
    mutable int cachedHeight = -1;
};
