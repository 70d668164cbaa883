#include "settings/core_settingsstring.h"

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
    // "P" reads as "Pulse", although the writing side sends "C" for it
    static const struct
    {
        const char *letter;
        const char *entry;
    } table[] = {
        {"A", "ADC"},      {"N", "No"},        {"D", "Discrete"},       {"P", "Pulse"},
        {"F", "Frequency"}, {"G", "Chassis ground"}, {"O", "OUT1"},
    };
    for (const auto &row : table) {
        if (letter == QLatin1String(row.letter))
            return QString::fromLatin1(row.entry);
    }
    return QString();
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

QString buildSettingsBody(const SettingsForm &f)
{
    const QString comma = QStringLiteral(",");
    QString b;
    b += QStringLiteral("#1=") + f.server + comma + f.port;
    b += QStringLiteral("#2=") + f.apn1 + comma + f.login1 + comma + f.password1;
    if (f.newPasswordOn)
        b += QStringLiteral("#3=") + f.newPassword;
    b += QStringLiteral("#4=") + f.pin1;
    b += QStringLiteral("#5=") + f.distance + comma + f.angle + comma + f.speedChange + comma
         + f.timer;
    b += (f.sleep ? QStringLiteral("#6=1,") : QStringLiteral("#6=0,")) + f.sleepTime + comma
         + f.workTime;
    b += QStringLiteral("#7=") + f.apn2 + comma + f.login2 + comma + f.password2;
    b += QStringLiteral("#8=") + f.pin2;
    b += QStringLiteral("#9=") + inputWriteCode(0, f.in0) + inputWriteCode(1, f.in1)
         + inputWriteCode(2, f.in2);
    if (f.canParamsOn) {
        b += QStringLiteral("#10=");
        for (int code = 1; code <= int(f.canParams.size()); ++code) {
            if (f.canParams[size_t(code - 1)])
                b += QString::number(code) + comma;
        }
    }
    switch (f.rs485Index) {
    case 1: b += QStringLiteral("#11=5"); break;
    case 2: b += QStringLiteral("#11=7"); break;
    default: b += QStringLiteral("#11=0"); break;
    }
    if (f.oneWireText.compare(QLatin1String("1Wire"), Qt::CaseInsensitive) == 0)
        b += QStringLiteral(",30");
    else if (f.oneWireText.compare(QLatin1String("Discrete"), Qt::CaseInsensitive) == 0)
        b += QStringLiteral(",29");
    if (f.canProgramOn)
        b += QStringLiteral("#12=") + f.canProgram;
    b += (f.roaming1 ? QStringLiteral("#15=1,") : QStringLiteral("#15=0,"))
         + (f.roaming2 ? QStringLiteral("1") : QStringLiteral("0"));
    return b;
}

QString buildSettingsString(const SettingsForm &form)
{
    return form.accessPassword + QStringLiteral("*SETP*") + buildSettingsBody(form);
}

QVector<WrittenValue> writtenTextValues(const SettingsForm &f)
{
    using F = SettingsField;
    QVector<WrittenValue> v{
        {F::AccessPassword, f.accessPassword},
        {F::Server, f.server},
        {F::Port, f.port},
        {F::Apn1, f.apn1},
        {F::Login1, f.login1},
        {F::Password1, f.password1},
    };
    if (f.newPasswordOn)
        v.append({F::NewPassword, f.newPassword});
    v.append({{F::Pin1, f.pin1},
              {F::Distance, f.distance},
              {F::Angle, f.angle},
              {F::SpeedChange, f.speedChange},
              {F::Timer, f.timer},
              {F::SleepTime, f.sleepTime},
              {F::WorkTime, f.workTime},
              {F::Apn2, f.apn2},
              {F::Login2, f.login2},
              {F::Password2, f.password2},
              {F::Pin2, f.pin2}});
    if (f.canProgramOn)
        v.append({F::CanProgram, f.canProgram});
    return v;
}

bool isUnsafeSettingsCharacter(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('=') || c == QLatin1Char(',')
           || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

std::optional<UnsafeValue> findUnsafeValue(const SettingsForm &form)
{
    for (const WrittenValue &v : writtenTextValues(form)) {
        for (const QChar c : v.text) {
            if (isUnsafeSettingsCharacter(c))
                return UnsafeValue{v.field, c};
        }
    }
    return std::nullopt;
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
