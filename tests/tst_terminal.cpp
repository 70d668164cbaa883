// The terminal panel: the log, pause, clear, save, the command line and command files, the
// view options, recording.
#include "terminal/console.h"
#include "terminal/terminal.h"
#include "testutil.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

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
    QString askRecordFileName() override { return next; }
};

QAction *option(Terminal &t, const char *name)
{
    return t.findChild<QAction *>(QString::fromLatin1(name));
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestTerminal : public QObject
{
    Q_OBJECT

    QPushButton *button(Terminal &t, const char *name)
    {
        return t.findChild<QPushButton *>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings().clear();
    }

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
    void saveToUnwritablePlaceReportsError_data();
    void saveToUnwritablePlaceReportsError();
    void commandFile_data();
    void commandFile();
    void commandFileErrors();
    void secondCommandFileEndsTheFirst();
    void viewOptionsOffByDefaultAndRemembered();
    void timeStampsAndSentLines();
    void hexView_data();
    void hexView();
    void findInTheLog();
    void passwordsMasked_data();
    void passwordsMasked();
    void recordButton_data();
    void recordButton();
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
    QVERIFY(t.isPaused());
    QCOMPARE(button(t, "pauseButton")->text(), QStringLiteral("Продолжить"));
    QVERIFY(t.logConsole()->mouseSelectEnabled);
    t.showReceived("lost\n");
    button(t, "pauseButton")->click();
    QCOMPARE(button(t, "pauseButton")->text(), QStringLiteral("Пауза"));
    QVERIFY(!t.isPaused());
    QVERIFY(!t.logConsole()->mouseSelectEnabled);
    t.showReceived("two\n");
    QCOMPARE(t.logConsole()->toPlainText(), QStringLiteral("one\ntwo\n"));

    // clearing does not change the pause state
    button(t, "pauseButton")->click();
    button(t, "clearButton")->click();
    QVERIFY(t.isPaused());
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

void TestTerminal::saveToUnwritablePlaceReportsError_data()
{
    QTest::addColumn<QString>("target");   // "TMP/": in a folder of the test's own
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QString>("reason");
    // nobody, not even root, can create a file in /proc
    QTest::newRow("unwritable place") << "/proc/kvt-log" << false << "";
    QTest::newRow("full disk") << "TMP/log" << true << "File too large";
}

// The failure names the file and the reason; a file that was there keeps what it held.
void TestTerminal::saveToUnwritablePlaceReportsError()
{
    QFETCH(QString, target);
    QFETCH(bool, fullDisk);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    target.replace(QStringLiteral("TMP"), dir.path());
    const QByteArray before = "the log saved before\n";
    QFile old(target + ".txt");
    if (fullDisk) {
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(before);
        old.close();
    }
    ScriptedTerminal t;
    t.showReceived(QByteArray(4000, 'x') + "\n");
    ModalCloser closer;
    t.next = target;
    {
        std::optional<FileSizeLimit> limit;
        if (fullDisk)
            limit.emplace(1024);
        button(t, "saveButton")->click();
    }
    QCOMPARE(closer.texts.size(), 1);
    QVERIFY2(closer.texts.first().startsWith(QStringLiteral("Ошибка записи файла\r\n") + target
                                             + ".txt\r\n"),
             qPrintable(closer.texts.first()));
    QVERIFY2(closer.texts.first().contains(reason), qPrintable(closer.texts.first()));
    if (fullDisk) {
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"log.txt"});
    }
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

void TestTerminal::viewOptionsOffByDefaultAndRemembered()
{
    const char *names[] = {"timeStampsAction", "sentLinesAction", "hexAction"};
    {
        Terminal t;
        // off: nothing sent is shown, the log is as it always was
        t.showSent(">I 0\r\n");
        t.showReceived(">DN=1\r\n");
        QCOMPARE(t.logConsole()->displayText(0), QStringLiteral(">DN=1"));
        for (const char *name : names) {
            QVERIFY2(!option(t, name)->isChecked(), name);
            option(t, name)->setChecked(true);
        }
    }
    Terminal again;
    for (const char *name : names)
        QVERIFY2(option(again, name)->isChecked(), name);
    QVERIFY(again.logConsole()->timeStamps() && again.logConsole()->hex());
}

void TestTerminal::timeStampsAndSentLines()
{
    Terminal t;
    option(t, "timeStampsAction")->setChecked(true);
    option(t, "sentLinesAction")->setChecked(true);
    t.showReceived(">DI=31\r\n>DN=20");
    t.showSent(">I 0\r\n");
    t.showReceived("17\r\n");
    const QStringList rows{">DI=31", ">DN=20", "→ >I 0", "17"};
    for (int i = 0; i < rows.size(); ++i) {
        const QString shown = t.logConsole()->displayText(i);
        // the local time of arrival, to the millisecond
        const QTime time = QTime::fromString(shown.left(12), QStringLiteral("HH:mm:ss.zzz"));
        QVERIFY2(time.isValid() && qAbs(time.msecsTo(QTime::currentTime())) < 5000, qPrintable(shown));
        QCOMPARE(shown.mid(12), QLatin1Char(' ') + rows.at(i));
    }
    // the received text is what it always was
    QCOMPARE(t.logConsole()->toPlainText(), QStringLiteral(">DI=31\n>DN=2017\n"));

    // the sent line is painted in a colour of its own
    t.resize(500, 400);
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    auto sentPixels = [&t] {
        const QImage shot = t.screen()->grabWindow(t.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        int n = 0;
        for (int i = 0; i < shot.width() * shot.height(); ++i)
            n += (reinterpret_cast<const QRgb *>(shot.constBits())[i] & 0xffffff) == 0xffbf00;
        return n;
    };
    QTRY_VERIFY_WITH_TIMEOUT(sentPixels() > 10, 2000);
    t.clearConsole();
    t.showReceived(">I 0\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(sentPixels(), 0, 2000);
}

void TestTerminal::hexView_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("hex");     // the first row as shown in hex
    QTest::addColumn<QString>("text");    // the received text, whatever the view
    QTest::newRow("not UTF-8") << QByteArray("\xff\xfe>A\r\n") << "FF FE 3E 41 0D 0A  ..>A.."
                               << "\uFFFD\uFFFD>A\n";
    QTest::newRow("zero byte: the rest of the chunk in hex only")
        << QByteArray("AB\0\x01Z\n", 6) << "41 42 00 01 5A 0A  AB..Z." << "AB";
    QTest::newRow("lone CR") << QByteArray("x\ry") << "78 0D  x." << "x\ny";
    QTest::newRow("UTF-8 text") << QByteArray("\xd0\x96\n") << "D0 96 0A  ..." << "Ж\n";
}

void TestTerminal::hexView()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, hex);
    QFETCH(QString, text);
    Terminal t;
    t.showReceived(bytes);
    const QString plain = t.logConsole()->displayText(0);
    option(t, "hexAction")->setChecked(true);
    QCOMPARE(t.logConsole()->displayText(0), hex);
    QCOMPARE(t.logConsole()->toPlainText(), text);
    option(t, "hexAction")->setChecked(false);
    QCOMPARE(t.logConsole()->displayText(0), plain);
}

void TestTerminal::findInTheLog()
{
    Terminal t;
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    QByteArray text = ">GK=1\r\n";
    for (int i = 0; i < 300; ++i)
        text += ">TW=" + QByteArray::number(i) + "\r\n";
    t.showReceived(text + ">gk=2\r\n");
    Console *c = t.logConsole();
    auto *bar = t.findChild<QWidget *>(QStringLiteral("findBar"));
    auto *edit = t.findChild<QLineEdit *>(QStringLiteral("findEdit"));
    QVERIFY(!bar->isVisible());
    c->setFocus();
    QTest::keyClick(c, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(bar->isVisible());
    QTRY_VERIFY(edit->hasFocus());

    // next and previous, any case, going round; the match is selected and in view
    QTest::keyClicks(edit, QStringLiteral(">Gk="));
    const QList<QPair<Qt::KeyboardModifier, QString>> steps{
        {Qt::NoModifier, ">GK="}, {Qt::NoModifier, ">gk="}, {Qt::NoModifier, ">GK="},
        {Qt::ShiftModifier, ">gk="}, {Qt::ShiftModifier, ">GK="}};
    for (const auto &step : steps) {
        QTest::keyClick(edit, Qt::Key_Return, step.first);
        QCOMPARE(c->selectedText(), step.second);
        QCOMPARE(c->verticalScrollBar()->value() > 250, step.second == QLatin1String(">gk="));
    }
    // the log stays on what was found while the bar is open
    t.showReceived(text);
    QVERIFY(c->verticalScrollBar()->value() < 250);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    t.showReceived(text);
    QCOMPARE(c->verticalScrollBar()->value(), c->verticalScrollBar()->maximum());
}

void TestTerminal::passwordsMasked_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("secret");
    QTest::newRow("access password") << QByteArray("482915*SETP*#1=srv,20#4=0000\r\n")
                                     << "•••*SETP*#1=srv,20#4=0000" << QByteArray("482915");
    QTest::newRow("new password in item 3") << QByteArray("482915*SETP*#1=a,1#3=777111#4=1\r\n")
                                            << "•••*SETP*#1=a,1#3=•••#4=1" << QByteArray("777111");
    QTest::newRow("new password as the last item")
        << QByteArray("pw*SETP*#13=5#3=99x\r\n") << "•••*SETP*#13=5#3=•••" << QByteArray("99x");
    QTest::newRow("a command is left alone") << QByteArray(">D 15;0\r\n") << ">D 15;0" << QByteArray("\x01");
}

void TestTerminal::passwordsMasked()
{
    QFETCH(QByteArray, written);
    QFETCH(QString, shown);
    QFETCH(QByteArray, secret);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.log"));
    Terminal t;
    option(t, "sentLinesAction")->setChecked(true);
    QVERIFY(t.startRecording(path));
    t.showSent(written);
    t.stopRecording();
    QCOMPARE(t.logConsole()->displayText(0), QStringLiteral("→ ") + shown);
    const QByteArray recorded = readAll(path);
    QVERIFY2(recorded.contains(" → " + shown.toUtf8() + "\\r\\n\n"), recorded.constData());
    QVERIFY(!recorded.contains(secret));
}

void TestTerminal::recordButton_data()
{
    QTest::addColumn<QString>("path");      // answer to the file dialog
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("message");   // of the box that ends recording
    QTest::newRow("records") << "rec.log" << true << "";
    QTest::newRow("the dialog cancelled") << "" << false << "";
    // nobody, not even root, can create a file in /proc
    // the system's text comes after a short reason the user can read
    QTest::newRow("the file cannot be created")
        << "/proc/kvt-record.log" << false
        << "Не удалось начать запись в файл\r\n/proc/kvt-record.log\r\n"
           "папка не найдена (No such file or directory)";
    QTest::newRow("the disk is full") << "/dev/full" << true
                                      << "Запись в файл остановлена: файл не удаётся записать\r\n/dev/full\r\n"
                                         "нет места на диске (No space left on device)";
}

void TestTerminal::recordButton()
{
    QFETCH(QString, path);
    QFETCH(bool, starts);
    QFETCH(QString, message);
    QTemporaryDir dir;
    ScriptedTerminal t;
    QSignalSpy status(&t, &Terminal::recordingStatusChanged);
    ModalCloser closer;
    auto *record = button(t, "recordButton");
    QCOMPARE(record->text(), QStringLiteral("Запись в файл"));
    t.next = path.isEmpty() || path.startsWith(QLatin1Char('/')) ? path : dir.filePath(path);
    record->click();
    QCOMPARE(t.isRecording(), starts);
    QCOMPARE(record->isChecked(), starts);
    QCOMPARE(!status.isEmpty() && status.last().at(0).toString().startsWith("Запись: " + QFileInfo(path).fileName() + ", 0 Б"), starts);
    t.showReceived(">A=1\r\n");
    button(t, "pauseButton")->click();   // recorded whatever the log shows
    t.showReceived(">B=2\r\n");
    if (!message.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(closer.texts.size(), 1, 3000);
        QVERIFY2(closer.texts.first().startsWith(message), qPrintable(closer.texts.first()));
        QCOMPARE(closer.titles.first(), QStringLiteral("Запись в файл"));
        QVERIFY(!t.isRecording() && !record->isChecked());
    }
    if (!t.isRecording()) {
        QCOMPARE(t.logConsole()->toPlainText(), QStringLiteral(">A=1\n"));   // the program goes on
        return;
    }
    QTRY_VERIFY(!status.last().at(0).toString().endsWith(QStringLiteral(", 0 Б")));
    record->click();
    QVERIFY(!t.isRecording());
    QCOMPARE(status.last().at(0).toString(), QString());
    const QByteArray recorded = readAll(t.next);
    QVERIFY2(recorded.contains(" ← >B=2\\r\\n\n") && recorded.endsWith(" ## Запись остановлена\n"), recorded.constData());
}

QTEST_MAIN(TestTerminal)
#include "tst_terminal.moc"
