#pragma once

#include <QLabel>
#include <QLineEdit>

// Decoders write their values through setFieldText: a value that did not change costs no
// layout or repaint, and a value wider than its field shows from its start (a date, an
// IMEI, a server address), not from its end where setText leaves the cursor.
//
// While the read path frames a chunk (a FieldBatch lives), the fields take only the last
// value the records give them: a busy terminal repeats the same records many times a
// second, and laying out and painting every intermediate value is where the time would go.
// The values are shown 20 ms after the chunk, or earlier by flush(): a decoder that opens a
// message box, and everything that reads or clears the fields, flushes first.
class FieldBatch
{
public:
    FieldBatch();
    ~FieldBatch();
    FieldBatch(const FieldBatch &) = delete;
    FieldBatch &operator=(const FieldBatch &) = delete;

    // The same without an object: the read path begins one batch when a chunk arrives and
    // ends it once the chunk is framed (batches nest).
    static void begin();
    static void end();
    static bool active();
    static void defer(QLineEdit *field, const QString &text);
    static void defer(QLabel *label, const QString &text);
    static void flush();
};

// Shows the value and puts the whole of it in the field's tool tip.
void showFieldText(QLineEdit *field, const QString &text);
// Empties the field, and its tool tip when that showed the value.
void clearField(QLineEdit *field);

// The width a field needs to show each of the values whole, without scrolling, in its own
// font and style.
int fieldWidthFor(const QLineEdit *field, const QStringList &values);
// Gives the fields one fixed width: the widest that any of the values needs.
void fitFields(const QList<QLineEdit *> &fields, const QStringList &values);
// count times the widest of the characters in the field's font, such as the widest value of
// sixteen hexadecimal digits.
QString widestRun(const QLineEdit *field, QLatin1String characters, int count);

// After the line is lost the values shown are old: the filled fields under root are greyed
// until a record gives them a value again (the same value counts) or clearStale() is called.
void markStale(QWidget *root);
void clearStale();
bool isStale(const QLineEdit *field);
void showFieldText(QLabel *label, const QString &text);

inline void setFieldText(QLineEdit *field, const QString &text)
{
    if (FieldBatch::active())
        FieldBatch::defer(field, text);
    else
        showFieldText(field, text);
}

inline void setFieldText(QLabel *label, const QString &text)
{
    if (FieldBatch::active())
        FieldBatch::defer(label, text);
    else
        showFieldText(label, text);
}
