#pragma once

#include <QDialog>
#include <QSerialPort>
#include <QString>

class QIntValidator;

namespace Ui {
class SettingsDialog;
}

// The port name and line parameters chosen in the port dialog, each with its display text.
struct PortSettings
{
    QString portName;
    qint32 baudRate = 0;
    QString baudRateText;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QString dataBitsText;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QString parityText;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QString stopBitsText;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
    QString flowControlText;
    bool autoReconnect = true;
};

class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SettingsDialog(QWidget *parent = nullptr);
    ~SettingsDialog() override;

    PortSettings currentSettings() const;

signals:
    void connectToSerialPort();

private slots:
    void showPortInfo(int idx);
    void apply();
    void refresh();
    void checkCustomBaudRatePolicy(int idx);

private:
    void populateLineParameters();
    void populatePortList();
    void captureSettings();

    Ui::SettingsDialog *ui;
    PortSettings settings;
    QIntValidator *intValidator;
};
