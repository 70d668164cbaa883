#include "settings/core_settingsstring.h"

#include "settings/core_terminalsettings.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <iterator>

QString settingsRecordText(const QByteArray &field)
{
    const int nul = field.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? field : field.left(nul));
}

bool parseSettingsNumber(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    if (ok && value)
        *value = v;
    return ok;
}

int settingsItemNeeds(int number)
{
    // the values that are not free text: the sleep flag, the three input modes, the CAN
    // codes, the RS485 code, the two roaming flags
    int needs = 0;
    switch (number) {
    case 6: needs = 1; break;
    case 9: needs = 3; break;
    case 10: needs = 1; break;
    case 11: needs = 1; break;
    case 15: needs = 2; break;
    default: break;
    }
    for (const SettingsTextField *row : settingsItemTextFields(number)) {
        if (row->read != SettingsRead::Never)
            needs = qMax(needs, row->value);
    }
    return needs;
}

QVector<const SettingsTextField *> settingsItemTextFields(int number)
{
    using Rows = QVector<const SettingsTextField *>;
    static const std::array<Rows, lastSettingNumber + 1> byItem = [] {
        std::array<Rows, lastSettingNumber + 1> items;
        for (const SettingsTextField &row : settingsTextFields())
            items.at(size_t(row.item)).append(&row);
        for (Rows &rows : items) {
            std::sort(rows.begin(), rows.end(),
                      [](const SettingsTextField *a, const SettingsTextField *b) {
                          return a->value < b->value;
                      });
        }
        return items;
    }();
    return number >= 0 && number <= lastSettingNumber ? byItem[size_t(number)] : Rows();
}

QVector<SettingsItem> splitSettingsItems(const QString &text)
{
    QVector<SettingsItem> items;
    const QStringList parts = text.split(QLatin1Char('#'), Qt::KeepEmptyParts);
    items.reserve(parts.size());
    for (const QString &part : parts) {
        SettingsItem item;
        const QStringList pieces = part.split(QLatin1Char('='), Qt::KeepEmptyParts);
        int number = 0;
        if (parseSettingsNumber(pieces.at(0), &number))
            item.number = number;
        if (pieces.size() > 1) {
            // pieces after a second "=" are not part of the values
            item.hasValues = true;
            item.values = pieces.at(1).split(QLatin1Char(','), Qt::KeepEmptyParts);
        }
        items.append(item);
    }
    return items;
}

QString inputEntryForModeLetter(const QString &letter)
{
    // Pulse is written as "C"; a terminal may report it as "C" or as "P", and both read back
    // as Pulse, so a write, a read and a settings file all round-trip
    static const struct
    {
        const char *letter;
        const char *entry;
    } table[] = {
        {"A", "ADC"},      {"N", "No"},        {"D", "Discrete"},       {"P", "Pulse"},
        {"C", "Pulse"},    {"F", "Frequency"}, {"G", "Chassis ground"}, {"O", "OUT1"},
    };
    for (const auto &row : table) {
        if (letter == QLatin1String(row.letter))
            return QString::fromLatin1(row.entry);
    }
    return QString();
}

QVector<const char *> inputModeEntries(int line)
{
    // the words are the machine's, the interface translates them (inputModeText)
    switch (line) {
    case 0:
        return {QT_TRANSLATE_NOOP("SettingsPage", "No"), QT_TRANSLATE_NOOP("SettingsPage", "Discrete"),
                QT_TRANSLATE_NOOP("SettingsPage", "Pulse"),
                QT_TRANSLATE_NOOP("SettingsPage", "Frequency"),
                QT_TRANSLATE_NOOP("SettingsPage", "Chassis ground")};
    case 1:
        return {QT_TRANSLATE_NOOP("SettingsPage", "No"), QT_TRANSLATE_NOOP("SettingsPage", "Discrete"),
                QT_TRANSLATE_NOOP("SettingsPage", "ADC")};
    case 2:
        return {QT_TRANSLATE_NOOP("SettingsPage", "No"), QT_TRANSLATE_NOOP("SettingsPage", "Discrete"),
                QT_TRANSLATE_NOOP("SettingsPage", "Pulse"),
                QT_TRANSLATE_NOOP("SettingsPage", "Frequency"),
                QT_TRANSLATE_NOOP("SettingsPage", "OUT1")};
    default: return {};
    }
}

QString inputModeText(const QString &entry)
{
    if (entry.isEmpty())
        return entry;
    return QCoreApplication::translate("SettingsPage", entry.toUtf8().constData());
}

QString inputWriteCode(int line, const QString &shownText)
{
    struct Code
    {
        const char *text;
        const char *code;
    };
    static const Code in0[] = {{"No", "N,"},      {"Discrete", "D,"},       {"Pulse", "C,"},
                               {"Frequency", "F,"}, {"Chassis ground", "G,"}};
    static const Code in1[] = {{"No", "N,"}, {"Discrete", "D,"}, {"ADC", "A,"}};
    // the last value: "No" and "OUT1" carry no trailing comma, the others do
    static const Code in2[] = {{"No", "N"},        {"Discrete", "D,"}, {"Pulse", "C,"},
                               {"Frequency", "F,"}, {"OUT1", "O"}};

    const Code *begin = nullptr;
    const Code *end = nullptr;
    switch (line) {
    case 0: begin = std::begin(in0); end = std::end(in0); break;
    case 1: begin = std::begin(in1); end = std::end(in1); break;
    case 2: begin = std::begin(in2); end = std::end(in2); break;
    default: return QString();
    }
    for (const Code *c = begin; c != end; ++c) {
        if (shownText == QLatin1String(c->text))
            return QString::fromLatin1(c->code);
    }
    return QString();
}

// The page's values go out as settings (core_terminalsettings.cpp writes them).

QString buildSettingsBody(const SettingsForm &form)
{
    return buildSettingsBody(settingsFromForm(form));
}

QString buildSettingsString(const SettingsForm &form)
{
    return buildSettingsString(settingsFromForm(form));
}

QVector<WrittenValue> writtenTextValues(const SettingsForm &form)
{
    return writtenTextValues(settingsFromForm(form));
}

bool isUnsafeSettingsCharacter(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('=') || c == QLatin1Char(',')
           || c == QLatin1Char(';') || c == QLatin1Char('\r') || c == QLatin1Char('\n')
           || c.isNull();
}

std::optional<UnsafeText> findUnsafeText(const QString &value, bool password)
{
    const QLatin1String marker(settingsMarker);
    const int markerAt = value.indexOf(marker);
    const int end = markerAt < 0 ? value.size() : markerAt;
    for (int k = 0; k < end; ++k) {
        const QChar c = value.at(k);
        if (isUnsafeSettingsCharacter(c))
            return UnsafeText{UnsafeText::Character, c};
        if (c.isHighSurrogate() && k + 1 < value.size() && value.at(k + 1).isLowSurrogate()) {
            ++k;
            continue;
        }
        if (c.isSurrogate())
            return UnsafeText{UnsafeText::Surrogate, c};
    }
    if (markerAt >= 0
        || (password && value.endsWith(QLatin1String(settingsMarker, int(sizeof settingsMarker) - 2))))
        return UnsafeText{UnsafeText::Marker, QLatin1Char('*')};
    return std::nullopt;
}

std::optional<UnsafeValue> findUnsafeValue(const SettingsForm &form)
{
    return findUnsafeValue(settingsFromForm(form));
}

bool settingsBodyFits(const QString &body)
{
    return body.toUtf8().size() <= settingsBodyMaxBytes;
}

QByteArray maskSettingsPasswords(const QByteArray &line)
{
    const int at = line.indexOf(settingsMarker);
    if (at < 0)
        return line;
    QByteArray out = line;
    // a new access password is item 3 of the string
    const int item = out.indexOf("#3=", at + int(sizeof settingsMarker) - 1);
    if (item >= 0) {
        const int from = item + 3;
        int to = out.indexOf('#', from);
        if (to < 0)
            to = out.size();
        while (to > from && (out.at(to - 1) == '\r' || out.at(to - 1) == '\n'))
            --to;
        if (to > from)
            out.replace(from, to - from, settingsPasswordMask);
    }
    if (at > 0)
        out.replace(0, at, settingsPasswordMask);
    return out;
}

bool firmwareVersionNeedsWarning(const QString &versionText)
{
    bool ok = false;
    const float version = versionText.toFloat(&ok);
    if (!ok)
        return false;
    // Truncating version * 100 toward zero gives 24 or less exactly when the product is below
    // 25; comparing the product avoids converting huge or non-finite values to an integer.
    const float hundredths = version * 100.0f;
    return std::isless(hundredths, 25.0f);
}
