#include "portdialog/settingsdialog.h"
#include "ui_settingsdialog.h"

#include "link/portlist.h"

#include <QHeaderView>
#include <QIntValidator>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeView>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>

namespace {
// Where the dialog keeps its choices between runs.
const QString KeyPort = QStringLiteral("portDialog/port");
const QString KeyBaudRate = QStringLiteral("portDialog/baudRate");
const QString KeyDataBits = QStringLiteral("portDialog/dataBits");
const QString KeyParity = QStringLiteral("portDialog/parity");
const QString KeyStopBits = QStringLiteral("portDialog/stopBits");
const QString KeyFlowControl = QStringLiteral("portDialog/flowControl");
const QString KeyAutoReconnect = QStringLiteral("portDialog/autoReconnect");

// Selects the item whose data is the remembered value, if the value is remembered and listed.
void selectRemembered(QComboBox *box, const QSettings &saved, const QString &key)
{
    bool ok = false;
    const int value = saved.value(key).toInt(&ok);
    const int idx = ok ? box->findData(value) : -1;
    if (idx >= 0)
        box->setCurrentIndex(idx);
}

// the columns of the port table
constexpr int PortUseColumn = 3;
constexpr int PortColumnCount = 4;
} // namespace

SettingsDialog::SettingsDialog(QWidget *parent, PortSource ports)
    : QDialog(parent)
    , portSource(std::move(ports))
    , ui(new Ui::SettingsDialog)
{
    ui->setupUi(this);
    intValidator = new QIntValidator(0, 4000000, this);
    ui->baudRateBox->setInsertPolicy(QComboBox::NoInsert);
    // Fusion gives a group box title a few pixels less than it takes to draw; the boxes are
    // wide enough for their whole titles, so the titles are drawn unclipped
    for (QGroupBox *box : {ui->groupBox, ui->groupBox_2, ui->parametersBox})
        box->setAlignment(box->alignment() | Qt::TextDontClip);
    portPoll = new QTimer(this);
    portPoll->setInterval(PortPollIntervalMs);
    // The list opens as a table: each port with its USB serial number, vendor and product and
    // who holds it, so that terminals plugged in side by side can be told apart. The closed
    // list shows the port's name.
    auto *table = new QTreeView;
    table->setObjectName(QStringLiteral("portTable"));
    table->setRootIsDecorated(false);
    table->setUniformRowHeights(true);
    table->setAllColumnsShowFocus(true);
    ui->serialPortInfoListBox->setView(table);
    if (auto *model = qobject_cast<QStandardItemModel *>(ui->serialPortInfoListBox->model())) {
        model->setColumnCount(PortColumnCount);
        model->setHorizontalHeaderLabels(
            {tr("Порт"), tr("Серийный номер"), tr("USB ID"), tr("Занят")});
    }
    table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->header()->setStretchLastSection(true);
    ui->serialPortInfoListBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    connect(ui->applyButton, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(ui->refreshButton, &QPushButton::clicked, this, &SettingsDialog::refresh);
    connect(ui->serialPortInfoListBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::showPortInfo);
    connect(ui->baudRateBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::checkCustomBaudRatePolicy);

    populateLineParameters();
    restoreRemembered();

    connect(portPoll, &QTimer::timeout, this, &SettingsDialog::populatePortList);
    connect(ui->serialPortInfoListBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::followPortChoice);
    connect(ui->autoReconnectCheck, &QCheckBox::toggled, this, &SettingsDialog::setAutoReconnect);

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

bool SettingsDialog::autoReconnect() const
{
    return settings.autoReconnect;
}

void SettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    populatePortList();
    portPoll->start();
}

void SettingsDialog::hideEvent(QHideEvent *event)
{
    portPoll->stop();
    QDialog::hideEvent(event);
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
    if (list.size() > 6)
        ui->serialNumberLabel->setText(tr("Серийный номер: %1").arg(list.at(6)));
}

void SettingsDialog::apply()
{
    captureSettings();
    if (!settings.portName.isEmpty())
        preferredPort = settings.portName;
    rememberChoice();
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

void SettingsDialog::setPortSource(PortSource source)
{
    portSource = std::move(source);
}

void SettingsDialog::setPortUse(PortUse use)
{
    portUse = std::move(use);
}

void SettingsDialog::populatePortList()
{
    static const QString blankString = QObject::tr("N/A");
    QComboBox *list = ui->serialPortInfoListBox;

    QStringList names;
    QList<QStringList> data;
    QStringList uses;
    const QList<PortEntry> ports = listPorts(portSource);
    for (const PortEntry &port : ports) {
        if (!isTerminalPort(port))
            continue;
        names << port.portName;
        data << portItemData(port, blankString);
        uses << (portUse ? portUse(port.portName) : QString());
    }

    // the same ports as shown: the list and the user's selection stay as they are
    auto *model = qobject_cast<QStandardItemModel *>(list->model());
    bool same = list->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i) {
        same = list->itemText(i) == names.at(i) && list->itemData(i).toStringList() == data.at(i)
               && (!model || model->index(i, PortUseColumn).data().toString() == uses.at(i));
    }
    if (same)
        return;

    // selected: the preferred port, else the port selected so far, else the first one
    int keep = names.indexOf(preferredPort);
    if (keep < 0)
        keep = names.indexOf(list->currentText());
    fillingPortList = true;
    list->clear();
    for (int i = 0; i < names.size(); ++i) {
        list->addItem(names.at(i), data.at(i));
        const QStringList &d = data.at(i);
        const QString usbId = d.at(4) + QLatin1Char(':') + d.at(5);
        const QString tip = tr("%1\nСерийный номер: %2\nUSB ID: %3\n%4")
                                .arg(names.at(i), d.at(6), usbId, d.at(1));
        list->setItemData(i, uses.at(i).isEmpty() ? tip : tip + QLatin1Char('\n') + uses.at(i),
                          Qt::ToolTipRole);
        if (!model)
            continue;
        const QString columns[] = {d.at(6), usbId, uses.at(i)};
        for (int c = 1; c < PortColumnCount; ++c) {
            auto *item = new QStandardItem(columns[c - 1]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            model->setItem(i, c, item);
        }
    }
    if (keep > 0)
        list->setCurrentIndex(keep);
    fillingPortList = false;
    // the table opens as wide as its columns, whatever the width of the closed list
    if (auto *table = qobject_cast<QTreeView *>(list->view())) {
        int width = 2 * table->frameWidth()
                    + table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        for (int c = 0; c < PortColumnCount; ++c)
            width += qMax(static_cast<QAbstractItemView *>(table)->sizeHintForColumn(c),
                          table->header()->sectionSizeHint(c)) + 8;
        table->setMinimumWidth(width);
    }
}

void SettingsDialog::followPortChoice()
{
    if (!fillingPortList && !ui->serialPortInfoListBox->currentText().isEmpty())
        preferredPort = ui->serialPortInfoListBox->currentText();
}

void SettingsDialog::setAutoReconnect(bool on)
{
    settings.autoReconnect = on;
    QSettings saved;
    saved.setValue(KeyAutoReconnect, on);
    emit autoReconnectChanged(on);
}

void SettingsDialog::restoreRemembered()
{
    const QSettings saved;
    preferredPort = saved.value(KeyPort).toString();

    bool ok = false;
    const int baudRate = saved.value(KeyBaudRate).toInt(&ok);
    if (ok && baudRate > 0) {
        const int idx = ui->baudRateBox->findData(baudRate);
        if (idx >= 0) {
            ui->baudRateBox->setCurrentIndex(idx);
        } else {
            // a rate not in the list is a custom one
            ui->baudRateBox->setCurrentIndex(ui->baudRateBox->count() - 1);
            ui->baudRateBox->setEditText(QString::number(baudRate));
        }
    }
    selectRemembered(ui->dataBitsBox, saved, KeyDataBits);
    selectRemembered(ui->parityBox, saved, KeyParity);
    selectRemembered(ui->stopBitsBox, saved, KeyStopBits);
    selectRemembered(ui->flowControlBox, saved, KeyFlowControl);

    ui->autoReconnectCheck->setChecked(saved.value(KeyAutoReconnect, true).toBool());
}

void SettingsDialog::rememberChoice() const
{
    QSettings saved;
    // an empty list keeps the port chosen before
    if (!settings.portName.isEmpty())
        saved.setValue(KeyPort, settings.portName);
    saved.setValue(KeyBaudRate, settings.baudRate);
    saved.setValue(KeyDataBits, int(settings.dataBits));
    saved.setValue(KeyParity, int(settings.parity));
    saved.setValue(KeyStopBits, int(settings.stopBits));
    saved.setValue(KeyFlowControl, int(settings.flowControl));
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
    settings.autoReconnect = ui->autoReconnectCheck->isChecked();

    emit connectToSerialPort();
}
