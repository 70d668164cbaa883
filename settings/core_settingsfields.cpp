#include "settings/core_settingsfields.h"

#include <QtGlobal>

const std::array<SettingsTextField, settingsTextFieldCount> &settingsTextFields()
{
    using F = SettingsField;
    using R = SettingsRead;
    // field, line edit, item, value, read from the settings record, max length, row label
    //
    // Every field has a limit: the line edit and the settings file reader both take it from
    // here. The passwords get the 32 characters of the APNs; the access password and the new
    // password the same, as the one becomes the other. The CAN program is read back only as a
    // number (NonZeroNumber: an int), so it takes the 10 digits of the largest one. With every
    // field at its limit the body is below 1 KiB even in 3-byte UTF-8 characters, well inside
    // the settings record's limit (see settingsBodyFits).
    static const std::array<SettingsTextField, settingsTextFieldCount> rows{{
        {F::AccessPassword, "accessPasswordEdit", 0, 1, R::Never, 32, nullptr},
        {F::Server, "monitoringServerEdit", 1, 1, R::AsReceived, 32,
         QT_TRANSLATE_NOOP("SettingsPage", "Сервер")},
        {F::Port, "monitoringPortEdit", 1, 2, R::AsReceived, 5,
         QT_TRANSLATE_NOOP("SettingsPage", "Порт")},
        {F::Apn1, "apn1Edit", 2, 1, R::AsReceived, 32,
         QT_TRANSLATE_NOOP("SettingsPage", "APN1")},
        {F::Login1, "login1Edit", 2, 2, R::AsReceived, 16,
         QT_TRANSLATE_NOOP("SettingsPage", "Логин1")},
        {F::Password1, "password1Edit", 2, 3, R::AsReceived, 32,
         QT_TRANSLATE_NOOP("SettingsPage", "Пароль1")},
        {F::NewPassword, "newPasswordEdit", 3, 1, R::Never, 32, nullptr},
        {F::Pin1, "simPin1Edit", 4, 1, R::AsReceived, 8,
         QT_TRANSLATE_NOOP("SettingsPage", "ПИН1")},
        {F::Distance, "distanceEdit", 5, 1, R::AsReceived, 4,
         QT_TRANSLATE_NOOP("SettingsPage", "По дистанции")},
        {F::Angle, "angleEdit", 5, 2, R::AsReceived, 2,
         QT_TRANSLATE_NOOP("SettingsPage", "По углу")},
        {F::SpeedChange, "speedChangeEdit", 5, 3, R::AsReceived, 3,
         QT_TRANSLATE_NOOP("SettingsPage", "По изменению скрсти на")},
        {F::Timer, "timerEdit", 5, 4, R::AsReceived, 4,
         QT_TRANSLATE_NOOP("SettingsPage", "По таймеру")},
        // value 1 of item 6 is the sleep flag
        {F::SleepTime, "sleepTimeEdit", 6, 2, R::AsReceived, 3,
         QT_TRANSLATE_NOOP("SettingsPage", "Время сна")},
        {F::WorkTime, "workTimeEdit", 6, 3, R::AsReceived, 3,
         QT_TRANSLATE_NOOP("SettingsPage", "Время работы")},
        {F::Apn2, "apn2Edit", 7, 1, R::AsReceived, 32,
         QT_TRANSLATE_NOOP("SettingsPage", "APN2")},
        {F::Login2, "login2Edit", 7, 2, R::AsReceived, 16,
         QT_TRANSLATE_NOOP("SettingsPage", "Логин2")},
        {F::Password2, "password2Edit", 7, 3, R::AsReceived, 32,
         QT_TRANSLATE_NOOP("SettingsPage", "Пароль2")},
        {F::Pin2, "simPin2Edit", 8, 1, R::AsReceived, 8,
         QT_TRANSLATE_NOOP("SettingsPage", "ПИН2")},
        {F::CanProgram, "canProgramEdit", 12, 1, R::NonZeroNumber, 10,
         QT_TRANSLATE_NOOP("SettingsPage", "Прграмма CAN")},
    }};
    return rows;
}
