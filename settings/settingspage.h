#pragma once
// The settings page: one terminal's configuration as editable fields in three columns, and
// the buttons that read it from the terminal and write it back. The page shows the settings
// the settings record reports and makes settings of its fields (TerminalSettings); its
// settings writer writes them and checks the answer, through the line the window gives it.

#include "settings/core_settingsecho.h"
#include "settings/core_settingsfields.h"
#include "settings/core_settingsfile.h"
#include "settings/core_terminalsettings.h"
#include "status/core_identity.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class RecordRouter;
class SettingsWriter;
struct RecordLine;

class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsPage(QWidget *parent = nullptr);

    // Routes the settings record "ST" to decodeST.
    void registerRoutes(RecordRouter &router);

    // Reads a settings record once: the settings writer checks it against the last settings
    // written, the page shows it, and settingsReported() passes it on.
    void decodeST(const TerminalSettings &reported);

    // "Записать": writes the page's settings through the settings writer (the settings string,
    // then the settings request) after clearing the write status. False, after telling the
    // user why, when the page refuses to write: no access password, a value that the settings
    // string cannot carry, or settings too long to be reported back.
    bool writeSettings();

    // The writer of the page's writes and of batch set-up's; the window gives it its line.
    SettingsWriter *settingsWriter() const;
    // The page's fields as settings, everything the page shows and what it would write.
    TerminalSettings shownSettings() const;

    // How long a write waits for the settings record that confirms it.
    void setConfirmTimeout(int ms);
    int confirmTimeout() const;

    // A terminal was connected: the write check and what the terminal last reported were
    // about the terminal before and are forgotten; a write still waiting for its answer ends
    // as not answered.
    void terminalConnected();

    // The settings fields as a settings file holds them, and putting such values on the page
    // (only the keys given; no checks, the file reader has made them).
    SettingsValues values() const;
    void setValues(const SettingsValues &values);

    // Where the identity saved with a settings file comes from.
    void setIdentitySource(std::function<TerminalIdentity()> source);

    // Saving and loading a settings file, with the messages the user sees; true when done.
    // Loading fills the page only, all or nothing, and marks the fields that differ from what
    // the terminal last reported.
    bool saveSettingsFile(const QString &path);
    bool loadSettingsFile(const QString &path);
    // Reads and checks a settings file, telling the user what is wrong with it (and once which
    // keys were skipped); false when it is refused, and then `file` is unchanged.
    bool readSettingsFile(const QString &path, SettingsFile *file);
    // Why a file is refused, naming the file and the field.
    QString problemText(const QString &path, const SettingsFileProblem &problem) const;

    // The row label of a field, by object name, for messages; the name when it has none.
    QString fieldLabel(const QString &objectName) const;

    // The settings fields that a loaded file marked as differing from the terminal.
    QStringList markedFields() const;

    // Asks the user for the settings file and the access password of a batch set-up.
    virtual QString askBatchFileName();
    virtual QString askBatchPassword();

    // Enables or disables the CAN program and the CAN parameters for an RS485 selection.
    void setCanControlsFor(int rs485Index);
    // Relabels the IN2 row for an IN2 mode, the list entry untranslated ("Discrete").
    void relabelIn2(const QString &mode);
    // Makes the RS485 list report a change (so the CAN controls follow its first entry), then
    // asks for the terminal's settings.
    void refresh();

    // The page scrolls its columns itself under its write bar: the window's scroll area
    // gives it the window's height whatever the bar's rows (a height for the width would
    // make the window scroll the whole page, bar and all, by the tallest page).
    bool hasHeightForWidth() const override { return false; }

    // The groups the settings record fills, in the order of the page (the write group and the
    // phone numbers, which the record does not report, left out).
    QList<QGroupBox *> recordGroups() const;
    // The fields whose values are secrets: the SIM cards' PINs and APN passwords, the access
    // password and the new password.
    QList<QLineEdit *> secretFields() const;

signals:
    // "Прочитать" and "Записать"
    void readRequested();
    void writeRequested();
    // A settings record has filled the page: the settings it reported.
    void settingsReported(const TerminalSettings &reported);
    // How the last write ended; emitted once per write. `differing` holds the row labels of
    // the fields the terminal did not take.
    void writeFinished(WriteOutcome outcome, const QStringList &differing);
    // A text for the status bar.
    void statusMessage(const QString &text);

protected:
    // The file names for "Сохранить в файл…" and "Загрузить из файла…", asked with the
    // standard file dialogs; empty when the user cancels.
    virtual QString askSaveFileName();
    virtual QString askLoadFileName();

private:
    // Puts the values set on the page. `fromRecord`: as the settings record fills it, which
    // checks the sleep box but never clears it.
    void showSettings(const TerminalSettings &settings, bool fromRecord);
    // the write status line after a settings record, and at the end of a write
    void showWriteCheck(bool confirmed, const QStringList &differingNames);
    // "Прочитать": the line under the buttons says so until the settings record comes
    void startReading();
    void readTimedOut();
    // After a write the terminal did not confirm: the fields it reports otherwise keep what
    // was typed, marked; a terminal that changed nothing at all is said to have refused it.
    void keepTypedAfterWrite();
    void writeEnded(WriteOutcome outcome, const QStringList &differingNames);
    void setWriteStatus(const QString &text, bool failure);
    // The marks of fields that differ from what the terminal last reported.
    int markDifferences(const SettingsValues &loaded);
    void mark(QWidget *field);
    void clearMarks();
    QWidget *field(const QString &objectName) const;
    void saveProfile();
    void loadProfile();

    QLineEdit *edit(SettingsField field) const { return textEdits[std::size_t(field)]; }
    // a row of a group: the field's label from the field table, then its line edit
    void addTextRow(QFormLayout *form, SettingsField field);
    QGroupBox *buildSimGroup(int sim);
    // masks a password field and adds the button that shows it (objectName: the field's
    // name and "Reveal")
    void addRevealButton(QLineEdit *secret);
    QString rowLabel(QWidget *field) const;

    // writes and checks what the terminal reports after a write
    SettingsWriter *const writer;
    bool writeWarned = false; // the warning is shown and stays until the next write
    // the page's own write: what was typed, and what the terminal reported before it
    bool ownWriteStarting = false;
    bool typedWrite = false;
    SettingsValues typedValues;
    bool lastCheckConfirmed = true;
    QStringList lastDiffering;
    // "Прочитать" waits for the settings record
    QTimer *const readTimer;
    bool reading = false;
    QString statusBeforeReading;
    bool warnedBeforeReading = false;
    bool redBeforeReading = false;
    // what the last settings record put on the page
    SettingsValues lastReported;
    bool hasReported = false;
    QList<QPointer<QWidget>> marked;
    std::function<TerminalIdentity()> identitySource;

    // the free-text fields, by field
    std::array<QLineEdit *, settingsTextFieldCount> textEdits{};
    // column 1
    std::array<QCheckBox *, 2> roamingChecks{}; // SIM 1, SIM 2
    QCheckBox *const sleepCheck;
    // column 2
    QComboBox *const rs485Combo;
    QComboBox *const oneWireCombo;
    std::array<QComboBox *, 8> inCombos{}; // IN0 to IN7
    QLabel *const in2Label;
    // column 3
    QCheckBox *const newPasswordCheck;
    QPushButton *const readSettingsButton;
    QPushButton *const writeSettingsButton;
    QPushButton *const saveProfileButton;
    QPushButton *const loadProfileButton;
    QLabel *const writeStatusLabel;
    QGroupBox *const canParamsGroup;
    std::array<QCheckBox *, 14> canParamChecks{}; // the box of CAN parameter code k at k - 1
};
