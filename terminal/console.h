#pragma once

#include "link/localtime.h"
#include "terminal/loglines.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QTextCursor>

#include <vector>

class QMenu;
class QTextLayout;

// The terminal log: read-only, green on black, at most 65535 lines (the oldest go first).
// Optionally each line starts with the local time of its arrival, lines sent to the terminal
// are shown among the received ones (another colour, "→"), and the bytes are shown as hex.
//
// A busy terminal sends tens of thousands of lines a second and the log must keep up with
// them while it is full, so it is not a text document: the lines sit in a ring (LogLines)
// and only the lines on screen are laid out, when they are painted. Painting is done at
// most once a frame (FrameMs), however many chunks arrive in between. Lines are not
// wrapped; a long line is scrolled to sideways.
class Console : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int MaxLines = 65535;
    static constexpr int FrameMs = 20;

    explicit Console(QWidget *parent = nullptr);
    ~Console() override;

    // Shows received bytes (up to the first zero byte; the hex view shows the rest too) at
    // the end of the log. The bytes are UTF-8; a character cut off at the end of a chunk is
    // completed by the next chunk. `time`: arrival, ms since the epoch (0: now).
    void showData(const QByteArray &data, bool autoScroll, qint64 time = 0);
    // Shows one line sent to the terminal (`end`: the line end it was written with).
    void showSent(const QByteArray &line, LogLines::End end, bool autoScroll, qint64 time = 0);
    // Shows a note of the program on a line of its own, marked "##".
    void showNote(const QString &text, bool autoScroll, qint64 time);

    // View options: each line prefixed with its arrival time; the bytes as hex pairs with
    // their printable text beside. They change what is shown, not the text held.
    void setTimeStamps(bool on);
    void setHex(bool on);
    bool timeStamps() const { return stamps; }
    bool hex() const { return hexView; }

    // Find: every match of `text` (any case) on screen is marked; find() selects the next
    // (or previous) match from the selection, going round at the end, and brings it into
    // view. False when there is none.
    void setFindText(const QString &text);
    bool find(const QString &text, bool backward = false);

    // A row as shown, with the options in force.
    QString displayText(int index) const;

    // True while the log is paused: the mouse then places the cursor and selects text.
    bool mouseSelectEnabled = false;

    // All lines held, joined with LF.
    QString toPlainText() const;
    // Lines held, the last (open) line included: 1 for an empty log.
    int lineCount() const { return lines.count(); }
    bool isEmpty() const { return lines.count() == 1 && lines.row(0).bytes.isEmpty(); }
    const LogLines &rows() const { return lines; }

    // Moves the text cursor to the Start or the End of the log (other operations are not
    // used here and leave it where it is) and scrolls it into view; MoveAnchor drops the
    // selection.
    void moveCursor(QTextCursor::MoveOperation operation,
                    QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);
    // The cursor as an offset into toPlainText().
    int cursorPosition() const;
    bool hasSelection() const;
    // The selected text, lines joined with LF.
    QString selectedText() const;

    // Copy (with a selection) and Select All (with some text); the caller owns the menu.
    QMenu *createStandardContextMenu();

public slots:
    void clear();
    void copy();
    void selectAll();

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent *e) override;
    void timerEvent(QTimerEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    // A place in the text: `line` is the line's number (LogLines::firstNumber() based, so it
    // stays on the same text while older lines are dropped), `column` a character index.
    struct Position
    {
        qint64 line = 0;
        int column = 0;
        bool operator<(const Position &o) const
        {
            return line < o.line || (line == o.line && column < o.column);
        }
        bool operator==(const Position &o) const { return line == o.line && column == o.column; }
    };

    Position clamped(Position p) const;
    Position endPosition() const;
    Position positionAt(const QPoint &viewportPos) const;
    int rowsOnScreen() const;
    int lineHeight() const;
    void layOut(QTextLayout &layout, const QString &text) const;

    // Rows longer than LongRow characters (binary junk without line ends, up to 64 KiB, and
    // four times that in hex) would cost a layout of the whole row at every paint: they are
    // measured character by character and only the part in view is laid out.
    static constexpr int LongRow = 2000;
    struct Span
    {
        int from = 0;       // first character laid out
        int to = 0;         // after the last
        qreal x = 0;        // where `from` starts in the row
        qreal width = -1;   // of the whole row; -1 for a short row (the layout measures it)
    };
    Span spanOf(const QString &text, qreal left, qreal right) const;
    qreal advance(QChar c) const;
    qreal xOf(const QString &text, int column) const;
    int columnAt(const QString &text, qreal x) const;
    void updateScrollBars();
    void scheduleFrame();
    void rowsAdded(int dropped, bool autoScroll);
    void viewChanged();
    void bringIntoView(const Position &p);
    QString hexText(const LogLines::Row &row) const;

    LogLines lines{MaxLines};
    Position anchor;     // where the selection started
    Position cursor;     // where it ends (the text cursor)
    bool dragging = false;
    qreal widest = 0;    // widest line painted so far, for the horizontal scroll bar
    QBasicTimer frameTimer;
    bool stamps = false;
    bool hexView = false;
    QString findText;
    mutable LocalTimeText clock;
    mutable std::vector<qreal> advances;   // of the characters below 0x500, -1 until measured
};
