#pragma once

#include <QByteArray>

// Native Wayland offers no way to keep a window above others, on every workspace or off the keyboard, so
// in a Wayland session the panel runs through XWayland whenever it can and the user has not chosen
// otherwise. These decisions are pure functions of what the process can read, so that a table can test
// them; chooseForThisSession() reads and acts.
namespace SessionPlatform {

struct Environment {
    QByteArray qtQpaPlatform;    // QT_QPA_PLATFORM
    QByteArray waylandDisplay;   // WAYLAND_DISPLAY
    QByteArray display;          // DISPLAY
    QByteArray sessionType;      // XDG_SESSION_TYPE
    QByteArray platformArgument; // the value after -platform on the command line, which wins
};

// What the user is told once on standard error before the window system is opened.
enum class Notice {
    None,
    NativeWaylandChosen, // the user asked for native Wayland
    NoXWayland,          // a Wayland session without XWayland leaves Qt nothing else
};

struct Choice {
    QByteArray qpaPlatform; // empty: leave Qt's own choice alone
    Notice notice = Notice::None;
};

Choice choose(const Environment& environment);

// One plain line, without the program's name; empty for Notice::None.
QByteArray noticeText(Notice notice);

// The value of the last -platform (or --platform) option, which is the one Qt itself obeys.
QByteArray platformArgument(int argc, const char* const argv[]);

// How an X11 window can stay above a full-screen one, told by the name the window manager gives itself
// (_NET_WM_NAME of its _NET_SUPPORTING_WM_CHECK window).
enum class PanelStacking {
    // The manager keeps "above" windows, critical notifications or transients over full-screen ones.
    Managed,
    // The XWayland window manager of wlroots compositors (sway and others) tiles ordinary windows, keeps
    // none of them above a full-screen window and has no sticky state, but draws override-redirect
    // windows above everything on every workspace and never gives them the keyboard.
    OverrideRedirect,
};

PanelStacking panelStacking(const QByteArray& windowManagerName);

// Reads this process's environment and command line, sets QT_QPA_PLATFORM to the choice and says on
// standard error what the user needs to know. Runs before the application is created.
void chooseForThisSession(int argc, char* argv[]);

} // namespace SessionPlatform
