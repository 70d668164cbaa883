// The terminal panel: the log, pause, clear, save, the command line and command files.
#include "terminal/console.h"
#include "terminal/terminal.h"
#include "testutil.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Answers the next file dialog with a path (or cancels it when the path is empty).
void answerFileDialog(const QString &path)
{
    QTimer::singleShot(50, [path] {
        auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dlg) {
            answerFileDialog(path);
            return;
        }
        if (path.isEmpty()) {
            dlg->reject();
            return;
        }
        const QFileInfo info(path);
        dlg->setDirectory(info.absolutePath());
        auto *nameEdit = dlg->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (nameEdit) {
            nameEdit->setText(info.fileName());
            QTest::keyClick(nameEdit, Qt::Key_Return);
        } else {
            dlg->selectFile(path);
            QMetaObject::invokeMethod(dlg, "accept");
        }
    });
}
// The terminal with the command file chosen beforehand instead of through the dialog.
class ScriptedTerminal : public Terminal
{
public:
    QString next;

protected:
    QString askCommandFileName() override { return next; }
    QString askLogFileName() override { return next; }
};
} // namespace

class TestTerminal : public QObject
{
    Q_OBJECT

    QPushButton *button(Terminal &t, const char *name)
    {
        return t.findChild<QPushButton *>(QString::fromLatin1(name));
    }

private slots:
    void init() { terminalPaused = false; }

    void layoutAndTexts();
    void showData_data();
    void showData();
    void pauseDropsChunksForGood();
    void autoScrollOff();
    void lineCap();
    void consoleIgnoresKeysAndClicksWhileRunning();
    void sendButtonSendsAsTyped();
    void saveAppendsTxt_data();
    void saveAppendsTxt();
    void saveCancelledWritesNothing();
    void saveToUnwritablePlaceReportsError();
    void commandFile_data();
    void commandFile();
    void commandFileErrors();
    void secondCommandFileEndsTheFirst();
};

void TestTerminal::layoutAndTexts()
{
    Terminal t;
    QCOMPARE(button(t, "pauseButton")->text(), QStringLiteral(" Пауза "));
    QCOMPARE(button(t, "saveButton")->text(), QStringLiteral(" Сохранить "));
    QCOMPARE(button(t, "fileButton")->text(), QStringLiteral(" Файл "));
    QCOMPARE(button(t, "clearButton")->text(), QStringLiteral(" Очистить "));
    QCOMPARE(button(t, "sendButton")->text(), QStringLiteral(">"));
    QCOMPARE(t.findChild<QLineEdit *>(QStringLiteral("commandEdit"))->width(), 200);
    QVERIFY(t.findChild<QCheckBox *>(QStringLiteral("autoScrollCheck"))->isChecked());
}

void TestTerminal::showData_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero byte cuts the chunk")
        << QList<QByteArray>{QByteArray("AB\0>X=1\r\n", 9)} << QStringLiteral("AB");
    QTest::newRow("CR LF, CR and LF end lines")
        << QList<QByteArray>{">A=1\r\n>B=2\r>C=3\nD"} << QStringLiteral(">A=1\n>B=2\n>C=3\nD");
    QTest::newRow("CR LF split between chunks is one line end")
        << QList<QByteArray>{">A=1\r", "\n>B=2\r\n"} << QStringLiteral(">A=1\n>B=2\n");
    QTest::newRow("a chunk ends mid-line")
        << QList<QByteArray>{">DN=204", "17\r\n"} << QStringLiteral(">DN=20417\n");
    QTest::newRow("UTF-8 text")
        << QList<QByteArray>{"\xd0\x9c\xd0\xa2\xd0\xa1\r\n"} << QStringLiteral("МТС\n");
    QTest::newRow("UTF-8 character split between chunks")
        << QList<QByteArray>{"\xd0\x9c\xd0", "\xa2\xd0\xa1\r\n"} << QStringLiteral("МТС\n");
}

void TestTerminal::showData()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QString, shown);
    Terminal t;
    for (const QByteArray &c : chunks)
        t.showReceived(c);
    QCOMPARE(t.logConsole()->toPlainText(), shown);
}

void TestTerminal::pauseDropsChunksForGood()
{
    Terminal t;
    t.showReceived("one\n");
    button(t, "pauseButton")->click();
    QVERIFY(terminalPaused);
    QCOMPARE(button(t, "pauseButton")->text(), QStringLiteral("Продолжить"));
    QVERIFY(t.logConsole()->mouseSelectEnabled);
    t.showReceived("lost\n");
    button(t, "pauseButton")->click();
    QCOMPARE(button(t, "pauseButton")->text(), QStringLiteral("Пауза"));
    QVERIFY(!terminalPaused);
    QVERIFY(!t.logConsole()->mouseSelectEnabled);
    t.showReceived("two\n");
    QCOMPARE(t.logConsole()->toPlainText(), QStringLiteral("one\ntwo\n"));

    // clearing does not change the pause state
    button(t, "pauseButton")->click();
    button(t, "clearButton")->click();
    QVERIFY(terminalPaused);
    QCOMPARE(t.logConsole()->toPlainText(), QString());
}

void TestTerminal::autoScrollOff()
{
    Terminal t;
    t.resize(400, 300);
    t.show();
    QByteArray many;
    for (int i = 0; i < 200; ++i)
        many += "line " + QByteArray::number(i) + "\r\n";
    t.showReceived(many);
    QScrollBar *bar = t.logConsole()->verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());

    t.findChild<QCheckBox *>(QStringLiteral("autoScrollCheck"))->setChecked(false);
    bar->setValue(10);
    t.showReceived(many);
    QCOMPARE(bar->value(), 10);
    QVERIFY(t.logConsole()->toPlainText().endsWith(QLatin1String("line 199\n")));

    // a selection made by the user does not redirect received text
    t.logConsole()->selectAll();
    t.showReceived("tail\n");
    QVERIFY(t.logConsole()->toPlainText().endsWith(QLatin1String("line 199\ntail\n")));
}

void TestTerminal::lineCap()
{
    Terminal t;
    QByteArray chunk;
    int n = 0;
    while (n < 65535 + 100) {
        chunk.clear();
        for (int i = 0; i < 1000 && n < 65535 + 100; ++i, ++n)
            chunk += "L" + QByteArray::number(n) + "\n";
        t.showReceived(chunk);
    }
    const QString text = t.logConsole()->toPlainText();
    QCOMPARE(t.logConsole()->lineCount(), 65535);
    QVERIFY(!text.startsWith(QLatin1String("L0\n")));
    QVERIFY(text.endsWith(QStringLiteral("L%1\n").arg(65535 + 99)));
}

void TestTerminal::consoleIgnoresKeysAndClicksWhileRunning()
{
    Terminal t;
    t.show();
    QApplication::setActiveWindow(&t);
    QVERIFY(QTest::qWaitForWindowActive(&t));
    t.showReceived("abc\ndef\n");
    Console *c = t.logConsole();
    c->moveCursor(QTextCursor::End);
    const int end = c->cursorPosition();
    QTest::mouseClick(c->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(c->cursorPosition(), end);
    QVERIFY(c->hasFocus());
    QTest::keyClick(c, Qt::Key_Home);
    QTest::keyClick(c, Qt::Key_X);
    QCOMPARE(c->cursorPosition(), end);
    QCOMPARE(c->toPlainText(), QStringLiteral("abc\ndef\n"));

    button(t, "pauseButton")->click();
    QTest::mouseClick(c->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(c->cursorPosition() < end);

    // continuing moves the cursor to the end and drops the selection
    c->selectAll();
    button(t, "pauseButton")->click();
    QVERIFY(!c->hasSelection());
    QCOMPARE(c->cursorPosition(), end);
}

void TestTerminal::sendButtonSendsAsTyped()
{
    Terminal t;
    t.show();
    QSignalSpy spy(&t, &Terminal::sendCmdSignal);
    auto *edit = t.findChild<QLineEdit *>(QStringLiteral("commandEdit"));
    QTest::keyClicks(edit, QStringLiteral(" >I 0 "));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(spy.count(), 0);   // Enter sends nothing
    button(t, "sendButton")->click();
    edit->clear();
    button(t, "sendButton")->click();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral(" >I 0 "));
    QCOMPARE(spy.at(1).at(0).toString(), QString());
}

void TestTerminal::saveAppendsTxt_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("proposed name") << "logFileKVT" << "logFileKVT.txt";
    QTest::newRow("name already ending in .txt") << "log.txt" << "log.txt.txt";
}

void TestTerminal::saveAppendsTxt()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QTemporaryDir dir;
    Terminal t;
    t.showReceived(">DN=1\r\n>DI=5;0.31\r\npartial");
    ModalCloser closer;
    closer.timer.stop();
    answerFileDialog(dir.filePath(chosen));
    QTimer::singleShot(400, [&] { closer.timer.start(); });
    button(t, "saveButton")->click();
    QFile f(dir.filePath(written));
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(dir.filePath(written)));
    QCOMPARE(f.readAll(), QByteArray(">DN=1\n>DI=5;0.31\npartial"));
    QCOMPARE(closer.titles, QStringList{QStringLiteral("Внимание")});
    QCOMPARE(closer.texts, QStringList{QStringLiteral("Файл записан\r\n") + dir.filePath(written)});
}

void TestTerminal::saveCancelledWritesNothing()
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    Terminal t;
    t.showReceived("x\n");
    answerFileDialog(QString());
    ModalCloser closer;
    button(t, "saveButton")->click();
    QVERIFY(closer.texts.isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    QDir::setCurrent(QStringLiteral(KVT_BUILD_DIR));
}

void TestTerminal::commandFileErrors()
{
    ScriptedTerminal t;
    QSignalSpy spy(&t, &Terminal::sendCmdSignal);
    ModalCloser closer;
    t.next = QString();   // cancelled
    button(t, "fileButton")->click();
    QVERIFY(closer.texts.isEmpty());
    t.next = QStringLiteral("/no/such/file.txt");
    button(t, "fileButton")->click();
    QCOMPARE(closer.titles, QStringList{QStringLiteral("Error")});
    QCOMPARE(closer.texts, QStringList{QStringLiteral("Ошибка открытия файла")});
    QVERIFY(!t.isSendingFile());
    QTest::qWait(30);
    QCOMPARE(spy.count(), 0);
}

void TestTerminal::secondCommandFileEndsTheFirst()
{
    QTemporaryDir dir;
    QFile a(dir.filePath(QStringLiteral("a.txt"))), b(dir.filePath(QStringLiteral("b.txt")));
    QVERIFY(a.open(QIODevice::WriteOnly) && b.open(QIODevice::WriteOnly));
    for (int i = 0; i < 1000; ++i)
        a.write("a\n");
    b.write("b1\nb2\n");
    a.close();
    b.close();
    ScriptedTerminal t;
    QSignalSpy spy(&t, &Terminal::sendCmdSignal);
    t.next = a.fileName();
    button(t, "fileButton")->click();
    QTRY_VERIFY(spy.count() >= 2);
    t.next = b.fileName();
    button(t, "fileButton")->click();
    QTRY_VERIFY(!t.isSendingFile());
    QTest::qWait(30);
    QStringList got;
    for (const auto &args : spy)
        got << args.at(0).toString();
    QCOMPARE(got.mid(got.size() - 3), (QStringList{">send b1", ">send b2", ">send "}));
    QCOMPARE(got.filter(QStringLiteral(">send a")).size(), got.size() - 3);
}

void TestTerminal::saveToUnwritablePlaceReportsError()
{
    // nobody, not even root, can create a file in /proc
    const QString target = QStringLiteral("/proc/kvt-log");
    ScriptedTerminal t;
    t.showReceived("x\n");
    ModalCloser closer;
    t.next = target;
    button(t, "saveButton")->click();
    QCOMPARE(closer.texts, QStringList{QStringLiteral("Ошибка записи файла\r\n") + target + ".txt"});
}

void TestTerminal::commandFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("two lines, no empty line")
        << QByteArray(">I 0\n>I 1") << QStringList{">send >I 0", ">send >I 1", ">send "};
    QTest::newRow("CR LF endings")
        << QByteArray("a\r\nb\r\n") << QStringList{">send a", ">send b", ">send "};
    QTest::newRow("stops at an empty line")
        << QByteArray("first\n\nthird\n") << QStringList{">send first", ">send "};
}

void TestTerminal::commandFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, sent);
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("cmds.txt")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();

    ScriptedTerminal t;
    QSignalSpy spy(&t, &Terminal::sendCmdSignal);
    t.next = f.fileName();
    button(t, "fileButton")->click();
    QVERIFY(t.isSendingFile());
    QTRY_VERIFY(!t.isSendingFile());
    QTest::qWait(50);
    QStringList got;
    for (const auto &args : spy)
        got << args.at(0).toString();
    QCOMPARE(got, sent);
}

QTEST_MAIN(TestTerminal)
#include "tst_terminal.moc"
