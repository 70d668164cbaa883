#pragma once

#include <QLabel>
#include <QLineEdit>

// Decoders write their values through these: a value that did not change costs no layout
// or repaint, and a value wider than its field shows from its start (a date, an IMEI, a
// server address), not from its end where setText leaves the cursor.
inline void setFieldText(QLineEdit *field, const QString &text)
{
    if (field->text() == text)
        return;
    field->setText(text);
    field->setCursorPosition(0);
}

inline void setFieldText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}
