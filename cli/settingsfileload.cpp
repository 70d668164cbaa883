#include "cli/settingsfileload.h"

#include "cli/output.h"
#include "settings/core_terminalsettings.h"

#include <QDir>
#include <QFile>

namespace {

// A field of a settings file by its label on the settings page and its key.
QString fieldName(const QString &key)
{
    const QString label = settingsValueLabel(key, TerminalSettings());
    return label == key ? key : QStringLiteral("«%1» (%2)").arg(label, key);
}

QString problemText(const QString &path, const SettingsFileProblem &p)
{
    using P = SettingsFileProblem;
    const QString file = QDir::toNativeSeparators(path);
    const QString detail = shownFileText(p.detail);
    switch (p.kind) {
    case P::None:
        break;
    case P::NotJson:
        return QStringLiteral("%1 is not a settings file: %2").arg(file, detail);
    case P::OtherFormat:
        return QStringLiteral("%1 is not a settings file of KVT Logger").arg(file);
    case P::NewerVersion:
        return QStringLiteral("%1 was saved by a newer version (format %2, this one reads up to %3)")
            .arg(file, detail)
            .arg(settingsFileVersion);
    case P::WrongType:
        return QStringLiteral("%1: the value of %2 has the wrong type").arg(file, fieldName(p.field));
    case P::UnsafeCharacter:
        return QStringLiteral("%1: the value of %2 holds «%3», which the settings string cannot "
                              "carry")
            .arg(file, fieldName(p.field), detail);
    case P::TooLong:
        return QStringLiteral("%1: the value of %2 is longer than %3 characters")
            .arg(file, fieldName(p.field), detail);
    case P::UnknownCode:
        return QStringLiteral("%1: %2 has the code «%3», which its list does not have")
            .arg(file, fieldName(p.field), detail);
    }
    return QString();
}

} // namespace

// Reads a settings file whole as the settings page does; nothing, with the message on standard
// error, when it is refused.
std::optional<SettingsFile> loadSettingsFile(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        printMessage(QStringLiteral("cannot read %1: %2").arg(shown, f.errorString()));
        return std::nullopt;
    }
    // a large file is refused before anything of it is read; a pipe is read no further than
    // one byte past the limit
    QByteArray bytes;
    if (f.size() <= settingsFileMaxSize)
        bytes = f.read(settingsFileMaxSize + 1);
    if (f.size() > settingsFileMaxSize || bytes.size() > settingsFileMaxSize) {
        printMessage(QStringLiteral("%1 is larger than %2 MiB: too much for a settings file")
                         .arg(shown)
                         .arg(settingsFileMaxSize / (1024 * 1024)));
        return std::nullopt;
    }
    SettingsFile file = readSettingsFile(bytes);
    if (!file.ok()) {
        printMessage(problemText(path, file.problem));
        return std::nullopt;
    }
    if (!file.unknownKeys.isEmpty()) {
        int more = 0;
        QString list = shownKeyList(file.unknownKeys, more);
        if (more > 0)
            list += QStringLiteral(" and %1 more").arg(more);
        printMessage(QStringLiteral("%1: fields skipped, unknown to this program: %2").arg(shown, list));
    }
    return file;
}
