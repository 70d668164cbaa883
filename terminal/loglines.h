#pragma once

#include <QString>

#include <vector>

// The lines of the terminal log, kept in a ring: at most `maxLines` lines, the oldest
// dropped first when a new one would go over. The last line is the open one that received
// text goes on with; it counts as a line (an empty log holds one empty line), so the text
// "a\nb\n" is the three lines "a", "b" and "".
//
// Every line also has a number that never changes while the line is held: the number of
// lines that came before it since the log was made, dropped and cleared lines included.
class LogLines
{
public:
    explicit LogLines(int maxLines);

    // Appends received text at the end. CR LF, a lone CR and a lone LF each end a line,
    // also when the CR and the LF arrive in two calls. Returns how many of the oldest
    // lines were dropped to stay within the cap.
    int append(const QString &text);

    // Drops every line; the log then holds one empty line. A CR that ended the last text
    // still pairs with an LF that opens the next.
    void clear();

    int count() const { return held; }
    int maxLines() const { return cap; }
    const QString &line(int index) const { return ring[size_t(slot(index))]; }
    qint64 firstNumber() const { return first; }

    // The whole text, lines joined with LF.
    QString toPlainText() const;
    // The text from (line, column) up to (line, column), lines joined with LF; indexes as
    // for line(), columns clamped to the line.
    QString text(int fromLine, int fromColumn, int toLine, int toColumn) const;

private:
    int slot(int index) const { return (head + index) % cap; }
    void endLine();

    int cap;
    std::vector<QString> ring;   // grows up to cap, then wraps
    int head = 0;                // slot of the oldest line
    int held = 1;                // lines held, the open line included
    qint64 first = 0;            // number of the oldest line held
    bool pendingCR = false;      // the last text ended in CR: a leading LF ends no line
};
