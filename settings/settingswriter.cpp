// The settings string of the page: its values as the terminal is to store them, refused when a
// value would break the string.

#include "settings/settingspage.h"

#include "settings/core_settingsstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

QString SettingsPage::prepareSettingsString()
{
    using F = SettingsField;
    // a new write: forget the warning about the last one
    writeStatusLabel->setText(QString());

    if (edit(F::AccessPassword)->text().isEmpty()) {
        QMessageBox::information(window(), tr("Настройка терминала"),
                                 tr("Требуется указать пароль доступа"), QMessageBox::Ok);
        return QString();
    }

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

    // The string has no escaping: a "#", "=" or "," inside a value would change the items the
    // terminal sees, and CR or LF would end the string early. Refuse rather than send it.
    if (const auto unsafe = findUnsafeValue(form)) {
        QString character;
        if (unsafe->character == QLatin1Char('\r'))
            character = tr("CR (возврат каретки)");
        else if (unsafe->character == QLatin1Char('\n'))
            character = tr("LF (перевод строки)");
        else
            character = QStringLiteral("«%1»").arg(unsafe->character);
        QMessageBox::information(
            window(), tr("Настройка терминала"),
            tr("Поле «%1» содержит недопустимый символ %2. Символы #, =, запятая и перевод "
               "строки в значениях настроек не допускаются. Настройки не записаны.")
                .arg(rowLabel(edit(unsafe->field)), character),
            QMessageBox::Ok);
        return QString();
    }

    lastWrittenSettings = buildSettingsBody(form);
    return form[F::AccessPassword] + QStringLiteral("*SETP*") + lastWrittenSettings;
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
