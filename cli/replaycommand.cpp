// kvt-cli replay: a recording of the line's traffic decoded, as NDJSON (one object a record)
// or as CSV of chosen values, with the recorded times. The file is read a block at a time.
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/exitstatus.h"
#include "cli/output.h"
#include "cli/statussnapshot.h"
#include "link/core_recording.h"
#include "link/framing.h"
#include "link/recordnames.h"
#include "link/recordrouter.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QSet>

#include <charconv>
#include <cmath>
#include <string>
#include <limits>

namespace {

// Output is written in pieces of about this size.
constexpr int OutputPiece = 256 * 1024;

// ---- JSON as QJsonDocument's compact form writes it, straight into the output
void appendJsonString(std::string &out, const char *p, size_t size)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    const char *const end = p + size;
    while (p < end) {
        const char *q = p;
        while (q < end && uchar(*q) >= 0x20 && *q != '"' && *q != '\\')
            ++q;
        out.append(p, size_t(q - p));
        if (q == end)
            break;
        const uchar c = uchar(*q);
        p = q + 1;
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    out += '"';
}

void appendJsonString(std::string &out, const QString &text)
{
    // the keys and most texts are ASCII: no UTF-8 copy for them
    const QChar *p = text.constData();
    const int n = text.size();
    int i = 0;
    while (i < n && p[i].unicode() >= 0x20 && p[i].unicode() < 0x80 && p[i] != QLatin1Char('"')
           && p[i] != QLatin1Char('\\'))
        ++i;
    if (i == n) {
        out += '"';
        for (int k = 0; k < n; ++k)
            out += char(p[k].unicode());
        out += '"';
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    appendJsonString(out, utf8.constData(), size_t(utf8.size()));
}

// A number as JSON writes it: whole numbers in full, others in their shortest form.
void appendNumber(std::string &out, double d)
{
    constexpr double exact = 9007199254740992.0;   // 2^53
    char buf[64];
    std::to_chars_result r;
    if (d == std::floor(d) && std::fabs(d) <= exact)
        r = std::to_chars(buf, buf + sizeof buf, qint64(d));
    else
        r = std::to_chars(buf, buf + sizeof buf, d);
    out.append(buf, size_t(r.ptr - buf));
}

void appendJson(std::string &out, const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        out += '{';
        bool first = true;
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!first)
                out += ',';
            first = false;
            appendJsonString(out, it.key());
            out += ':';
            appendJson(out, it.value());
        }
        out += '}';
        break;
    }
    case QJsonValue::Array: {
        const QJsonArray array = value.toArray();
        out += '[';
        for (int i = 0; i < array.size(); ++i) {
            if (i > 0)
                out += ',';
            appendJson(out, array.at(i));
        }
        out += ']';
        break;
    }
    case QJsonValue::Bool:
        out += value.toBool() ? "true" : "false";
        break;
    case QJsonValue::Double:
        appendNumber(out, value.toDouble());
        break;
    case QJsonValue::String:
        appendJsonString(out, value.toString());
        break;
    default:
        out += "null";
        break;
    }
}

// ---- CSV
QByteArray csvField(const QJsonValue &value)
{
    if (value.isDouble()) {
        std::string text;
        appendNumber(text, value.toDouble());
        return QByteArray(text.data(), int(text.size()));
    }
    if (value.isBool())
        return value.toBool() ? "true" : "false";
    if (!value.isString())
        return QByteArray();
    QByteArray text = value.toString().toUtf8();
    if (text.contains(',') || text.contains('"') || text.contains('\n') || text.contains('\r')) {
        text.replace('"', "\"\"");
        text = '"' + text + '"';
    }
    return text;
}

// The value at a dotted path ("power.supplyMv", "fuelSensors.0.level") below `value`.
QJsonValue valueAt(QJsonValue value, const QStringList &path, int from)
{
    for (int i = from; i < path.size(); ++i) {
        if (value.isObject()) {
            value = value.toObject().value(path.at(i));
        } else if (value.isArray()) {
            bool ok = false;
            const int index = path.at(i).toInt(&ok);
            const QJsonArray array = value.toArray();
            if (!ok || index < 0 || index >= array.size())
                return QJsonValue(QJsonValue::Undefined);
            value = array.at(index);
        } else {
            return QJsonValue(QJsonValue::Undefined);
        }
    }
    return value;
}

// The numeric values below `value`, by their dotted names.
void numberNames(const QString &prefix, const QJsonValue &value, QSet<QString> &names)
{
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            numberNames(prefix + QLatin1Char('.') + it.key(), it.value(), names);
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i)
            numberNames(prefix + QLatin1Char('.') + QString::number(i), array.at(i), names);
    } else if (value.isDouble()) {
        names.insert(prefix);
    }
}

bool isListKey(const QString &key)
{
    return key == QLatin1String("fuelSensors") || key == QLatin1String("thermometers")
           || key == QLatin1String("inputs") || key == QLatin1String("outputs");
}

// A time given to --from or --to: "yyyy-MM-ddTHH:mm:ss[.zzz]" (or a space for the T), local
// time as the recording has it.
bool parseTimeOption(const QString &text, qint64 *ms)
{
    QByteArray t = text.trimmed().toLatin1();
    if (t.size() == 19)
        t += ".000";
    if (t.size() != 23 || (t[10] != 'T' && t[10] != ' '))
        return false;
    t[10] = ' ';
    RecordingClock clock;
    return clock.parse(t.constData(), ms);
}

} // namespace

int replayCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Decodes a recording of the terminal's line (the log's \"Запись в файл\" or kvt-cli "
        "record) with the recorded times. --json prints one JSON object a line for every "
        "status record: {\"time\": the recorded time, \"record\": its name, \"value\": what "
        "'kvt-cli info --json' gives for it under \"status\"}. --csv prints the named values "
        "(info --json's keys under \"status\" joined with dots, such as power.supplyMv or "
        "fix.satellites) as CSV, a row whenever one of them changes; --csv list names them "
        "all. Lines of the file that are not recording lines are named on standard error "
        "and skipped.\n"
        "Exit status: 0 decoded, 1 the file cannot be read, 2 usage error or no recording "
        "line in the file."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The recording."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("One JSON object a record (NDJSON)."));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("These values as CSV; 'list' names them all."),
                                 QStringLiteral("SERIES,..."));
    const QCommandLineOption from(QStringLiteral("from"),
                                  QStringLiteral("Only records from this recorded time on "
                                                 "(yyyy-MM-ddTHH:mm:ss[.zzz])."),
                                  QStringLiteral("time"));
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("Only records up to this recorded time."),
                                QStringLiteral("time"));
    parser.addOptions({json, csv, from, to});
    const int status = parseCommandLine(parser, arguments, 1, 1);
    if (status >= 0)
        return status;
    const QString command = arguments.value(0);
    if (parser.isSet(json) == parser.isSet(csv))
        return usageError(command, QStringLiteral("give either --json or --csv"));
    qint64 fromTime = std::numeric_limits<qint64>::min();
    qint64 toTime = std::numeric_limits<qint64>::max();
    if (parser.isSet(from) && !parseTimeOption(parser.value(from), &fromTime))
        return usageError(command, QStringLiteral("--from needs a time as yyyy-MM-ddTHH:mm:ss"));
    if (parser.isSet(to) && !parseTimeOption(parser.value(to), &toTime))
        return usageError(command, QStringLiteral("--to needs a time as yyyy-MM-ddTHH:mm:ss"));

    const bool listing = parser.isSet(csv) && parser.value(csv) == QLatin1String("list");
    QStringList series;
    QVector<QStringList> paths;
    QSet<QString> wantedKeys;   // the keys under "status" the series lie below
    if (parser.isSet(csv) && !listing) {
        for (const QString &name : parser.value(csv).split(QLatin1Char(','))) {
            const QString trimmed = name.trimmed();
            if (trimmed.isEmpty())
                return usageError(command, QStringLiteral("--csv needs names of values"));
            series << trimmed;
            paths << trimmed.split(QLatin1Char('.'));
            wantedKeys.insert(paths.last().first());
        }
    }

    const QString path = parser.positionalArguments().at(0);
    const QString shownPath = QDir::toNativeSeparators(path);
    RecordingReader reader;
    QString error;
    if (!reader.open(path, &error)) {
        printMessage(QStringLiteral("cannot read %1: %2").arg(shownPath, error));
        return ExitFailed;
    }
    reader.onSkipped = [&shownPath](qint64 line) {
        printMessage(QStringLiteral("%1:%2: not a recording line, skipped").arg(shownPath).arg(line));
    };

    StatusSnapshot snapshot;
    RecordRouter router;
    snapshot.registerRoutes(router);
    LineFramer framer;

    std::string out;
    out.reserve(OutputPiece + 4096);
    QString outputError;
    QVector<QByteArray> lastRow(series.size());
    QVector<QByteArray> row(series.size());
    QSet<QString> names;
    if (!series.isEmpty())
        out += ("time," + series.join(QLatin1Char(',')).toUtf8() + '\n').toStdString();

    // --json: the last record of each name and the text it gave
    struct Repeat
    {
        bool seen = false;
        QByteArray field[5];
        std::string text;   // after the time; empty when the record gives no value
    };
    QHash<QByteArray, Repeat> lastOfName;

    RecordingLine line;
    bool any = false;
    while (reader.next(line)) {
        any = true;
        if (line.time > toTime)
            break;
        if (line.mark != RecordingLine::Mark::Received)
            continue;
        const bool shown = line.time >= fromTime;
        framer.feed(line.payload, [&](const RecordLine &record) {
            if (series.isEmpty() && !listing) {
                // A record's value is made from the record alone: one that repeats the last of
                // its name (most of a terminal's records do) gives the same text again. The
                // state it would set again is not read in this mode.
                Repeat &last = lastOfName[record.name];
                bool same = last.seen;
                for (int i = 0; same && i < 5; ++i)
                    same = last.field[i] == record.field[i];
                if (!same) {
                    snapshot.clearChange();
                    router.dispatch(record);
                    last.seen = true;
                    for (int i = 0; i < 5; ++i)
                        last.field[i] = record.field[i];
                    last.text.clear();
                    if (!snapshot.changedKey().isEmpty()) {
                        last.text = "\",\"record\":";
                        const QByteArray name = recordNameText(record.name);
                        appendJsonString(last.text, name.constData(), size_t(name.size()));
                        last.text += ",\"value\":";
                        appendJson(last.text, snapshot.changedValue());
                        last.text += "}\n";
                    }
                }
                if (shown && !last.text.empty()) {
                    out += "{\"time\":\"";
                    out.append(line.stamp, 10);
                    out += 'T';
                    out.append(line.stamp + 11, 12);
                    out += last.text;
                }
                return;
            }
            snapshot.clearChange();
            router.dispatch(record);
            const QString &key = snapshot.changedKey();
            if (key.isEmpty() || !shown)
                return;
            if (listing) {
                numberNames(key,
                            isListKey(key) ? snapshot.json().value(key) : snapshot.changedValue(),
                            names);
                return;
            }
            {
                if (!wantedKeys.contains(key))
                    return;
                const QJsonObject all = isListKey(key) ? snapshot.json() : QJsonObject();
                bool differs = false;
                for (int i = 0; i < series.size(); ++i) {
                    if (paths.at(i).first() != key) {
                        row[i] = lastRow.at(i);
                        continue;
                    }
                    const QJsonValue v = isListKey(key) ? valueAt(all.value(key), paths.at(i), 1)
                                                        : valueAt(snapshot.changedValue(), paths.at(i), 1);
                    // a value the record leaves out keeps the last one
                    row[i] = v.isUndefined() || v.isNull() ? lastRow.at(i) : csvField(v);
                    differs = differs || row.at(i) != lastRow.at(i);
                }
                if (!differs)
                    return;
                lastRow = row;
                out += line.isoTime().toStdString();
                for (const QByteArray &field : row) {
                    out += ',';
                    out.append(field.constData(), size_t(field.size()));
                }
                out += '\n';
            }
        });
        if (out.size() >= OutputPiece) {
            if (!writeOut(QByteArray::fromRawData(out.data(), int(out.size())), &outputError))
                return outputFailed(outputError);
            out.clear();
        }
    }
    if (listing) {
        QStringList sorted = names.values();
        sorted.sort();
        for (const QString &name : sorted)
            out += (name.toUtf8() + '\n').toStdString();
    }
    if (!writeOut(QByteArray::fromRawData(out.data(), int(out.size())), &outputError))
        return outputFailed(outputError);
    if (!any) {
        printMessage(QStringLiteral("%1 holds no recording line").arg(shownPath));
        return ExitUsage;
    }
    return ExitOk;
}
