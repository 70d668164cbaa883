// "Записать" on the settings page: the page's values as settings, refused with a message when
// the terminal could not take them, written through the settings writer; and the line under
// the button that tells how every write ended.

#include "settings/settingspage.h"

#include "settings/core_settingswriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

TerminalSettings SettingsPage::shownSettings() const
{
    using C = SettingsChoice;
    TerminalSettings s;
    for (const SettingsTextField &row : settingsTextFields())
        s[row.field] = edit(row.field)->text();
    auto flag = [](const QCheckBox *box) {
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    };
    auto code = [](C choice, const QComboBox *list) {
        return settingsChoice(choice).codes.value(list->currentIndex());
    };
    s[C::Sleep] = flag(sleepCheck);
    s[C::In0] = code(C::In0, inCombos[0]);
    s[C::In1] = code(C::In1, inCombos[1]);
    s[C::In2] = code(C::In2, inCombos[2]);
    s[C::Rs485] = code(C::Rs485, rs485Combo);
    s[C::OneWire] = code(C::OneWire, oneWireCombo);
    s[C::Roaming1] = flag(roamingChecks[0]);
    s[C::Roaming2] = flag(roamingChecks[1]);
    QList<int> codes;
    for (std::size_t k = 0; k < canParamChecks.size(); ++k) {
        if (canParamChecks[k]->isChecked())
            codes.append(int(k + 1));
    }
    s.canParams = codes;
    s.newPasswordOn = newPasswordCheck->isChecked();
    // the CAN controls' own state, set by setCanControlsFor; the page itself is disabled
    // together with its tab while no port is open
    s.canParamsOn = canParamsGroup->isEnabledTo(this);
    s.canProgramOn = edit(SettingsField::CanProgram)->isEnabledTo(this);
    return s;
}

bool SettingsPage::writeSettings()
{
    // a new write: forget the outcome of the last one
    setWriteStatus(QString(), false);

    const TerminalSettings settings = shownSettings();
    const QString refusal = settingsRefusal(settings);
    if (!refusal.isNull()) {
        QMessageBox::information(window(), tr("Настройка терминала"), refusal, QMessageBox::Ok);
        return false;
    }
    ownWriteStarting = true;
    writer->write(settings);
    ownWriteStarting = false;
    return true;
}

SettingsWriter *SettingsPage::settingsWriter() const
{
    return writer;
}

void SettingsPage::setConfirmTimeout(int ms)
{
    writer->setTimeout(ms);
}

int SettingsPage::confirmTimeout() const
{
    return writer->timeout();
}

// Every settings record after a write is checked against it, whoever wrote (the page or batch
// set-up). A warning, once shown, stays until the next write, and a record that arrives after
// the wait has run out still shows what the terminal holds.
void SettingsPage::showWriteCheck(bool confirmed, const QStringList &differingNames)
{
    lastCheckConfirmed = confirmed;
    lastDiffering = differingNames;
    if (!confirmed) {
        setWriteStatus(tr("Возможна ошибка записи настроек"), true);
        writeWarned = true;
    } else if (!writeWarned) {
        setWriteStatus(tr("Настройки записаны"), false);
    }
}

void SettingsPage::keepTypedAfterWrite()
{
    typedWrite = false;
    if (lastCheckConfirmed)
        return;
    SettingsValues typed;
    for (const QString &name : qAsConst(lastDiffering)) {
        if (typedValues.contains(name))
            typed.insert(name, typedValues.value(name));
    }
    showSettings(settingsFromValues(typed), false);
    for (const QString &name : typed.keys()) {
        const SettingsFileField *f = settingsFileField(name);
        QWidget *w = field(name);
        if (w && !(f && f->kind == SettingsFileFieldKind::CodeList))
            mark(w);
    }
}

void SettingsPage::startReading()
{
    // the outcome of the last write comes back once the settings are read
    if (!reading) {
        statusBeforeReading = writeStatusLabel->text();
        warnedBeforeReading = writeWarned;
        redBeforeReading = !writeStatusLabel->styleSheet().isEmpty();
    }
    reading = true;
    setWriteStatus(tr("Чтение…"), false);
    readTimer->start(writer->timeout());
    emit readRequested();
}

void SettingsPage::readTimedOut()
{
    if (!reading)
        return;
    reading = false;
    setWriteStatus(tr("Нет ответа терминала"), true);
}

void SettingsPage::writeEnded(WriteOutcome outcome, const QStringList &differingNames)
{
    // none of the values to change was taken: a terminal ignores a wrong access password so
    if (outcome == WriteOutcome::WrongPassword) {
        setWriteStatus(tr("Не принято терминалом: проверьте пароль доступа"), true);
        writeWarned = true;
    }
    if (outcome == WriteOutcome::NoAnswer) {
        setWriteStatus(tr("Нет ответа терминала"), true);
        emit writeFinished(outcome, QStringList());
        return;
    }
    QStringList differing;
    for (const QString &name : differingNames)
        differing << fieldLabel(name);
    emit writeFinished(outcome, differing);
}

void SettingsPage::setWriteStatus(const QString &text, bool failure)
{
    if (text.isEmpty())
        writeWarned = false;
    writeStatusLabel->setText(text);
    // a red that reads on the light and on the dark look
    writeStatusLabel->setStyleSheet(failure ? QStringLiteral("color: #e53935;") : QString());
}

void SettingsPage::terminalConnected()
{
    clearMarks();
    reading = false;
    readTimer->stop();
    typedWrite = false;
    lastReported.clear();
    hasReported = false;
    // a write still waiting went to the terminal before, which went away without an answer:
    // the writer ends it, and the line says so
    const bool waiting = writer->isWaiting();
    writer->terminalConnected();
    if (!waiting)
        setWriteStatus(QString(), false);
}

// The text of the row label of a field, for messages.
QString SettingsPage::rowLabel(QWidget *field) const
{
    // the new password field shares the row label of its check box
    if (field == edit(SettingsField::NewPassword))
        field = newPasswordCheck;
    QWidget *group = field ? field->parentWidget() : nullptr;
    auto *form = group ? qobject_cast<QFormLayout *>(group->layout()) : nullptr;
    if (form) {
        if (auto *label = qobject_cast<QLabel *>(form->labelForField(field)))
            return label->text();
    }
    return field ? field->objectName() : QString();
}
