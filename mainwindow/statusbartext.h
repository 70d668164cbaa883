#pragma once
// Long texts in the status bar: shortened to the room they have, in the middle of the path
// they name (or at their end when they name none), the whole text in the tool tip.

#include <QBasicTimer>
#include <QLabel>
#include <QObject>
#include <QString>

class QFontMetrics;
class QStatusBar;

// The text as it fits in `width` pixels: whole when it fits; otherwise the longest path in it
// (a word that starts with '/', '~/' or a drive letter) shortened in its middle with "…", the
// rest kept; and when that is not enough, the text cut at its end with "…".
QString elideStatusText(const QString &text, const QFontMetrics &metrics, int width);

// The status bar's text for a received chunk, "%1:%2:%3 | %4 B": the local time of day to the
// second and the chunk's size. Asking for the local time makes the C library look at the time
// zone again (on Linux a stat() of /etc/localtime) and chunks come thousands of times a
// second, so the time is worked out once for each second of the clock, and the text made
// again only when the second or the chunk's size changes.
class ChunkStatusText
{
public:
    // `format` holds the four places: hours, minutes, seconds, bytes
    const QString &text(qint64 msecsSinceEpoch, int bytes, const QString &format);

private:
    qint64 second = -1;
    QString timeText;   // the format with the second's time in it, but the size
    int size = -1;
    QString message;
};

// A permanent section of the status bar for the program's own notices: it takes at most a
// share of the bar (the connection's messages keep the rest), shows its text shortened to its
// width and the whole text as its tool tip; text() is the whole text.
class NoticeLabel : public QLabel
{
    Q_OBJECT

public:
    explicit NoticeLabel(QWidget *parent = nullptr);
    void setNotice(const QString &text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Draws the status bar's message shortened to its room (elideStatusText) with the whole
// message as the bar's tool tip, instead of cutting it at the edge; the bar keeps the message
// as it was given (currentMessage()). A busy line changes the message with every chunk it
// reads: the bar is then painted at most once a frame, with the message it has by then.
class StatusMessageElider : public QObject
{
    Q_OBJECT

public:
    // Watches the bar; the notice section gets at most two fifths of the bar's width.
    static StatusMessageElider *attach(QStatusBar *bar, NoticeLabel *notice);

    // the longest a changed message waits to be painted, in milliseconds
    static constexpr int FrameMs = 20;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    StatusMessageElider(QStatusBar *bar, NoticeLabel *notice);
    QRect messageRect() const;
    void paint();
    void messageChanged(const QString &message);
    // The message's width in the bar's font. The per-chunk message and a terminal's state
    // take turns in the bar, so the widths of the last two texts are kept.
    int messageWidth(const QString &message);

    QStatusBar *const bar;
    NoticeLabel *const notice;
    QBasicTimer frame;   // runs while the bar's painting waits for the end of the frame
    QString measured[2];
    int measuredWidth[2] = {0, 0};
    int nextMeasured = 0;
};
