#include "terminal/console.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

Console::Console(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    document()->setMaximumBlockCount(MaxLines);
    QPalette p = palette();
    p.setBrush(QPalette::Base, QBrush(Qt::black));
    p.setBrush(QPalette::Text, QBrush(QColor(0, 255, 0)));
    setPalette(p);
    setUndoRedoEnabled(false);
}

void Console::showData(const QByteArray &data, bool autoScroll)
{
    const int nul = data.indexOf('\0');
    QString text = QString::fromUtf8(data.constData(), nul < 0 ? data.size() : nul);
    if (text.isEmpty())
        return;

    // CR LF, a lone CR and a lone LF each end one line, also when the pair is split
    // between two chunks.
    if (pendingCR && text.startsWith(QLatin1Char('\n')))
        text.remove(0, 1);
    pendingCR = text.endsWith(QLatin1Char('\r'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.isEmpty())
        return;

    // received text always goes to the end, whatever the user has selected
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);

    if (autoScroll) {
        QScrollBar *bar = verticalScrollBar();
        bar->setValue(bar->maximum());
    }
}

void Console::mousePressEvent(QMouseEvent *e)
{
    if (mouseSelectEnabled)
        QPlainTextEdit::mousePressEvent(e);
    else
        setFocus();
}

void Console::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (mouseSelectEnabled)
        QPlainTextEdit::mouseDoubleClickEvent(e);
}

void Console::keyPressEvent(QKeyEvent *)
{
}

void Console::contextMenuEvent(QContextMenuEvent *e)
{
    QPlainTextEdit::contextMenuEvent(e);
}
