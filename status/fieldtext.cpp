#include "status/fieldtext.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace {
int batchDepth = 0;
bool flushScheduled = false;
// The values of a busy line are shown at most this often: fast enough to look immediate,
// slow enough that the window is not laid out and painted for every chunk.
constexpr int FlushIntervalMs = 20;
// a widget may go (its window closed) before its value is shown
template <typename Widget>
struct Pending
{
    QPointer<Widget> widget;
    QString text;
};
QHash<QLineEdit *, Pending<QLineEdit>> &pendingFields()
{
    static QHash<QLineEdit *, Pending<QLineEdit>> pending;
    return pending;
}
QHash<QLabel *, Pending<QLabel>> &pendingLabels()
{
    static QHash<QLabel *, Pending<QLabel>> pending;
    return pending;
}
} // namespace

void showFieldText(QLineEdit *field, const QString &text)
{
    if (field->text() == text)
        return;
    field->setText(text);
    field->setCursorPosition(0);
}

void showFieldText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

FieldBatch::FieldBatch()
{
    ++batchDepth;
}

FieldBatch::~FieldBatch()
{
    --batchDepth;
    // also at the end of a chunk read while a message box is open, so its values show
    if (flushScheduled || (pendingFields().isEmpty() && pendingLabels().isEmpty()))
        return;
    flushScheduled = true;
    QTimer::singleShot(FlushIntervalMs, QCoreApplication::instance(), [] { flush(); });
}

bool FieldBatch::active()
{
    return batchDepth > 0;
}

void FieldBatch::defer(QLineEdit *field, const QString &text)
{
    pendingFields().insert(field, {field, text});
}

void FieldBatch::defer(QLabel *label, const QString &text)
{
    pendingLabels().insert(label, {label, text});
}

void FieldBatch::flush()
{
    flushScheduled = false;
    // taken out first: showing a value may run code that writes further values
    const auto fields = std::exchange(pendingFields(), {});
    for (const Pending<QLineEdit> &p : fields)
        if (p.widget)
            showFieldText(p.widget.data(), p.text);
    const auto labels = std::exchange(pendingLabels(), {});
    for (const Pending<QLabel> &p : labels)
        if (p.widget)
            showFieldText(p.widget.data(), p.text);
}
