#pragma once

#include <QKeySequence>
#include <QObject>

// Application-wide key handler: the trigger key (F5) switches every window to the dark look.
class StyleLoader : public QObject
{
public:
    // Creates the loader as a child of the application and installs it as its event filter.
    static StyleLoader *attach(const QKeySequence &key);

    StyleLoader(QObject *parent, const QKeySequence &key);

    bool eventFilter(QObject *watched, QEvent *event) override;

    static void applyDarkLook();

private:
    QKeySequence m_key;
};
