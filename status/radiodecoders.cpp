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
    setFieldText(latitudeEdit, fieldText(p->latitudeText));
    if (p->longitudeValid)
        setFieldText(longitudeEdit, fieldText(p->longitudeText));
}

void StatusPage::decodeGS(const FixRecord &f)
{
    setFieldText(satellitesEdit, fieldText(f.satellitesText));
    setFieldText(speedEdit, fieldText(f.speedText));
    setFieldText(altitudeEdit, fieldText(f.altitudeText));
    if (f.hdop)
        setFieldText(hdopEdit, generalNumber(*f.hdop));
    setFieldText(courseEdit, fieldText(f.courseText));
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
        setFieldText(stages[i], t.translated ? tr(t.text) : QString::fromUtf8(t.text));
    }
}

void StatusPage::decodeML(const SignalRecord &s)
{
    if (s.level) {
        signalLevelBar->setTextVisible(true);
        const quint64 value = signalLevelValue(*s.level);
        // a level beyond the modem's scale gives more than 100 %, which the bar does not take
        if (value <= quint64(signalLevelBar->maximum())) {
            // the bar repaints at once on a new value; let it repaint with the rest instead
            signalLevelBar->setUpdatesEnabled(false);
            signalLevelBar->setValue(int(value));
            signalLevelBar->setUpdatesEnabled(true);
        }
    }
    setFieldText(mccEdit, fieldText(s.mccText));
    setFieldText(mncEdit, fieldText(s.mncText));

    const char *name = operatorName(s.operatorCode());
    setFieldText(operatorEdit, name ? QString::fromLatin1(name) : tr("Не определен"));
}

void StatusPage::decodeAPN(const ApnRecord &a)
{
    const std::pair<QLineEdit *, const QByteArray &> fields[] = {
        {apnEdit, a.apnText}, {apnLoginEdit, a.loginText}, {apnPasswordEdit, a.passwordText}};
    for (const auto &f : fields)
        setFieldText(f.first, fieldIsEmpty(f.second) ? tr("не задан") : fieldText(f.second));
}

// MO, MD and SMS: the fields are joined before they are shown, so a NUL in the first one
// hides the rest.
void StatusPage::decodeMO(const OperatorRecord &o)
{
    setFieldText(operatorEdit, fieldText(o.nameText + " [" + o.networkText + "]"));
}

void StatusPage::decodeMD(const ServerRecord &s)
{
    setFieldText(serverEdit, fieldText(s.hostText + ':' + s.portText));
    setFieldText(tcpCountEdit, fieldText(s.sessionsText));
}

void StatusPage::decodeSMS(const SmsRecord &s)
{
    setFieldText(smsInEdit, fieldText(s.receivedText + '/' + s.validText));
    setFieldText(smsOutEdit, fieldText(s.sentText));
}
