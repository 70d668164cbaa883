// Writing the settings page to the terminal as one settings string, asking for the settings,
// and the requests sent when the user clicks a tab.

#include "mainwindow/mainwindow.h"
#include "status/fieldtext.h"
#include "settings/core_settingsstring.h"
#include "status/statuspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

void MainWindow::set_settings()
{
    // a new write: forget the warning about the last one
    writeStatusLabel->setText(QString());

    if (accessPasswordEdit->text().isEmpty()) {
        QMessageBox::information(nullptr, tr("Настройка терминала"),
                                 tr("Требуется указать пароль доступа"), QMessageBox::Ok);
        return;
    }

    SettingsForm form;
    form.accessPassword = accessPasswordEdit->text();
    form.server = monitoringServerEdit->text();
    form.port = monitoringPortEdit->text();
    form.apn1 = apn1Edit->text();
    form.login1 = login1Edit->text();
    form.password1 = password1Edit->text();
    form.newPasswordOn = newPasswordCheck->isChecked();
    form.newPassword = newPasswordEdit->text();
    form.pin1 = simPin1Edit->text();
    form.distance = distanceEdit->text();
    form.angle = angleEdit->text();
    form.speedChange = speedChangeEdit->text();
    form.timer = timerEdit->text();
    form.sleep = sleepCheck->isChecked();
    form.sleepTime = sleepTimeEdit->text();
    form.workTime = workTimeEdit->text();
    form.apn2 = apn2Edit->text();
    form.login2 = login2Edit->text();
    form.password2 = password2Edit->text();
    form.pin2 = simPin2Edit->text();
    form.in0 = in0Combo->currentText();
    form.in1 = in1Combo->currentText();
    form.in2 = in2Combo->currentText();
    // the CAN controls' own state, set by activate_can_set_slot; the page itself is disabled
    // together with its tab while no port is open
    form.canParamsOn = canParamsGroup->isEnabledTo(settingsPage);
    for (int code = 1; code <= 14; ++code)
        form.canParams[size_t(code - 1)] = canParamBox(code)->isChecked();
    form.rs485Index = rs485Combo->currentIndex();
    form.oneWireText = oneWireCombo->currentText();
    form.canProgramOn = canProgramEdit->isEnabledTo(settingsPage);
    form.canProgram = canProgramEdit->text();
    form.roaming1 = roaming1Check->isChecked();
    form.roaming2 = roaming2Check->isChecked();

    // The string has no escaping: a "#", "=" or "," inside a value would change the items the
    // terminal sees, and CR or LF would end the string early. Refuse rather than send it.
    if (const auto unsafe = findUnsafeValue(form)) {
        QLineEdit *field = nullptr;
        switch (unsafe->field) {
        case SettingsField::AccessPassword: field = accessPasswordEdit; break;
        case SettingsField::Server: field = monitoringServerEdit; break;
        case SettingsField::Port: field = monitoringPortEdit; break;
        case SettingsField::Apn1: field = apn1Edit; break;
        case SettingsField::Login1: field = login1Edit; break;
        case SettingsField::Password1: field = password1Edit; break;
        case SettingsField::NewPassword: field = newPasswordEdit; break;
        case SettingsField::Pin1: field = simPin1Edit; break;
        case SettingsField::Distance: field = distanceEdit; break;
        case SettingsField::Angle: field = angleEdit; break;
        case SettingsField::SpeedChange: field = speedChangeEdit; break;
        case SettingsField::Timer: field = timerEdit; break;
        case SettingsField::SleepTime: field = sleepTimeEdit; break;
        case SettingsField::WorkTime: field = workTimeEdit; break;
        case SettingsField::Apn2: field = apn2Edit; break;
        case SettingsField::Login2: field = login2Edit; break;
        case SettingsField::Password2: field = password2Edit; break;
        case SettingsField::Pin2: field = simPin2Edit; break;
        case SettingsField::CanProgram: field = canProgramEdit; break;
        }
        QString character;
        if (unsafe->character == QLatin1Char('\r'))
            character = tr("CR (возврат каретки)");
        else if (unsafe->character == QLatin1Char('\n'))
            character = tr("LF (перевод строки)");
        else
            character = QStringLiteral("«%1»").arg(unsafe->character);
        QMessageBox::information(
            nullptr, tr("Настройка терминала"),
            tr("Поле «%1» содержит недопустимый символ %2. Символы #, =, запятая и перевод "
               "строки в значениях настроек не допускаются. Настройки не записаны.")
                .arg(settingsRowLabel(field), character),
            QMessageBox::Ok);
        return;
    }

    lastWrittenSettings = buildSettingsBody(form);
    SendCmd(form.accessPassword + QStringLiteral("*SETP*") + lastWrittenSettings);
}

void MainWindow::get_settings()
{
    SendCmd(QStringLiteral(">D 15;0"));
}

void MainWindow::refreshSettingsPage()
{
    // two selections, so the list reports a change and the CAN controls follow index 0
    rs485Combo->setCurrentIndex(1);
    rs485Combo->setCurrentIndex(0);
    get_settings();
}

void MainWindow::activate_can_set_slot(int index)
{
    // only the CAN adapter on RS485 reads the CAN bus
    const bool can = index == 2;
    canProgramEdit->setEnabled(can);
    canParamsGroup->setEnabled(can);
}

void MainWindow::set_in2cb_changed(QString text)
{
    const bool onlyKvt31 = text.compare(QLatin1String("Discrete"), Qt::CaseInsensitive) == 0
                           || text.compare(QLatin1String("Pulse"), Qt::CaseInsensitive) == 0
                           || text.compare(QLatin1String("Frequency"), Qt::CaseInsensitive) == 0;
    in2Label->setText(onlyKvt31 ? tr("Only for KVT3.1    IN2") : tr("IN2"));
}

void MainWindow::handletabChanged(int index)
{
    if (index == 0) {
        writeRaw(">I 0\r\n>I 1\r\n");
        writeRaw(">I 3\r\n>I 7\r\n");
    } else if (index == 1) {
        FieldBatch::flush();   // the version of a record just received counts
        const QString version = statusPage->firmwareVersionText();
        if (firmwareVersionNeedsWarning(version)) {
            QMessageBox::warning(nullptr, QString::fromUtf8("Внимание"),
                                 QString::fromUtf8("Для корректного отображения и задания "
                                                   "настроек необходимо обновить версию ПО до "
                                                   "0.25 и выше"),
                                 QMessageBox::Ok);
        }
        refreshSettingsPage();
    }
}
