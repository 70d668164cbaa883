#include "terminal/console.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QDateTime>
#include <QTextLayout>

#include <cmath>

namespace {
// space between the frame and the text, as a text document leaves it
constexpr int Margin = 4;

// The text of a standard edit action, with its shortcut when the platform shows shortcuts
// in context menus. The texts are the ones of Qt's own text views, in their translation
// context, so a loaded Qt translation applies to them as well.
QString actionText(const char *text, QKeySequence::StandardKey key)
{
    QString s = QCoreApplication::translate("QWidgetTextControl", text);
    const QKeySequence seq(key);
    if (!seq.isEmpty() && !QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus)
        && QGuiApplication::styleHints()->showShortcutsInContextMenus())
        s += QLatin1Char('\t') + seq.toString(QKeySequence::NativeText);
    return s;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// "HH:mm:ss.zzz " before each line when time stamps are shown
constexpr int StampLength = 13;
const QColor SentColour(255, 191, 0);
const QColor StampColour(150, 150, 150);
const QColor FoundBackground(0, 90, 160);
} // namespace

Console::Console(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    QPalette p = palette();
    p.setBrush(QPalette::Base, QBrush(Qt::black));
    p.setBrush(QPalette::Text, QBrush(QColor(0, 255, 0)));
    setPalette(p);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    updateScrollBars();
}

Console::~Console() = default;

int Console::lineHeight() const
{
    return qMax(1, fontMetrics().lineSpacing());
}

int Console::rowsOnScreen() const
{
    return qMax(1, (viewport()->height() - 2 * Margin) / lineHeight());
}

void Console::updateScrollBars()
{
    QScrollBar *v = verticalScrollBar();
    const int rows = rowsOnScreen();
    v->setPageStep(rows);
    v->setRange(0, qMax(0, lines.count() - rows));

    QScrollBar *h = horizontalScrollBar();
    const int width = viewport()->width();
    h->setPageStep(width);
    h->setSingleStep(qMax(1, fontMetrics().averageCharWidth() * 2));
    h->setRange(0, qMax(0, int(std::ceil(widest)) + 2 * Margin - width));
}

void Console::scheduleFrame()
{
    // Chunks arrive far more often than a screen can show them: the changes are collected
    // and the widget (text and scroll bars) is painted once when the frame timer runs out.
    if (frameTimer.isActive())
        return;
    setUpdatesEnabled(false);
    frameTimer.start(FrameMs, this);
}

void Console::timerEvent(QTimerEvent *e)
{
    if (e->timerId() != frameTimer.timerId()) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    frameTimer.stop();
    setUpdatesEnabled(true);   // repaints the whole widget
}

void Console::showData(const QByteArray &data, bool autoScroll, qint64 time)
{
    if (data.isEmpty())
        return;
    // the text ends at the first zero byte; the hex view shows the rest of the chunk too
    const int nul = data.indexOf('\0');
    const int top = verticalScrollBar()->value();
    // received text always goes to the end, whatever the user has selected
    const int dropped = lines.append(data, nul < 0 ? data.size() : nul,
                                     time ? time : QDateTime::currentMSecsSinceEpoch());
    rowsAdded(top - dropped, autoScroll);
}

void Console::showSent(const QByteArray &line, LogLines::End end, bool autoScroll, qint64 time)
{
    const int top = verticalScrollBar()->value();
    const int dropped = lines.appendSent(line, end, time ? time : QDateTime::currentMSecsSinceEpoch());
    rowsAdded(top - dropped, autoScroll);
}

void Console::showNote(const QString &text, bool autoScroll, qint64 time)
{
    const int top = verticalScrollBar()->value();
    const int dropped = lines.appendSent(text.toUtf8(), LogLines::End::LF, time, LogLines::Kind::Note);
    rowsAdded(top - dropped, autoScroll);
}

void Console::rowsAdded(int top, bool autoScroll)
{
    QScrollBar *bar = verticalScrollBar();
    updateScrollBars();
    if (autoScroll)
        bar->setValue(bar->maximum());
    else
        bar->setValue(qMax(0, top));   // the same lines stay in view
    scheduleFrame();
}

// ---------------------------------------------------------------- view options

QString Console::hexText(const LogLines::Row &row) const
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray bytes = row.bytes;
    switch (row.end) {
    case LogLines::End::CR: bytes += '\r'; break;
    case LogLines::End::LF: bytes += '\n'; break;
    case LogLines::End::CRLF: bytes += "\r\n"; break;
    default: break;
    }
    const int n = bytes.size();
    // "HH HH HH" then two blanks and the printable text
    QString out(n == 0 ? 2 : 3 * n - 1 + 2 + n, QLatin1Char(' '));
    QChar *p = out.data();
    for (int i = 0; i < n; ++i) {
        const uchar c = uchar(bytes.at(i));
        p[3 * i] = QLatin1Char(digits[c >> 4]);
        p[3 * i + 1] = QLatin1Char(digits[c & 15]);
    }
    QChar *text = p + (n == 0 ? 2 : 3 * n + 1);
    for (int i = 0; i < n; ++i) {
        const uchar c = uchar(bytes.at(i));
        text[i] = QLatin1Char(c >= 0x20 && c < 0x7f ? char(c) : '.');
    }
    return out;
}

QString Console::displayText(int index) const
{
    const LogLines::Row &row = lines.row(index);
    const bool sent = row.kind != LogLines::Kind::Received;
    if (!stamps && !hexView && !sent)
        return lines.line(index);
    QString out;
    if (stamps) {
        out += row.time ? clock.time(row.time) : QString(StampLength - 1, QLatin1Char(' '));
        out += QLatin1Char(' ');
    }
    if (sent)
        out += row.kind == LogLines::Kind::Note ? QStringLiteral("## ") : QStringLiteral("→ ");
    if (hexView)
        out += hexText(row);
    else
        out += sent ? QString::fromUtf8(row.bytes) : lines.line(index);
    return out;
}

void Console::viewChanged()
{
    // columns mean other characters now: the selection goes, the width is measured anew
    anchor = cursor = endPosition();
    dragging = false;
    widest = 0;
    updateScrollBars();
    viewport()->update();
}

void Console::setTimeStamps(bool on)
{
    if (stamps == on)
        return;
    stamps = on;
    viewChanged();
}

void Console::setHex(bool on)
{
    if (hexView == on)
        return;
    hexView = on;
    viewChanged();
}

void Console::setFindText(const QString &text)
{
    if (findText == text)
        return;
    findText = text;
    viewport()->update();
}

bool Console::find(const QString &text, bool backward)
{
    setFindText(text);
    if (text.isEmpty())
        return false;
    Position from = clamped(anchor);
    Position to = clamped(cursor);
    if (to < from)
        std::swap(from, to);
    const qint64 number0 = lines.firstNumber();
    const int n = lines.count();
    const int start = int((backward ? from : to).line - number0);
    const int column = (backward ? from : to).column;
    // every row once, starting with the selection's row, then that row again from its other
    // end (a match before the selection there is found after going round)
    for (int step = 0; step <= n; ++step) {
        const int index = backward ? ((start - step) % n + n) % n : (start + step) % n;
        const QString row = displayText(index);
        int at = -1;
        if (!backward) {
            const int fromColumn = step == 0 ? column : 0;
            at = row.indexOf(text, fromColumn, Qt::CaseInsensitive);
            if (step == n && at >= column)
                at = -1;
        } else {
            const int fromColumn = step == 0 ? column - 1 : -1;
            if (step == 0 && fromColumn < 0)
                continue;
            at = row.lastIndexOf(text, fromColumn, Qt::CaseInsensitive);
            if (step == n && at < column)
                at = -1;
        }
        if (at >= 0) {
            anchor = Position{number0 + index, at};
            cursor = Position{number0 + index, at + text.size()};
            bringIntoView(cursor);
            bringIntoView(anchor);
            viewport()->update();
            return true;
        }
    }
    return false;
}

void Console::bringIntoView(const Position &p)
{
    const int index = int(clamped(p).line - lines.firstNumber());
    QScrollBar *v = verticalScrollBar();
    if (index < v->value() || index >= v->value() + rowsOnScreen())
        v->setValue(index - rowsOnScreen() / 2);
    const QString text = displayText(index);
    int x = 0;
    if (text.size() > LongRow) {
        widest = qMax(widest, xOf(text, text.size()));
        x = int(xOf(text, p.column));
    } else {
        QTextLayout layout;
        layOut(layout, text);
        if (layout.lineCount() == 0)
            return;
        const QTextLine line = layout.lineAt(0);
        widest = qMax(widest, line.naturalTextWidth());
        x = int(line.cursorToX(p.column));
    }
    updateScrollBars();
    QScrollBar *h = horizontalScrollBar();
    const int width = viewport()->width() - 2 * Margin;
    if (x < h->value() || x > h->value() + width)
        h->setValue(x - width / 3);
}

QString Console::toPlainText() const
{
    return lines.toPlainText();
}

void Console::clear()
{
    lines.clear();
    anchor = cursor = Position{lines.firstNumber(), 0};
    dragging = false;
    widest = 0;
    updateScrollBars();
    viewport()->update();
}

// ---------------------------------------------------------------- cursor and selection

Console::Position Console::endPosition() const
{
    const int last = lines.count() - 1;
    return Position{lines.firstNumber() + last, displayText(last).size()};
}

Console::Position Console::clamped(Position p) const
{
    // a place in a line dropped meanwhile moves to the start of the log
    if (p.line < lines.firstNumber())
        return Position{lines.firstNumber(), 0};
    const Position end = endPosition();
    if (end < p)
        return end;
    p.column = qBound(0, p.column, displayText(int(p.line - lines.firstNumber())).size());
    return p;
}

void Console::moveCursor(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode)
{
    if (operation == QTextCursor::End)
        cursor = endPosition();
    else if (operation == QTextCursor::Start)
        cursor = Position{lines.firstNumber(), 0};
    if (mode == QTextCursor::MoveAnchor)
        anchor = cursor;
    // like a text view, the view follows the cursor
    QScrollBar *bar = verticalScrollBar();
    const int index = int(clamped(cursor).line - lines.firstNumber());
    if (index < bar->value())
        bar->setValue(index);
    else if (index >= bar->value() + rowsOnScreen())
        bar->setValue(index - rowsOnScreen() + 1);
    viewport()->update();
}

int Console::cursorPosition() const
{
    const Position c = clamped(cursor);
    const int index = int(c.line - lines.firstNumber());
    int offset = c.column;
    for (int i = 0; i < index; ++i)
        offset += displayText(i).size() + 1;
    return offset;
}

bool Console::hasSelection() const
{
    return !(clamped(anchor) == clamped(cursor));
}

QString Console::selectedText() const
{
    Position from = clamped(anchor);
    Position to = clamped(cursor);
    if (to < from)
        std::swap(from, to);
    const qint64 first = lines.firstNumber();
    return LogLines::joinRange(int(from.line - first), from.column, int(to.line - first), to.column,
                               [this](int i) { return displayText(i); });
}

void Console::selectAll()
{
    anchor = Position{lines.firstNumber(), 0};
    cursor = endPosition();
    viewport()->update();
}

void Console::copy()
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

// ---------------------------------------------------------------- painting

void Console::layOut(QTextLayout &layout, const QString &text) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setText(text);
    layout.setFont(font());
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(1e6);
        line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
}

qreal Console::advance(QChar c) const
{
    const ushort u = c.unicode();
    if (u < 0x500) {
        if (advances.empty())
            advances.assign(0x500, -1);
        qreal &a = advances[u];
        if (a < 0)
            a = QFontMetricsF(font()).horizontalAdvance(c);
        return a;
    }
    return QFontMetricsF(font()).horizontalAdvance(c);
}

Console::Span Console::spanOf(const QString &text, qreal left, qreal right) const
{
    Span span;
    span.to = text.size();
    // a few characters more on each side than the view needs
    const qreal slack = 8 * qMax(1, fontMetrics().averageCharWidth());
    if (advances.empty())
        advance(QLatin1Char(' '));
    const qreal *table = advances.data();
    const QChar *chars = text.constData();
    qreal x = 0;
    bool end = false;
    for (int i = 0; i < text.size(); ++i) {
        if (x < left - slack) {
            span.from = i;
            span.x = x;
        } else if (!end && x > right + slack) {
            span.to = i;
            end = true;
        }
        const ushort u = chars[i].unicode();
        x += u < 0x500 && table[u] >= 0 ? table[u] : advance(chars[i]);
    }
    span.width = x;
    if (span.from > 0 && text.at(span.from).isLowSurrogate()) {
        --span.from;
        span.x -= advance(text.at(span.from));
    }
    return span;
}

qreal Console::xOf(const QString &text, int column) const
{
    qreal x = 0;
    for (int i = 0; i < qMin(column, text.size()); ++i)
        x += advance(text.at(i));
    return x;
}

int Console::columnAt(const QString &text, qreal x) const
{
    qreal at = 0;
    for (int i = 0; i < text.size(); ++i) {
        const qreal a = advance(text.at(i));
        if (at + a / 2 > x)
            return i;
        at += a;
    }
    return text.size();
}

void Console::paintEvent(QPaintEvent *e)
{
    QPainter painter(viewport());
    const QPalette::ColorGroup group =
        !isEnabled() ? QPalette::Disabled : (isActiveWindow() ? QPalette::Active : QPalette::Inactive);
    const QPalette &pal = palette();
    const QColor textColour = pal.color(group, QPalette::Text);
    painter.setFont(font());

    const int height = lineHeight();
    const int top = verticalScrollBar()->value();
    const qreal x = Margin - horizontalScrollBar()->value();
    const QRect exposed = e->rect();
    const int firstRow = qMax(0, (exposed.top() - Margin) / height);
    const int lastRow = qMax(0, (exposed.bottom() - Margin) / height);

    Position from = clamped(anchor);
    Position to = clamped(cursor);
    if (to < from)
        std::swap(from, to);
    const bool selection = !(from == to);
    const qint64 number0 = lines.firstNumber();

    qreal widestHere = widest;
    QTextLayout layout;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int index = top + row;
        if (index >= lines.count())
            break;
        const QString text = displayText(index);
        const qreal y = Margin + row * height;
        const qint64 number = number0 + index;
        painter.setPen(lines.row(index).kind != LogLines::Kind::Received ? SentColour : textColour);

        QVector<QTextLayout::FormatRange> marks;
        if (stamps) {
            QTextLayout::FormatRange r;
            r.start = 0;
            r.length = StampLength;
            r.format.setForeground(StampColour);
            marks.append(r);
        }
        if (!findText.isEmpty()) {
            for (int at = text.indexOf(findText, 0, Qt::CaseInsensitive); at >= 0;
                 at = text.indexOf(findText, at + findText.size(), Qt::CaseInsensitive)) {
                QTextLayout::FormatRange r;
                r.start = at;
                r.length = findText.size();
                r.format.setBackground(FoundBackground);
                r.format.setForeground(QColor(Qt::white));
                marks.append(r);
            }
        }
        if (selection && number >= from.line && number <= to.line) {
            const int start = number == from.line ? from.column : 0;
            const int end = number == to.line ? to.column : text.size();
            if (end > start) {
                QTextLayout::FormatRange r;
                r.start = start;
                r.length = end - start;
                r.format.setBackground(pal.brush(group, QPalette::Highlight));
                r.format.setForeground(pal.brush(group, QPalette::HighlightedText));
                marks.append(r);
            }
        }
        Span span;
        span.to = text.size();
        if (text.size() > LongRow) {
            const qreal left = horizontalScrollBar()->value() - Margin;
            span = spanOf(text, left, left + viewport()->width());
            // the marks move with the part laid out
            QVector<QTextLayout::FormatRange> inPart;
            for (QTextLayout::FormatRange r : qAsConst(marks)) {
                const int start = qMax(r.start - span.from, 0);
                const int end = qMin(r.start + r.length - span.from, span.to - span.from);
                if (end > start) {
                    r.start = start;
                    r.length = end - start;
                    inPart.append(r);
                }
            }
            marks = inPart;
            layOut(layout, text.mid(span.from, span.to - span.from));
        } else {
            layOut(layout, text);
        }
        layout.draw(&painter, QPointF(x + span.x, y), marks);
        const qreal width = span.width >= 0 ? span.width
                                            : layout.lineCount() > 0 ? layout.lineAt(0).naturalTextWidth() : 0;
        widestHere = qMax(widestHere, width);

        // a selection that goes on past the end of this line shows the line break
        if (selection && number >= from.line && number < to.line) {
            const qreal breakWidth = fontMetrics().horizontalAdvance(QLatin1Char(' '));
            painter.fillRect(QRectF(x + width, y, breakWidth, height), pal.brush(group, QPalette::Highlight));
        }
    }

    if (widestHere > widest) {
        // the horizontal range grows with the widest line seen; set it outside the paint
        widest = widestHere;
        QMetaObject::invokeMethod(this, [this] { updateScrollBars(); }, Qt::QueuedConnection);
    }
}

void Console::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    QScrollBar *bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    updateScrollBars();
    if (atEnd)
        bar->setValue(bar->maximum());
}

void Console::scrollContentsBy(int, int)
{
    viewport()->update();
}

void Console::changeEvent(QEvent *e)
{
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        widest = 0;
        advances.clear();
        updateScrollBars();
    }
    if (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange
        || e->type() == QEvent::EnabledChange || e->type() == QEvent::ActivationChange)
        viewport()->update();
}

// ---------------------------------------------------------------- mouse, keys, menu

Console::Position Console::positionAt(const QPoint &pos) const
{
    const int height = lineHeight();
    const int rowOffset = int(std::floor(qreal(pos.y() - Margin) / height));
    const int index = verticalScrollBar()->value() + rowOffset;
    if (index < 0)
        return Position{lines.firstNumber(), 0};
    if (index >= lines.count())
        return endPosition();
    const QString text = displayText(index);
    const qreal x = pos.x() - Margin + horizontalScrollBar()->value();
    if (text.size() > LongRow)
        return Position{lines.firstNumber() + index, columnAt(text, x)};
    QTextLayout layout;
    layOut(layout, text);
    const int column = layout.lineCount() > 0 ? layout.lineAt(0).xToCursor(x) : 0;
    return Position{lines.firstNumber() + index, column};
}

void Console::mousePressEvent(QMouseEvent *e)
{
    setFocus(Qt::MouseFocusReason);
    // while the log runs a click only takes the focus
    if (!mouseSelectEnabled || e->button() != Qt::LeftButton)
        return;
    cursor = positionAt(e->pos());
    if (!(e->modifiers() & Qt::ShiftModifier))
        anchor = cursor;
    dragging = true;
    viewport()->update();
}

void Console::mouseMoveEvent(QMouseEvent *e)
{
    if (!dragging || !(e->buttons() & Qt::LeftButton) || !mouseSelectEnabled)
        return;
    // dragging past the top or the bottom scrolls
    if (e->pos().y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (e->pos().y() > viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    cursor = positionAt(e->pos());
    viewport()->update();
}

void Console::mouseReleaseEvent(QMouseEvent *e)
{
    if (!dragging || e->button() != Qt::LeftButton)
        return;
    dragging = false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void Console::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (!mouseSelectEnabled || e->button() != Qt::LeftButton)
        return;
    // selects the word under the mouse (or the one character that is not part of a word)
    const Position at = positionAt(e->pos());
    const QString text = displayText(int(at.line - lines.firstNumber()));
    int start = qMin(at.column, text.size());
    int end = start;
    if (start < text.size() && isWordCharacter(text.at(start))) {
        while (start > 0 && isWordCharacter(text.at(start - 1)))
            --start;
        while (end < text.size() && isWordCharacter(text.at(end)))
            ++end;
    } else if (start < text.size()) {
        ++end;
    }
    anchor = Position{at.line, start};
    cursor = Position{at.line, end};
    dragging = false;
    viewport()->update();
}

void Console::keyPressEvent(QKeyEvent *)
{
    // no typing, no keyboard selection, no keyboard copy
}

QMenu *Console::createStandardContextMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("qt_edit_menu"));
    QAction *copyAction = menu->addAction(actionText("&Copy", QKeySequence::Copy));
    copyAction->setObjectName(QStringLiteral("edit-copy"));
    copyAction->setEnabled(hasSelection());
    connect(copyAction, &QAction::triggered, this, &Console::copy);
    menu->addSeparator();
    QAction *allAction = menu->addAction(actionText("Select All", QKeySequence::SelectAll));
    allAction->setObjectName(QStringLiteral("select-all"));
    allAction->setEnabled(!isEmpty());
    connect(allAction, &QAction::triggered, this, &Console::selectAll);
    return menu;
}

void Console::contextMenuEvent(QContextMenuEvent *e)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}
