#pragma once

#include "PlatformIntegration.h"
#include "PresentationFinder.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

struct xcb_connection_t;

// Floating windows and slide-show activation through EWMH, on Qt's own X connection. Server timestamps
// come from a second, private connection, since waiting for an event on Qt's would steal it from Qt.
//
// Keeping a panel above a focused full-screen window takes two measures. The window types KWin keeps
// above full-screen windows, with the "above" state that xfwm4 and mutter honour, cover most managers.
// Managers that follow the EWMH rule strictly (openbox) still stack a focused full-screen window over
// every "above" window; for those, whenever the panel ends up beneath the active full-screen window, it
// becomes that window's transient, which such managers keep directly above it. Under the XWayland window
// manager of wlroots compositors, which keeps no managed window above a full-screen one, the panel is an
// override-redirect window instead.
class X11Integration : public PlatformIntegration, public QAbstractNativeEventFilter {
public:
    // Null when Qt does not run on X11.
    static std::unique_ptr<X11Integration> create();
    ~X11Integration() override;

    void makeFloating(QWidget* window, FloatingRole role) override;
    void activatePresentation() override;
    bool hasCompositor() const override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11Integration(xcb_connection_t* connection, quint32 root, int screenNumber);

    quint32 atom(const char* name) const;
    QByteArray windowManagerName() const;
    void makeOverrideRedirect(QWidget* window);
    std::vector<quint32> windowListProperty(quint32 window, const char* property) const;
    std::vector<PresentationFinder::ClientWindow> clientsBottomToTop() const;
    void setAtomList(quint32 window, const char* property, const std::vector<const char*>& values) const;
    quint32 serverTime();
    quint32 activeWindow() const;
    bool isFullScreen(quint32 window) const;
    void keepPanelsAboveFullScreen(quint32 active, bool activeIsFullScreen);
    void rememberActive(quint32 active, bool fullScreen);
    static bool isOwnWindow(quint32 window);
    void setTransientFor(quint32 window, quint32 parent) const;

    xcb_connection_t* m_connection;
    quint32 m_root;
    int m_screenNumber;
    mutable QHash<QByteArray, quint32> m_atoms;

    struct GuardedPanel {
        QPointer<QWidget> widget;
        quint32 transientFor = 0;
    };
    std::vector<GuardedPanel> m_panels;

    // The full-screen window of another program that last had the keyboard.
    quint32 m_lastFullScreen = 0;

    xcb_connection_t* m_timeConnection = nullptr;
    quint32 m_timeWindow = 0;
};
