#include "replay/replaybar.h"

#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

namespace {
// The slider has at most this many steps; a longer recording takes more ms a step.
constexpr qint64 MaxSteps = 1000000;
} // namespace

const double ReplayBar::speeds[] = {1, 10, 100, 0};

ReplayBar::ReplayBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("replayBar"));
    pauseButton = new QPushButton;
    pauseButton->setObjectName(QStringLiteral("replayPauseButton"));
    pauseButton->setCheckable(true);
    // as wide as its longer text, so the slider does not move when it changes
    int pauseWidth = 0;
    for (bool paused : {true, false}) {
        showPaused(paused);
        pauseWidth = qMax(pauseWidth, pauseButton->sizeHint().width());
    }
    pauseButton->setMinimumWidth(pauseWidth);
    speedCombo = new QComboBox;
    speedCombo->setObjectName(QStringLiteral("replaySpeedCombo"));
    speedCombo->addItems({QStringLiteral("×1"), QStringLiteral("×10"), QStringLiteral("×100"),
                          tr("как можно быстрее")});
    speedCombo->setToolTip(tr("Скорость воспроизведения"));
    positionSlider = new QSlider(Qt::Horizontal);
    positionSlider->setObjectName(QStringLiteral("replayPositionSlider"));
    positionSlider->setToolTip(tr("Момент записи"));
    timeLabel = new QLabel;
    timeLabel->setObjectName(QStringLiteral("replayTimeLabel"));
    skippedLabel = new QLabel;
    skippedLabel->setObjectName(QStringLiteral("replaySkippedLabel"));
    skippedLabel->hide();
    closeButton = new QToolButton;
    closeButton->setObjectName(QStringLiteral("replayCloseButton"));
    closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton->setToolTip(tr("Закрыть запись"));
    closeButton->setAutoRaise(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pauseButton);
    layout->addWidget(speedCombo);
    layout->addWidget(positionSlider, 1);
    layout->addWidget(timeLabel);
    layout->addWidget(skippedLabel);
    layout->addWidget(closeButton);

    connect(pauseButton, &QPushButton::toggled, this, [this](bool paused) {
        showPaused(paused);
        emit pauseToggled(paused);
    });
    connect(speedCombo, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { emit speedChosen(speeds[qBound(0, index, 3)]); });
    // dragged, the time shows where it would go; let go (or moved by a click or a key), it goes
    connect(positionSlider, &QSlider::sliderMoved, this,
            [this](int value) { showTime(sliderTime(value)); });
    connect(positionSlider, &QSlider::sliderReleased, this, &ReplayBar::sliderMoved);
    connect(positionSlider, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove)
            QMetaObject::invokeMethod(this, &ReplayBar::sliderMoved, Qt::QueuedConnection);
    });
    connect(closeButton, &QToolButton::clicked, this, &ReplayBar::closeRequested);
}

void ReplayBar::start(qint64 firstTime, qint64 lastTime)
{
    first = firstTime;
    last = qMax(firstTime, lastTime);
    step = qMax<qint64>(1, (last - first + MaxSteps - 1) / MaxSteps);
    positionSlider->setRange(0, int((last - first) / step));
    positionSlider->setPageStep(qMax(1, positionSlider->maximum() / 20));
    speedCombo->setCurrentIndex(0);
    {
        const QSignalBlocker blocker(pauseButton);
        pauseButton->setChecked(false);
        showPaused(false);
    }
    const QString format = QStringLiteral("dd.MM.yyyy HH:mm:ss");
    timeLabel->setToolTip(tr("Запись с %1 по %2")
                              .arg(QDateTime::fromMSecsSinceEpoch(first).toString(format),
                                   QDateTime::fromMSecsSinceEpoch(last).toString(format)));
    setSkipped(0);
    setPosition(first);
}

int ReplayBar::sliderValue(qint64 time) const
{
    return int((qBound(first, time, last) - first) / step);
}

qint64 ReplayBar::sliderTime(int value) const
{
    return value >= positionSlider->maximum() ? last : first + qint64(value) * step;
}

void ReplayBar::setPosition(qint64 time)
{
    if (!positionSlider->isSliderDown()) {
        const QSignalBlocker blocker(positionSlider);
        positionSlider->setValue(sliderValue(time));
        showTime(time);
    }
}

void ReplayBar::setPaused(bool paused)
{
    const QSignalBlocker blocker(pauseButton);
    pauseButton->setChecked(paused);
    showPaused(paused);
}

// Playing, the button offers the pause; paused (or at the end), it offers to play on.
void ReplayBar::showPaused(bool paused)
{
    pauseButton->setText(paused ? tr("Воспроизвести") : tr("Пауза"));
    pauseButton->setIcon(style()->standardIcon(paused ? QStyle::SP_MediaPlay : QStyle::SP_MediaPause));
}

void ReplayBar::setSkipped(qint64 lines)
{
    skippedLabel->setVisible(lines > 0);
    skippedLabel->setText(tr("Пропущено строк: %1").arg(lines));
    skippedLabel->setToolTip(tr("Строки файла, которые не являются строками записи "
                                "(обрезанные, с ошибкой или не в UTF-8)"));
}

void ReplayBar::showTime(qint64 time)
{
    timeLabel->setText(QDateTime::fromMSecsSinceEpoch(time).toString(
        QStringLiteral("dd.MM.yyyy HH:mm:ss.zzz")));
}

void ReplayBar::sliderMoved()
{
    emit seekRequested(sliderTime(positionSlider->value()));
}
