// The terminal log view: its line ring, the cap, selection with the mouse while paused,
// copy and select all from the context menu, scrolling and painting.
#include "link/localtime.h"
#include "terminal/console.h"
#include "terminal/loglines.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

namespace {
QStringList linesOf(const LogLines &log)
{
    QStringList out;
    for (int i = 0; i < log.count(); ++i)
        out << log.line(i);
    return out;
}

// The point in the viewport over the gap before `column` of screen row `row`.
QPoint pointAt(Console &c, int row, const QString &line, int column)
{
    const QFontMetrics fm = c.fontMetrics();
    const int x = 4 + fm.horizontalAdvance(line.left(column));
    const int y = 4 + row * fm.lineSpacing() + fm.lineSpacing() / 2;
    return QPoint(x, y);
}

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Drags with the left button from one point of the viewport to another.
void drag(Console &c, const QPoint &from, const QPoint &to)
{
    sendMouse(c.viewport(), QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(c.viewport(), QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(c.viewport(), QEvent::MouseButtonRelease, to, Qt::NoButton);
}

// Opens the console's context menu and returns it (it is a popup that stays open).
QMenu *openContextMenu(Console &c)
{
    const QPoint pos(10, 10);
    QContextMenuEvent e(QContextMenuEvent::Mouse, pos, c.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(c.viewport(), &e);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

int countPixels(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}
} // namespace

class TestLogView : public QObject
{
    Q_OBJECT

private slots:
    void lineEnds_data();
    void lineEnds();
    void cap_data();
    void cap();
    void textRanges_data();
    void textRanges();
    void utf8SplitBetweenChunks_data();
    void utf8SplitBetweenChunks();
    void longLinesAndTheByteCap_data();
    void longLinesAndTheByteCap();
    void sentLinesBetweenReceived_data();
    void sentLinesBetweenReceived();
    void mouseSelectsOnlyWhilePaused();
    void doubleClickSelectsWord();
    void contextMenuCopyAndSelectAll();
    void cursorToTheEndDropsSelectionAndScrolls();
    void selectionOnDroppedLinesMovesToStart();
    void scrolling_data();
    void scrolling();
    void paintsGreenOnBlackAndTheSelection();
    void longRowShowsAndHitsWhereScrolled();
    void timeStampsOfEachMillisecond_data();
    void timeStampsOfEachMillisecond();
};

void TestLogView::lineEnds_data()
{
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty log") << QStringList{} << QStringList{""};
    QTest::newRow("open line") << QStringList{"abc"} << QStringList{"abc"};
    QTest::newRow("LF") << QStringList{"a\nb\n"} << QStringList{"a", "b", ""};
    QTest::newRow("CR LF is one line end") << QStringList{"a\r\nb"} << QStringList{"a", "b"};
    QTest::newRow("lone CR") << QStringList{"a\rb"} << QStringList{"a", "b"};
    QTest::newRow("CR CR LF is two") << QStringList{"a\r\r\nb"} << QStringList{"a", "", "b"};
    QTest::newRow("LF CR is two") << QStringList{"a\n\rb"} << QStringList{"a", "", "b"};
    QTest::newRow("CR, then LF in the next chunk") << QStringList{"a\r", "\nb"} << QStringList{"a", "b"};
    QTest::newRow("CR, then an empty chunk, then LF") << QStringList{"a\r", "", "\nb"} << QStringList{"a", "b"};
    QTest::newRow("CR, then text, then LF") << QStringList{"a\r", "b", "\n"} << QStringList{"a", "b", ""};
    QTest::newRow("a line over three chunks") << QStringList{">DN", "=204", "17\r\n"} << QStringList{">DN=20417", ""};
}

void TestLogView::lineEnds()
{
    QFETCH(QStringList, chunks);
    QFETCH(QStringList, lines);
    LogLines log(100);
    for (const QString &c : chunks)
        log.append(c.toUtf8());
    QCOMPARE(linesOf(log), lines);
    QCOMPARE(log.toPlainText(), lines.join(QLatin1Char('\n')));
}

void TestLogView::cap_data()
{
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<QStringList>("chunks");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("dropped");        // by the last chunk
    QTest::addColumn<qint64>("firstNumber");
    QTest::newRow("at the cap, nothing dropped")
        << 3 << QStringList{"a\nb\nc"} << QStringList{"a", "b", "c"} << 0 << qint64(0);
    QTest::newRow("one line over")
        << 3 << QStringList{"a\nb\nc\n"} << QStringList{"b", "c", ""} << 1 << qint64(1);
    QTest::newRow("many lines over in one chunk")
        << 3 << QStringList{"1\n2\n3\n4\n5\n6\n7"} << QStringList{"5", "6", "7"} << 4 << qint64(4);
    QTest::newRow("over in several chunks")
        << 3 << QStringList{"1\n2\n", "3\n4\n", "5"} << QStringList{"3", "4", "5"} << 0 << qint64(2);
    QTest::newRow("ring wraps more than once")
        << 2 << QStringList{"1\n2\n3\n", "4\n5\n6\n"} << QStringList{"6", ""} << 3 << qint64(5);
    QTest::newRow("the open line grows at the cap")
        << 2 << QStringList{"1\n2\n3", "x", "y"} << QStringList{"2", "3xy"} << 0 << qint64(1);
}

void TestLogView::cap()
{
    QFETCH(int, maxLines);
    QFETCH(QStringList, chunks);
    QFETCH(QStringList, lines);
    QFETCH(int, dropped);
    QFETCH(qint64, firstNumber);
    LogLines log(maxLines);
    int last = -1;
    for (const QString &c : chunks)
        last = log.append(c.toUtf8());
    QCOMPARE(linesOf(log), lines);
    QCOMPARE(last, dropped);
    QCOMPARE(log.firstNumber(), firstNumber);

    // clearing leaves one empty line, numbered after every line seen so far
    log.clear();
    QCOMPARE(linesOf(log), QStringList{QString()});
    QCOMPARE(log.firstNumber(), firstNumber + lines.size());
    log.append("x\ny");
    QCOMPARE(linesOf(log), (QStringList{"x", "y"}));
}

void TestLogView::textRanges_data()
{
    QTest::addColumn<int>("fromLine");
    QTest::addColumn<int>("fromColumn");
    QTest::addColumn<int>("toLine");
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<QString>("text");
    // the log holds "alpha", "beta", "gamma"
    QTest::newRow("inside one line") << 0 << 1 << 0 << 4 << "lph";
    QTest::newRow("across two lines") << 0 << 3 << 1 << 2 << "ha\nbe";
    QTest::newRow("across three lines") << 0 << 5 << 2 << 5 << "\nbeta\ngamma";
    QTest::newRow("columns past the line end are clamped") << 1 << 2 << 1 << 99 << "ta";
    QTest::newRow("empty range") << 2 << 2 << 2 << 2 << "";
}

void TestLogView::textRanges()
{
    QFETCH(int, fromLine);
    QFETCH(int, fromColumn);
    QFETCH(int, toLine);
    QFETCH(int, toColumn);
    QFETCH(QString, text);
    LogLines log(3);
    log.append("dropped\nalpha\nbeta\ngamma");   // the ring has wrapped
    QCOMPARE(log.firstNumber(), qint64(1));
    QCOMPARE(log.text(fromLine, fromColumn, toLine, toColumn), text);
}

void TestLogView::utf8SplitBetweenChunks_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two-byte character split")
        << QList<QByteArray>{"\xd0", "\x9c\xd0\xa2\xd0\xa1\n"} << QStringLiteral("МТС\n");
    QTest::newRow("three-byte character split over three chunks")
        << QList<QByteArray>{"a\xe2", "\x82", "\xac" "b"} << QStringLiteral("a€b");
    QTest::newRow("four-byte character split")
        << QList<QByteArray>{"\xf0\x9f", "\x98\x80"} << QStringLiteral("\U0001F600");
    QTest::newRow("invalid byte is replaced, the text goes on")
        << QList<QByteArray>{"a\xff" "b"} << QStringLiteral("a\uFFFDb");
}

void TestLogView::utf8SplitBetweenChunks()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QString, shown);
    Console c;
    for (const QByteArray &chunk : chunks)
        c.showData(chunk, true);
    QCOMPARE(c.toPlainText(), shown);
}

void TestLogView::longLinesAndTheByteCap_data()
{
    QTest::addColumn<int>("maxBytes");
    QTest::addColumn<QByteArray>("line");   // sent in 4 KiB chunks, no line end
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("firstRowBytes");
    const int max = LogLines::MaxRowBytes;
    const int enough = 32 * 1024 * 1024;
    QTest::newRow("continued after 64 KiB") << enough << QByteArray(max + 100, 'x') << 2 << max;
    // a two-byte character across the limit starts the next row
    QTest::newRow("not inside a character")
        << enough << QByteArray(max - 1, 'x') + "\xd0\x96" + "yz" << 2 << max - 1;
    QTest::newRow("the byte cap drops the oldest rows")
        << 4 * max << QByteArray(20 * max + 5, 'j') << 4 << max;
    QTest::newRow("exactly at the byte cap, every row kept")
        << 4 * max << QByteArray(4 * max, 'k') << 4 << max;
}

void TestLogView::longLinesAndTheByteCap()
{
    QFETCH(int, maxBytes);
    QFETCH(QByteArray, line);
    QFETCH(int, rows);
    QFETCH(int, firstRowBytes);
    LogLines log(1000, maxBytes);
    for (int i = 0; i < line.size(); i += 4096)
        log.append(line.mid(i, 4096));
    QCOMPARE(log.count(), rows);
    QCOMPARE(log.row(0).bytes.size(), firstRowBytes);
    QVERIFY(log.byteCount() <= maxBytes);
    // the received text has no line end where a row was continued
    const QString text = log.toPlainText();
    QVERIFY(!text.contains(QLatin1Char('\n')));
    QCOMPARE(text, QString::fromUtf8(line).right(text.size()));
    QCOMPARE(text == QString::fromUtf8(line), maxBytes >= line.size());
}

void TestLogView::sentLinesBetweenReceived_data()
{
    // received chunks and sent lines ("S:" in front) in their order
    QTest::addColumn<QList<QByteArray>>("events");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("received");
    QTest::newRow("between whole lines")
        << QList<QByteArray>{">A=1\r\n", "S:>I 0", ">B=2\r\n"} << QStringList{">A=1", ">I 0", ">B=2", ""}
        << ">A=1\n>B=2\n";
    QTest::newRow("into an open line, which goes on after it")
        << QList<QByteArray>{">DN=20", "S:>I 1", "417\r\n"} << QStringList{">DN=20", ">I 1", "417", ""}
        << ">DN=20417\n";
    QTest::newRow("between the CR and the LF of a line end")
        << QList<QByteArray>{"a\r", "S:x", "\nb"} << QStringList{"a", "x", "b"} << "a\nb";
    QTest::newRow("into a UTF-8 character")
        << QList<QByteArray>{"\xd0", "S:x", "\x9c\r\n"} << QStringList{"", "x", "М", ""} << "М\n";
}

void TestLogView::sentLinesBetweenReceived()
{
    QFETCH(QList<QByteArray>, events);
    QFETCH(QStringList, rows);
    QFETCH(QString, received);
    LogLines log(100);
    for (const QByteArray &e : events) {
        if (e.startsWith("S:"))
            log.appendSent(e.mid(2), LogLines::End::CRLF, 1);
        else
            log.append(e, 1);
    }
    QCOMPARE(linesOf(log), rows);
    QCOMPARE(log.toPlainText(), received);
    for (int i = 0; i < log.count(); ++i)
        QCOMPARE(log.row(i).kind == LogLines::Kind::Sent, events.contains("S:" + rows.at(i).toUtf8()));
}

void TestLogView::mouseSelectsOnlyWhilePaused()
{
    Console c;
    c.resize(400, 300);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    c.showData("alpha beta\ngamma delta\n", true);
    const QPoint start = pointAt(c, 0, QStringLiteral("alpha beta"), 0);
    const QPoint end = pointAt(c, 1, QStringLiteral("gamma delta"), 5);

    drag(c, start, end);
    QVERIFY(!c.hasSelection());
    QCOMPARE(c.selectedText(), QString());

    c.mouseSelectEnabled = true;
    drag(c, start, end);
    QVERIFY(c.hasSelection());
    QCOMPARE(c.selectedText(), QStringLiteral("alpha beta\ngamma"));
    QCOMPARE(c.cursorPosition(), 16);

    // dragging upwards selects the same way
    drag(c, end, pointAt(c, 0, QStringLiteral("alpha beta"), 6));
    QCOMPARE(c.selectedText(), QStringLiteral("beta\ngamma"));

    // a plain click drops the selection
    drag(c, start, start);
    QVERIFY(!c.hasSelection());
}

void TestLogView::doubleClickSelectsWord()
{
    Console c;
    c.resize(400, 300);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    const QString line = QStringLiteral(">GK=55.755831;37_617673");
    c.showData(line.toUtf8() + "\r\n", true);
    const QPoint onWord = pointAt(c, 0, line, 16);

    QTest::mouseDClick(c.viewport(), Qt::LeftButton, {}, onWord);
    QVERIFY(!c.hasSelection());

    c.mouseSelectEnabled = true;
    QTest::mouseDClick(c.viewport(), Qt::LeftButton, {}, onWord);
    QCOMPARE(c.selectedText(), QStringLiteral("37_617673"));
    QTest::mouseDClick(c.viewport(), Qt::LeftButton, {}, pointAt(c, 0, line, 2));
    QCOMPARE(c.selectedText(), QStringLiteral("GK"));
}

void TestLogView::contextMenuCopyAndSelectAll()
{
    Console c;
    c.resize(400, 300);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    // an empty log offers neither
    QMenu *menu = openContextMenu(c);
    QVERIFY(menu);
    QAction *copy = menu->findChild<QAction *>(QStringLiteral("edit-copy"));
    QAction *all = menu->findChild<QAction *>(QStringLiteral("select-all"));
    QVERIFY(copy && all);
    QVERIFY(copy->text().startsWith(QLatin1String("&Copy")));
    QVERIFY(all->text().startsWith(QLatin1String("Select All")));
    QVERIFY(!copy->isEnabled());
    QVERIFY(!all->isEnabled());
    menu->close();
    QTRY_VERIFY(!QApplication::activePopupWidget());

    // while the log runs: select all, then copy, both from the menu
    c.showData(">DN=20417\r\n>DI=31;0;70\r\nopen", true);
    menu = openContextMenu(c);
    all = menu->findChild<QAction *>(QStringLiteral("select-all"));
    QVERIFY(all->isEnabled());
    QVERIFY(!menu->findChild<QAction *>(QStringLiteral("edit-copy"))->isEnabled());
    all->trigger();
    menu->close();
    QVERIFY(c.hasSelection());

    // text arriving meanwhile goes to the end and is not part of the selection
    c.showData(" more\n", true);
    menu = openContextMenu(c);
    copy = menu->findChild<QAction *>(QStringLiteral("edit-copy"));
    QVERIFY(copy->isEnabled());
    copy->trigger();
    menu->close();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(">DN=20417\n>DI=31;0;70\nopen"));
    QCOMPARE(c.toPlainText(), QStringLiteral(">DN=20417\n>DI=31;0;70\nopen more\n"));
}

void TestLogView::cursorToTheEndDropsSelectionAndScrolls()
{
    Console c;
    c.resize(300, 200);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QByteArray many;
    for (int i = 0; i < 100; ++i)
        many += QByteArray::number(i) + "\n";
    c.showData(many, false);
    // moving the cursor brings it into view, as in a text view
    QCOMPARE(c.verticalScrollBar()->value(), 0);
    QVERIFY(c.verticalScrollBar()->maximum() > 50);
    c.moveCursor(QTextCursor::End);
    QCOMPARE(c.verticalScrollBar()->value(), c.verticalScrollBar()->maximum());
    c.moveCursor(QTextCursor::Start);
    QCOMPARE(c.verticalScrollBar()->value(), 0);

    c.clear();
    c.showData("one\ntwo\n", true);
    c.selectAll();
    QVERIFY(c.hasSelection());
    c.moveCursor(QTextCursor::End, QTextCursor::KeepAnchor);
    QVERIFY(c.hasSelection());
    c.moveCursor(QTextCursor::End);
    QVERIFY(!c.hasSelection());
    QCOMPARE(c.cursorPosition(), c.toPlainText().size());
    c.moveCursor(QTextCursor::Start);
    QCOMPARE(c.cursorPosition(), 0);

    c.selectAll();
    c.clear();
    QVERIFY(!c.hasSelection());
    QVERIFY(c.isEmpty());
    QCOMPARE(c.lineCount(), 1);
}

void TestLogView::selectionOnDroppedLinesMovesToStart()
{
    Console c;
    QByteArray text;
    for (int i = 0; i < Console::MaxLines - 1; ++i)
        text += "L" + QByteArray::number(i) + "\n";
    c.showData(text, true);
    QCOMPARE(c.lineCount(), Console::MaxLines);
    c.selectAll();
    QCOMPARE(c.selectedText(), c.toPlainText());

    // the two oldest lines go: the selection keeps what is left of its text
    c.showData("new1\nnew2\n", true);
    QCOMPARE(c.lineCount(), Console::MaxLines);
    QVERIFY(c.toPlainText().startsWith(QLatin1String("L2\nL3\n")));
    QVERIFY(c.selectedText().startsWith(QLatin1String("L2\nL3\n")));
    QVERIFY(c.selectedText().endsWith(QStringLiteral("L%1\n").arg(Console::MaxLines - 2)));
}

void TestLogView::scrolling_data()
{
    QTest::addColumn<int>("linesBefore");
    QTest::addColumn<bool>("autoScroll");
    QTest::addColumn<int>("newLines");
    // without auto-scroll: the expected change of the scroll value (with it: at the end)
    QTest::addColumn<int>("valueShift");
    QTest::newRow("auto-scroll follows the end") << 200 << true << 50 << 0;
    QTest::newRow("auto-scroll at the cap") << Console::MaxLines << true << 50 << 0;
    QTest::newRow("without auto-scroll the view stays") << 200 << false << 50 << 0;
    QTest::newRow("at the cap the same lines stay in view") << Console::MaxLines << false << 50 << -50;
}

void TestLogView::scrolling()
{
    QFETCH(int, linesBefore);
    QFETCH(bool, autoScroll);
    QFETCH(int, newLines);
    QFETCH(int, valueShift);
    Console c;
    c.resize(400, 300);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QByteArray text;
    for (int i = 0; i < linesBefore; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    c.showData(text, true);
    QScrollBar *bar = c.verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(bar->maximum() > 100);

    bar->setValue(100);
    QByteArray more;
    for (int i = 0; i < newLines; ++i)
        more += "more " + QByteArray::number(i) + "\n";
    c.showData(more, autoScroll);
    if (autoScroll)
        QCOMPARE(bar->value(), bar->maximum());
    else
        QCOMPARE(bar->value(), 100 + valueShift);
    QVERIFY(c.toPlainText().endsWith(QStringLiteral("more %1\n").arg(newLines - 1)));
}

void TestLogView::paintsGreenOnBlackAndTheSelection()
{
    // what the window shows, as painted into its backing store (not a fresh rendering)
    auto onScreen = [](Console &c) {
        return c.screen()->grabWindow(c.winId()).toImage();
    };
    Console c;
    QFont f = c.font();
    f.setPointSize(14);
    c.setFont(f);
    c.resize(300, 200);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QTest::qWait(3 * Console::FrameMs);
    QCOMPARE(countPixels(onScreen(c), QColor(0, 255, 0).rgb()), 0);

    // received text is on screen within a frame or two
    c.showData("MMMMMMMM\nWWWWWWWW\n", true);
    QTRY_VERIFY_WITH_TIMEOUT(countPixels(onScreen(c), QColor(0, 255, 0).rgb()) > 20, 2000);
    QImage shot = onScreen(c);
    const QPoint corner = c.viewport()->geometry().bottomRight() - QPoint(2, 2);
    QCOMPARE(shot.pixel(corner) & 0xffffff, QColor(Qt::black).rgb() & 0xffffff);
    const QRgb highlight = c.palette().color(QPalette::Active, QPalette::Highlight).rgb();
    QCOMPARE(countPixels(shot, highlight), 0);

    // the selection covers the selected text (not only the line ends)
    c.selectAll();
    const int textArea = c.fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMM")) * c.fontMetrics().height();
    QTRY_VERIFY_WITH_TIMEOUT(countPixels(onScreen(c), highlight) > textArea / 2, 2000);

    // disabled, the log keeps its colours
    c.setEnabled(false);
    c.moveCursor(QTextCursor::End);
    QTRY_COMPARE_WITH_TIMEOUT(countPixels(onScreen(c), highlight), 0, 2000);
    QVERIFY(countPixels(onScreen(c), QColor(0, 255, 0).rgb()) > 20);
}

void TestLogView::longRowShowsAndHitsWhereScrolled()
{
    // a row far longer than the screen is only laid out in part: scrolled to its end, the
    // end is painted there and a click lands on the characters under the mouse
    Console c;
    c.resize(400, 200);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    c.showData(QByteArray(60000, 'M') + "END", true);
    QScrollBar *h = c.horizontalScrollBar();
    QTRY_VERIFY(h->maximum() > c.fontMetrics().horizontalAdvance(QString(2000, QLatin1Char('M'))));
    h->setValue(h->maximum());
    QTRY_VERIFY(countPixels(c.screen()->grabWindow(c.winId()).toImage(), QColor(0, 255, 0).rgb()) > 20);
    c.mouseSelectEnabled = true;
    const int x = c.viewport()->width() - 4 - c.fontMetrics().horizontalAdvance(QStringLiteral("END")) / 2;
    QTest::mouseClick(c.viewport(), Qt::LeftButton, {}, QPoint(x, 4 + c.fontMetrics().lineSpacing() / 2));
    QVERIFY2(qAbs(c.cursorPosition() - 60001) <= 1, qPrintable(QString::number(c.cursorPosition())));
}

QTEST_MAIN(TestLogView)
// The text of a moment is made once and given again while the moment stays: each moment in
// turn, forward, repeated and back (a recording played back from its start), reads as the
// local time of that moment.
void TestLogView::timeStampsOfEachMillisecond_data()
{
    QTest::addColumn<QList<qint64>>("moments");
    const qint64 t = QDateTime(QDate(2026, 3, 14), QTime(9, 5, 7, 998)).toMSecsSinceEpoch();
    QTest::newRow("the same millisecond twice") << QList<qint64>{t, t, t};
    QTest::newRow("across a second") << QList<qint64>{t, t + 1, t + 2, t + 2, t + 3};
    QTest::newRow("back in time") << QList<qint64>{t + 1000, t, t + 1000, t + 1000};
    const qint64 midnight = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 999)).toMSecsSinceEpoch();
    QTest::newRow("across midnight and the year") << QList<qint64>{midnight, midnight + 1, midnight};
    const qint64 quarter = QDateTime(QDate(2026, 3, 29), QTime(0, 59, 59, 999), Qt::UTC).toMSecsSinceEpoch();
    QTest::newRow("across a quarter hour") << QList<qint64>{quarter, quarter + 1, quarter - 3600000};
}

void TestLogView::timeStampsOfEachMillisecond()
{
    QFETCH(QList<qint64>, moments);
    LocalTimeText clock;
    for (const qint64 ms : moments) {
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms);
        QCOMPARE(clock.time(ms), local.toString(QStringLiteral("HH:mm:ss.zzz")));
        QByteArray out("x");
        clock.appendDateTime(ms, out);
        QCOMPARE(out, "x" + local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1());
    }
}

#include "tst_logview.moc"
