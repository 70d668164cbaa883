#include "link/core_filesave.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// The reason of the last failure on `file`: QFile's own text when it has one, else errno's.
QString failure(const QFileDevice &file, int error)
{
    if (file.error() != QFileDevice::NoError && !file.errorString().isEmpty())
        return file.errorString();
    return qt_error_string(error != 0 ? error : EIO);
}

} // namespace

bool writeWhole(QFileDevice &file, const char *data, qint64 size, QString *reason)
{
    while (size > 0) {
        errno = 0;
        const qint64 n = file.write(data, size);
        const int error = errno;
        if (n <= 0) {
            *reason = failure(file, error);
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool syncToDisk(QFileDevice &file, QString *reason)
{
    errno = 0;
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        *reason = failure(file, errno);
        return false;
    }
#ifdef Q_OS_WIN
    const bool synced = ::_commit(file.handle()) == 0;
#else
    const bool synced = ::fsync(file.handle()) == 0;
#endif
    if (!synced) {
        *reason = qt_error_string(errno);
        return false;
    }
    return true;
}

bool saveWholeFile(const QString &path, const QByteArray &bytes, QString *reason)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *reason = file.errorString();
        return false;
    }
    // without commit() the file beside is removed and the old one stays
    if (!writeWhole(file, bytes.constData(), bytes.size(), reason) || !syncToDisk(file, reason))
        return false;
    errno = 0;
    if (!file.commit()) {
        *reason = failure(file, errno);
        return false;
    }
    return true;
}

QString fileErrorText(const QString &systemText, TextLanguage language)
{
    static const struct
    {
        const char *system;
        const char *reason;
    } reasons[] = {
        {"Permission denied", QT_TRANSLATE_NOOP("FileSave", "нет доступа")},
        {"Access is denied.", QT_TRANSLATE_NOOP("FileSave", "нет доступа")},
        {"No such file or directory", QT_TRANSLATE_NOOP("FileSave", "папка не найдена")},
        {"Read-only file system", QT_TRANSLATE_NOOP("FileSave", "диск только для чтения")},
        {"No space left on device", QT_TRANSLATE_NOOP("FileSave", "нет места на диске")},
        {"There is not enough space on the disk.", QT_TRANSLATE_NOOP("FileSave", "нет места на диске")},
        {"File too large", QT_TRANSLATE_NOOP("FileSave", "файл больше, чем позволяет диск")},
        {"Disk quota exceeded", QT_TRANSLATE_NOOP("FileSave", "превышена квота диска")},
        {"Input/output error", QT_TRANSLATE_NOOP("FileSave", "ошибка ввода-вывода: диск отключён или неисправен")},
        {"Is a directory", QT_TRANSLATE_NOOP("FileSave", "это папка, а не файл")},
    };
    for (const auto &r : reasons) {
        if (systemText.compare(QLatin1String(r.system), Qt::CaseInsensitive) == 0)
            return QStringLiteral("%1 (%2)").arg(textIn(language, "FileSave", r.reason),
                                                 systemText);
    }
    return systemText;
}
