#include "status/fieldtext.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

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
    if (flushScheduled || (pendingFields.isEmpty() && pendingLabels.isEmpty()))
        return;
    flushScheduled = true;
    QTimer::singleShot(FlushIntervalMs, owner, [this] { flush(); });
}

void FieldBatch::set(QLineEdit *field, const QString &text)
{
    if (depth > 0)
        pendingFields.insert(field, {field, text});
    else
        show(field, text);
}

void FieldBatch::set(QLabel *label, const QString &text)
{
    if (depth > 0)
        pendingLabels.insert(label, {label, text});
    else if (label->text() != text)
        label->setText(text);
}

void FieldBatch::flush()
{
    flushScheduled = false;
    // taken out first: showing a value may run code that writes further values
    const auto fields = std::exchange(pendingFields, {});
    for (const Pending<QLineEdit> &p : fields)
        if (p.widget)
            show(p.widget.data(), p.text);
    const auto labels = std::exchange(pendingLabels, {});
    for (const Pending<QLabel> &p : labels)
        if (p.widget && p.widget->text() != p.text)
            p.widget->setText(p.text);
}
