#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QDialog;
class QScreen;
class QWidget;

namespace Ui {
class AboutWindowController;
}

// The About window: name, version and what the program is for. It comes up in the middle of the given
// screen each time it is opened; Escape, Enter and the window manager's close button close it.
class AboutWindowController : public QObject {
    Q_OBJECT

public:
    // Runs on the window once it is placed and before it is first shown, to keep it above other windows.
    using WindowConfigurer = std::function<void(QWidget*)>;

    explicit AboutWindowController(WindowConfigurer floatWindow = {}, QObject* parent = nullptr);
    ~AboutWindowController() override;

    // On the window's own screen when none is given.
    void showWindow(const QScreen* screen = nullptr);
    void closeClicked();

    // Loads the window on first use.
    QWidget* aboutWindow();

private:
    void windowDidLoad();
    void showIcon();

    WindowConfigurer m_floatWindow;
    std::unique_ptr<QDialog> m_aboutWindow;
    std::unique_ptr<Ui::AboutWindowController> m_ui;
};
