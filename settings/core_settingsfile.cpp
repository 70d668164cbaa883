#include "settings/core_settingsfile.h"

#include "settings/core_settingsfields.h"
#include "settings/core_settingsstring.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>

namespace {

// A line edit without a length limit of its own takes this many characters.
constexpr int lineEditLimit = 32767;
constexpr int canParamCount = 14;
const char canParamsKey[] = "canParamsGroup";

QVector<SettingsFileField> buildFields()
{
    using K = SettingsFileFieldKind;
    QVector<SettingsFileField> fields;
    for (const SettingsTextField &row : settingsTextFields()) {
        // the passwords stay out of files
        if (row.field == SettingsField::AccessPassword || row.field == SettingsField::NewPassword)
            continue;
        fields.append({QString::fromLatin1(row.objectName), K::Text,
                       row.maxLength > 0 ? row.maxLength : lineEditLimit, {}});
    }
    for (const char *check : {"sleepCheck", "roaming1Check", "roaming2Check"})
        fields.append({QString::fromLatin1(check), K::Check, 0, {}});
    // the item 9 letters, the item 11 numbers, by entry index
    fields.append({QStringLiteral("in0Combo"), K::List, 0, {"N", "D", "C", "F", "G"}});
    fields.append({QStringLiteral("in1Combo"), K::List, 0, {"N", "D", "A"}});
    fields.append({QStringLiteral("in2Combo"), K::List, 0, {"N", "D", "C", "F", "O"}});
    fields.append({QStringLiteral("rs485Combo"), K::List, 0, {"0", "5", "7"}});
    fields.append({QStringLiteral("oneWireCombo"), K::List, 0, {"30", "29"}});
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
        for (const QChar c : text) {
            if (isUnsafeSettingsCharacter(c))
                return refuse(P::UnsafeCharacter, QString(c));
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
        QString code;
        if (json.isString())
            code = json.toString();
        else if (json.isDouble() && json.toDouble() == std::floor(json.toDouble()))
            code = QString::number(qint64(json.toDouble()));
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
            if (!v.isDouble() || d != std::floor(d) || d < 1 || d > canParamCount)
                return refuse(P::UnknownCode, v.isDouble() ? QString::number(d) : v.toString());
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
        file.problem = {P::NewerVersion, QString(), QString::number(version.toDouble())};
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
