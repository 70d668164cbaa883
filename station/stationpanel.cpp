#include "station/stationpanel.h"

#include "station/provisionstation.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { PortColumn, SerialColumn, ImeiColumn, FirmwareColumn, StageColumn, ResultColumn,
              ColumnCount };
} // namespace

StationPanel::StationPanel(QWidget *parent)
    : QWidget(parent)
    , provisioning(new ProvisionStation(this))
    , summaryLabel(new QLabel)
    , stopButton(new QPushButton(tr("Остановить")))
    , stationTable(new QTableWidget(0, ColumnCount))
{
    setObjectName(QStringLiteral("stationPanel"));
    summaryLabel->setObjectName(QStringLiteral("stationSummaryLabel"));
    stopButton->setObjectName(QStringLiteral("stationStopButton"));
    stationTable->setObjectName(QStringLiteral("stationTable"));
    summaryLabel->setWordWrap(true);
    summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    stationTable->setHorizontalHeaderLabels({tr("Порт"), tr("Серийный номер"), tr("IMEI"),
                                             tr("Версия ПО"), tr("Этап"), tr("Результат")});
    stationTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stationTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    stationTable->verticalHeader()->hide();
    stationTable->horizontalHeader()->setStretchLastSection(true);
    stationTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    stationTable->horizontalHeader()->setSectionResizeMode(ResultColumn, QHeaderView::Stretch);

    auto *top = new QHBoxLayout;
    top->addWidget(summaryLabel, 1);
    top->addWidget(stopButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(stationTable, 1);

    connect(stopButton, &QPushButton::clicked, this, &StationPanel::stopRequested);
    connect(provisioning, &ProvisionStation::rowAdded, this, &StationPanel::addRow);
    connect(provisioning, &ProvisionStation::rowChanged, this, &StationPanel::showRow);
    connect(provisioning, &ProvisionStation::terminalFinished, this, &StationPanel::showSummary);
    connect(provisioning, &ProvisionStation::runningChanged, this, [this](bool running) {
        if (running)
            stationTable->setRowCount(0);
        stopButton->setEnabled(running);
        showSummary();
    });
    stopButton->setEnabled(false);
    showSummary();
}

void StationPanel::addRow(int row)
{
    stationTable->insertRow(row);
    for (int c = 0; c < ColumnCount; ++c)
        stationTable->setItem(row, c, new QTableWidgetItem);
    showRow(row);
}

void StationPanel::showRow(int row)
{
    const StationRow &r = provisioning->rows().at(row);
    const QString port = QDir::toNativeSeparators(r.port);
    const QString texts[ColumnCount] = {
        r.present ? port : tr("%1 (отключён)").arg(port), r.serialNumber, r.imei, r.firmware,
        stationStageText(r.stage), r.result};
    const bool failure = r.stage == BatchRun::Stage::Failed;
    for (int c = 0; c < ColumnCount; ++c) {
        QTableWidgetItem *item = stationTable->item(row, c);
        item->setText(texts[c]);
        item->setToolTip(c == ResultColumn ? texts[c] : QString());
        // failures in red; the palette's own colour otherwise, so the dark look stays readable
        item->setData(Qt::ForegroundRole, failure ? QVariant(QColor(0xd3, 0x2f, 0x2f)) : QVariant());
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
