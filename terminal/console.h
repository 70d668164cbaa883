#pragma once

#include <QPlainTextEdit>

// The terminal log: read-only, green on black, at most 65535 lines (the oldest go first).
// Built on QPlainTextEdit: a rich-text view re-lays the whole document out for every line
// dropped at the top, which freezes the window once the log is full.
class Console : public QPlainTextEdit
{
    Q_OBJECT

public:
    static constexpr int MaxLines = 65535;

    explicit Console(QWidget *parent = nullptr);

    // Shows received bytes (up to the first zero byte) at the end of the log.
    void showData(const QByteArray &data, bool autoScroll);

    bool mouseSelectEnabled = false;

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    bool pendingCR = false;   // the last chunk ended in CR: an LF opening the next one ends no line
};
