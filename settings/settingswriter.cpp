// The settings string of the page: its values as the terminal is to store them, refused when a
// value would break the string; and the check that the terminal took them.

#include "settings/settingspage.h"

#include "settings/core_settingsecho.h"
#include "settings/core_settingsstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

SettingsForm SettingsPage::currentForm() const
{
    using F = SettingsField;
    SettingsForm form;
    for (const SettingsTextField &row : settingsTextFields())
        form[row.field] = edit(row.field)->text();
    form.newPasswordOn = newPasswordCheck->isChecked();
    form.sleep = sleepCheck->isChecked();
    form.in0 = inCombos[0]->currentText();
    form.in1 = inCombos[1]->currentText();
    form.in2 = inCombos[2]->currentText();
    // the CAN controls' own state, set by setCanControlsFor; the page itself is disabled
    // together with its tab while no port is open
    form.canParamsOn = canParamsGroup->isEnabledTo(this);
    for (std::size_t k = 0; k < canParamChecks.size(); ++k)
        form.canParams[k] = canParamChecks[k]->isChecked();
    form.rs485Index = rs485Combo->currentIndex();
    form.oneWireText = oneWireCombo->currentText();
    form.canProgramOn = edit(F::CanProgram)->isEnabledTo(this);
    form.roaming1 = roamingChecks[0]->isChecked();
    form.roaming2 = roamingChecks[1]->isChecked();
    return form;
}

QString SettingsPage::refusalFor(const SettingsForm &form) const
{
    if (form[SettingsField::AccessPassword].isEmpty())
        return tr("Требуется указать пароль доступа");

    // The string has no escaping: a "#", "=" or "," inside a value would change the items the
    // terminal sees, a ";" or a NUL would cut the value short in the settings record that
    // reports it, CR or LF would end the string early, and a marker inside a value would move
    // the end of the password. Refuse rather than send it.
    if (const auto unsafe = findUnsafeValue(form)) {
        const QString label = rowLabel(edit(unsafe->field));
        if (unsafe->kind == UnsafeText::Marker) {
            if (form[unsafe->field].contains(QLatin1String(settingsMarker)))
                return tr("Поле «%1» содержит «*SETP*»: терминал принял бы это за начало "
                          "настроек. Настройки не записаны.")
                    .arg(label);
            return tr("Поле «%1» заканчивается на «*SETP»: вместе с «*SETP*» после пароля "
                      "терминал прочитал бы другой пароль. Настройки не записаны.")
                .arg(label);
        }
        if (unsafe->kind == UnsafeText::Surrogate) {
            const QString code =
                QStringLiteral("%1").arg(unsafe->character.unicode(), 4, 16, QLatin1Char('0'));
            return tr("Поле «%1» содержит неполный символ Юникода (U+%2), который нельзя "
                      "передать терминалу. Настройки не записаны.")
                .arg(label, code.toUpper());
        }
        if (unsafe->character.isNull())
            return tr("Поле «%1» содержит нулевой символ (NUL): терминал сообщит значение "
                      "только до него. Настройки не записаны.")
                .arg(label);
        QString character;
        if (unsafe->character == QLatin1Char('\r'))
            character = tr("CR (возврат каретки)");
        else if (unsafe->character == QLatin1Char('\n'))
            character = tr("LF (перевод строки)");
        else
            character = QStringLiteral("«%1»").arg(unsafe->character);
        return tr("Поле «%1» содержит недопустимый символ %2. Символы #, =, ;, запятая и "
                  "перевод строки в значениях настроек не допускаются. Настройки не записаны.")
            .arg(label, character);
    }

    // The terminal reports what it stores in one record, which the program reads only up to
    // the framing's limit; the length limits of the fields keep a page well inside it, this
    // catches values that came by another way.
    const QString body = buildSettingsBody(form);
    if (!settingsBodyFits(body)) {
        SettingsField longest = SettingsField::Server;
        int longestBytes = -1;
        for (const WrittenValue &v : writtenTextValues(form)) {
            const int bytes = v.text.toUtf8().size();
            if (v.field != SettingsField::AccessPassword && bytes > longestBytes) {
                longest = v.field;
                longestBytes = bytes;
            }
        }
        return tr("Настройки слишком длинные: терминал сообщил бы их записью длиннее %1 байт, "
                  "которую программа не сможет прочитать. Больше всего занимает поле «%2». "
                  "Настройки не записаны.")
            .arg(LineFramer::MaxBufferSize)
            .arg(rowLabel(edit(longest)));
    }
    return QString();
}

QString SettingsPage::prepareSettingsString()
{
    // a new write: forget the outcome of the last one
    setWriteStatus(QString(), false);

    const SettingsForm form = currentForm();
    const QString refusal = refusalFor(form);
    if (!refusal.isNull()) {
        QMessageBox::information(window(), tr("Настройка терминала"), refusal, QMessageBox::Ok);
        return QString();
    }
    startWriteCheck(buildSettingsBody(form));
    return buildSettingsString(form);
}

QString SettingsPage::prepareBatchString(const SettingsValues &values,
                                         const QString &accessPassword, QString *refusal)
{
    setValues(values);
    SettingsForm form = currentForm();
    form[SettingsField::AccessPassword] = accessPassword;
    form.newPasswordOn = false;
    const QString why = refusalFor(form);
    if (!why.isNull()) {
        if (refusal)
            *refusal = why;
        return QString();
    }
    setWriteStatus(QString(), false);
    startWriteCheck(buildSettingsBody(form));
    return buildSettingsString(form);
}

void SettingsPage::setConfirmTimeout(int ms)
{
    confirmTimer->setInterval(ms);
}

int SettingsPage::confirmTimeout() const
{
    return confirmTimer->interval();
}

void SettingsPage::startWriteCheck(const QString &body)
{
    clearMarks();
    lastWrittenSettings = body;
    writePending = true;
    confirmTimer->start();
}

// Every settings record after a write is checked against it. The first one ends the wait;
// a warning, once shown, stays until the next write, and a record that arrives after the
// wait has run out still shows what the terminal holds.
void SettingsPage::checkWrite(const QString &settingsText)
{
    if (lastWrittenSettings.isEmpty())
        return;
    const EchoCheck check = checkSettingsEcho(lastWrittenSettings, settingsText);
    if (!check.confirmed()) {
        // the terminal's word for it, not translated
        setWriteStatus(QString::fromUtf8("Возможна ошибка записи настроек"), true);
        writeWarned = true;
    } else if (!writeWarned) {
        setWriteStatus(tr("Настройки записаны"), false);
    }
    if (!writePending)
        return;
    writePending = false;
    confirmTimer->stop();
    QStringList differing;
    for (const QString &name : differingFieldNames(check))
        differing << fieldLabel(name);
    emit writeFinished(check.confirmed() ? WriteOutcome::Confirmed : WriteOutcome::NotConfirmed,
                       differing);
}

void SettingsPage::confirmTimedOut()
{
    if (!writePending)
        return;
    writePending = false;
    setWriteStatus(tr("Нет ответа терминала"), true);
    emit writeFinished(WriteOutcome::NoAnswer, QStringList());
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
    lastReported.clear();
    hasReported = false;
    // a write still waiting went to the terminal before, which went away without an answer
    if (writePending)
        confirmTimedOut();
    else
        setWriteStatus(QString(), false);
    lastWrittenSettings.clear();
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
