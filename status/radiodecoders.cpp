// Radio and positioning records: the position fix and the GSM/GPRS link.
#include "status/statuspage.h"
#include "status/fieldtext.h"

#include "link/framing.h"
#include "status/core_codes.h"
#include "status/core_numbers.h"
#include "status/core_records.h"

#include <QProgressBar>

void StatusPage::decodeGK(const std::optional<PositionRecord> &p)
{
    if (!p)
        return;
    fields.setBytes(latitudeEdit, p->latitudeText);
    if (p->longitudeValid)
        fields.setBytes(longitudeEdit, p->longitudeText);
}

void StatusPage::decodeGS(const FixRecord &f)
{
    fields.setBytes(satellitesEdit, f.satellitesText);
    fields.setBytes(speedEdit, f.speedText);
    fields.setBytes(altitudeEdit, f.altitudeText);
    if (f.hdop)
        fields.setNumber(hdopEdit, *f.hdop);
    fields.setBytes(courseEdit, f.courseText);
}

void StatusPage::decodeMS(const ModemStateRecord &m)
{
    emit statusMessage(tr("!!! MS= %1 !!!").arg(m.reported));
    if (!m.state)
        return;
    const auto &row = *modemStateTexts(unsigned(*m.state));
    QLineEdit *const stages[ModemStageCount] = {modemLinkEdit, networkRegistrationEdit,
                                                gprsServiceEdit, serverConnectionEdit,
                                                serverReplyEdit};
    for (int i = 0; i < ModemStageCount; ++i) {
        const CodeText &t = row[i];
        fields.set(stages[i], t.translated ? translated(t.text) : QString::fromUtf8(t.text));
    }
}

void StatusPage::decodeML(const SignalRecord &s)
{
    if (s.level) {
        signalLevelBar->setTextVisible(true);
        const quint64 value = signalLevelValue(*s.level);
        // a level beyond the modem's scale gives more than 100 %, which the bar does not take
        // (an unchanged level leaves the bar alone: turning its updates back on repaints it,
        // and the page behind it, which on a busy line costs more than the record itself)
        if (value <= quint64(signalLevelBar->maximum()) && int(value) != signalLevelBar->value()) {
            // the bar repaints at once on a new value; let it repaint with the rest instead
            signalLevelBar->setUpdatesEnabled(false);
            signalLevelBar->setValue(int(value));
            signalLevelBar->setUpdatesEnabled(true);
        }
    }
    fields.setBytes(mccEdit, s.mccText);
    fields.setBytes(mncEdit, s.mncText);

    const char *name = operatorName(s.operatorCode());
    fields.set(operatorEdit, name ? QString::fromLatin1(name) : translated(QT_TR_NOOP("Не определен")));
}

void StatusPage::decodeAPN(const ApnRecord &a)
{
    const std::pair<QLineEdit *, const QByteArray &> apnFields[] = {
        {apnEdit, a.apnText}, {apnLoginEdit, a.loginText}, {apnPasswordEdit, a.passwordText}};
    for (const auto &f : apnFields)
        fields.set(f.first, fieldIsEmpty(f.second) ? tr("не задан") : fieldText(f.second));
}

// MO, MD and SMS: the fields are joined before they are shown, so a NUL in the first one
// hides the rest.
void StatusPage::decodeMO(const OperatorRecord &o)
{
    fields.set(operatorEdit, fieldText(o.nameText + " [" + o.networkText + "]"));
}

void StatusPage::decodeMD(const ServerRecord &s)
{
    fields.set(serverEdit, fieldText(s.hostText + ':' + s.portText));
    fields.setBytes(tcpCountEdit, s.sessionsText);
}

void StatusPage::decodeSMS(const SmsRecord &s)
{
    fields.set(smsInEdit, fieldText(s.receivedText + '/' + s.validText));
    fields.setBytes(smsOutEdit, s.sentText);
}
