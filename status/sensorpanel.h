#pragma once

#include "app/pagewidgets.h"
#include "status/core_codes.h"
#include "status/core_records.h"
#include "status/fieldtext.h"

#include <QWidget>

#include <array>

class QRadioButton;
class RecordRouter;
struct RecordLine;

// The right-hand part of the device parameters page: the input lines, the fuel level
// sensors, the 1-Wire sensors and key, the CAN vehicle data and the CAN indicators, with the
// decoders of the records that fill them.
class SensorPanel : public QWidget
{
    Q_OBJECT

public:
    // `fields`: the page's, which writes the panel's fields with its own.
    explicit SensorPanel(FieldBatch &fields, QWidget *parent = nullptr);

    // Routes the sensor, input and CAN records to the panel's decoders.
    void registerRoutes(RecordRouter &router);

private:
    FieldBatch &fields;
    TranslatedTexts translated{"SensorPanel"};
    static constexpr int InputCount = 8;
    static constexpr int AxleCount = 5;

    template <size_t N>
    static std::array<QLineEdit *, N> numberedEdits(const char *stem);

    void format(QGroupBox *inputsGroup, QGroupBox *fuelSensorsGroup, QGroupBox *oneWireGroup,
                QGroupBox *canDataGroup, QGroupBox *securityFlagsGroup,
                QGroupBox *lampFlagsGroup);
    int widestInputCaption() const;

    void decodeCanProgram(const CanCountsRecord &r);                                   // C#
    void decodeCanValue(QLineEdit *field, const CanValueRecord &v);  // CA .. CF
    void decodeFuelLevel(const CanValueRecord &v, bool litres);                       // CG, CR
    // CH .. CO, CU, CV
    void decodeText(QLineEdit *field, const CanValueRecord &v);
    void decodeCP(const CanCodeRecord &r);
    void decodeCS(const CanCodeRecord &r);
    void decodeLLS(const std::optional<FuelSensorRecord> &r);
    void decodeOWT(const std::optional<ThermometerRecord> &r);
    void decodeOWK(const std::optional<KeyRecord> &k);
    void decodeOutput(const std::optional<OutputRecord> &r);  // O14, O15, O24, O25
    void decodeInput(const std::optional<InputRecord> &r);   // I + type letter + digit
    void setInputRow(int row, const QString &caption, const QString &state);

    // inputs: the captions are rewritten by the input and output records
    const std::array<QLabel *, InputCount> inputLabels;
    const std::array<QLineEdit *, InputCount> inputEdits = numberedEdits<InputCount>("inputEdit");
    // fuel level sensors 0 to 6
    const std::array<QLineEdit *, FuelSensorCount> llsLevelEdits =
        numberedEdits<FuelSensorCount>("llsLevelEdit");
    const std::array<QLineEdit *, FuelSensorCount> llsTempEdits =
        numberedEdits<FuelSensorCount>("llsTempEdit");
    // 1-Wire temperature sensors 0 to 5 and the key
    const std::array<QLineEdit *, ThermometerCount> thermoAddressEdits =
        numberedEdits<ThermometerCount>("thermoAddressEdit");
    const std::array<QLineEdit *, ThermometerCount> thermoTempEdits =
        numberedEdits<ThermometerCount>("thermoTempEdit");
    QLineEdit *const keyIdEdit = makeLineEdit("keyIdEdit");
    // CAN vehicle data
    QLineEdit *const canDataProgramEdit = makeLineEdit("canDataProgramEdit");
    QLineEdit *const canDataValidEdit = makeLineEdit("canDataValidEdit");
    QLineEdit *const engineHoursEdit = makeLineEdit("engineHoursEdit");
    QLineEdit *const mileageEdit = makeLineEdit("mileageEdit");
    QLineEdit *const fuelUsedEdit = makeLineEdit("fuelUsedEdit");
    QLabel *const fuelLevelLabel;
    QLineEdit *const fuelLevelEdit = makeLineEdit("fuelLevelEdit");
    QLineEdit *const engineRpmEdit = makeLineEdit("engineRpmEdit");
    QLineEdit *const engineTempEdit = makeLineEdit("engineTempEdit");
    QLineEdit *const vehicleSpeedEdit = makeLineEdit("vehicleSpeedEdit");
    // axles 1 to 5: axleLoad1Edit .. axleLoad5Edit
    const std::array<QLineEdit *, AxleCount> axleLoadEdits;
    QLineEdit *const pedalPositionEdit = makeLineEdit("pedalPositionEdit");
    QLineEdit *const engineLoadEdit = makeLineEdit("engineLoadEdit");
    QLineEdit *const adBlueLevelEdit = makeLineEdit("adBlueLevelEdit");
    QLineEdit *const securityStateEdit = makeLineEdit("securityStateEdit");
    QLineEdit *const alarmControllersEdit = makeLineEdit("alarmControllersEdit");
    // the indicators of the CAN security state and warning lamps, in their captions' order
    std::array<QRadioButton *, SecurityFlagCount> securityFlagButtons{};
    std::array<QRadioButton *, LampFlagCount> lampFlagButtons{};
};
