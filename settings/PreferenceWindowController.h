#pragma once

#include "settings/ColorWell.h"

#include <QByteArray>
#include <QCheckBox>
#include <QColor>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QDialog>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QScreen;

namespace Ui {
class PreferenceWindowController;
}

// The settings window. Every change the user makes goes straight to the settings store, which tells the
// panel; there is no OK or Cancel, and Escape or the window manager's close button simply close it. Reset puts the
// controls and the store back to what was in force when this controller was created: the very bytes read then, not a
// fresh encoding of them.
class PreferenceWindowController : public QObject {
    Q_OBJECT

public:
    // Runs on the window once it is filled and before it is first shown, to keep it above other windows.
    using WindowConfigurer = std::function<void(QWidget*)>;

    explicit PreferenceWindowController(WindowConfigurer floatWindow = {}, QObject* parent = nullptr);
    ~PreferenceWindowController() override;

    // Centred on the given screen, or on the window's own when none is given.
    void showWindow(const QScreen* screen = nullptr);

    // Loads the window on first use.
    QWidget* colorOptionWindow();
    QDateTimeEdit* targetDateTimePicker() const { return m_targetDateTimePicker; }
    ColorWell* textColorWell() const { return m_textColorWell; }
    ColorWell* bgColorWell() const { return m_bgColorWell; }
    QCheckBox* dropShadowCheckbox() const { return m_dropShadowCheckbox; }

    void targetDateTimeClick();
    void textColorClick();
    void bgColorClick();
    void dropShadowClick();
    void resetClick();

private:
    void takeSnapshot();
    void windowDidLoad();
    void connectActions();

    struct Values {
        QDateTime targetDateTime;
        QColor textColor;
        QColor bgColor;
        bool dropShadow = false;
    };

    WindowConfigurer m_floatWindow;
    std::unique_ptr<QDialog> m_colorOptionWindow;
    std::unique_ptr<Ui::PreferenceWindowController> m_ui;
    QPointer<QDateTimeEdit> m_targetDateTimePicker;
    QPointer<ColorWell> m_textColorWell;
    QPointer<ColorWell> m_bgColorWell;
    QPointer<QCheckBox> m_dropShadowCheckbox;

    Values m_current;
    Values m_initial;
    QByteArray m_initialTextColorData;
    QByteArray m_initialBgColorData;
};
