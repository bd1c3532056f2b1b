#pragma once

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <functional>
#include <memory>

class QWidget;

namespace Ui {
class AboutWindowController;
}

// The About window: name, version and what the program is for. It comes up in the middle of the screen
// each time it is opened.
class AboutWindowController : public QObject {
    Q_OBJECT

public:
    // Runs on the window once it is placed and before it is first shown, to keep it above other windows.
    using WindowConfigurer = std::function<void(QWidget*)>;

    explicit AboutWindowController(WindowConfigurer floatWindow = {}, QObject* parent = nullptr);
    ~AboutWindowController() override;

    // Where a window of the given size goes: the middle of a screen of the given size. Only the screen's
    // size counts, not where it lies among several screens; an empty screen puts the window's centre at
    // the origin.
    static QPointF centredOrigin(const QRectF& screen, const QSizeF& window);

    void showWindow();
    void closeClicked();

    // Loads the window on first use.
    QWidget* aboutWindow();

private:
    void windowDidLoad();
    void showIcon();

    WindowConfigurer m_floatWindow;
    std::unique_ptr<QWidget> m_aboutWindow;
    std::unique_ptr<Ui::AboutWindowController> m_ui;
};
