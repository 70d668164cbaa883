#include "mainwindow/statusbartext.h"

#include <QDateTime>
#include <QTime>

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOption>

QString elideStatusText(const QString &text, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    static const QRegularExpression pathPattern(
        QStringLiteral(R"((?:^|(?<=[\s«"'(]))(?:[A-Za-z]:[\\/]|~/|/)[^\s«»"']*)"));
    QRegularExpressionMatch longest;
    auto it = pathPattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength() > longest.capturedLength())
            longest = m;
    }
    if (longest.hasMatch()) {
        const QString path = longest.captured();
        const int rest = metrics.horizontalAdvance(text) - metrics.horizontalAdvance(path);
        const int room = width - rest;
        // a path shortened to a few letters names nothing: then the end goes instead
        if (room >= metrics.horizontalAdvance(QStringLiteral("/ab…cd/ef"))) {
            QString shortened = text;
            shortened.replace(longest.capturedStart(), longest.capturedLength(),
                              metrics.elidedText(path, Qt::ElideMiddle, room));
            if (metrics.horizontalAdvance(shortened) <= width)
                return shortened;
        }
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

NoticeLabel::NoticeLabel(QWidget *parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void NoticeLabel::setNotice(const QString &text)
{
    setText(text);
    setToolTip(text);
    updateGeometry();
}

QSize NoticeLabel::sizeHint() const
{
    const QSize whole = QLabel::sizeHint();
    return {qMin(whole.width(), maximumWidth()), whole.height()};
}

QSize NoticeLabel::minimumSizeHint() const
{
    // shrinks down to a few letters rather than pushing the message away
    const QSize whole = QLabel::minimumSizeHint();
    return {qMin(whole.width(), fontMetrics().horizontalAdvance(QLatin1Char('x')) * 12),
            whole.height()};
}

void NoticeLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect room = contentsRect();
    style()->drawItemText(&painter, room, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                          elideStatusText(text(), fontMetrics(), room.width()),
                          foregroundRole());
}

StatusMessageElider *StatusMessageElider::attach(QStatusBar *bar, NoticeLabel *notice)
{
    return new StatusMessageElider(bar, notice);
}

StatusMessageElider::StatusMessageElider(QStatusBar *bar, NoticeLabel *notice)
    : QObject(bar)
    , bar(bar)
    , notice(notice)
{
    bar->installEventFilter(this);
    connect(bar, &QStatusBar::messageChanged, this, &StatusMessageElider::messageChanged);
}

int StatusMessageElider::messageWidth(const QString &message)
{
    for (int i = 0; i < 2; ++i) {
        if (measured[i] == message && !measured[i].isNull())
            return measuredWidth[i];
    }
    const int width = bar->fontMetrics().horizontalAdvance(message);
    measured[nextMeasured] = message;
    measuredWidth[nextMeasured] = width;
    nextMeasured ^= 1;
    return width;
}

void StatusMessageElider::messageChanged(const QString &message)
{
    bar->setToolTip(messageWidth(message) > messageRect().width() ? message : QString());
    // the bar asked to be painted again; that waits for the end of the frame, when it shows
    // whatever message it has then
    if (frame.isActive() || !bar->isVisible())
        return;
    bar->setUpdatesEnabled(false);
    frame.start(FrameMs, this);
}

void StatusMessageElider::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != frame.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    frame.stop();
    bar->setUpdatesEnabled(true);   // paints the bar
}

bool StatusMessageElider::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != bar)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        for (QString &text : measured)
            text = QString();
    }
    if (event->type() == QEvent::Resize && notice)
        notice->setMaximumWidth(qMax(80, bar->width() * 2 / 5));
    if (event->type() == QEvent::Paint && !bar->currentMessage().isEmpty()) {
        paint();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QRect StatusMessageElider::messageRect() const
{
    // what the bar leaves its message: from the left edge to the first permanent section
    int right = bar->width() - 12;
    for (QObject *child : bar->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (w && w->isVisible() && w->x() > 0)
            right = qMin(right, w->x() - 2);
    }
    return QRect(6, 0, qMax(0, right - 6), bar->height());
}

void StatusMessageElider::paint()
{
    // as the bar paints itself, with the message shortened to its room
    QPainter painter(bar);
    QStyleOption option;
    option.initFrom(bar);
    bar->style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, bar);
    for (QObject *child : bar->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || !w->isVisible() || w->isWindow())
            continue;
        QStyleOption frame;
        frame.rect = w->geometry().adjusted(-2, -1, 2, 1);
        frame.palette = bar->palette();
        frame.state = QStyle::State_None;
        bar->style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, w);
    }
    const QRect room = messageRect();
    painter.setPen(bar->palette().windowText().color());
    const QString message = bar->currentMessage();
    painter.drawText(room, Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                     messageWidth(message) <= room.width()
                         ? message
                         : elideStatusText(message, bar->fontMetrics(), room.width()));
}

const QString &ChunkStatusText::text(qint64 msecsSinceEpoch, int bytes, const QString &format)
{
    const qint64 s = msecsSinceEpoch / 1000;
    if (s != second) {
        second = s;
        const QTime time = QDateTime::fromMSecsSinceEpoch(s * 1000).time();
        timeText = format.arg(time.hour()).arg(time.minute()).arg(time.second());
        message.clear();
    }
    if (bytes != size || message.isNull()) {
        size = bytes;
        message = timeText.arg(size);
    }
    return message;
}
