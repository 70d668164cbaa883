#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <utility>
#include <vector>

// The fields of a page as its decoders write them: a value that did not change costs no
// layout or repaint, a value wider than its field shows from its start (a date, an IMEI, a
// server address), not from its end where setText leaves the cursor, and the field's tool tip
// holds the whole value.
//
// While the read path frames a chunk (between begin() and end()), the fields take only the
// last value the records give them: a busy terminal repeats the same records many times a
// second, and laying out and painting every intermediate value is where the time would go.
// The values are shown 20 ms after the chunk, or earlier by flush(): a decoder that opens a
// message box, and everything that reads or clears the fields, flushes first.
//
// A busy line mostly repeats what the fields show already: a value equal to the one shown
// (or on its way) costs a comparison, and setBytes() takes a record's field as received, so
// an unchanged one is never made into a string. Each widget keeps its place in the batch for
// its life, found by its address in a sorted table, so batching a value allocates nothing.
//
// After the line is lost the values shown are old: markStale() greys the filled fields under
// a widget until a record gives them a value again (the same value counts) or clearStale().
class FieldBatch
{
public:
    // The delayed showing runs in the owner's thread and ends with it.
    explicit FieldBatch(QObject *owner);
    FieldBatch(const FieldBatch &) = delete;
    FieldBatch &operator=(const FieldBatch &) = delete;

    // Batches nest: the values show after the outermost end().
    void begin();
    void end();
    bool active() const { return depth > 0; }

    void set(QLineEdit *field, const QString &text);
    void set(QLabel *label, const QString &text);
    // The text of a record's field as received: its bytes up to the first NUL, as UTF-8.
    void setBytes(QLineEdit *field, const QByteArray &bytes);
    // A number as generalNumber() writes it; the text of the number the field got last is
    // not made again.
    void setNumber(QLineEdit *field, double value);
    void flush();

    void markStale(QWidget *root);
    void clearStale();
    bool isStale(const QLineEdit *field) const { return stale.contains(field); }

private:
    // One widget's place: a widget may go (its window closed) before its value is shown, and
    // another may come at the same address later.
    struct Slot
    {
        const QObject *address = nullptr;
        QPointer<QObject> widget;
        QLineEdit *field = nullptr;   // one of the two
        QLabel *label = nullptr;
        QString text;                 // the value on its way
        bool pending = false;
        double number = 0;            // the last number given by setNumber(), and its text
        QString numberText;
    };
    struct Key
    {
        const QObject *address;
        int slot;
    };
    Slot &slotOf(QObject *widget, QLineEdit *field, QLabel *label);
    void queue(Slot &slot, const QString &text);
    void scheduleFlush();
    void show(QLineEdit *field, const QString &text);

    QObject *owner;
    int depth = 0;
    bool flushScheduled = false;
    std::vector<Slot> places;
    std::vector<Key> keys;        // sorted by address
    std::vector<int> pending;     // places with a value on their way, in the order they got it
    int nextSlot = 0;             // where the last lookup ended, plus one: decoders write their
                                  // fields in the same order every time
    QHash<const QLineEdit *, QPointer<QLineEdit>> stale;
};

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

// The translations of the texts a decoder shows again and again (a state, a type), each
// looked up once: the interface language is chosen at start and stays for the run. Texts
// are told apart by their address, so give the same pointer each time (a literal marked with
// QT_TR_NOOP, or an entry of a code table).
class TranslatedTexts
{
public:
    explicit TranslatedTexts(const char *context) : context(context) {}
    QString operator()(const char *source)
    {
        for (const auto &e : texts)
            if (e.first == source)
                return e.second;
        texts.emplace_back(source, QCoreApplication::translate(context, source));
        return texts.back().second;
    }

private:
    const char *context;
    std::vector<std::pair<const char *, QString>> texts;
};
