#include "status/fieldtext.h"

#include "status/core_numbers.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// The values of a busy line are shown at most this often: fast enough to look immediate,
// slow enough that the window is not laid out and painted for every chunk.
constexpr int FlushIntervalMs = 20;
} // namespace

FieldBatch::FieldBatch(QObject *owner)
    : owner(owner)
{
}

void FieldBatch::markStale(QWidget *root)
{
    flush();   // values on their way are from before the loss too
    for (QLineEdit *field : root->findChildren<QLineEdit *>()) {
        QWidget *parent = field->parentWidget();
        if (field->text().isEmpty() || qobject_cast<QComboBox *>(parent)
            || qobject_cast<QAbstractSpinBox *>(parent) || stale.contains(field))
            continue;
        QPalette grey = field->palette();
        grey.setColor(QPalette::Text, grey.color(QPalette::Disabled, QPalette::Text));
        field->setPalette(grey);
        stale.insert(field, field);
    }
}

void FieldBatch::clearStale()
{
    const auto fields = std::exchange(stale, {});
    for (const QPointer<QLineEdit> &f : fields)
        if (f)
            f->setPalette(QPalette());
}

void FieldBatch::show(QLineEdit *field, const QString &text)
{
    if (!stale.isEmpty() && stale.remove(field))
        field->setPalette(QPalette());
    if (field->text() == text)
        return;
    field->setText(text);
    field->setCursorPosition(0);
    field->setToolTip(text);
}

void clearField(QLineEdit *field)
{
    if (field->toolTip() == field->text())
        field->setToolTip(QString());
    field->clear();
}

int fieldWidthFor(const QLineEdit *field, const QStringList &values)
{
    const QFontMetrics metrics = field->fontMetrics();
    int text = 0;
    for (const QString &value : values)
        text = qMax(text, metrics.horizontalAdvance(value));
    QStyle *style = field->style();
    // A line edit shows its text unscrolled when the line inside its frame, less two pixels of
    // margin on each side, holds the text, the cursor and one pixel more; one pixel is added
    // for the rounding of the text width.
    constexpr int lineMargin = 2;
    const QMargins textMargins = field->textMargins();
    const int line = text + 2 + style->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, field)
                     + 2 * lineMargin + textMargins.left() + textMargins.right();
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth =
        field->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    // the style adds the frame
    return style
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(line, field->sizeHint().height()),
                           field)
        .width();
}

void fitFields(const QList<QLineEdit *> &fields, const QStringList &values)
{
    int width = 0;
    for (const QLineEdit *field : fields)
        width = qMax(width, fieldWidthFor(field, values));
    for (QLineEdit *field : fields)
        field->setFixedWidth(width);
}

QString widestRun(const QLineEdit *field, QLatin1String characters, int count)
{
    const QFontMetrics metrics = field->fontMetrics();
    QChar widest;
    for (const QChar c : QString(characters))
        if (widest.isNull() || metrics.horizontalAdvance(c) > metrics.horizontalAdvance(widest))
            widest = c;
    return QString(count, widest);
}

void FieldBatch::begin()
{
    ++depth;
}

void FieldBatch::end()
{
    --depth;
    // also at the end of a chunk read while a message box is open, so its values show
    if (!pending.empty())
        scheduleFlush();
}

void FieldBatch::scheduleFlush()
{
    if (flushScheduled)
        return;
    flushScheduled = true;
    QTimer::singleShot(FlushIntervalMs, owner, [this] { flush(); });
}

FieldBatch::Slot &FieldBatch::slotOf(QObject *widget, QLineEdit *field, QLabel *label)
{
    int index = -1;
    if (nextSlot < int(places.size()) && places[size_t(nextSlot)].address == widget) {
        index = nextSlot;
    } else {
        const auto k = std::lower_bound(keys.begin(), keys.end(), widget,
                                        [](const Key &key, const QObject *w) { return key.address < w; });
        if (k != keys.end() && k->address == widget) {
            index = k->slot;
        } else {
            index = int(places.size());
            places.emplace_back();
            places.back().address = widget;
            keys.insert(k, Key{widget, index});
        }
    }
    nextSlot = index + 1;
    Slot &slot = places[size_t(index)];
    if (slot.widget.isNull() || slot.field != field || slot.label != label) {
        // a new widget where one went: nothing of the old one's is shown on it
        slot.widget = widget;
        slot.field = field;
        slot.label = label;
        slot.text.clear();
        slot.numberText.clear();
        if (slot.pending) {
            slot.pending = false;
            pending.erase(std::find(pending.begin(), pending.end(), index));
        }
    }
    return slot;
}

void FieldBatch::queue(Slot &slot, const QString &text)
{
    slot.text = text;
    if (slot.pending)
        return;
    slot.pending = true;
    pending.push_back(int(&slot - places.data()));
}

void FieldBatch::set(QLineEdit *field, const QString &text)
{
    if (depth > 0)
        queue(slotOf(field, field, nullptr), text);
    else
        show(field, text);
}

void FieldBatch::set(QLabel *label, const QString &text)
{
    if (depth > 0)
        queue(slotOf(label, nullptr, label), text);
    else if (label->text() != text)
        label->setText(text);
}

namespace {
// Whether `text` is the UTF-8 `bytes` (size bytes), told without decoding them when they are
// ASCII; undecided (-1) otherwise.
int sameAscii(const QString &text, const char *bytes, int size)
{
    if (text.size() != size) {
        bool ascii = true;
        for (int i = 0; i < size && ascii; ++i)
            ascii = uchar(bytes[i]) < 0x80;
        return ascii ? 0 : -1;
    }
    const QChar *c = text.constData();
    for (int i = 0; i < size; ++i) {
        const uchar b = uchar(bytes[i]);
        if (b >= 0x80)
            return -1;
        if (c[i].unicode() != b)
            return 0;
    }
    return 1;
}
} // namespace

void FieldBatch::setBytes(QLineEdit *field, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    const int size = int(qstrnlen(p, uint(bytes.size())));
    if (depth == 0) {
        show(field, QString::fromUtf8(p, size));
        return;
    }
    Slot &slot = slotOf(field, field, nullptr);
    // unchanged: on its way already, or shown and not greyed (a value given again un-greys)
    const bool shown = !slot.pending && (stale.isEmpty() || !stale.contains(field));
    if ((slot.pending || shown) && sameAscii(slot.pending ? slot.text : field->text(), p, size) == 1)
        return;
    // a value that changes with every record: written over the one on its way, in place
    if (slot.pending && slot.text.isDetached() && size <= slot.text.capacity()
        && std::all_of(p, p + size, [](char c) { return uchar(c) < 0x80; })) {
        slot.text.resize(size);
        QChar *out = slot.text.data();
        for (int i = 0; i < size; ++i)
            out[i] = QLatin1Char(p[i]);
        return;
    }
    queue(slot, QString::fromUtf8(p, size));
}

void FieldBatch::setNumber(QLineEdit *field, double value)
{
    if (depth == 0) {
        show(field, generalNumber(value));
        return;
    }
    Slot &slot = slotOf(field, field, nullptr);
    // the same bits: -0 and 0 are written differently
    if (slot.numberText.isNull() || std::memcmp(&value, &slot.number, sizeof value) != 0) {
        slot.numberText = generalNumber(value);
        slot.number = value;
    }
    queue(slot, slot.numberText);
}

void FieldBatch::flush()
{
    flushScheduled = false;
    // taken out first: showing a value may run code that writes further values
    std::vector<int> due;
    due.swap(pending);
    for (const int index : due) {
        Slot &slot = places[size_t(index)];
        if (!slot.pending)
            continue;
        slot.pending = false;
        const QString text = std::exchange(slot.text, QString());
        if (slot.widget.isNull())
            continue;
        if (slot.field)
            show(slot.field, text);
        else if (slot.label->text() != text)
            slot.label->setText(text);
    }
}
