#include "portdialog/settingsdialog.h"
#include "ui_settingsdialog.h"

#include "portdialog/portlist.h"

#include <QIntValidator>
#include <QLineEdit>

SettingsDialog::SettingsDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::SettingsDialog)
{
    ui->setupUi(this);
    intValidator = new QIntValidator(0, 4000000, this);
    ui->baudRateBox->setInsertPolicy(QComboBox::NoInsert);

    connect(ui->applyButton, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(ui->refreshButton, &QPushButton::clicked, this, &SettingsDialog::refresh);
    connect(ui->serialPortInfoListBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::showPortInfo);
    connect(ui->baudRateBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::checkCustomBaudRatePolicy);

    populateLineParameters();
    populatePortList();
    captureSettings();
}

SettingsDialog::~SettingsDialog()
{
    delete ui;
}

PortSettings SettingsDialog::currentSettings() const
{
    return settings;
}

void SettingsDialog::showPortInfo(int idx)
{
    if (idx == -1)
        return;
    const QStringList list = ui->serialPortInfoListBox->itemData(idx).toStringList();
    if (list.size() < 6)
        return;
    ui->descriptionLabel->setText(tr("Description: %1").arg(list.at(1)));
    ui->manufacturerLabel->setText(tr("Manufacturer: %1").arg(list.at(2)));
    ui->locationLabel->setText(tr("Location: %1").arg(list.at(3)));
    ui->vidLabel->setText(tr("Vendor Identifier: %1").arg(list.at(4)));
    ui->pidLabel->setText(tr("Product Identifier: %1").arg(list.at(5)));
}

void SettingsDialog::apply()
{
    captureSettings();
    hide();
}

void SettingsDialog::refresh()
{
    populatePortList();
}

void SettingsDialog::checkCustomBaudRatePolicy(int idx)
{
    const bool isCustomBaudRate = !ui->baudRateBox->itemData(idx).isValid();
    ui->baudRateBox->setEditable(isCustomBaudRate);
    if (isCustomBaudRate) {
        ui->baudRateBox->clearEditText();
        ui->baudRateBox->lineEdit()->setValidator(intValidator);
    }
}

void SettingsDialog::populateLineParameters()
{
    ui->baudRateBox->addItem(QStringLiteral("9600"), QSerialPort::Baud9600);
    ui->baudRateBox->addItem(QStringLiteral("19200"), QSerialPort::Baud19200);
    ui->baudRateBox->addItem(QStringLiteral("38400"), QSerialPort::Baud38400);
    ui->baudRateBox->addItem(QStringLiteral("115200"), QSerialPort::Baud115200);
    ui->baudRateBox->addItem(tr("Custom"));

    ui->dataBitsBox->addItem(QStringLiteral("5"), QSerialPort::Data5);
    ui->dataBitsBox->addItem(QStringLiteral("6"), QSerialPort::Data6);
    ui->dataBitsBox->addItem(QStringLiteral("7"), QSerialPort::Data7);
    ui->dataBitsBox->addItem(QStringLiteral("8"), QSerialPort::Data8);
    ui->dataBitsBox->setCurrentIndex(3);

    ui->parityBox->addItem(tr("None"), QSerialPort::NoParity);
    ui->parityBox->addItem(tr("Even"), QSerialPort::EvenParity);
    ui->parityBox->addItem(tr("Odd"), QSerialPort::OddParity);
    ui->parityBox->addItem(tr("Mark"), QSerialPort::MarkParity);
    ui->parityBox->addItem(tr("Space"), QSerialPort::SpaceParity);

    ui->stopBitsBox->addItem(QStringLiteral("1"), QSerialPort::OneStop);
    ui->stopBitsBox->addItem(tr("1.5"), QSerialPort::OneAndHalfStop);
    ui->stopBitsBox->addItem(QStringLiteral("2"), QSerialPort::TwoStop);

    ui->flowControlBox->addItem(tr("None"), QSerialPort::NoFlowControl);
    ui->flowControlBox->addItem(tr("RTS/CTS"), QSerialPort::HardwareControl);
    ui->flowControlBox->addItem(tr("XON/XOFF"), QSerialPort::SoftwareControl);
}

void SettingsDialog::populatePortList()
{
    static const QString blankString = QObject::tr("N/A");
    ui->serialPortInfoListBox->clear();
    const QList<PortEntry> ports = currentPorts();
    for (const PortEntry &port : ports) {
        if (!isTerminalPort(port))
            continue;
        ui->serialPortInfoListBox->addItem(port.portName, portItemData(port, blankString));
    }
}

void SettingsDialog::captureSettings()
{
    settings.portName = ui->serialPortInfoListBox->currentText();

    if (ui->baudRateBox->currentIndex() == 4) {
        settings.baudRate = ui->baudRateBox->currentText().toInt();
    } else {
        settings.baudRate = static_cast<QSerialPort::BaudRate>(
            ui->baudRateBox->itemData(ui->baudRateBox->currentIndex()).toInt());
    }
    settings.baudRateText = QString::number(settings.baudRate);

    settings.dataBits = static_cast<QSerialPort::DataBits>(
        ui->dataBitsBox->itemData(ui->dataBitsBox->currentIndex()).toInt());
    settings.dataBitsText = ui->dataBitsBox->currentText();

    settings.parity = static_cast<QSerialPort::Parity>(
        ui->parityBox->itemData(ui->parityBox->currentIndex()).toInt());
    settings.parityText = ui->parityBox->currentText();

    settings.stopBits = static_cast<QSerialPort::StopBits>(
        ui->stopBitsBox->itemData(ui->stopBitsBox->currentIndex()).toInt());
    settings.stopBitsText = ui->stopBitsBox->currentText();

    settings.flowControl = static_cast<QSerialPort::FlowControl>(
        ui->flowControlBox->itemData(ui->flowControlBox->currentIndex()).toInt());
    settings.flowControlText = ui->flowControlBox->currentText();

    emit connectToSerialPort();
}
