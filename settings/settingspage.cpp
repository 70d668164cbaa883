// The settings page as built: three columns of groups, and the small slots that change the
// page while it is edited.

#include "settings/settingspage.h"

#include "app/pagewidgets.h"
#include "settings/core_settingswriter.h"

#include <QCheckBox>
#include <QComboBox>
#include "status/flowlayout.h"

#include <QAction>
#include <QFormLayout>
#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A group whose rows are a form.
QGroupBox *formGroup(const QString &title, const char *name)
{
    QGroupBox *g = makeGroup(title, name);
    new QFormLayout(g);
    return g;
}

QFormLayout *formOf(QGroupBox *group)
{
    return static_cast<QFormLayout *>(group->layout());
}

// An eye, crossed out while the text it shows is hidden.
QIcon eyeIcon(const QColor &colour, bool crossed)
{
    const int side = 32;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2.5));
    QPainterPath eye;
    eye.moveTo(3, 16);
    eye.quadTo(16, 3, 29, 16);
    eye.quadTo(16, 29, 3, 16);
    painter.drawPath(eye);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(16, 16), 4.5, 4.5);
    if (crossed)
        painter.drawLine(QPointF(6, 27), QPointF(26, 5));
    return QIcon(pixmap);
}

} // namespace

void SettingsPage::addRevealButton(QLineEdit *secret)
{
    secret->setEchoMode(QLineEdit::Password);
    auto *reveal = new QAction(secret);
    reveal->setObjectName(secret->objectName() + QStringLiteral("Reveal"));
    reveal->setCheckable(true);
    const auto show = [secret, reveal](bool shown) {
        secret->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        // a grey that reads on the light look and the dark one
        reveal->setIcon(eyeIcon(QColor(128, 128, 128), !shown));
        reveal->setToolTip(shown ? tr("Скрыть пароль") : tr("Показать пароль"));
    };
    show(false);
    connect(reveal, &QAction::toggled, secret, show);
    secret->addAction(reveal, QLineEdit::TrailingPosition);
}

SettingsPage::SettingsPage(QWidget *parent)
    : QWidget(parent)
    , sleepCheck(namedWidget<QCheckBox>("sleepCheck"))
    , rs485Combo(namedWidget<QComboBox>("rs485Combo"))
    , oneWireCombo(namedWidget<QComboBox>("oneWireCombo"))
    , in2Label(namedWidget<QLabel>("in2Label"))
    , newPasswordCheck(namedWidget<QCheckBox>("newPasswordCheck"))
    , readSettingsButton(namedWidget<QPushButton>("readSettingsButton"))
    , writer(new SettingsWriter(this))
    , readTimer(new QTimer(this))
    , writeSettingsButton(namedWidget<QPushButton>("writeSettingsButton"))
    , saveProfileButton(namedWidget<QPushButton>("saveProfileButton"))
    , loadProfileButton(namedWidget<QPushButton>("loadProfileButton"))
    , writeStatusLabel(namedWidget<QLabel>("writeStatusLabel"))
    , canParamsGroup(formGroup(tr("Параметры CAN"), "canParamsGroup"))
{
    using F = SettingsField;
    setObjectName(QStringLiteral("settingsPage"));
    qRegisterMetaType<WriteOutcome>();

    // 1. the free-text fields with their length limits
    for (const SettingsTextField &row : settingsTextFields())
        textEdits[std::size_t(row.field)] = makeLineEdit(row.objectName, row.maxLength);

    // 2. the inputs; their modes are shown in the interface language and written by their
    // index (settingsChoices), IN3 to IN7 are shown but not set here
    in2Label->setText(tr("IN2"));
    QLabel *const inLabels[8] = {new QLabel(tr("IN0")), new QLabel(tr("IN1")), in2Label,
                                 new QLabel(tr("IN3")), new QLabel(tr("IN4")),
                                 new QLabel(tr("IN5")), new QLabel(tr("IN6")),
                                 new QLabel(tr("IN7"))};
    for (std::size_t k = 0; k < inCombos.size(); ++k) {
        inCombos[k] = namedWidget<QComboBox>(qPrintable(QStringLiteral("in%1Combo").arg(k)));
        for (const char *mode : inputModeEntries(int(k)))
            inCombos[k]->addItem(inputModeText(QLatin1String(mode)), QString::fromLatin1(mode));
        if (k >= std::size_t(inputModeLists)) {
            inCombos[k]->setEnabled(false);
            inCombos[k]->setToolTip(tr("Входы IN3–IN7 в этой программе не настраиваются"));
        }
    }
    QComboBox *const in2Combo = inCombos[2];
    connect(in2Combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this, in2Combo](int index) { relabelIn2(in2Combo->itemData(index).toString()); });

    // 3. the interfaces
    auto *rs232Combo = namedWidget<QComboBox>("rs232Combo");
    rs232Combo->setEnabled(false);
    rs232Combo->addItems({tr("Не используется"), tr("CANLOG внешний"), tr("ДУТ LLS"),
                          tr("Фото камера"), tr("Иридиум")});
    rs485Combo->addItems({tr("Не используется"), tr("LLS-совместимые у-ва "), tr("KVA-CAN")});
    oneWireCombo->addItems({tr("1Wire"), tr("Discrete")});
    connect(rs485Combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsPage::setCanControlsFor);

    // 4. CAN parameter boxes, code 1 to 14, with their labels
    const QString canParamTexts[14] = {
        tr("Security flags"),
        tr("Полное время работы двигателя"),
        tr("Полный пробег"),
        tr("Полный расход топлива"),
        tr("Уровень топлива"),
        tr("Обороты двигателя"),
        tr("Температура двигателя"),
        tr("Скорость ТС"),
        tr("Нагрузка на оси"),
        tr("Контроллеры аварии"),
        tr("Мгновенный расход топлива"),
        tr("Уровень AdBlue"),
        tr("Положене педали газа"),
        tr("Нагрузка на двигатель"),
    };
    for (std::size_t k = 0; k < canParamChecks.size(); ++k) {
        canParamChecks[k] =
            namedWidget<QCheckBox>(qPrintable(QStringLiteral("canParamCheck%1").arg(k + 1)));
    }

    // 5. columns and groups
    auto *column1 = namedWidget<QWidget>("settingsColumn1");
    auto *column2 = namedWidget<QWidget>("settingsColumn2");
    auto *column3 = namedWidget<QWidget>("settingsColumn3");
    // the columns stand side by side when the window is wide enough and the last ones move
    // under the first otherwise: the page needs vertical scrolling only
    auto *pageLayout = new FlowLayout(namedWidget<QWidget>("settingsColumns"));
    auto *column1Layout = new QVBoxLayout(column1);
    auto *column2Layout = new QVBoxLayout(column2);
    auto *column3Layout = new QVBoxLayout(column3);

    QGroupBox *serverGroup = formGroup(tr("Сервер мониторинга"), "monitoringServerGroup");
    QGroupBox *sleepGroup = formGroup(tr("Режим сна"), "sleepGroup");
    QGroupBox *trackGroup = formGroup(tr("Точки маршрута"), "trackPointsGroup");
    QGroupBox *inputsGroup = formGroup(tr("Входы/выходы"), "settingsInputsGroup");
    QGroupBox *numbersGroup = formGroup(tr("Номера и функции"), "smsNumbersGroup");
    QGroupBox *interfacesGroup = formGroup(tr("Интерфейсы"), "interfacesGroup");
    QGroupBox *writeGroup = makeGroup(tr("Записать"), "writeGroup");

    // 6. rows of each group
    addTextRow(formOf(serverGroup), F::Server);
    addTextRow(formOf(serverGroup), F::Port);

    QGroupBox *sim1Group = buildSimGroup(1);
    QGroupBox *sim2Group = buildSimGroup(2);

    formOf(sleepGroup)->addRow(new QLabel(tr("Уходить в сон")), sleepCheck);
    addTextRow(formOf(sleepGroup), F::WorkTime);
    addTextRow(formOf(sleepGroup), F::SleepTime);

    addTextRow(formOf(trackGroup), F::Angle);
    addTextRow(formOf(trackGroup), F::SpeedChange);
    addTextRow(formOf(trackGroup), F::Distance);
    addTextRow(formOf(trackGroup), F::Timer);

    formOf(interfacesGroup)->addRow(new QLabel(tr("RS232")), rs232Combo);
    formOf(interfacesGroup)->addRow(new QLabel(tr("RS485")), rs485Combo);
    formOf(interfacesGroup)->addRow(new QLabel(tr("1-Wire")), oneWireCombo);
    addTextRow(formOf(interfacesGroup), F::CanProgram);

    for (std::size_t k = 0; k < inCombos.size(); ++k)
        formOf(inputsGroup)->addRow(inLabels[k], inCombos[k]);

    // 7. the numbers and their SMS functions are shown but never edited, read or written
    const QStringList functions{tr("INFO SMS"),   tr("GEO SMS"), tr("Speaker On"),
                                tr("Microphone On"), tr("Restart"), tr("Update FW"),
                                tr("Update Settings")};
    for (int k = 1; k <= 5; ++k) {
        auto *function =
            namedWidget<QComboBox>(qPrintable(QStringLiteral("smsFunction%1Combo").arg(k)));
        function->addItems(functions);
        formOf(numbersGroup)->addRow(makeLineEdit(qPrintable(QStringLiteral("phone%1Edit").arg(k))),
                                     function);
    }
    numbersGroup->setEnabled(false);

    for (std::size_t k = 0; k < canParamChecks.size(); ++k)
        formOf(canParamsGroup)->addRow(canParamChecks[k], new QLabel(canParamTexts[k]));

    // 8. the write group
    edit(F::AccessPassword)->setText(QStringLiteral("482915"));
    readSettingsButton->setText(tr("Прочитать"));
    readSettingsButton->setMinimumHeight(30);
    writeSettingsButton->setText(tr("Записать"));
    writeSettingsButton->setMinimumHeight(30);
    saveProfileButton->setText(tr("Сохранить в файл…"));
    loadProfileButton->setText(tr("Загрузить из файла…"));
    connect(writeSettingsButton, &QPushButton::clicked, this, &SettingsPage::writeRequested);
    connect(readSettingsButton, &QPushButton::clicked, this, &SettingsPage::startReading);
    readTimer->setSingleShot(true);
    connect(readTimer, &QTimer::timeout, this, &SettingsPage::readTimedOut);
    connect(saveProfileButton, &QPushButton::clicked, this, &SettingsPage::saveProfile);
    connect(loadProfileButton, &QPushButton::clicked, this, &SettingsPage::loadProfile);
    // The write group is a bar above the page's scrolling part, so the passwords, the buttons
    // and the outcome of a write are in view whatever the window's size and its docks: the
    // passwords, the buttons and the file buttons stand side by side, and under each other
    // when the page is narrow; the outcome has the group's whole width under them.
    auto *passwords = namedWidget<QWidget>("writePasswords");
    auto *passwordForm = new QFormLayout(passwords);
    passwordForm->setContentsMargins(0, 0, 0, 0);
    passwordForm->addRow(new QLabel(tr("Пароль")), edit(F::AccessPassword));
    passwordForm->addRow(new QLabel(tr("Новый пароль")), newPasswordCheck);
    passwordForm->addRow(QString(), edit(F::NewPassword));
    // the passwords are masked, each with its own button to show it while it is typed
    for (QLineEdit *secret : {edit(F::AccessPassword), edit(F::NewPassword)})
        addRevealButton(secret);
    auto *buttons = namedWidget<QWidget>("writeButtons");
    auto *buttonGrid = new QGridLayout(buttons);
    buttonGrid->setContentsMargins(0, 0, 0, 0);
    buttonGrid->addWidget(readSettingsButton, 0, 0);
    buttonGrid->addWidget(writeSettingsButton, 0, 1);
    auto *files = namedWidget<QWidget>("writeFiles");
    // side by side: wrapped under the passwords on a narrow page, they take one line, not two
    auto *fileRow = new QHBoxLayout(files);
    fileRow->setContentsMargins(0, 0, 0, 0);
    fileRow->addWidget(saveProfileButton);
    fileRow->addWidget(loadProfileButton);
    auto *barItems = namedWidget<QWidget>("writeBarItems");
    auto *bar = new FlowLayout(barItems);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(passwords);
    bar->addWidget(buttons);
    bar->addWidget(files);
    auto *writeColumn = new QVBoxLayout(writeGroup);
    writeColumn->addWidget(barItems);
    writeColumn->addWidget(writeStatusLabel);
    // a write starts with a clean status line and no marks; its answer shows below the button
    connect(writer, &SettingsWriter::writeStarted, this, [this] {
        setWriteStatus(QString(), false);
        clearMarks();
        reading = false;
        readTimer->stop();
        // batch set-up writes through the same writer; only the page's own write has typed values
        typedWrite = ownWriteStarting;
        if (typedWrite)
            typedValues = values();
    });
    connect(writer, &SettingsWriter::checked, this, &SettingsPage::showWriteCheck);
    connect(writer, &SettingsWriter::finished, this, &SettingsPage::writeEnded);

    // 9. columns left to right, each closed by a stretch
    column1Layout->addWidget(serverGroup);
    column1Layout->addWidget(sim1Group);
    column1Layout->addWidget(sim2Group);
    column1Layout->addWidget(sleepGroup);
    column1Layout->addWidget(trackGroup);
    column1Layout->addItem(columnStretch());
    column2Layout->addWidget(interfacesGroup);
    column2Layout->addWidget(inputsGroup);
    column2Layout->addWidget(numbersGroup);
    column2Layout->addItem(columnStretch());
    column3Layout->addWidget(canParamsGroup);
    column3Layout->addItem(columnStretch());
    pageLayout->addWidget(column1);
    pageLayout->addWidget(column2);
    pageLayout->addWidget(column3);
    // the write bar stays, the columns scroll under it
    auto *scroll = namedWidget<QScrollArea>("settingsScroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(pageLayout->parentWidget());
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(writeGroup);
    outer->addWidget(scroll, 1);

    // 10. sizing pass
    for (QLineEdit *e : findChildren<QLineEdit *>()) {
        e->setMaximumWidth(150);
        e->setMinimumWidth(70);
        e->setSizeIncrement(0, 0);
    }
    for (QLabel *l : findChildren<QLabel *>()) {
        l->setAlignment(Qt::AlignRight);
        l->setMinimumWidth(150);
        l->setSizeIncrement(0, 0);
    }
    for (QLabel *l : canParamsGroup->findChildren<QLabel *>()) {
        l->setAlignment(Qt::AlignLeft);
        l->setMinimumWidth(150);
        l->setSizeIncrement(0, 0);
    }
    // The write status changes its text after every write: it has a row of its own under the
    // bar, as wide as the group whatever its text and two lines high, so nothing moves when
    // the text does.
    writeStatusLabel->setWordWrap(true);
    writeStatusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    writeStatusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    writeStatusLabel->setFixedHeight(2 * writeStatusLabel->fontMetrics().lineSpacing() + 4);
}

void SettingsPage::addTextRow(QFormLayout *form, SettingsField field)
{
    const char *caption = settingsTextField(field).caption;
    Q_ASSERT(caption);
    form->addRow(new QLabel(tr(caption)), edit(field));
}

// "Сим карта 1" or "Сим карта 2": the PIN, roaming, APN, login and password of one SIM card.
QGroupBox *SettingsPage::buildSimGroup(int sim)
{
    using F = SettingsField;
    struct Sim
    {
        const char *title;
        const char *groupName;
        const char *roamingCaption;
        const char *roamingName;
        SettingsField pin, apn, login, password;
    };
    static const Sim sims[2] = {
        {QT_TR_NOOP("Сим карта 1"), "sim1Group", QT_TR_NOOP("Роуминг SIM1"), "roaming1Check",
         F::Pin1, F::Apn1, F::Login1, F::Password1},
        {QT_TR_NOOP("Сим карта 2"), "sim2Group", QT_TR_NOOP("Роуминг SIM2"), "roaming2Check",
         F::Pin2, F::Apn2, F::Login2, F::Password2},
    };
    const Sim &s = sims[sim - 1];
    QGroupBox *group = formGroup(tr(s.title), s.groupName);
    QCheckBox *roaming = namedWidget<QCheckBox>(s.roamingName);
    roamingChecks[std::size_t(sim - 1)] = roaming;
    QFormLayout *form = formOf(group);
    addTextRow(form, s.pin);
    form->addRow(new QLabel(tr(s.roamingCaption)), roaming);
    addTextRow(form, s.apn);
    addTextRow(form, s.login);
    addTextRow(form, s.password);
    return group;
}

void SettingsPage::setCanControlsFor(int rs485Index)
{
    // only the CAN adapter on RS485 reads the CAN bus
    const bool can = rs485Index == 2;
    edit(SettingsField::CanProgram)->setEnabled(can);
    canParamsGroup->setEnabled(can);
}

void SettingsPage::relabelIn2(const QString &mode)
{
    const bool onlyKvt31 = mode.compare(QLatin1String("Discrete"), Qt::CaseInsensitive) == 0
                           || mode.compare(QLatin1String("Pulse"), Qt::CaseInsensitive) == 0
                           || mode.compare(QLatin1String("Frequency"), Qt::CaseInsensitive) == 0;
    in2Label->setText(onlyKvt31 ? tr("Only for KVT3.1    IN2") : tr("IN2"));
}

void SettingsPage::refresh()
{
    // two selections, so the list reports a change and the CAN controls follow index 0
    rs485Combo->setCurrentIndex(1);
    rs485Combo->setCurrentIndex(0);
    startReading();
}

QList<QGroupBox *> SettingsPage::recordGroups() const
{
    QList<QGroupBox *> list;
    for (const char *name : {"monitoringServerGroup", "sim1Group", "sim2Group", "sleepGroup",
                             "trackPointsGroup", "interfacesGroup", "settingsInputsGroup",
                             "canParamsGroup"}) {
        if (auto *group = findChild<QGroupBox *>(QLatin1String(name)))
            list << group;
    }
    return list;
}

QList<QLineEdit *> SettingsPage::secretFields() const
{
    using F = SettingsField;
    return {edit(F::Pin1),           edit(F::Password1),  edit(F::Pin2),
            edit(F::Password2),      edit(F::AccessPassword), edit(F::NewPassword)};
}
