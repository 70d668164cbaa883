#pragma once
// Factories of the pages' widgets: every field gets its object name when it is made.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSizePolicy>
#include <QSpacerItem>
#include <QString>

template <class W>
W *namedWidget(const char *name)
{
    auto *w = new W;
    w->setObjectName(QLatin1String(name));
    return w;
}

inline QLineEdit *makeLineEdit(const char *name, int maxLength = 0)
{
    auto *e = namedWidget<QLineEdit>(name);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

inline QGroupBox *makeGroup(const QString &title, const char *name)
{
    auto *g = new QGroupBox(title);
    g->setObjectName(QLatin1String(name));
    return g;
}

// The stretch at the foot of a page column.
inline QSpacerItem *columnStretch()
{
    return new QSpacerItem(40, 20, QSizePolicy::Minimum, QSizePolicy::Expanding);
}
