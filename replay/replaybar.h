#pragma once
// The bar of a recording played back, above the tabs: play/pause, the speed, the position
// over the recording's time with the date and time there, the lines skipped, and close.

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

class ReplayBar : public QWidget
{
    Q_OBJECT

public:
    explicit ReplayBar(QWidget *parent = nullptr);

    // A new recording: its first and last times (ms since the epoch); the position at the
    // first, playing at ×1, nothing skipped.
    void start(qint64 firstTime, qint64 lastTime);
    void setPosition(qint64 time);
    void setPaused(bool paused);
    void setSkipped(qint64 lines);

    // The speeds in the order of the list; 0: as fast as it goes.
    static const double speeds[];

    // The slider's place for a time and back (linear over the recording's time).
    int sliderValue(qint64 time) const;
    qint64 sliderTime(int value) const;

signals:
    void pauseToggled(bool paused);
    void speedChosen(double factor);
    void seekRequested(qint64 time);
    void closeRequested();

private:
    void showTime(qint64 time);
    void showPaused(bool paused);
    void sliderMoved();

    QPushButton *pauseButton = nullptr;
    QComboBox *speedCombo = nullptr;
    QSlider *positionSlider = nullptr;
    QLabel *timeLabel = nullptr;
    QLabel *skippedLabel = nullptr;
    QToolButton *closeButton = nullptr;
    qint64 first = 0;
    qint64 last = 0;
    qint64 step = 1;   // ms of one step of the slider
};
