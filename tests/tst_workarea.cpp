// The work area as a new user meets it: the settings page's write controls in view whatever
// the window's size and docks, the masked passwords, the port list's serial numbers and
// users, the firmware dialog's first answer and its retry, the status bar's long texts and
// the docks' menu.
#include "app/styleloader.h"
#include "charts/chartspanel.h"
#include "charts/timeplot.h"
#include "firmware/firmwareupdate.h"
#include "firmware/firmwareupdatedialog.h"
#include "link/portlist.h"
#include "link/terminalsession.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/statusbartext.h"
#include "portdialog/settingsdialog.h"
#include "testutil.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// The window whose first firmware question is answered by the test, and no file is picked.
class FirmwareWindow : public MainWindow
{
protected:
    QString firmwareFileName(const QString &) override { return QString(); }
};

QString writeFirmware(const QString &path, int size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(QByteArray(size, '\x5a'));
    return path;
}

} // namespace

class TestWorkArea : public QObject
{
    Q_OBJECT

private slots:
    void writeControlsInView_data();
    void writeControlsInView();
    void passwordsMasked_data();
    void passwordsMasked();
    void portListSerialNumbers();
    void firmwareQuestionDefaultsToYes();
    void firmwareRetry();
    void statusTextShortened_data();
    void statusTextShortened();
    void statusBarBusyMessages();
    void panelsMenuAndToolTips();
    void chartsFollowTheLookBothWays();
};

void TestWorkArea::writeControlsInView_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("docks");
    QTest::addColumn<bool>("scrolledDown");
    const QStringList both{"logDock", "chartsDock"};
    const QStringList all{"logDock", "chartsDock", "stationDock", "registerDock"};
    QTest::newRow("1366x768, no docks") << QSize(1366, 768) << QStringList() << false;
    QTest::newRow("1366x768, log and charts") << QSize(1366, 768) << both << false;
    QTest::newRow("1366x768, log and charts, scrolled") << QSize(1366, 768) << both << true;
    QTest::newRow("1366x768, every dock, scrolled") << QSize(1366, 768) << all << true;
    QTest::newRow("1600x1000, log and charts") << QSize(1600, 1000) << both << false;
    QTest::newRow("1600x1000, every dock, scrolled") << QSize(1600, 1000) << all << true;
}

void TestWorkArea::writeControlsInView()
{
    QFETCH(QSize, size);
    QFETCH(QStringList, docks);
    QFETCH(bool, scrolledDown);
    MainWindow w;
    w.resize(size);
    for (const QString &name : docks)
        w.findChild<QDockWidget *>(name)->show();
    w.tabs()->setTabEnabled(1, true);
    w.tabs()->setCurrentIndex(1);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), size);
    auto *pageScroll = w.tabs()->widget(1)->findChild<QScrollArea *>("settingsScroll");
    QVERIFY(pageScroll);
    // the page's columns do not fit: they scroll, under the bar
    QTRY_VERIFY(pageScroll->verticalScrollBar()->maximum() > 0);
    if (scrolledDown) {
        pageScroll->verticalScrollBar()->setValue(pageScroll->verticalScrollBar()->maximum());
        // the window's own scroll area has nothing to scroll on this page; were it to, the
        // user could move the bar out of sight
        auto *windowScroll = w.findChild<QScrollArea *>("scrollArea");
        windowScroll->verticalScrollBar()->setValue(windowScroll->verticalScrollBar()->maximum());
    }
    QApplication::processEvents();
    for (const char *name : {"writeSettingsButton", "readSettingsButton", "accessPasswordEdit",
                             "newPasswordCheck", "newPasswordEdit", "writeStatusLabel"}) {
        auto *control = w.tabs()->widget(1)->findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(control, name);
        QVERIFY2(control->isVisible(), name);
        const QRect inWindow(control->mapTo(&w, QPoint()), control->size());
        // whole, inside the window's central part and inside every scroll area it is in
        QVERIFY2(w.centralWidget()->geometry().contains(inWindow),
                 qPrintable(QStringLiteral("%1 at %2,%3 %4x%5").arg(name).arg(inWindow.x())
                                .arg(inWindow.y()).arg(inWindow.width()).arg(inWindow.height())));
        for (QWidget *p = control->parentWidget(); p; p = p->parentWidget()) {
            if (auto *area = qobject_cast<QScrollArea *>(p)) {
                const QRect viewport(area->viewport()->mapTo(&w, QPoint()),
                                     area->viewport()->size());
                QVERIFY2(viewport.contains(inWindow), name);
            }
        }
    }
    // the longest outcome of a write reads whole, not cut at the label's edge
    auto *status = w.tabs()->widget(1)->findChild<QLabel *>(QStringLiteral("writeStatusLabel"));
    status->setText(QStringLiteral("Не принято терминалом: проверьте пароль доступа"));
    QVERIFY2(status->heightForWidth(status->width()) <= status->height(),
             qPrintable(QStringLiteral("%1 wide").arg(status->width())));
}

void TestWorkArea::passwordsMasked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("access password, as it starts") << "accessPasswordEdit" << "482915";
    QTest::newRow("new password") << "newPasswordEdit" << "";
}

void TestWorkArea::passwordsMasked()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    MainWindow w;
    auto *edit = w.tabs()->widget(1)->findChild<QLineEdit *>(name);
    QVERIFY(edit);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    auto *reveal = edit->findChild<QAction *>(name + QStringLiteral("Reveal"));
    QVERIFY(reveal);
    QVERIFY(edit->actions().contains(reveal));
    const QString hiddenTip = reveal->toolTip();
    QVERIFY(!hiddenTip.isEmpty());
    reveal->trigger();
    QCOMPARE(edit->echoMode(), QLineEdit::Normal);
    QVERIFY(reveal->toolTip() != hiddenTip);
    reveal->trigger();
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QCOMPARE(reveal->toolTip(), hiddenTip);
    QCOMPARE(edit->text(), text);   // showing and hiding leave the value alone
}

// Two simulated terminals with their USB serial numbers, the window on the first: the list
// tells them apart and says which one the window holds.
void TestWorkArea::portListSerialNumbers()
{
    Pty first;
    Pty second;
    qputenv("KVT_SIMULATOR_PORT", QStringLiteral("%1#KVT000123:%2#KVT000777")
                                      .arg(first.slavePath, second.slavePath).toLocal8Bit());
    MainWindow w;
    connectTo(w, first.slavePath);
    QTRY_VERIFY(w.terminalSession()->isOpen());
    SettingsDialog *d = w.portSettingsDialog();
    d->setPortSource(PortSource());   // the machine's ports and the simulated ones
    d->findChild<QPushButton *>(QStringLiteral("refreshButton"))->click();
    qunsetenv("KVT_SIMULATOR_PORT");

    auto *list = d->findChild<QComboBox *>(QStringLiteral("serialPortInfoListBox"));
    const int a = list->findText(first.slavePath);
    const int b = list->findText(second.slavePath);
    QVERIFY(a >= 0 && b >= 0);
    const auto cell = [list](int row, int column) {
        return list->model()->index(row, column).data().toString();
    };
    QCOMPARE(cell(a, 1), QStringLiteral("KVT000123"));
    QCOMPARE(cell(b, 1), QStringLiteral("KVT000777"));
    QCOMPARE(cell(a, 2), QStringLiteral("0483:5740"));
    QCOMPARE(cell(a, 3), QStringLiteral("это окно"));
    QCOMPARE(cell(b, 3), QString());
    QVERIFY(list->itemData(b, Qt::ToolTipRole).toString().contains(QStringLiteral("KVT000777")));
    list->setCurrentIndex(b);
    QCOMPARE(d->findChild<QLabel *>(QStringLiteral("serialNumberLabel"))->text(),
             QStringLiteral("Серийный номер: KVT000777"));
    QCOMPARE(d->findChild<QLabel *>(QStringLiteral("vidLabel"))->text(),
             QStringLiteral("Vendor Identifier: 0483"));
}

// Enter on the first question goes on; "Отмена" there says so in the status bar.
void TestWorkArea::firmwareQuestionDefaultsToYes()
{
    FirmwareWindow w;
    QString defaultButton;
    QTimer look;
    look.setInterval(20);
    connect(&look, &QTimer::timeout, &w, [&defaultButton] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        defaultButton = box->defaultButton() == box->button(QMessageBox::Yes)
                            ? QStringLiteral("Yes")
                            : box->defaultButton() ? box->defaultButton()->text() : QStringLiteral("none");
        box->button(QMessageBox::Cancel)->click();
    });
    look.start();
    w.update_FW_local();
    look.stop();
    QCOMPARE(defaultButton, QStringLiteral("Yes"));
    QCOMPARE(w.notice(), QStringLiteral("Обновление ПО через USB отменено"));
}

// An update that ended without the disk offers "Повторить", which starts it again with the
// same file: with the disk there now, the file reaches it. The waits count down.
void TestWorkArea::firmwareRetry()
{
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("KVT_loader"));
    qputenv("KVT_LOADER_PATH", disk.toLocal8Bit());
    Pty pty;
    TerminalSession session;
    QVERIFY(openOn(session, pty));
    FirmwareUpdateDialog dialog(&session, nullptr);
    dialog.update()->setDiskTimeout(2500);
    dialog.update()->setTerminalTimeout(300);
    QSignalSpy finished(dialog.update(), &FirmwareUpdate::finished);
    const QString file = writeFirmware(dir.filePath(QStringLiteral("kvt3-0.71.bin")), 4096);
    QVERIFY(dialog.start(file));
    dialog.show();
    auto *retry = dialog.findChild<QPushButton *>(QStringLiteral("firmwareRetryButton"));
    QVERIFY(retry);
    QVERIFY(!retry->isVisible());
    // the disk's wait says how long it has left
    const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
    const auto stageText = [&labels] {
        QStringList texts;
        for (QLabel *l : labels)
            texts << l->text();
        return texts.join(QLatin1Char('\n'));
    };
    QVERIFY2(stageText().contains(QStringLiteral("Ожидание диска KVT_loader (осталось 3 с)")),
             qPrintable(stageText()));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QCOMPARE(finished.at(0).at(0).value<FirmwareUpdate::Outcome>(), FirmwareUpdate::Outcome::NoDisk);
    QVERIFY(retry->isVisible());
    QVERIFY(retry->isDefault());
    QVERIFY(!stageText().contains(QStringLiteral("осталось")));

    QVERIFY(QDir().mkpath(disk));
    retry->click();
    QVERIFY(!retry->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 10000);
    // this time the file went onto the disk; the terminal of the test never comes back
    QCOMPARE(finished.at(1).at(0).value<FirmwareUpdate::Outcome>(),
             FirmwareUpdate::Outcome::NoTerminal);
    QCOMPARE(QFileInfo(QDir(disk).filePath(QStringLiteral("kvt3-0.71.bin"))).size(), 4096);
    QVERIFY(retry->isVisible());
    qunsetenv("KVT_LOADER_PATH");
}

void TestWorkArea::statusTextShortened_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("chars");      // the room, in widths of 'x'
    QTest::addColumn<QString>("starts");
    QTest::addColumn<QString>("ends");
    const QString saved = QStringLiteral(
        "Настройки загружены из /home/engineer/projects/fleet-2026/trucks/north/kvt3.json: "
        "3 поля отличаются от настроек");
    QTest::newRow("fits") << QStringLiteral("Отчёт сохранён: /tmp/a.pdf") << 200
                          << QStringLiteral("Отчёт сохранён: /tmp/a.pdf")
                          << QStringLiteral("Отчёт сохранён: /tmp/a.pdf");
    QTest::newRow("path shortened in its middle")
        << saved << 70 << QStringLiteral("Настройки загружены из /home/")
        << QStringLiteral("3.json: 3 поля отличаются от настроек");
    QTest::newRow("no path: the end goes")
        << QStringLiteral("Терминал не ответил на запрос настроек за пять секунд, проверьте кабель")
        << 30 << QStringLiteral("Терминал") << QStringLiteral("…");
    QTest::newRow("too narrow for the path: the end goes")
        << saved << 30 << QStringLiteral("Настройки") << QStringLiteral("…");
}

void TestWorkArea::statusTextShortened()
{
    QFETCH(QString, text);
    QFETCH(int, chars);
    QFETCH(QString, starts);
    QFETCH(QString, ends);
    const QFontMetrics metrics(QApplication::font());
    const int width = chars * metrics.horizontalAdvance(QLatin1Char('x'));
    const QString shown = elideStatusText(text, metrics, width);
    QVERIFY2(metrics.horizontalAdvance(shown) <= width, qPrintable(shown));
    QVERIFY2(shown.startsWith(starts) && shown.endsWith(ends), qPrintable(shown));
    QCOMPARE(shown == text, metrics.horizontalAdvance(text) <= width);

    // the notice keeps the whole text and gives it as its tool tip
    MainWindow w;
    w.resize(700, 500);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.statusBar()->showMessage(QStringLiteral("Connected to ttyACM0"));
    auto *notice = w.findChild<NoticeLabel *>(QStringLiteral("noticeLabel"));
    notice->setNotice(text);
    QApplication::processEvents();
    QCOMPARE(notice->text(), text);
    QCOMPARE(notice->toolTip(), text);
    // the connection's message keeps at least three fifths of the bar
    QVERIFY(notice->width() <= w.statusBar()->width() * 2 / 5);
}

// Messages that change faster than frames: the bar is painted once a frame with the last one,
// and its tool tip follows every message, also after the bar's font changed.
void TestWorkArea::statusBarBusyMessages()
{
    MainWindow w;
    w.resize(700, 500);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStatusBar *bar = w.statusBar();
    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    bar->installEventFilter(&counter);
    const QString longText = QStringLiteral("!!! MS= ") + QString(400, QLatin1Char('7'));
    const QString shortText = QStringLiteral("12:00:01 | 64 B");
    for (int i = 0; i < 50; ++i) {
        bar->showMessage(i % 2 ? shortText : longText);
        QCOMPARE(bar->toolTip(), i % 2 ? QString() : longText);
    }
    QCOMPARE(counter.paints, 0);
    QTRY_VERIFY(counter.paints > 0);
    QVERIFY2(counter.paints <= 2, qPrintable(QString::number(counter.paints)));
    QVERIFY(bar->updatesEnabled());
    QCOMPARE(bar->currentMessage(), shortText);

    // a font in which the short text no longer fits is measured anew
    QFont big = bar->font();
    big.setPixelSize(200);
    bar->setFont(big);
    bar->showMessage(longText);
    bar->showMessage(shortText);
    QCOMPARE(bar->toolTip(), shortText);
}

void TestWorkArea::panelsMenuAndToolTips()
{
    MainWindow w;
    auto *panels = w.findChild<QAction *>(QStringLiteral("panelsAction"));
    QVERIFY(panels && panels->menu());
    emit panels->menu()->aboutToShow();
    QStringList entries;
    for (QAction *a : panels->menu()->actions())
        entries << a->text();
    QCOMPARE(entries, (QStringList{"Log", "Графики", "Станция настройки", "Реестр установок"}));
    // ticking an entry shows its dock
    auto *charts = w.findChild<QDockWidget *>(QStringLiteral("chartsDock"));
    w.show();
    QVERIFY(!charts->isVisible());
    panels->menu()->actions().at(1)->trigger();
    QVERIFY(charts->isVisible());

    // every button of the tool bar and of the docks says what it does
    for (QAction *a : w.findChild<QToolBar *>(QStringLiteral("mainToolBar"))->actions()) {
        if (a->isSeparator())
            continue;
        QVERIFY2(!a->toolTip().isEmpty() && a->toolTip() != a->text()
                     && a->toolTip() != a->iconText(),
                 qPrintable(a->objectName() + ": " + a->toolTip()));
    }
    for (QDockWidget *dock : w.findChildren<QDockWidget *>()) {
        for (QAbstractButton *b : dock->widget()->findChildren<QAbstractButton *>()) {
            // a box's own text says it; a line edit's clear button and a table's corner are
            // Qt's
            if (b->inherits("QCheckBox") || qobject_cast<QLineEdit *>(b->parentWidget())
                || b->inherits("QTableCornerButton"))
                continue;
            QVERIFY2(!b->toolTip().isEmpty(), qPrintable(dock->objectName() + ": " + b->objectName() + " " + b->metaObject()->className() + " " + b->text()));
        }
    }
}

// F5 to the dark look and back: every chart pane's background and curves follow, the way back
// included (a style sheet taken away must not bring back the dark backgrounds).
void TestWorkArea::chartsFollowTheLookBothWays()
{
    const QColor lightBase = QApplication::palette().color(QPalette::Base);
    MainWindow w;
    w.findChild<QDockWidget *>(QStringLiteral("chartsDock"))->show();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QList<TimePlot *> panes = w.chartsPanel()->findChildren<TimePlot *>();
    QCOMPARE(panes.size(), int(chartPaneCount));
    StyleLoader look(nullptr, QKeySequence(Qt::Key_F5));
    for (const QColor &base : {QColor(25, 25, 25), lightBase}) {
        look.toggleLook();
        QApplication::processEvents();
        for (TimePlot *pane : panes) {
            QCOMPARE(pane->canvasBackground().color(), base);
            QCOMPARE(pane->canvas()->palette().color(QPalette::Window), base);
        }
    }
    QVERIFY(qApp->styleSheet().isEmpty());
}

QTEST_MAIN(TestWorkArea)
#include "tst_workarea.moc"
