#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

namespace tornaly::workshop {

// A small borderless message that closes itself after a few seconds. While
// any box is open, keyboard and mouse input to the whole program is lost; the
// input comes back when the last open box is gone.
class TWaitBox : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int AutoDestructTime READ autoDestructSeconds WRITE setAutoDestructTime)
    Q_PROPERTY(int MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int Progress READ Progress WRITE setProgress)
    Q_PROPERTY(bool ProgressBarEnabled READ progressBarEnabled WRITE setProgressBarEnabled)
public:
    explicit TWaitBox(QWidget* owner = nullptr);
    ~TWaitBox() override;

    QString Text() const;
    void setText(const QString& text);          // an empty text changes nothing
    void setAutoDestructTime(int seconds);      // 0 leaves the interval as it is
    int autoDestructMs() const;
    int autoDestructSeconds() const { return autoDestructMs() / 1000; }
    int minValue() const;
    int maxValue() const;
    bool progressBarEnabled() const { return m_progressBarEnabled; }
    void setMinValue(int v);
    void setMaxValue(int v);
    void setProgress(int v);                    // only while the gauge is on, within Min..Max
    int Progress() const;
    void setProgressBarEnabled(bool on) { m_progressBarEnabled = on; }
    void Show();

    // Whether input is being swallowed (some box is open).
    static bool GirisEngelli();

    QLabel* Label = nullptr;
    QProgressBar* ggeWait = nullptr;
    QTimer* Timer = nullptr;

public slots:
    void TimerTimer();

protected:
    void showEvent(QShowEvent* e) override;

private:
    bool m_progressBarEnabled = false;
};

// Shows `text` in a box owned by `owner` for `seconds` (1 when not above 0),
// in `fontSize` points when above 0; returns at once.
TWaitBox* ShowWaitMessage(const QString& text, QWidget* owner, int fontSize, int seconds);

} // namespace tornaly::workshop
