#pragma once

#include "Countdown.h"
#include "Settings.h"

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class ColorWell;
class QCheckBox;
class QLineEdit;

namespace Ui {
class SettingsDialog;
}

// The settings window. Every change the user makes goes straight to the settings, which the panel
// follows; there is no OK or Cancel, and Escape or the window manager's close button simply close it.
// Reset puts the controls and the settings back to what was in force when the window was opened: the
// very bytes read then, not a fresh encoding of them. Durations are typed as on the command line and
// take effect when the field is left or Enter is pressed; text that cannot be read is marked while typed
// and replaced by the value in force when the field is left.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(Settings& settings, Countdown::Clock clock, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    void reset();

private:
    using Key = Settings::Key;

    struct Values {
        QDateTime target;
        Settings::EndMode endMode = Settings::EndMode::DateTime;
        std::optional<qint64> pausedRemaining;
        std::map<Key, bool> flags;
        std::map<Key, qint64> seconds;
        std::map<Key, QByteArray> colorBytes; // as read, or the fallback's archive when no blob was there
    };

    Values read() const;
    void showValues(const Values& values);
    void showEndMode(Settings::EndMode mode);
    void showTarget(const QDateTime& target);
    void connectEnd();
    void connectFlags();
    // A field for a duration stored under key: change runs for a readable value that isChange accepts.
    void connectDuration(QLineEdit* edit, Key key, const std::function<bool(qint64)>& isChange,
                         const std::function<void(qint64)>& change);
    std::vector<std::pair<Key, QCheckBox*>> checkboxes() const;
    std::vector<std::pair<Key, ColorWell*>> wells() const;
    QColor colorFrom(Key key, const QByteArray& bytes) const;

    Settings& m_settings;
    Countdown::Clock m_clock;
    std::unique_ptr<Ui::SettingsDialog> m_ui;
    Values m_opening;
    QDateTime m_shownTarget;
};
