#pragma once
// One event of the installation register: what happened to which terminal, when, where and by
// whom. The register keeps one row per event; nothing secret (no password of any kind) is ever
// put into one.

#include "status/core_identity.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>

namespace RegisterKind {
// The first identity of a terminal in a run of the window or of kvt-cli.
inline const char *const Connected = "connected";
// The outcome of "Записать" or `kvt-cli settings write`.
inline const char *const SettingsWritten = "settings-written";
// One line of a batch set-up's or a station's journal.
inline const char *const Provisioned = "provisioned";
inline const char *const FirmwareUpdated = "firmware-updated";
inline const char *const ReportSaved = "report-saved";
} // namespace RegisterKind

struct RegisterEvent
{
    QUuid id;
    QDateTime time;   // UTC
    QString kind;     // RegisterKind
    QString engineer;
    QString host;
    QString model;
    QString serialNumber;
    QString imei;
    QString firmware;
    QString result;   // the outcome code (journal codes: confirmed, not-confirmed, …)
    QJsonObject details;
    QString vehicle;
    QString port;

    // As `kvt-cli register list --json` and the offline queue have it.
    QJsonObject toJson() const;
    static RegisterEvent fromJson(const QJsonObject &object);
};

// A CSV field: quoted (its quotes doubled) when it holds a comma, a quote or a line end.
QString csvField(const QString &value);

// The login name unless one was set in the program (QSettings "engineer" of the window).
QString registerEngineer();
// The machine's host name.
QString registerHost();

// A new event of `kind` about `terminal`, now, with a new random UUID, this engineer and host.
RegisterEvent newRegisterEvent(const QString &kind, const TerminalIdentity &terminal);

// The outcome code of a journal result as older journals wrote it (Russian or English words):
// "записано и подтверждено" → confirmed, "не подтверждено…" → not-confirmed, and so on;
// "other" when the words are not known.
QString journalResultCode(const QString &result);

// A journal line (batch set-up or station, with or without the port and code columns) as a
// `provisioned` event (`firmware-updated` for a station's firmware update): its id a UUID v5 of the line's text, so the same line always makes the
// same event. False for the heading, a blank line or a line with too few columns. The time is
// the line's local time; engineer and host stay empty (the line does not tell them).
bool journalLineEvent(const QString &line, RegisterEvent *event);
