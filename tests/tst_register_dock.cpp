// The installation register in the window: the dock finds a terminal's history a page at a
// time and exports what it shows; the status bar tells of events waiting for a server that
// does not answer.
#include "testutil.h"

#include "mainwindow/mainwindow.h"
#include "register/installationregister.h"
#include "register/registercontroller.h"
#include "register/registerpanel.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTableView>
#include <QToolBar>

namespace {

RegisterEvent eventAt(const QString &serial, int n, const QString &vehicle = QString())
{
    RegisterEvent e = newRegisterEvent(QString::fromLatin1(RegisterKind::Connected),
                                       TerminalIdentity{"KVT3", serial, "866104023456789", "0.70"});
    e.time = QDateTime(QDate(2026, 6, 1), QTime(8, 0), Qt::UTC).addSecs(n);
    e.vehicle = vehicle;
    return e;
}

void removeQueue()
{
    for (const char *end : {"", "-wal", "-shm"})
        QFile::remove(InstallationRegister::queuePath() + QLatin1String(end));
}

} // namespace

class TestRegisterDock : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qunsetenv("KVT_REGISTER"); }
    void searchPagesAndExport();
    void offlineQueueInStatusBar();
    void settingsApplyAtOnce();
};

void TestRegisterDock::searchPagesAndExport()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("register.sqlite"));
    qputenv("KVT_REGISTER", QFile::encodeName(file));
    {
        InstallationRegister reg(registerLocation());
        QString error;
        QVector<RegisterEvent> many;
        for (int i = 0; i < 450; ++i)
            many << eventAt(QStringLiteral("S1"), i);
        QVERIFY2(reg.database(&error)->insert(many, nullptr, &error), qPrintable(error));
        for (int i = 0; i < 5; ++i)
            QVERIFY(reg.record(eventAt(QStringLiteral("S2"), 1000 + i, QStringLiteral("А 123'ВС, \"7\"")),
                               &error));
    }
    MainWindow w;
    w.show();
    auto *dock = w.findChild<QDockWidget *>(QStringLiteral("registerDock"));
    auto *action = w.findChild<QAction *>(QStringLiteral("registerAction"));
    auto *table = w.findChild<QTableView *>(QStringLiteral("registerTable"));
    auto *search = w.findChild<QLineEdit *>(QStringLiteral("registerSearchEdit"));
    QVERIFY(dock && action && table && search);
    QVERIFY(w.findChild<QToolBar *>(QStringLiteral("mainToolBar"))->actions().contains(action));
    QVERIFY(!dock->isVisible());
    action->trigger();
    QTRY_VERIFY(dock->isVisible());
    // the latest events, one page of them
    QAbstractItemModel *model = table->model();
    QTRY_COMPARE(model->rowCount(), RegisterTableModel::PageSize);
    QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("S2"));

    search->setText(QStringLiteral("S1"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(model->rowCount(), RegisterTableModel::PageSize);
    QVERIFY(model->canFetchMore(QModelIndex()));
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
    QCOMPARE(model->rowCount(), 450);
    auto *events = w.installationRegister()->panel()->model();
    for (int i = 1; i < events->events().size(); ++i)
        QVERIFY(events->events().at(i - 1).time > events->events().at(i).time);

    search->setText(QStringLiteral("А 123'ВС, \"7\""));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(model->rowCount(), 5);
    const QString csv = dir.filePath(QStringLiteral("shown.csv"));
    QString error;
    QVERIFY2(w.installationRegister()->panel()->exportCsv(csv, &error), qPrintable(error));
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.size(), 7);   // the heading, five rows and the end of the last
    QVERIFY2(lines.at(1).contains(",S2,866104023456789,KVT3,0.70,,\"А 123'ВС, \"\"7\"\"\","),
             lines.at(1).constData());
}

// A server that cannot be reached: the event is queued at once and the status bar says so.
void TestRegisterDock::offlineQueueInStatusBar()
{
    QTemporaryDir dir;
    removeQueue();
    qputenv("KVT_REGISTER", QStringLiteral("postgresql://kvt@/register?host=%1&connect_timeout=1")
                                .arg(dir.filePath(QStringLiteral("no-server")))
                                .toUtf8());
    MainWindow w;
    auto *label = w.findChild<QLabel *>(QStringLiteral("registerStatusLabel"));
    QVERIFY(label);
    QVERIFY(w.installationRegister()->recorder()->record(eventAt(QStringLiteral("S3"), 1)));
    QVERIFY(w.installationRegister()->recorder()->record(eventAt(QStringLiteral("S3"), 2)));
    QTRY_COMPARE(label->text(), QStringLiteral("Реестр: нет связи, в очереди 2"));
    removeQueue();
}

// "Настроить…": a URI with a password is refused and nothing changes; a file given is where
// the next events go, and the engineer's name is theirs.
void TestRegisterDock::settingsApplyAtOnce()
{
    QTemporaryDir dir;
    MainWindow w;
    RegisterController *reg = w.installationRegister();
    const QString before = reg->recorder()->location().describe();
    QString error;
    QVERIFY(!reg->applySettings(QStringLiteral("postgresql://kvt:secret@db/fleet"), QString(), &error));
    QVERIFY2(error.contains(QStringLiteral("pgpass")), qPrintable(error));
    QCOMPARE(reg->recorder()->location().describe(), before);

    const QString file = dir.filePath(QStringLiteral("team.sqlite"));
    QVERIFY2(reg->applySettings(file, QStringLiteral("Иванов"), &error), qPrintable(error));
    const auto restore = qScopeGuard([reg] { reg->applySettings(QString(), QString(), nullptr); });
    QCOMPARE(reg->recorder()->location().sqlitePath, file);
    QVERIFY(reg->recorder()->record(newRegisterEvent(QString::fromLatin1(RegisterKind::Connected),
                                                     TerminalIdentity{"KVT3", "S4", "1", "0.70"})));
    InstallationRegister check(registerLocation());
    QVector<RegisterEvent> rows;
    QVERIFY(check.database(&error)->page(RegisterFilter{"S4"}, {}, {}, 10, &rows, &error));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().engineer, QStringLiteral("Иванов"));
}

QTEST_MAIN(TestRegisterDock)
#include "tst_register_dock.moc"
