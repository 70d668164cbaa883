#include "register/registerpanel.h"

#include "register/registersearch.h"
#include "settings/core_terminaloutcome.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Column { Time, Kind, Serial, Imei, Model, Firmware, Result, Vehicle, Engineer, Host, Port, Details, ColumnCount };

// The words of an event's kind; the code itself for a kind this program does not know.
QString kindWords(const QString &kind)
{
    static const struct {
        const char *kind;
        const char *words;
    } kinds[] = {
        {RegisterKind::Connected, QT_TRANSLATE_NOOP("RegisterTableModel", "подключён")},
        {RegisterKind::SettingsWritten, QT_TRANSLATE_NOOP("RegisterTableModel", "запись настроек")},
        {RegisterKind::Provisioned, QT_TRANSLATE_NOOP("RegisterTableModel", "настройка")},
        {RegisterKind::FirmwareUpdated, QT_TRANSLATE_NOOP("RegisterTableModel", "обновление ПО")},
        {RegisterKind::ReportSaved, QT_TRANSLATE_NOOP("RegisterTableModel", "отчёт сохранён")},
    };
    for (const auto &k : kinds) {
        if (kind == QLatin1String(k.kind))
            return QCoreApplication::translate("RegisterTableModel", k.words);
    }
    return kind;
}

// The words of an event's result, as the journal gives them (with the fields that differ when
// the event names them); the code itself for a result this program does not know.
QString resultWords(const RegisterEvent &e)
{
    if (e.result == QLatin1String("saved"))
        return QCoreApplication::translate("RegisterTableModel", "сохранён");
    const std::optional<TerminalOutcome> outcome = terminalOutcomeFromCode(e.result);
    if (!outcome)
        return e.result;
    QString words = QCoreApplication::translate("BatchSetup", terminalOutcomeWords(*outcome));
    if (!words.contains(QLatin1String("%1")))
        return words;
    const QJsonArray differing = e.details.value(QStringLiteral("differing")).toArray();
    if (*outcome == TerminalOutcome::NotConfirmed && !differing.isEmpty()) {
        QStringList fields;
        for (const QJsonValue &v : differing)
            fields << v.toString();
        return words.arg(fields.join(QStringLiteral(", ")));
    }
    // what was behind it is not in the event: the words up to it
    const int colon = words.indexOf(QLatin1Char(':'));
    return colon > 0 ? words.left(colon) : words;
}

} // namespace

RegisterTableModel::RegisterTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void RegisterTableModel::setSource(RegisterSearch *search)
{
    if (source)
        disconnect(source, nullptr, this, nullptr);
    source = search;
    ticket = 0;
    if (source)
        connect(source, &RegisterSearch::fetched, this, &RegisterTableModel::pageFetched);
}

void RegisterTableModel::search(const QString &text)
{
    beginResetModel();
    filter = RegisterFilter();
    filter.any = text.trimmed();
    filter.newestFirst = true;
    rows.clear();
    more = false;
    endResetModel();
    askPage();
}

void RegisterTableModel::showEvents(const QVector<RegisterEvent> &events)
{
    beginResetModel();
    rows = events;
    more = false;
    ticket = 0;
    endResetModel();
}

void RegisterTableModel::clear()
{
    showEvents({});
}

void RegisterTableModel::askPage()
{
    if (!source) {
        ticket = 0;
        emit searchFinished(false, tr("реестр не задан"));
        return;
    }
    const QDateTime afterTime = rows.isEmpty() ? QDateTime() : rows.last().time;
    const QUuid afterId = rows.isEmpty() ? QUuid() : rows.last().id;
    ticket = source->fetch(filter, afterTime, afterId, PageSize);
}

void RegisterTableModel::pageFetched(int answered, const QVector<RegisterEvent> &page, bool ok,
                                     const QString &error)
{
    if (answered != ticket)
        return;   // a search or a list shown since
    ticket = 0;
    const bool first = rows.isEmpty();
    more = ok && page.size() == PageSize;
    if (ok && !page.isEmpty()) {
        beginInsertRows(QModelIndex(), rows.size(), rows.size() + page.size() - 1);
        rows += page;
        endInsertRows();
    }
    if (first)
        emit searchFinished(ok, error);
    else if (!ok)
        emit fetchFailed(error);
}

int RegisterTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows.size();
}

int RegisterTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool RegisterTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && more && ticket == 0;
}

void RegisterTableModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        askPage();
}

QString RegisterTableModel::cell(const RegisterEvent &e, int column) const
{
    switch (column) {
    case Time:
        return e.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Kind:
        return e.kind;
    case Serial:
        return e.serialNumber;
    case Imei:
        return e.imei;
    case Model:
        return e.model;
    case Firmware:
        return e.firmware;
    case Result:
        return e.result;
    case Vehicle:
        return e.vehicle;
    case Engineer:
        return e.engineer;
    case Host:
        return e.host;
    case Port:
        return e.port;
    case Details:
        return e.details.isEmpty() ? QString()
                                   : QString::fromUtf8(QJsonDocument(e.details).toJson(QJsonDocument::Compact));
    default:
        return QString();
    }
}

QVariant RegisterTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows.size() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const RegisterEvent &e = rows.at(index.row());
    // the kind and the result in words, their codes (what CSV and kvt-cli give) as tool tip
    if (index.column() == Kind)
        return role == Qt::DisplayRole ? kindWords(e.kind) : e.kind;
    if (index.column() == Result)
        return role == Qt::DisplayRole ? resultWords(e) : e.result;
    return cell(e, index.column());
}

QVariant RegisterTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Time:
        return tr("Время");
    case Kind:
        return tr("Событие");
    case Serial:
        return tr("Серийный номер");
    case Imei:
        return tr("IMEI");
    case Model:
        return tr("Модель");
    case Firmware:
        return tr("Версия ПО");
    case Result:
        return tr("Результат");
    case Vehicle:
        return tr("Транспортное средство");
    case Engineer:
        return tr("Инженер");
    case Host:
        return tr("Компьютер");
    case Port:
        return tr("Порт");
    case Details:
        return tr("Подробности");
    default:
        return QVariant();
    }
}

QByteArray RegisterTableModel::csv() const
{
    QStringList heading;
    for (int c = 0; c < ColumnCount; ++c)
        heading << csvField(headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    QByteArray out = heading.join(QLatin1Char(',')).toUtf8() + "\r\n";
    for (const RegisterEvent &e : rows) {
        QStringList fields;
        for (int c = 0; c < ColumnCount; ++c)
            fields << csvField(cell(e, c));
        out += fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
    }
    return out;
}

RegisterPanel::RegisterPanel(QWidget *parent)
    : QWidget(parent),
      search(new QLineEdit),
      table(new QTableView),
      exportButton(new QPushButton(tr("Экспорт в CSV…"))),
      settingsButton(new QPushButton(tr("Настроить…"))),
      state(new QLabel),
      tableModel(new RegisterTableModel(this))
{
    search->setObjectName(QStringLiteral("registerSearchEdit"));
    search->setPlaceholderText(tr("Серийный номер, IMEI, транспортное средство или инженер"));
    search->setClearButtonEnabled(true);
    table->setObjectName(QStringLiteral("registerTable"));
    table->setModel(tableModel);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->horizontalHeader()->setStretchLastSection(true);   // the details
    exportButton->setObjectName(QStringLiteral("registerExportButton"));
    exportButton->setToolTip(tr("Сохранить показанные строки в файл CSV"));
    settingsButton->setObjectName(QStringLiteral("registerSettingsButton"));
    settingsButton->setToolTip(tr("Где реестр установок (файл SQLite или сервер PostgreSQL) и "
                                  "имя инженера в его событиях"));
    state->setObjectName(QStringLiteral("registerStateLabel"));
    state->setWordWrap(true);

    auto *top = new QHBoxLayout;
    top->addWidget(search, 1);
    top->addWidget(exportButton);
    top->addWidget(settingsButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(table, 1);
    layout->addWidget(state);

    connect(search, &QLineEdit::returnPressed, this,
            [this] { emit searchRequested(search->text()); });
    connect(exportButton, &QPushButton::clicked, this, &RegisterPanel::exportShown);
    connect(settingsButton, &QPushButton::clicked, this, &RegisterPanel::settingsRequested);
    // each page: the short columns as wide as their heading and cells, the details take the rest
    connect(tableModel, &RegisterTableModel::rowsInserted, this, &RegisterPanel::fitColumns);
    connect(tableModel, &RegisterTableModel::modelReset, this, &RegisterPanel::fitColumns);
    fitColumns();
    connect(tableModel, &RegisterTableModel::fetchFailed, this,
            [this](const QString &error) { setState(tr("Реестр не отвечает: %1").arg(error), true); });
}

void RegisterPanel::fitColumns()
{
    QHeaderView *header = table->horizontalHeader();
    const int widest = table->fontMetrics().averageCharWidth() * 40;   // a long result is cut, not the heading
    for (int c = 0; c < ColumnCount; ++c) {
        if (c == Details) {
            header->resizeSection(c, header->sectionSizeHint(c));
            continue;
        }
        table->resizeColumnToContents(c);   // the heading and the cells shown
        if (header->sectionSize(c) > widest)
            header->resizeSection(c, qMax(widest, header->sectionSizeHint(c)));
    }
}

void RegisterPanel::setState(const QString &text, bool failure)
{
    state->setText(text);
    state->setStyleSheet(failure ? QStringLiteral("color: #b00020;") : QString());
}

bool RegisterPanel::exportCsv(const QString &path, QString *error) const
{
    QSaveFile f(path);
    const QByteArray bytes = tableModel->csv();
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

QString RegisterPanel::exportFileName()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(this, tr("Экспорт реестра"),
                                        QDir(folder).filePath(QStringLiteral("kvt-register.csv")),
                                        tr("Файлы CSV (*.csv)"));
}

void RegisterPanel::exportShown()
{
    const QString path = exportFileName();
    if (path.isEmpty())
        return;
    QString error;
    if (exportCsv(path, &error)) {
        setState(tr("Показанные строки (%1) сохранены в %2")
                     .arg(tableModel->rowCount())
                     .arg(QDir::toNativeSeparators(path)),
                 false);
        return;
    }
    QMessageBox::warning(window(), tr("Экспорт реестра"),
                         tr("Файл %1 не сохранён: %2").arg(QDir::toNativeSeparators(path), error));
}
