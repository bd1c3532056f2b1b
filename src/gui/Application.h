#pragma once

#include "AboutDialog.h"
#include "ControlService.h"
#include "Countdown.h"
#include "PlatformIntegration.h"
#include "Settings.h"
#include "SettingsDialog.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class CountdownPanel;
class QDialog;
class QScreen;

// The program, assembled in one place: the settings, the countdown, the panel that shows it, the desktop
// integration and the two dialogs, wired together. main() and the tests build it the same way.
class Application : public QObject {
    Q_OBJECT

public:
    struct Options {
        QString settingsFile;                          // empty: the user's own settings file
        Countdown::Clock clock;                        // empty: the system's clock
        std::unique_ptr<PlatformIntegration> platform; // null: the integration for the running platform
    };

    // A live resize hands the keyboard back to the slide show once the resize has rested this long:
    // window managers ignore activation requests while they are still resizing.
    static constexpr int ResizeSettleMs = 700;
    // The panel's place is saved once it has rested this long, not at every step of a drag.
    static constexpr int PlaceSettleMs = 500;

    explicit Application(Options options = {}, QObject* parent = nullptr);
    ~Application() override;

    // Shows the panel with the stored appearance, starts counting and gives the keyboard back to a
    // running slide show.
    void start();

    Settings& settings() { return *m_settings; }
    Countdown& countdown() { return *m_countdown; }
    CountdownPanel& panel() { return *m_panel; }
    PlatformIntegration& platform() { return *m_platform; }
    ControlService& control() { return *m_control; }
    SettingsDialog* settingsDialog() const { return m_settingsDialog; }
    AboutDialog* aboutDialog() const { return m_aboutDialog; }
    const QTimer& resizeSettleTimer() const { return m_resizeSettleTimer; }
    const QTimer& placeSettleTimer() const { return m_placeSettleTimer; }

    void openSettings();
    void openAbout();
    void openContactPage();
    void openUserGuide();

    // The panel menu's entries for a counted duration; each does nothing when there is nothing to do.
    void startAgain();
    void pause();
    void resume();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(Settings::Key key);
    void restorePlace();
    void savePlace();
    void applyTiming();
    void applyThresholds();
    void applyColors();
    QColor color(Settings::Key key) const;
    void activatePresentation();
    void openWebPage(const QString& path);
    // Floating and centred on the panel's screen.
    void present(QDialog* dialog);
    const QScreen* panelScreen() const;

    Countdown::Clock m_clock;
    std::unique_ptr<PlatformIntegration> m_platform;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<Countdown> m_countdown;
    std::unique_ptr<CountdownPanel> m_panel;
    std::unique_ptr<ControlService> m_control;
    QPointer<SettingsDialog> m_settingsDialog;
    QPointer<AboutDialog> m_aboutDialog;
    QTimer m_resizeSettleTimer;
    QTimer m_placeSettleTimer;
};
