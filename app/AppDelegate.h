#pragma once

#include "app/TitlelessPanel.h"

#include <QDateTime>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

// The application controller: runs the launch sequence, the countdown clock and the fitting of the
// digits to the panel, and applies the stored appearance.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // The clock is injectable so that tests can move time by hand.
    explicit AppDelegate(Clock clock = &QDateTime::currentDateTime, QObject* parent = nullptr);
    ~AppDelegate() override;

    // Registers the settings defaults, once per process, before any of them is read.
    static void initialize(const QDateTime& now);

    // Takes the panel and its five fields as outlets and follows the panel's resizes.
    void connectOutlets(TitlelessPanel* panel);

    void applicationDidFinishLaunching();
    void windowDidResize();

    // Countdown clock.
    QString getRemainingTime();
    void tick();
    void startTimer();
    void handleTargetDateTimeChange();
    void activatePowerPoint();

    // Fits the digits and captions to the panel.
    void setFontSize();

    // Appearance.
    void handleTextColorChange();
    void handleBgColorChange();
    void handleDropShadowChange();

    // The hook that brings the running presentation forward; any exception it throws is dropped.
    void setPresentationActivator(std::function<void()> activator);

    bool isRunning() const { return m_running; }
    QDateTime target() const { return m_target; }
    const QTimer& countdownTimer() const { return m_countdownTimer; }

    TitlelessPanel* panel() const { return m_panel; }
    void setPanel(TitlelessPanel* panel) { m_panel = panel; }
    QLabel* input() const { return m_input; }
    void setInput(QLabel* input) { m_input = input; }
    QLabel* lblDays() const { return m_lblDays; }
    void setLblDays(QLabel* label) { m_lblDays = label; }
    QLabel* lblHours() const { return m_lblHours; }
    void setLblHours(QLabel* label) { m_lblHours = label; }
    QLabel* lblMinutes() const { return m_lblMinutes; }
    void setLblMinutes(QLabel* label) { m_lblMinutes = label; }
    QLabel* lblSeconds() const { return m_lblSeconds; }
    void setLblSeconds(QLabel* label) { m_lblSeconds = label; }

private:
    QDateTime storedTarget() const;
    void showRemainingTime();

    Clock m_clock;
    std::function<void()> m_presentationActivator;

    QPointer<TitlelessPanel> m_panel;
    QPointer<QLabel> m_input;
    QPointer<QLabel> m_lblDays;
    QPointer<QLabel> m_lblHours;
    QPointer<QLabel> m_lblMinutes;
    QPointer<QLabel> m_lblSeconds;

    QDateTime m_target;
    QDateTime m_now;
    QTimer m_countdownTimer;
    bool m_running = false;
};
