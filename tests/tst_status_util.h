#pragma once
// Helpers of the device parameters page tests: feeding record lines to a window, reading its
// fields by name, and answering message boxes while looking at the window.

#include "mainwindow/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QByteArrayList>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Feeds one record line written as "NAME=f1;f2;f3;f4;f5" (missing fields arrive empty).
inline void feed(MainWindow &w, const QByteArray &line)
{
    const int eq = line.indexOf('=');
    QByteArrayList f = eq < 0 ? QByteArrayList() : line.mid(eq + 1).split(';');
    while (f.size() < 5)
        f << QByteArray();
    w.dispatchRecord(eq < 0 ? line : line.left(eq), f[0], f[1], f[2], f[3], f[4]);
}

inline void feedAll(MainWindow &w, const QByteArrayList &lines)
{
    for (const QByteArray &l : lines)
        feed(w, l);
}

// The text of the line edit with that object name on the device parameters page.
inline QString text(const MainWindow &w, const QString &name)
{
    const QWidget *page = w.findChild<QWidget *>(QStringLiteral("statusPage"));
    const auto *e = page ? page->findChild<QLineEdit *>(name) : nullptr;
    return e ? e->text() : QStringLiteral("<no field %1>").arg(name);
}

inline QStringList texts(const MainWindow &w, const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << text(w, n);
    return out;
}

// Runs `onBox` once for every message box that becomes the active modal widget while the
// watcher lives; `onBox` looks at the window and closes the box.
class BoxWatcher : public QObject
{
public:
    explicit BoxWatcher(std::function<void(QMessageBox *)> onBox)
        : handler(std::move(onBox))
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box == current)
                return;
            current = box;
            ++count;
            handler(box);
        });
        timer.start(10);
    }
    int count = 0;

private:
    std::function<void(QMessageBox *)> handler;
    QPointer<QMessageBox> current;
    QTimer timer;
};
