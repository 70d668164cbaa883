#include "settings/core_terminaloutcome.h"

#include <QCoreApplication>

namespace {

struct OutcomeRow
{
    TerminalOutcome outcome;
    const char *code;
    const char *words;
};

const OutcomeRow outcomeRows[] = {
    {TerminalOutcome::Confirmed, "confirmed",
     QT_TRANSLATE_NOOP("BatchSetup", "записано и подтверждено")},
    {TerminalOutcome::AlreadySet, "already-set",
     QT_TRANSLATE_NOOP("BatchSetup", "уже совпадает с файлом")},
    {TerminalOutcome::NotConfirmed, "not-confirmed",
     QT_TRANSLATE_NOOP("BatchSetup", "не подтверждено, отличаются: %1")},
    {TerminalOutcome::WrongPassword, "wrong-password",
     QT_TRANSLATE_NOOP("BatchSetup", "не принято терминалом: проверьте пароль доступа")},
    {TerminalOutcome::NoAnswer, "no-answer",
     QT_TRANSLATE_NOOP("BatchSetup", "нет ответа терминала")},
    {TerminalOutcome::Refused, "refused", QT_TRANSLATE_NOOP("BatchSetup", "не записано: %1")},
    {TerminalOutcome::OtherModel, "other-model",
     QT_TRANSLATE_NOOP("BatchSetup", "не записано: модель %1, файл сохранён с %2")},
    {TerminalOutcome::Unplugged, "unplugged", QT_TRANSLATE_NOOP("BatchSetup", "терминал отключён")},
    {TerminalOutcome::InterruptedBeforeWrite, "interrupted-before-write",
     QT_TRANSLATE_NOOP("BatchSetup", "прервано до записи")},
    {TerminalOutcome::InterruptedAfterWrite, "interrupted-after-write",
     QT_TRANSLATE_NOOP("BatchSetup", "прервано после записи, не проверено")},
    {TerminalOutcome::AlreadyDone, "already-done",
     QT_TRANSLATE_NOOP("BatchSetup", "уже настроен в этом сеансе")},
    {TerminalOutcome::FirmwareUpdated, "firmware-updated",
     QT_TRANSLATE_NOOP("BatchSetup", "ПО обновлено")},
    {TerminalOutcome::FirmwareFailed, "firmware-failed",
     QT_TRANSLATE_NOOP("BatchSetup", "ПО не обновлено")},
};

const OutcomeRow &rowOf(TerminalOutcome outcome)
{
    for (const OutcomeRow &row : outcomeRows) {
        if (row.outcome == outcome)
            return row;
    }
    return outcomeRows[0];
}

} // namespace

QLatin1String terminalOutcomeCode(TerminalOutcome outcome)
{
    return QLatin1String(rowOf(outcome).code);
}

std::optional<TerminalOutcome> terminalOutcomeFromCode(const QString &code)
{
    for (const OutcomeRow &row : outcomeRows) {
        if (code == QLatin1String(row.code))
            return row.outcome;
    }
    return std::nullopt;
}

const char *terminalOutcomeWords(TerminalOutcome outcome)
{
    return rowOf(outcome).words;
}

bool terminalOutcomeOk(TerminalOutcome outcome)
{
    switch (outcome) {
    case TerminalOutcome::Confirmed:
    case TerminalOutcome::AlreadySet:
    case TerminalOutcome::AlreadyDone:
    case TerminalOutcome::FirmwareUpdated:
        return true;
    default:
        return false;
    }
}

TerminalOutcome terminalOutcomeOfWrite(WriteOutcome outcome)
{
    switch (outcome) {
    case WriteOutcome::Confirmed:
        return TerminalOutcome::Confirmed;
    case WriteOutcome::NotConfirmed:
        return TerminalOutcome::NotConfirmed;
    case WriteOutcome::WrongPassword:
        return TerminalOutcome::WrongPassword;
    case WriteOutcome::NoAnswer:
        break;
    }
    return TerminalOutcome::NoAnswer;
}
