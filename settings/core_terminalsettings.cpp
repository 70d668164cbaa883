#include "settings/core_terminalsettings.h"

#include "link/framing.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The settings page's texts are translated in its own context, wherever they are made.
QString pageText(const char *text, TextLanguage language = TextLanguage::Interface)
{
    return textIn(language, "SettingsPage", text);
}

const QLatin1String flagOn("1");
const QLatin1String flagOff("0");

constexpr SettingsChoice inputChoices[3] = {SettingsChoice::In0, SettingsChoice::In1,
                                            SettingsChoice::In2};

} // namespace

const std::array<SettingsChoiceRow, settingsChoiceCount> &settingsChoices()
{
    using C = SettingsChoice;
    // choice, check box or list, item, value, list codes by entry index, row label
    //
    // The lists' codes follow their entries on the page: IN0 No, Discrete, Pulse, Frequency,
    // Chassis ground; IN1 No, Discrete, ADC; IN2 No, Discrete, Pulse, Frequency, OUT1; RS485
    // not used, LLS sensors, KVA-CAN; 1-Wire 1Wire, Discrete.
    static const std::array<SettingsChoiceRow, settingsChoiceCount> rows{{
        {C::Sleep, "sleepCheck", 6, 1, {}, QT_TRANSLATE_NOOP("SettingsPage", "Уходить в сон")},
        {C::In0, "in0Combo", 9, 1, {"N", "D", "C", "F", "G"},
         QT_TRANSLATE_NOOP("SettingsPage", "IN0")},
        {C::In1, "in1Combo", 9, 2, {"N", "D", "A"}, QT_TRANSLATE_NOOP("SettingsPage", "IN1")},
        {C::In2, "in2Combo", 9, 3, {"N", "D", "C", "F", "O"},
         QT_TRANSLATE_NOOP("SettingsPage", "IN2")},
        {C::Rs485, "rs485Combo", 11, 1, {"0", "5", "7"},
         QT_TRANSLATE_NOOP("SettingsPage", "RS485")},
        {C::OneWire, "oneWireCombo", 11, 2, {"30", "29"},
         QT_TRANSLATE_NOOP("SettingsPage", "1-Wire")},
        {C::Roaming1, "roaming1Check", 15, 1, {},
         QT_TRANSLATE_NOOP("SettingsPage", "Роуминг SIM1")},
        {C::Roaming2, "roaming2Check", 15, 2, {},
         QT_TRANSLATE_NOOP("SettingsPage", "Роуминг SIM2")},
    }};
    return rows;
}

QString TerminalSettings::code(SettingsChoice c) const
{
    if (const std::optional<QString> &v = (*this)[c])
        return *v;
    const SettingsChoiceRow &row = settingsChoice(c);
    return row.codes.isEmpty() ? QString(flagOff) : row.codes.first();
}

// ---- reading

namespace {

// The code of the list entry a mode letter selects on one input's list; null when that list
// has no such entry.
QString inputCode(SettingsChoice input, const QString &letter)
{
    if (inputEntryForModeLetter(letter).isNull())
        return QString();
    // "P" and "C" both select Pulse, which is written as "C"
    const QString code = letter == QLatin1String("P") ? QStringLiteral("C") : letter;
    return settingsChoice(input).codes.contains(code) ? code : QString();
}

} // namespace

TerminalSettings readTerminalSettings(const QString &recordText)
{
    using C = SettingsChoice;
    TerminalSettings s;
    // the record reports the CAN parameters it has, none when it has no item 10
    QList<int> canParams;
    for (const SettingsItem &item : splitSettingsItems(recordText)) {
        if (item.number > 0 && item.hasValues)
            s.reportedItems.insert(item.number, item.values);
        const int needs = settingsItemNeeds(item.number);
        if (needs == 0 || !item.hasValues || item.values.size() < needs)
            continue;
        const QStringList &v = item.values;
        for (const SettingsTextField *row : settingsItemTextFields(item.number)) {
            const QString &value = v.at(row->value - 1);
            int n = 0;
            if (row->read == SettingsRead::AsReceived
                || (row->read == SettingsRead::NonZeroNumber && parseSettingsNumber(value, &n)
                    && n != 0))
                s[row->field] = value;
        }
        int n = 0;
        switch (item.number) {
        case 6:
            if (v.at(0) != QLatin1String("0"))
                s[C::Sleep] = QString(flagOn);
            else if (!s[C::Sleep])
                s[C::Sleep] = QString(flagOff);
            break;
        case 9:
            for (int k = 0; k < 3; ++k) {
                const QString code = inputCode(inputChoices[k], v.at(k));
                if (!code.isNull())
                    s[inputChoices[k]] = code;
            }
            break;
        case 10:
            for (const QString &value : v) {
                if (parseSettingsNumber(value, &n) && n >= 1 && n <= canParamCount
                    && !canParams.contains(n))
                    canParams.append(n);
            }
            break;
        case 11:
            if (parseSettingsNumber(v.at(0), &n))
                s[C::Rs485] = n == 5 || n == 7 ? QString::number(n) : QStringLiteral("0");
            if (v.size() > 1 && parseSettingsNumber(v.at(1), &n) && (n == 29 || n == 30))
                s[C::OneWire] = QString::number(n);
            break;
        case 15:
            for (int k = 0; k < 2; ++k) {
                if (parseSettingsNumber(v.at(k), &n))
                    s[k == 0 ? C::Roaming1 : C::Roaming2] = QString(n != 0 ? flagOn : flagOff);
            }
            break;
        default:
            break;
        }
    }
    std::sort(canParams.begin(), canParams.end());
    s.canParams = canParams;
    return s;
}

// ---- writing

TerminalSettings settingsFromForm(const SettingsForm &form)
{
    using C = SettingsChoice;
    TerminalSettings s;
    for (const SettingsTextField &row : settingsTextFields())
        s[row.field] = form[row.field];
    s[C::Sleep] = QString(form.sleep ? flagOn : flagOff);
    const QString *shownModes[3] = {&form.in0, &form.in1, &form.in2};
    for (int k = 0; k < 3; ++k) {
        // the code without the separator it is written with
        QString code = inputWriteCode(k, *shownModes[k]);
        code.remove(QLatin1Char(','));
        s[inputChoices[k]] = code;
    }
    s[C::Rs485] = settingsChoice(C::Rs485).codes.value(form.rs485Index == 1 || form.rs485Index == 2
                                                           ? form.rs485Index
                                                           : 0);
    if (form.oneWireText.compare(QLatin1String("1Wire"), Qt::CaseInsensitive) == 0)
        s[C::OneWire] = QStringLiteral("30");
    else if (form.oneWireText.compare(QLatin1String("Discrete"), Qt::CaseInsensitive) == 0)
        s[C::OneWire] = QStringLiteral("29");
    else
        s[C::OneWire] = QString();
    s[C::Roaming1] = QString(form.roaming1 ? flagOn : flagOff);
    s[C::Roaming2] = QString(form.roaming2 ? flagOn : flagOff);
    QList<int> codes;
    for (int code = 1; code <= canParamCount; ++code) {
        if (form.canParams[size_t(code - 1)])
            codes.append(code);
    }
    s.canParams = codes;
    s.newPasswordOn = form.newPasswordOn;
    s.canParamsOn = form.canParamsOn;
    s.canProgramOn = form.canProgramOn;
    return s;
}

namespace {

// Whether item `number` is part of the settings string: items 3, 10 and 12 only when the
// settings say so, items 6, 9, 11 and 15 always, any other item when the field table has a
// field for it.
bool itemWritten(const TerminalSettings &s, int number)
{
    switch (number) {
    case 3: return s.newPasswordOn;
    case 10: return s.canParamsOn;
    case 12: return s.canProgramOn;
    case 6:
    case 9:
    case 11:
    case 15: return true;
    default: return number > 0 && !settingsItemTextFields(number).isEmpty();
    }
}

// The values text of an item that is written.
QString itemValuesText(const TerminalSettings &s, int number)
{
    using C = SettingsChoice;
    const QString comma = QStringLiteral(",");
    QStringList values;
    switch (number) {
    case 6:
        values << s.code(C::Sleep);
        break;
    case 9: {
        // each mode with a comma after it, but for "N" and "O" of the last one; an empty code
        // writes nothing, not even its comma
        QString modes;
        for (int k = 0; k < 3; ++k) {
            const QString code = s.code(inputChoices[k]);
            if (code.isEmpty())
                continue;
            modes += code;
            if (k < 2 || (code != QLatin1String("N") && code != QLatin1String("O")))
                modes += comma;
        }
        return modes;
    }
    case 10: {
        // every code with a comma after it, ascending
        QString codes;
        const QList<int> on = s.canParams.value_or(QList<int>());
        for (int code = 1; code <= canParamCount; ++code) {
            if (on.contains(code))
                codes += QString::number(code) + comma;
        }
        return codes;
    }
    case 11: {
        values << s.code(C::Rs485);
        const QString oneWire = s.code(C::OneWire);
        if (!oneWire.isEmpty())
            values << oneWire;
        break;
    }
    case 15:
        values << s.code(C::Roaming1) << s.code(C::Roaming2);
        break;
    default:
        break;
    }
    for (const SettingsTextField *row : settingsItemTextFields(number)) {
        while (values.size() < row->value)
            values << QString();
        values[row->value - 1] = s.text(row->field);
    }
    return values.join(comma);
}

} // namespace

QString buildSettingsBody(const TerminalSettings &s)
{
    QString b;
    for (int number = 1; number <= lastSettingNumber; ++number) {
        if (itemWritten(s, number))
            b += QLatin1Char('#') + QString::number(number) + QLatin1Char('=')
                 + itemValuesText(s, number);
    }
    return b;
}

QString buildSettingsString(const TerminalSettings &s)
{
    return s.text(SettingsField::AccessPassword) + QLatin1String(settingsMarker)
           + buildSettingsBody(s);
}

QVector<WrittenValue> writtenTextValues(const TerminalSettings &s)
{
    // the access password (number 0) stands in front of the body
    QVector<WrittenValue> v;
    for (int number = 0; number <= lastSettingNumber; ++number) {
        if (number > 0 && !itemWritten(s, number))
            continue;
        for (const SettingsTextField *row : settingsItemTextFields(number))
            v.append({row->field, s.text(row->field)});
    }
    return v;
}

std::optional<UnsafeValue> findUnsafeValue(const TerminalSettings &s)
{
    for (const WrittenValue &v : writtenTextValues(s)) {
        const bool password =
            v.field == SettingsField::AccessPassword || v.field == SettingsField::NewPassword;
        if (const auto unsafe = findUnsafeText(v.text, password))
            return UnsafeValue{v.field, unsafe->character, unsafe->kind};
    }
    return std::nullopt;
}

QString settingsRefusal(const TerminalSettings &s, TextLanguage language)
{
    if (s.text(SettingsField::AccessPassword).isEmpty())
        return pageText(QT_TRANSLATE_NOOP("SettingsPage", "Требуется указать пароль доступа"),
                        language);

    // The string has no escaping: a "#", "=" or "," inside a value would change the items the
    // terminal sees, a ";" or a NUL would cut the value short in the settings record that
    // reports it, CR or LF would end the string early, and a marker inside a value would move
    // the end of the password. Refuse rather than send it.
    if (const auto unsafe = findUnsafeValue(s)) {
        const QString label = settingsTextLabel(unsafe->field, language);
        if (unsafe->kind == UnsafeText::Marker) {
            if (s.text(unsafe->field).contains(QLatin1String(settingsMarker)))
                return pageText(QT_TRANSLATE_NOOP("SettingsPage",
                                                  "Поле «%1» содержит «*SETP*»: терминал принял бы "
                                                  "это за начало настроек. Настройки не "
                                                  "записаны."),
                                language)
                    .arg(label);
            return pageText(QT_TRANSLATE_NOOP("SettingsPage",
                                              "Поле «%1» заканчивается на «*SETP»: вместе с "
                                              "«*SETP*» после пароля терминал прочитал бы другой "
                                              "пароль. "
                                              "Настройки не записаны."),
                            language)
                .arg(label);
        }
        if (unsafe->kind == UnsafeText::Surrogate) {
            const QString code =
                QStringLiteral("%1").arg(unsafe->character.unicode(), 4, 16, QLatin1Char('0'));
            return pageText(QT_TRANSLATE_NOOP("SettingsPage",
                                              "Поле «%1» содержит неполный символ Юникода (U+%2), "
                                              "который нельзя передать терминалу. Настройки не "
                                              "записаны."),
                            language)
                .arg(label, code.toUpper());
        }
        if (unsafe->character.isNull())
            return pageText(QT_TRANSLATE_NOOP("SettingsPage",
                                              "Поле «%1» содержит нулевой символ (NUL): терминал "
                                              "сообщит значение только до него. Настройки не "
                                              "записаны."),
                            language)
                .arg(label);
        QString character;
        if (unsafe->character == QLatin1Char('\r'))
            character =
                pageText(QT_TRANSLATE_NOOP("SettingsPage", "CR (возврат каретки)"), language);
        else if (unsafe->character == QLatin1Char('\n'))
            character =
                pageText(QT_TRANSLATE_NOOP("SettingsPage", "LF (перевод строки)"), language);
        else
            character = QStringLiteral("«%1»").arg(unsafe->character);
        return pageText(QT_TRANSLATE_NOOP("SettingsPage",
                                          "Поле «%1» содержит недопустимый символ %2. Символы "
                                          "#, =, ;, запятая и перевод строки в значениях "
                                          "настроек не "
                                          "допускаются. Настройки не записаны."),
                        language)
            .arg(label, character);
    }

    // The terminal reports what it stores in one record, which the program reads only up to
    // the framing's limit; the length limits of the fields keep a page well inside it, this
    // catches values that came by another way.
    if (!settingsBodyFits(buildSettingsBody(s))) {
        SettingsField longest = SettingsField::Server;
        int longestBytes = -1;
        for (const WrittenValue &v : writtenTextValues(s)) {
            const int bytes = v.text.toUtf8().size();
            if (v.field != SettingsField::AccessPassword && bytes > longestBytes) {
                longest = v.field;
                longestBytes = bytes;
            }
        }
        return pageText(QT_TRANSLATE_NOOP("SettingsPage",
                                          "Настройки слишком длинные: терминал сообщил бы их "
                                          "записью длиннее %1 байт, которую программа не сможет "
                                          "прочитать. Больше всего занимает поле «%2». Настройки "
                                          "не записаны."),
                        language)
            .arg(LineFramer::MaxBufferSize)
            .arg(settingsTextLabel(longest, language));
    }
    return QString();
}

// ---- labels

QString settingsTextLabel(SettingsField field, TextLanguage language)
{
    // the write group labels its two password rows itself
    switch (field) {
    case SettingsField::AccessPassword:
        return pageText(QT_TRANSLATE_NOOP("SettingsPage", "Пароль"), language);
    case SettingsField::NewPassword:
        return pageText(QT_TRANSLATE_NOOP("SettingsPage", "Новый пароль"), language);
    default: return pageText(settingsTextField(field).caption, language);
    }
}

QString settingsValueLabel(const QString &objectName, const TerminalSettings &shown,
                           TextLanguage language)
{
    for (const SettingsTextField &row : settingsTextFields()) {
        if (objectName == QLatin1String(row.objectName))
            return settingsTextLabel(row.field, language);
    }
    for (const SettingsChoiceRow &row : settingsChoices()) {
        if (objectName != QLatin1String(row.objectName))
            continue;
        // the page relabels IN2 for the modes only one model has
        const QString in2 = shown.code(SettingsChoice::In2);
        const bool onlyKvt31 = in2 == QLatin1String("D") || in2 == QLatin1String("C")
                               || in2 == QLatin1String("F");
        if (row.choice == SettingsChoice::In2 && onlyKvt31)
            return pageText(QT_TRANSLATE_NOOP("SettingsPage", "Only for KVT3.1    IN2"), language);
        return pageText(row.caption, language);
    }
    if (objectName == QLatin1String("canParamsGroup"))
        return pageText(QT_TRANSLATE_NOOP("SettingsPage", "Параметры CAN"), language);
    return objectName;
}

TerminalSettings decodeSettingsRecord(const RecordLine &record)
{
    return readTerminalSettings(settingsRecordText(record.field[0]));
}
