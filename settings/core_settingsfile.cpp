#include "settings/core_settingsfile.h"

#include "settings/core_settingsfields.h"
#include "settings/core_settingsstring.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const char canParamsKey[] = "canParamsGroup";

QVector<SettingsFileField> buildFields()
{
    using K = SettingsFileFieldKind;
    QVector<SettingsFileField> fields;
    for (const SettingsTextField &row : settingsTextFields()) {
        // the passwords stay out of files
        if (row.field == SettingsField::AccessPassword || row.field == SettingsField::NewPassword)
            continue;
        // the limit of the line edit, so that the page takes every value the file holds whole
        fields.append({QString::fromLatin1(row.objectName), K::Text, row.maxLength, {}});
    }
    // the flags, then the lists by the codes of their entries
    for (const SettingsChoiceRow &row : settingsChoices()) {
        if (row.codes.isEmpty())
            fields.append({QString::fromLatin1(row.objectName), K::Check, 0, {}});
    }
    for (const SettingsChoiceRow &row : settingsChoices()) {
        if (!row.codes.isEmpty())
            fields.append({QString::fromLatin1(row.objectName), K::List, 0, row.codes});
    }
    fields.append({QString::fromLatin1(canParamsKey), K::CodeList, 0, {}});
    return fields;
}

QJsonValue toJson(const SettingsFileField &field, const QVariant &value)
{
    switch (field.kind) {
    case SettingsFileFieldKind::Text:
    case SettingsFileFieldKind::List:
        return value.toString();
    case SettingsFileFieldKind::Check:
        return value.toBool();
    case SettingsFileFieldKind::CodeList: {
        QJsonArray codes;
        for (const QVariant &code : value.toList())
            codes.append(code.toInt());
        return codes;
    }
    }
    return QJsonValue();
}

// A JSON number as the file has it, as near as the parser leaves it: an integer in full
// while a double holds it exactly, any other number in its shortest form ("1e+300").
QString numberText(double d)
{
    constexpr double exact = 9007199254740992.0; // 2^53
    if (d == std::floor(d) && std::fabs(d) <= exact)
        return QString::number(qint64(d));
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

// A value of a file that is not what its field takes, for the message.
QString jsonText(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::String: return v.toString();
    case QJsonValue::Double: return numberText(v.toDouble());
    case QJsonValue::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Array: return QStringLiteral("[…]");
    case QJsonValue::Object: return QStringLiteral("{…}");
    case QJsonValue::Undefined: break;
    }
    return QString();
}

// The value of one field of a file, checked; sets `problem` when it is refused.
QVariant fromJson(const SettingsFileField &field, const QJsonValue &json,
                  SettingsFileProblem &problem)
{
    using P = SettingsFileProblem;
    auto refuse = [&](P::Kind kind, const QString &detail = QString()) {
        problem = {kind, field.name, detail};
        return QVariant();
    };
    switch (field.kind) {
    case SettingsFileFieldKind::Text: {
        if (!json.isString())
            return refuse(P::WrongType);
        const QString text = json.toString();
        if (const auto unsafe = findUnsafeText(text)) {
            return refuse(P::UnsafeCharacter, unsafe->kind == UnsafeText::Marker
                                                  ? QString::fromLatin1(settingsMarker)
                                                  : QString(unsafe->character));
        }
        if (text.size() > field.maxLength)
            return refuse(P::TooLong, QString::number(field.maxLength));
        return text;
    }
    case SettingsFileFieldKind::Check:
        if (!json.isBool())
            return refuse(P::WrongType);
        return json.toBool();
    case SettingsFileFieldKind::List: {
        // a list code may be written as a number ("rs485Combo": 7)
        QString code;
        if (json.isString())
            code = json.toString();
        else if (json.isDouble() && json.toDouble() == std::floor(json.toDouble()))
            code = numberText(json.toDouble());
        else
            return refuse(P::WrongType);
        const int index = settingsListIndex(field, code);
        if (index < 0)
            return refuse(P::UnknownCode, code);
        return field.codes.at(index);
    }
    case SettingsFileFieldKind::CodeList: {
        if (!json.isArray())
            return refuse(P::WrongType);
        QList<int> codes;
        for (const QJsonValue &v : json.toArray()) {
            const double d = v.toDouble(-1);
            // compared as doubles: only a code in range becomes an int
            if (!v.isDouble() || d != std::floor(d) || d < 1 || d > canParamCount)
                return refuse(P::UnknownCode, jsonText(v));
            if (!codes.contains(int(d)))
                codes.append(int(d));
        }
        std::sort(codes.begin(), codes.end());
        QVariantList list;
        for (int code : codes)
            list.append(code);
        return list;
    }
    }
    return QVariant();
}

} // namespace

const QVector<SettingsFileField> &settingsFileFields()
{
    static const QVector<SettingsFileField> fields = buildFields();
    return fields;
}

const SettingsFileField *settingsFileField(const QString &name)
{
    for (const SettingsFileField &f : settingsFileFields()) {
        if (f.name == name)
            return &f;
    }
    return nullptr;
}

int settingsListIndex(const SettingsFileField &field, const QString &code)
{
    const int index = field.codes.indexOf(code);
    if (index >= 0 || code != QLatin1String("P"))
        return index;
    return field.codes.indexOf(QStringLiteral("C"));
}

QStringList differingValues(const SettingsValues &values, const SettingsValues &reference)
{
    QStringList keys;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const auto other = reference.constFind(it.key());
        if (other == reference.constEnd() || *other != it.value())
            keys << it.key();
    }
    return keys;
}

TerminalSettings settingsFromValues(const SettingsValues &values)
{
    TerminalSettings s;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const SettingsFileField *f = settingsFileField(it.key());
        if (!f)
            continue;
        switch (f->kind) {
        case SettingsFileFieldKind::Text:
            for (const SettingsTextField &row : settingsTextFields()) {
                if (f->name == QLatin1String(row.objectName))
                    s[row.field] = it.value().toString();
            }
            break;
        case SettingsFileFieldKind::Check:
        case SettingsFileFieldKind::List:
            for (const SettingsChoiceRow &row : settingsChoices()) {
                if (f->name != QLatin1String(row.objectName))
                    continue;
                if (f->kind == SettingsFileFieldKind::Check) {
                    s[row.choice] = it.value().toBool() ? QStringLiteral("1") : QStringLiteral("0");
                } else {
                    const int index = settingsListIndex(*f, it.value().toString());
                    if (index >= 0)
                        s[row.choice] = f->codes.at(index);
                }
            }
            break;
        case SettingsFileFieldKind::CodeList: {
            const QVariantList codes = it.value().toList();
            QList<int> on;
            for (int code = 1; code <= canParamCount; ++code) {
                if (codes.contains(code))
                    on.append(code);
            }
            s.canParams = on;
            break;
        }
        }
    }
    return s;
}

SettingsValues settingsValues(const TerminalSettings &settings)
{
    SettingsValues v;
    for (const SettingsTextField &row : settingsTextFields()) {
        const QString name = QString::fromLatin1(row.objectName);
        if (settingsFileField(name) && settings[row.field])
            v.insert(name, *settings[row.field]);
    }
    for (const SettingsChoiceRow &row : settingsChoices()) {
        const std::optional<QString> &code = settings[row.choice];
        if (!code)
            continue;
        const QString name = QString::fromLatin1(row.objectName);
        if (row.codes.isEmpty())
            v.insert(name, *code == QLatin1String("1"));
        else
            v.insert(name, *code);
    }
    if (settings.canParams) {
        QVariantList codes;
        for (int code : *settings.canParams)
            codes.append(code);
        v.insert(QString::fromLatin1(canParamsKey), codes);
    }
    return v;
}

QByteArray settingsFileBytes(const SettingsValues &values, const TerminalIdentity &from,
                             const QDateTime &saved)
{
    QJsonObject fields;
    for (const SettingsFileField &f : settingsFileFields()) {
        const auto v = values.constFind(f.name);
        if (v != values.constEnd())
            fields.insert(f.name, toJson(f, *v));
    }
    const QJsonObject terminal{
        {QStringLiteral("model"), from.model},
        {QStringLiteral("serialNumber"), from.serialNumber},
        {QStringLiteral("imei"), from.imei},
        {QStringLiteral("firmwareVersion"), from.firmwareVersion},
    };
    const QJsonObject root{
        {QStringLiteral("format"), QString::fromLatin1(settingsFileFormat)},
        {QStringLiteral("version"), settingsFileVersion},
        {QStringLiteral("saved"), saved.toOffsetFromUtc(saved.offsetFromUtc()).toString(Qt::ISODate)},
        {QStringLiteral("terminal"), terminal},
        {QStringLiteral("fields"), fields},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SettingsFile readSettingsFile(const QByteArray &bytes)
{
    using P = SettingsFileProblem;
    SettingsFile file;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (doc.isNull()) {
        file.problem = {P::NotJson, QString(),
                        QStringLiteral("%1 (%2)").arg(error.errorString()).arg(error.offset)};
        return file;
    }
    const QJsonObject root = doc.object();
    if (!doc.isObject()
        || root.value(QStringLiteral("format")).toString() != QLatin1String(settingsFileFormat)) {
        file.problem = {P::OtherFormat, QString(), QString()};
        return file;
    }
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1
        || version.toDouble() != std::floor(version.toDouble())) {
        file.problem = {P::WrongType, QStringLiteral("version"), QString()};
        return file;
    }
    if (version.toDouble() > settingsFileVersion) {
        file.problem = {P::NewerVersion, QString(), numberText(version.toDouble())};
        return file;
    }
    const QJsonValue fields = root.value(QStringLiteral("fields"));
    if (!fields.isObject()) {
        file.problem = {P::WrongType, QStringLiteral("fields"), QString()};
        return file;
    }

    const QJsonObject fieldObject = fields.toObject();
    SettingsValues values;
    for (auto it = fieldObject.constBegin(); it != fieldObject.constEnd(); ++it) {
        const SettingsFileField *field = settingsFileField(it.key());
        if (!field) {
            file.unknownKeys << it.key();
            continue;
        }
        const QVariant value = fromJson(*field, it.value(), file.problem);
        if (!file.ok()) {
            file.unknownKeys.clear();
            return file;
        }
        values.insert(field->name, value);
    }
    file.values = values;

    const QJsonObject terminal = root.value(QStringLiteral("terminal")).toObject();
    file.from.model = terminal.value(QStringLiteral("model")).toString();
    file.from.serialNumber = terminal.value(QStringLiteral("serialNumber")).toString();
    file.from.imei = terminal.value(QStringLiteral("imei")).toString();
    file.from.firmwareVersion = terminal.value(QStringLiteral("firmwareVersion")).toString();
    file.saved = root.value(QStringLiteral("saved")).toString();
    return file;
}

QString shownFileText(const QString &text, int maxLength)
{
    const auto hex = [](uint code, int digits) {
        return QString::number(code, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
    };
    QString shown;
    const int size = text.size();
    int k = 0;
    for (; k < size && (maxLength < 0 || shown.size() < maxLength); ++k) {
        const QChar c = text.at(k);
        if (c.isHighSurrogate() && k + 1 < size && text.at(k + 1).isLowSurrogate()) {
            const uint code = QChar::surrogateToUcs4(c, text.at(k + 1));
            if (QChar::isPrint(code))
                shown += QStringView(text).mid(k, 2);
            else
                shown += QLatin1String("\\U") + hex(code, 8);
            ++k;
        } else if (c == QLatin1Char('\r')) {
            shown += QLatin1String("\\r");
        } else if (c == QLatin1Char('\n')) {
            shown += QLatin1String("\\n");
        } else if (c == QLatin1Char('\t')) {
            shown += QLatin1String("\\t");
        } else if (c.unicode() < 0x100 && !c.isPrint()) {
            shown += QLatin1String("\\x") + hex(c.unicode(), 2);
        } else if (!c.isPrint() || c.category() == QChar::Separator_Line
                   || c.category() == QChar::Separator_Paragraph) {
            // format characters, lone surrogates, line and paragraph separators
            shown += QLatin1String("\\u") + hex(c.unicode(), 4);
        } else {
            shown += c;
        }
    }
    if (k < size)
        shown += QChar(0x2026); // "…"
    return shown;
}

QString shownKeyList(const QStringList &keys, int &more, int listed)
{
    QStringList shown;
    for (const QString &key : keys.mid(0, listed))
        shown << shownFileText(key);
    more = std::max(0, int(keys.size()) - listed);
    return shown.join(QStringLiteral(", "));
}
