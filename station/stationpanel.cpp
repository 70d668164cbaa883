#include "station/stationpanel.h"

#include "station/provisionstation.h"

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {
enum Column { PortColumn, SerialColumn, ImeiColumn, FirmwareColumn, StageColumn, ResultColumn,
              ColumnCount };
} // namespace

StationPanel::StationPanel(QWidget *parent)
    : QWidget(parent)
    , provisioning(new ProvisionStation(this))
    , summaryLabel(new QLabel)
    , stopButton(new QPushButton(tr("Остановить")))
    , firmwareButton(new QPushButton(tr("Обновить ПО…")))
    , stationTable(new QTableWidget(0, ColumnCount))
    , refreshTimer(new QTimer(this))
    , setVehicle(new QAction(tr("Указать ТС…"), this))
{
    setObjectName(QStringLiteral("stationPanel"));
    summaryLabel->setObjectName(QStringLiteral("stationSummaryLabel"));
    stopButton->setObjectName(QStringLiteral("stationStopButton"));
    stopButton->setToolTip(tr("Остановить станцию настройки; терминал в середине настройки "
                              "оставляется"));
    firmwareButton->setObjectName(QStringLiteral("stationFirmwareButton"));
    firmwareButton->setToolTip(tr("Обновить ПО всех терминалов таблицы через USB, по одному"));
    stationTable->setObjectName(QStringLiteral("stationTable"));
    summaryLabel->setWordWrap(true);
    summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    stationTable->setHorizontalHeaderLabels({tr("Порт"), tr("Серийный номер"), tr("IMEI"),
                                             tr("Версия ПО"), tr("Этап"), tr("Результат")});
    stationTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stationTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    stationTable->verticalHeader()->hide();
    // Widths fixed from the longest texts a column takes: sizing to the contents would lay
    // out every cell again on each change, eight terminals at work change many
    QHeaderView *header = stationTable->horizontalHeader();
    header->setStretchLastSection(true);
    const QFontMetrics metrics = stationTable->fontMetrics();
    // the longest stage: a firmware update's
    StationRow firmwareStage;
    firmwareStage.stage = BatchRun::Stage::Writing;
    firmwareStage.updatingFirmware = true;
    const QString widest[ResultColumn] = {
        QStringLiteral("/dev/ttyACM00"), QStringLiteral("0000000000"),
        QStringLiteral("000000000000000"), QStringLiteral("00.00"),
        std::max(stationStageText(firmwareStage), stationUnpluggedText(),
             [&metrics](const QString &a, const QString &b) {
                 return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b);
             })};
    for (int c = 0; c < ResultColumn; ++c) {
        const QString title = stationTable->horizontalHeaderItem(c)->text();
        header->resizeSection(
            c, qMax(metrics.horizontalAdvance(widest[c]), metrics.horizontalAdvance(title)) + 24);
    }

    // a narrow dock: the summary wraps beside the buttons, which keep their whole size and
    // set how narrow the panel can be
    summaryLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    summaryLabel->setMinimumWidth(metrics.averageCharWidth() * 12);
    firmwareButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    stopButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *top = new QHBoxLayout;
    top->addWidget(summaryLabel, 1);
    top->addWidget(firmwareButton, 0, Qt::AlignTop);
    top->addWidget(stopButton, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(stationTable, 1);
    // however the docks share the window, the table shows its header and four terminals
    const int rows = 4;
    stationTable->setMinimumHeight(header->sizeHint().height()
                                   + rows * stationTable->verticalHeader()->defaultSectionSize()
                                   + stationTable->style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                                   + 2 * stationTable->frameWidth());

    connect(stopButton, &QPushButton::clicked, this, &StationPanel::stopRequested);
    connect(firmwareButton, &QPushButton::clicked, this, &StationPanel::firmwareUpdateRequested);
    connect(provisioning, &ProvisionStation::firmwareUpdateStarted, this,
            [this] { firmwareButton->setEnabled(false); });
    connect(provisioning, &ProvisionStation::firmwareUpdateFinished, this,
            [this] { firmwareButton->setEnabled(provisioning->isRunning()); });
    connect(provisioning, &ProvisionStation::rowAdded, this, &StationPanel::addRow);
    // a row changes several times a second while its terminal is at work: shown together
    refreshTimer->setSingleShot(true);
    refreshTimer->setInterval(50);
    connect(refreshTimer, &QTimer::timeout, this, &StationPanel::showChangedRows);
    connect(provisioning, &ProvisionStation::rowChanged, this, [this](int row) {
        changedRows.insert(row);
        if (!refreshTimer->isActive())
            refreshTimer->start();
    });
    connect(provisioning, &ProvisionStation::terminalFinished, this, [this] {
        showChangedRows();
        showSummary();
    });
    connect(provisioning, &ProvisionStation::runningChanged, this, [this](bool running) {
        if (running) {
            changedRows.clear();
            stationTable->setRowCount(0);
        }
        showChangedRows();
        stopButton->setEnabled(running);
        firmwareButton->setEnabled(running);
        showSummary();
    });
    setVehicle->setObjectName(QStringLiteral("stationVehicleAction"));
    setVehicle->setToolTip(tr("Госномер или гаражный номер ТС, в которое ставится терминал этой строки"));
    stationTable->addAction(setVehicle);
    stationTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(setVehicle, &QAction::triggered, this, [this] {
        if (stationTable->currentRow() >= 0)
            emit vehicleRequested(stationTable->currentRow());
    });
    stopButton->setEnabled(false);
    firmwareButton->setEnabled(false);
    showSummary();
}

StationPanel::~StationPanel()
{
    // the station is a child and stops as it goes, after this panel's own members are gone:
    // what it says then is for nobody
    disconnect(provisioning, nullptr, this, nullptr);
}

void StationPanel::addRow(int row)
{
    stationTable->insertRow(row);
    for (int c = 0; c < ColumnCount; ++c)
        stationTable->setItem(row, c, new QTableWidgetItem);
    showRow(row);
}

void StationPanel::showChangedRows()
{
    for (int row : std::exchange(changedRows, {}))
        showRow(row);
}

void StationPanel::showRow(int row)
{
    const StationRow &r = provisioning->rows().at(row);
    const QString port = QDir::toNativeSeparators(r.port);
    // a terminal that went is greyed whatever it reached, from the moment its line dropped
    // (the port list follows later); its result stays
    const bool gone =
        !r.present || r.code == terminalOutcomeCode(TerminalOutcome::Unplugged);
    const QString texts[ColumnCount] = {
        port, r.serialNumber, r.imei, r.firmware,
        gone ? stationUnpluggedText() : stationStageText(r), r.result};
    QVariant colour;
    if (gone)
        colour = stationTable->palette().color(QPalette::Disabled, QPalette::Text);
    else if (r.stage == BatchRun::Stage::Failed)
        colour = QColor(0xd3, 0x2f, 0x2f);
    for (int c = 0; c < ColumnCount; ++c) {
        QTableWidgetItem *item = stationTable->item(row, c);
        if (item->text() == texts[c] && item->data(Qt::ForegroundRole) == colour)
            continue;
        item->setText(texts[c]);
        item->setToolTip(c == ResultColumn ? texts[c] : QString());
        // failures in red; the palette's own colour otherwise, so the dark look stays readable
        item->setData(Qt::ForegroundRole, colour);
    }
}

void StationPanel::showSummary()
{
    const ProvisionStation *s = provisioning;
    if (!s->isRunning() && s->rows().isEmpty()) {
        summaryLabel->setText(tr("Станция настройки остановлена."));
        return;
    }
    const QString state = s->isRunning() ? tr("Станция настройки работает.")
                                         : tr("Станция настройки остановлена.");
    summaryLabel->setText(
        tr("%1 Журнал: %2. Записано и подтверждено: %3, с ошибкой: %4.")
            .arg(state, QDir::toNativeSeparators(s->journalPath()))
            .arg(s->confirmedCount())
            .arg(s->failedCount()));
}
