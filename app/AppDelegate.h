#pragma once

#include "app/PlatformIntegration.h"
#include "app/RemainingTime.h"
#include "app/TitlelessPanel.h"
#include "app/WallClockWatcher.h"

#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class AboutWindowController;
class QScreen;
class PreferenceWindowController;

// The application controller: runs the launch sequence, the countdown clock and the fitting of the
// digits to the panel, applies the stored appearance and answers the panel's context menu.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // A live resize brings the slide show forward once the resize has rested this long: window managers
    // ignore activation requests while they are still resizing.
    static constexpr int ResizeSettleMs = 700;

    // The clock is injectable so that tests can move time by hand. It reads UTC: the countdown is between
    // two instants, and local time would cost a time-zone lookup at every tick.
    explicit AppDelegate(PlatformIntegration& platform, Clock clock = &QDateTime::currentDateTimeUtc,
                         QObject* parent = nullptr);
    ~AppDelegate() override;

    // Registers the settings defaults, once per process, before any of them is read.
    static void initialize(const QDateTime& now);

    // Takes the panel, its five fields and its menu as outlets, and follows the panel's resizes and menu.
    void connectOutlets(TitlelessPanel* panel);

    void applicationDidFinishLaunching();
    void windowDidResize();
    // Called once a live resize has rested.
    void resizeDidSettle();

    // Countdown clock.
    QString getRemainingTime();
    void tick();
    void startTimer();
    void handleTargetDateTimeChange();
    // The wall clock was set: the time left may have grown again after the end, or jumped.
    void handleWallClockChange();
    void activatePowerPoint();

    // Fits the digits and captions to the panel.
    void setFontSize();

    // Appearance.
    void handleTextColorChange();
    void handleBgColorChange();
    void handleDropShadowChange();

    // Context menu.
    void changeColorClick();
    void aboutClicked();
    void contactSupportClicked();
    void userGuideClicked();
    void quit();

    bool isRunning() const { return m_running; }
    QDateTime target() const { return m_target; }
    const QTimer& countdownTimer() const { return m_countdownTimer; }
    const QTimer& resizeSettleTimer() const { return m_resizeSettleTimer; }
    PreferenceWindowController* preferenceWindowController() const { return m_preferenceWindowController.get(); }
    AboutWindowController* aboutWindowController() const { return m_aboutWindowController.get(); }

    TitlelessPanel* panel() const { return m_panel; }
    void setPanel(TitlelessPanel* panel) { m_panel = panel; }
    QMenu* rightClickMenu() const { return m_rightClickMenu; }
    void setRightClickMenu(QMenu* menu) { m_rightClickMenu = menu; }
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
    void showText(const QString& text, const RemainingTime::Parts& parts);

    void openWebPage(const QString& path);
    void observePreferenceChanges();
    void floatWindow(QWidget* window);
    const QScreen* panelScreen() const;

    PlatformIntegration& m_platform;
    Clock m_clock;

    QPointer<TitlelessPanel> m_panel;
    QPointer<QMenu> m_rightClickMenu;
    QPointer<QLabel> m_input;
    QPointer<QLabel> m_lblDays;
    QPointer<QLabel> m_lblHours;
    QPointer<QLabel> m_lblMinutes;
    QPointer<QLabel> m_lblSeconds;

    QDateTime m_target;
    QDateTime m_now;
    RemainingTime::Parts m_remaining;
    QTimer m_countdownTimer;
    QTimer m_resizeSettleTimer;
    bool m_running = false;
    WallClockWatcher m_wallClock;

    std::unique_ptr<PreferenceWindowController> m_preferenceWindowController;
    std::unique_ptr<AboutWindowController> m_aboutWindowController;
    bool m_observingPreferences = false;
};
