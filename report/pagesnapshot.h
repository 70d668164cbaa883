#pragma once
// The rows of a page's groups as the user sees them, read from the widgets themselves: a
// group's title, then each caption with its field's text. New rows and groups of the pages
// show up in the report without a change here.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class QGroupBox;
class QLineEdit;
class QWidget;

struct ReportSection
{
    QString title;
    // Each row's cells: a caption and its value for a form, the cells of a grid row for a
    // grid (whose first row is then a header when headerRow is set).
    QVector<QStringList> rows;
    bool headerRow = false;
};

// The text a field shows: a line edit's text, a list's current entry, a bar's percentage
// (empty before it has a value), "да"/"нет" for a check box or an indicator, a label's text.
// A field in `masked` shows a fixed mask instead of its text when it holds any.
QString shownValue(const QWidget *field, const QList<QLineEdit *> &masked = {});

// One section per group that is shown whenever the page is (on a tab that is not the current
// one as well), in the order given.
QVector<ReportSection> snapshotGroups(const QWidget *page, const QList<QGroupBox *> &groups,
                                      const QList<QLineEdit *> &masked = {});
ReportSection snapshotGroup(const QGroupBox *group, const QList<QLineEdit *> &masked = {});

// What a secret is shown as.
QString maskedText();
