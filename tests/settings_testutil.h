#pragma once
// Setting the settings page's widgets by name in tests: "name=value" sets a line edit's
// text, checks a check box for "1", or picks the list entry with that text.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

inline void setPageValue(QWidget *page, const QString &assignment)
{
    const int eq = assignment.indexOf(QLatin1Char('='));
    const QString name = assignment.left(eq);
    const QString value = assignment.mid(eq + 1);
    QObject *o = page->findChild<QObject *>(name);
    QVERIFY2(o, qPrintable(name));
    if (auto *e = qobject_cast<QLineEdit *>(o)) {
        e->setText(value);
        QCOMPARE(e->text(), value);
    } else if (auto *c = qobject_cast<QCheckBox *>(o)) {
        c->setChecked(value == QLatin1String("1"));
    } else if (auto *c = qobject_cast<QComboBox *>(o)) {
        const int i = c->findText(value);
        QVERIFY2(i >= 0, qPrintable(assignment));
        c->setCurrentIndex(i);
    } else {
        QFAIL(qPrintable(QStringLiteral("cannot set ") + name));
    }
}
