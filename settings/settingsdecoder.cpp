// The settings record "ST": field 1 holds the terminal's settings items ("#N=v1,v2,..."), read
// once into settings (readTerminalSettings). The settings writer checks them against what was
// last written, the page shows them, and whoever follows the page's settings gets them.

#include "settings/settingspage.h"

#include "link/recordrouter.h"
#include "settings/core_settingsstring.h"
#include "settings/core_settingswriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

void SettingsPage::registerRoutes(RecordRouter &router)
{
    router.route(RecordKind::Settings, decodeSettingsRecord,
                 [this](const TerminalSettings &reported) { decodeST(reported); });
}

void SettingsPage::decodeST(const TerminalSettings &reported)
{
    // a read: the page shows the terminal's values again
    clearMarks();
    // did the last write arrive intact? (the first record after it answers it)
    const bool answersOwnWrite = typedWrite && writer->isWaiting();
    writer->settingsReported(reported);
    showSettings(reported, true);
    lastReported = values();
    hasReported = true;
    if (answersOwnWrite)
        keepTypedAfterWrite();
    if (reading) {
        reading = false;
        readTimer->stop();
        if (!answersOwnWrite) {
            setWriteStatus(statusBeforeReading, redBeforeReading);
            writeWarned = warnedBeforeReading;
        }
    }
    emit settingsReported(reported);
}

void SettingsPage::showSettings(const TerminalSettings &s, bool fromRecord)
{
    for (const SettingsTextField &row : settingsTextFields()) {
        if (const std::optional<QString> &text = s[row.field]) {
            // shown from its first character: the fields are narrow
            QLineEdit *e = edit(row.field);
            e->setText(*text);
            e->setCursorPosition(0);
        }
    }
    for (const SettingsChoiceRow &row : settingsChoices()) {
        const std::optional<QString> &code = s[row.choice];
        if (!code)
            continue;
        QWidget *w = field(QLatin1String(row.objectName));
        if (auto *box = qobject_cast<QCheckBox *>(w)) {
            const bool on = *code == QLatin1String("1");
            // the settings record never clears the sleep box, it only checks it
            if (on || !fromRecord || row.choice != SettingsChoice::Sleep)
                box->setChecked(on);
        } else if (auto *list = qobject_cast<QComboBox *>(w)) {
            // a code the list does not have leaves its selection
            const int index = row.codes.indexOf(*code);
            if (index >= 0)
                list->setCurrentIndex(index);
        }
    }
    if (s.canParams) {
        for (std::size_t k = 0; k < canParamChecks.size(); ++k)
            canParamChecks[k]->setChecked(s.canParams->contains(int(k + 1)));
    }
}
