#include "report/pagesnapshot.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QProgressBar>

#include <utility>

namespace {

const char *const yesText = QT_TRANSLATE_NOOP("InstallationReport", "да");
const char *const noText = QT_TRANSLATE_NOOP("InstallationReport", "нет");

QWidget *widgetOf(QLayoutItem *item)
{
    return item ? item->widget() : nullptr;
}

// Shown with the page: not hidden itself, nor any of its parents up to the group.
bool shownIn(const QWidget *w, const QGroupBox *group)
{
    return w && w->isVisibleTo(group);
}

QString captionOf(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text().trimmed();
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text().trimmed();
    return QString();
}

// A form row: the caption is the row's label and the value the other widget's text. Some rows
// turn it round (a check box in the label column, its caption in the field column).
QStringList formRow(const QWidget *label, const QWidget *field, const QList<QLineEdit *> &masked)
{
    const bool turned = !qobject_cast<const QLabel *>(label) && qobject_cast<const QLabel *>(field);
    if (turned)
        std::swap(label, field);
    if (!label)
        return {QString(), shownValue(field, masked)};
    if (!field)
        return {captionOf(label), QString()};
    return {captionOf(label), shownValue(field, masked)};
}

ReportSection formSection(const QGroupBox *group, const QFormLayout *form,
                          const QList<QLineEdit *> &masked)
{
    ReportSection section;
    for (int row = 0; row < form->rowCount(); ++row) {
        QWidget *label = widgetOf(form->itemAt(row, QFormLayout::LabelRole));
        QWidget *field = widgetOf(form->itemAt(row, QFormLayout::FieldRole));
        if (QWidget *spanning = widgetOf(form->itemAt(row, QFormLayout::SpanningRole)))
            field = spanning;
        if (!shownIn(label, group))
            label = nullptr;
        if (!shownIn(field, group))
            field = nullptr;
        if (!label && !field)
            continue;
        section.rows << formRow(label, field, masked);
    }
    return section;
}

ReportSection gridSection(const QGroupBox *group, const QGridLayout *grid,
                          const QList<QLineEdit *> &masked)
{
    QMap<int, QMap<int, QString>> cells;   // row, column, text
    QMap<int, bool> onlyLabels;            // a row of captions only: a header
    int columns = 0;
    for (int i = 0; i < grid->count(); ++i) {
        QWidget *w = widgetOf(grid->itemAt(i));
        if (!shownIn(w, group))
            continue;
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        const bool label = qobject_cast<QLabel *>(w) != nullptr;
        cells[row][column] = label ? captionOf(w) : shownValue(w, masked);
        onlyLabels[row] = onlyLabels.value(row, true) && label;
        columns = qMax(columns, column + 1);
    }
    ReportSection section;
    for (auto row = cells.cbegin(); row != cells.cend(); ++row) {
        QStringList texts;
        for (int column = 0; column < columns; ++column)
            texts << row.value().value(column);
        section.rows << texts;
    }
    section.headerRow = !cells.isEmpty() && onlyLabels.value(cells.firstKey());
    return section;
}

// Any other layout: the group's widgets in order, each label with the field that follows it.
ReportSection childSection(const QGroupBox *group, const QList<QLineEdit *> &masked)
{
    ReportSection section;
    const QWidget *pending = nullptr;
    for (const QWidget *w : group->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!shownIn(w, group))
            continue;
        if (qobject_cast<const QLabel *>(w)) {
            if (pending)
                section.rows << QStringList{captionOf(pending), QString()};
            pending = w;
        } else {
            section.rows << formRow(pending, w, masked);
            pending = nullptr;
        }
    }
    if (pending)
        section.rows << QStringList{captionOf(pending), QString()};
    return section;
}

} // namespace

QString maskedText()
{
    return QStringLiteral("********");
}

QString shownValue(const QWidget *field, const QList<QLineEdit *> &masked)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(field)) {
        if (masked.contains(const_cast<QLineEdit *>(edit)))
            return edit->text().isEmpty() ? QString() : maskedText();
        return edit->text();
    }
    if (auto *combo = qobject_cast<const QComboBox *>(field))
        return combo->currentText();
    if (auto *bar = qobject_cast<const QProgressBar *>(field))
        return bar->value() < bar->minimum() ? QString() : bar->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(field)) {
        if (button->isCheckable())
            return QCoreApplication::translate("InstallationReport",
                                               button->isChecked() ? yesText : noText);
        return QString();
    }
    if (auto *label = qobject_cast<const QLabel *>(field))
        return label->text();
    return QString();
}

ReportSection snapshotGroup(const QGroupBox *group, const QList<QLineEdit *> &masked)
{
    ReportSection section;
    if (auto *form = qobject_cast<const QFormLayout *>(group->layout()))
        section = formSection(group, form, masked);
    else if (auto *grid = qobject_cast<const QGridLayout *>(group->layout()))
        section = gridSection(group, grid, masked);
    else
        section = childSection(group, masked);
    section.title = group->title();
    return section;
}

QVector<ReportSection> snapshotGroups(const QWidget *page, const QList<QGroupBox *> &groups,
                                      const QList<QLineEdit *> &masked)
{
    QVector<ReportSection> sections;
    for (const QGroupBox *group : groups) {
        if (group->isVisibleTo(page))
            sections << snapshotGroup(group, masked);
    }
    return sections;
}
