#pragma once
// The code tables of the terminal's status records. Texts that the user reads in his own
// language are source texts of the translation context of the widget that shows them
// (StatusPage or SensorPanel, marked for the translation tools); texts that stay as they are
// say so.

#include <QtGlobal>

#include <array>

// One text of a table and whether it is shown through the translation.
struct CodeText
{
    const char *text;
    bool translated;
};

// ---- identity and state records

// The model text of a model code, nullptr for a code the program does not know.
const char *modelText(unsigned int code);
// The model code of the tachograph terminal; only it offers the tachograph file download.
constexpr unsigned int TachographModelCode = 20;

// The text of a settings or firmware update task state 0..3, nullptr for any other value.
const char *taskStateText(unsigned int state);

// The ten status fields of the hardware status word, in the order of the status group:
// internal memory, external memory, clock, accelerometer, GPS/GLONASS, GSM, SIM 1, PIN 1,
// SIM 2, PIN 2.
constexpr int DeviceStatusFieldCount = 10;
std::array<CodeText, DeviceStatusFieldCount> deviceStatusTexts(quint32 word);

// ---- radio records

// The five stages of the modem's connection chain for a modem state 0..7 (modem link, network
// registration, GPRS service, server connection, server reply); nullptr for any other state.
constexpr int ModemStageCount = 5;
const std::array<CodeText, ModemStageCount> *modemStateTexts(unsigned int state);

// The operator name of an operator code (MCC followed by MNC), nullptr when not in the table.
const char *operatorName(quint32 code);

// ---- CAN indicators

// The captions of the sixteen security indicators, in their order on the page.
constexpr int SecurityFlagCount = 16;
extern const char *const securityFlagCaptions[SecurityFlagCount];
// Which security indicators a security state code lights: bit i of the result stands for
// indicator i. The low byte is a state code, bits 8 to 22 are single flags.
quint32 securityFlags(qint32 code);

// The captions of the twenty-two warning lamp indicators, in their order on the page.
constexpr int LampFlagCount = 22;
extern const char *const lampFlagCaptions[LampFlagCount];
// Which lamp indicators a warning lamp code lights: bit i of the result stands for indicator i.
quint32 lampFlags(qint32 code);

// ---- inputs and outputs

// The type text of an input record's type letter (D, I, F, A; each begins with a blank),
// nullptr for any other letter.
const char *inputTypeText(char type);
// The fixed caption prefix of input row 0..5 ("IN0_D" .. "IN5_U"), nullptr for any other row.
const char *inputRowPrefix(int row);
