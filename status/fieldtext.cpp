#include "status/fieldtext.h"

#include <QHash>

#include <utility>

namespace {
int batchDepth = 0;
QHash<QLineEdit *, QString> &pendingFields()
{
    static QHash<QLineEdit *, QString> pending;
    return pending;
}
QHash<QLabel *, QString> &pendingLabels()
{
    static QHash<QLabel *, QString> pending;
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
    flush();
}

bool FieldBatch::active()
{
    return batchDepth > 0;
}

void FieldBatch::defer(QLineEdit *field, const QString &text)
{
    pendingFields().insert(field, text);
}

void FieldBatch::defer(QLabel *label, const QString &text)
{
    pendingLabels().insert(label, text);
}

void FieldBatch::flush()
{
    // taken out first: showing a value may run code that writes further values
    const QHash<QLineEdit *, QString> fields = std::exchange(pendingFields(), {});
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        showFieldText(it.key(), it.value());
    const QHash<QLabel *, QString> labels = std::exchange(pendingLabels(), {});
    for (auto it = labels.cbegin(); it != labels.cend(); ++it)
        showFieldText(it.key(), it.value());
}
