#pragma once
// Helpers of the device parameters page tests: feeding record lines to a window or to the page
// alone, reading its fields by name, and answering message boxes while looking at the window.

#include "link/recordrouter.h"
#include "link/terminalsession.h"
#include "mainwindow/mainwindow.h"
#include "status/statuspage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QByteArrayList>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// The device parameters page alone, its records routed as the window routes them.
struct PageUnderTest
{
    TerminalSession session;
    StatusPage page;
    RecordRouter &router = session.router();
    PageUnderTest()
    {
        page.registerRoutes(router);
        QObject::connect(&session, &TerminalSession::identityReported, &page,
                         &StatusPage::showIdentity);
        QObject::connect(&session, &TerminalSession::serialNumberReported, &page,
                         &StatusPage::showSerialNumber);
        QObject::connect(&session, &TerminalSession::imeiReported, &page, &StatusPage::showImei);
    }
};

#ifndef KVT_MODEL_CODE_HELPER
#define KVT_MODEL_CODE_HELPER
// The model code of the terminal the window's session knows; 0 while unknown.
inline unsigned int modelCode(const MainWindow &w)
{
    return w.terminalSession()->identity().model;
}
#endif

// One record line written as "NAME=f1;f2;f3;f4;f5" (missing fields arrive empty).
inline RecordLine recordLine(const QByteArray &line)
{
    const int eq = line.indexOf('=');
    QByteArrayList f = eq < 0 ? QByteArrayList() : line.mid(eq + 1).split(';');
    while (f.size() < 5)
        f << QByteArray();
    return RecordLine{eq < 0 ? line : line.left(eq), {f[0], f[1], f[2], f[3], f[4]}};
}

inline void feed(MainWindow &w, const QByteArray &line)
{
    const RecordLine r = recordLine(line);
    w.dispatchRecord(r.name, r.field[0], r.field[1], r.field[2], r.field[3], r.field[4]);
}

inline void feed(PageUnderTest &p, const QByteArray &line)
{
    p.router.dispatch(recordLine(line));
}

template <typename Host>
void feedAll(Host &host, const QByteArrayList &lines)
{
    for (const QByteArray &l : lines)
        feed(host, l);
}

inline const QWidget *pageOf(const MainWindow &w)
{
    return w.findChild<QWidget *>(QStringLiteral("statusPage"));
}

inline const QWidget *pageOf(const PageUnderTest &p)
{
    return &p.page;
}

// The text of the line edit with that object name on the device parameters page.
template <typename Host>
QString text(const Host &host, const QString &name)
{
    const QWidget *page = pageOf(host);
    const auto *e = page ? page->findChild<QLineEdit *>(name) : nullptr;
    return e ? e->text() : QStringLiteral("<no field %1>").arg(name);
}

template <typename Host>
QStringList texts(const Host &host, const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << text(host, n);
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
