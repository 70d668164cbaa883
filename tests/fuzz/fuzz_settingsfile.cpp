// Reads arbitrary bytes as a settings file. A refused file yields no values and a message that
// shows nothing raw; an accepted one holds only values its fields take, and written again and
// read again it gives the same values and the same terminal, with nothing skipped.
#include "settings/core_settingsfile.h"
#include "settings/core_settingsstring.h"

#include <QDateTime>
#include <QTimeZone>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

// What a message shows of a text from the file: no control character, no lone surrogate.
void requireShowable(const QString &text)
{
    const QString shown = shownFileText(text, -1);
    for (int k = 0; k < shown.size(); ++k) {
        const QChar c = shown.at(k);
        require(c.unicode() >= 0x20 && !(c.unicode() >= 0x7F && c.unicode() < 0xA0));
        if (c.isHighSurrogate() && k + 1 < shown.size() && shown.at(k + 1).isLowSurrogate())
            ++k;
        else
            require(!c.isSurrogate());
    }
}

bool takes(const SettingsFileField &field, const QVariant &v)
{
    switch (field.kind) {
    case SettingsFileFieldKind::Text:
        return v.type() == QVariant::String && v.toString().size() <= field.maxLength
               && !findUnsafeText(v.toString());
    case SettingsFileFieldKind::Check:
        return v.type() == QVariant::Bool;
    case SettingsFileFieldKind::List:
        return v.type() == QVariant::String && field.codes.contains(v.toString());
    case SettingsFileFieldKind::CodeList: {
        int last = 0;
        for (const QVariant &code : v.toList()) {
            if (code.type() != QVariant::Int || code.toInt() <= last || code.toInt() > 14)
                return false;
            last = code.toInt();
        }
        return v.type() == QVariant::List;
    }
    }
    return false;
}

bool sameTerminal(const TerminalIdentity &a, const TerminalIdentity &b)
{
    return a.model == b.model && a.serialNumber == b.serialNumber && a.imei == b.imei
           && a.firmwareVersion == b.firmwareVersion;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const SettingsFile file = readSettingsFile(bytes);
    if (!file.ok()) {
        using P = SettingsFileProblem;
        require(file.values.isEmpty() && file.unknownKeys.isEmpty());
        // the problems of a field name it; those of the file as a whole do not
        const P::Kind kind = file.problem.kind;
        require(file.problem.field.isEmpty()
                == (kind == P::NotJson || kind == P::OtherFormat || kind == P::NewerVersion));
        requireShowable(file.problem.detail);
        return 0;
    }
    for (const QString &key : file.unknownKeys) {
        require(!settingsFileField(key));
        requireShowable(key);
    }
    for (auto it = file.values.constBegin(); it != file.values.constEnd(); ++it) {
        const SettingsFileField *field = settingsFileField(it.key());
        require(field && takes(*field, it.value()));
    }

    const QDateTime saved(QDate(2026, 3, 14), QTime(9, 5, 7), Qt::OffsetFromUTC, 3 * 3600);
    const SettingsFile again = readSettingsFile(settingsFileBytes(file.values, file.from, saved));
    require(again.ok() && again.unknownKeys.isEmpty());
    require(again.values == file.values && sameTerminal(again.from, file.from));
    return 0;
}
