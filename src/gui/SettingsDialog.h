#pragma once

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QDialog>

#include <memory>

class Settings;

namespace Ui {
class SettingsDialog;
}

// The settings window. Every change the user makes goes straight to the settings, which the panel
// follows; there is no OK or Cancel, and Escape or the window manager's close button simply close it.
// Reset puts the controls and the settings back to what was in force when the window was opened: the
// very bytes read then, not a fresh encoding of them.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit SettingsDialog(Settings& settings, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    void reset();

private:
    struct Values {
        QDateTime target;
        QColor textColor;
        QColor bgColor;
        bool dropShadow = false;
        QByteArray textColorBytes;
        QByteArray bgColorBytes;
    };

    Values read() const;
    void showValues(const Values& values);

    Settings& m_settings;
    std::unique_ptr<Ui::SettingsDialog> m_ui;
    Values m_opening;
    QDateTime m_shownTarget;
};
