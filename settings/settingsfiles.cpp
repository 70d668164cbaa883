// Settings files on the settings page: its fields as a settings file holds them, saving and
// loading with the messages the user sees, and the marks of the loaded values that differ from
// what the terminal last reported.

#include "settings/settingspage.h"

#include "link/core_filesave.h"
#include "settings/core_settingsfile.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// A yellow with dark text: it stands out, and reads the same in the light and the dark look.
const char markStyle[] = "background-color: #ffd54f; color: #1a1a1a;";
const char markProperty[] = "differsFromTerminal";

} // namespace

QWidget *SettingsPage::field(const QString &objectName) const
{
    return findChild<QWidget *>(objectName);
}

SettingsValues SettingsPage::values() const
{
    return settingsValues(shownSettings());
}

void SettingsPage::setValues(const SettingsValues &values)
{
    showSettings(settingsFromValues(values), false);
}

void SettingsPage::setIdentitySource(std::function<TerminalIdentity()> source)
{
    identitySource = std::move(source);
}

QString SettingsPage::fieldLabel(const QString &objectName) const
{
    QWidget *w = field(objectName);
    if (auto *group = qobject_cast<QGroupBox *>(w))
        return group->title();
    return w ? rowLabel(w) : objectName;
}

// Marks the loaded fields whose value differs from the last settings record; the number of
// fields marked (the CAN parameters count as one).
int SettingsPage::markDifferences(const SettingsValues &loaded)
{
    clearMarks();
    if (!hasReported)
        return 0;
    const QStringList keys = differingValues(loaded, lastReported);
    for (const QString &key : keys) {
        const SettingsFileField *f = settingsFileField(key);
        if (f && f->kind == SettingsFileFieldKind::CodeList) {
            const QVariantList now = loaded.value(key).toList();
            const QVariantList before = lastReported.value(key).toList();
            for (std::size_t k = 0; k < canParamChecks.size(); ++k) {
                if (now.contains(int(k + 1)) != before.contains(int(k + 1)))
                    mark(canParamChecks[k]);
            }
        } else if (QWidget *w = field(key)) {
            mark(w);
        }
    }
    return keys.size();
}

void SettingsPage::mark(QWidget *w)
{
    w->setProperty(markProperty, true);
    w->setStyleSheet(QString::fromLatin1(markStyle));
    marked.append(w);
}

void SettingsPage::clearMarks()
{
    for (const QPointer<QWidget> &w : qAsConst(marked)) {
        if (!w)
            continue;
        w->setProperty(markProperty, false);
        w->setStyleSheet(QString());
    }
    marked.clear();
}

QStringList SettingsPage::markedFields() const
{
    QStringList names;
    for (const QPointer<QWidget> &w : marked) {
        if (w)
            names << w->objectName();
    }
    return names;
}

QString SettingsPage::problemText(const QString &path, const SettingsFileProblem &p) const
{
    using P = SettingsFileProblem;
    const QString file = QDir::toNativeSeparators(path);
    // the key names a known field; the detail is the file's text, shown escaped
    const QString detail = shownFileText(p.detail);
    QString why;
    switch (p.kind) {
    case P::None:
        return QString();
    case P::NotJson:
        why = tr("Файл %1 не является файлом настроек: %2.").arg(file, detail);
        break;
    case P::OtherFormat:
        why = tr("Файл %1 не является файлом настроек этой программы.").arg(file);
        break;
    case P::NewerVersion:
        why = tr("Файл %1 записан более новой версией программы (формат %2, эта версия читает "
                 "формат до %3).")
                  .arg(file, detail)
                  .arg(settingsFileVersion);
        break;
    case P::WrongType:
        why = tr("Файл %1: у поля «%2» значение неверного типа.").arg(file, fieldLabel(p.field));
        break;
    case P::UnsafeCharacter:
        if (p.detail.size() > 1) {
            why = tr("Файл %1: поле «%2» содержит недопустимый текст «%3».")
                      .arg(file, fieldLabel(p.field), detail);
        } else {
            why = tr("Файл %1: поле «%2» содержит недопустимый символ «%3».")
                      .arg(file, fieldLabel(p.field), detail);
        }
        break;
    case P::TooLong:
        why = tr("Файл %1: значение поля «%2» длиннее %3 символов.")
                  .arg(file, fieldLabel(p.field), detail);
        break;
    case P::UnknownCode:
        why = tr("Файл %1: в поле «%2» код «%3», которого в списке нет.")
                  .arg(file, fieldLabel(p.field), detail);
        break;
    }
    return why + QLatin1Char(' ') + tr("Настройки не загружены.");
}

bool SettingsPage::readSettingsFile(const QString &path, SettingsFile *result)
{
    const QString title = tr("Файл настроек");
    const QString shown = QDir::toNativeSeparators(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        QMessageBox::critical(window(), title,
                              tr("Не удалось прочитать файл %1: %2").arg(shown, f.errorString()));
        return false;
    }
    // the size first: a large file is refused before anything of it is read; a device or a
    // pipe tells no size, and is read no further than one byte past the limit
    QByteArray bytes;
    if (f.size() <= settingsFileMaxSize)
        bytes = f.read(settingsFileMaxSize + 1);
    if (f.size() > settingsFileMaxSize || bytes.size() > settingsFileMaxSize) {
        QMessageBox::warning(window(), title,
                             tr("Файл %1 больше %2 МиБ: это слишком много для файла настроек.")
                                     .arg(shown)
                                     .arg(settingsFileMaxSize / (1024 * 1024))
                                 + QLatin1Char(' ') + tr("Настройки не загружены."));
        return false;
    }
    SettingsFile file = ::readSettingsFile(bytes);
    if (!file.ok()) {
        QMessageBox::warning(window(), title, problemText(path, file.problem));
        return false;
    }
    if (!file.unknownKeys.isEmpty()) {
        // the first few by name, the others counted
        int more = 0;
        QString list = shownKeyList(file.unknownKeys, more);
        if (more > 0)
            list += QLatin1Char(' ') + tr("… и ещё %1").arg(more);
        QMessageBox::information(window(), title,
                                 tr("В файле %1 есть поля, которых программа не знает; они "
                                    "пропущены: %2.")
                                     .arg(shown, list));
    }
    *result = file;
    return true;
}

bool SettingsPage::saveSettingsFile(const QString &path)
{
    const TerminalIdentity from = identitySource ? identitySource() : TerminalIdentity();
    const QByteArray bytes = settingsFileBytes(values(), from, QDateTime::currentDateTime());
    // written beside the file and renamed over it: a failed save leaves the old file as it was
    QString reason;
    if (!saveWholeFile(path, bytes, &reason)) {
        QMessageBox::critical(window(), tr("Файл настроек"),
                              tr("Не удалось сохранить файл %1: %2")
                                  .arg(QDir::toNativeSeparators(path), fileErrorText(reason)));
        return false;
    }
    emit statusMessage(tr("Настройки сохранены в файл %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

bool SettingsPage::loadSettingsFile(const QString &path)
{
    SettingsFile file;
    if (!readSettingsFile(path, &file))
        return false;
    const QString shown = QDir::toNativeSeparators(path);
    const TerminalIdentity here = identitySource ? identitySource() : TerminalIdentity();
    if (!file.from.model.isEmpty() && !here.model.isEmpty() && file.from.model != here.model) {
        const auto answer = QMessageBox::question(
            window(), tr("Файл настроек"),
            tr("Файл %1 сохранён с терминала %2, а подключён терминал %3. Загрузить настройки "
               "из файла?")
                .arg(shown, shownFileText(file.from.model), here.model),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return false;
    }
    setValues(file.values);
    const int differing = markDifferences(file.values);
    if (hasReported) {
        emit statusMessage(tr("Настройки загружены из файла %1. Отличаются от настроек "
                              "терминала полей: %2")
                               .arg(shown)
                               .arg(differing));
    } else {
        emit statusMessage(tr("Настройки загружены из файла %1. Настройки терминала ещё не "
                              "прочитаны.")
                               .arg(shown));
    }
    return true;
}

void SettingsPage::saveProfile()
{
    const QString path = askSaveFileName();
    if (!path.isEmpty())
        saveSettingsFile(path);
}

void SettingsPage::loadProfile()
{
    const QString path = askLoadFileName();
    if (!path.isEmpty())
        loadSettingsFile(path);
}

QString SettingsPage::askSaveFileName()
{
    QString path = QFileDialog::getSaveFileName(window(), tr("Сохранить настройки в файл"),
                                                QString(), tr("Файлы настроек (*.json)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".json");
    return path;
}

QString SettingsPage::askLoadFileName()
{
    return QFileDialog::getOpenFileName(window(), tr("Загрузить настройки из файла"), QString(),
                                        tr("Файлы настроек (*.json);;Все файлы (*)"));
}

QString SettingsPage::askBatchFileName()
{
    return QFileDialog::getOpenFileName(window(), tr("Серийная настройка: файл настроек"),
                                        QString(), tr("Файлы настроек (*.json);;Все файлы (*)"));
}

QString SettingsPage::askBatchPassword()
{
    bool ok = false;
    const QString password = QInputDialog::getText(
        window(), tr("Серийная настройка"), tr("Пароль доступа терминалов:"), QLineEdit::Normal,
        edit(SettingsField::AccessPassword)->text(), &ok);
    return ok ? password : QString();
}
