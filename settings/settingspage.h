#pragma once
// The settings page: one terminal's configuration as editable fields in three columns, and
// the buttons that read it from the terminal and write it back. The page fills itself from
// the settings record and produces the settings string; the window sends what the page asks
// for.

#include "settings/core_settingsfields.h"

#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordRouter;
struct RecordLine;

class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsPage(QWidget *parent = nullptr);

    // Routes the settings record "ST" to decodeST.
    void registerRoutes(RecordRouter &router);

    // Fills the page from a settings record and checks it against the last settings written.
    void decodeST(const RecordLine &r);

    // The settings string of the page without its line end (access password, "*SETP*", body),
    // its body remembered for the check of the next settings record. Clears the write status
    // first. A null string when the page refuses to write, after telling the user why: no
    // access password, or a value that the settings string cannot carry.
    QString prepareSettingsString();

    // Enables or disables the CAN program and the CAN parameters for an RS485 selection.
    void setCanControlsFor(int rs485Index);
    // Relabels the IN2 row for the mode shown in the IN2 list.
    void relabelIn2(const QString &mode);
    // Makes the RS485 list report a change (so the CAN controls follow its first entry), then
    // asks for the terminal's settings.
    void refresh();

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

private:
    QLineEdit *edit(SettingsField field) const { return textEdits[std::size_t(field)]; }
    // a row of a group: the field's label from the field table, then its line edit
    void addTextRow(QFormLayout *form, SettingsField field);
    QGroupBox *buildSimGroup(int sim);
    QString rowLabel(QWidget *field) const;
    void showTextValues(int item, const QStringList &values);

    // the body of the last settings string written, checked against the next settings record
    QString lastWrittenSettings;

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
    QLabel *const writeStatusLabel;
    QGroupBox *const canParamsGroup;
    std::array<QCheckBox *, 14> canParamChecks{}; // the box of CAN parameter code k at k - 1
};
