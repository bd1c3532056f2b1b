#pragma once

#include <QByteArray>

// Native Wayland offers no way to keep a window above others or on every workspace, so in a Wayland
// session the panel runs through XWayland whenever it can and the user has not chosen otherwise.
namespace SessionPlatform {

struct Environment {
    QByteArray qtQpaPlatform;      // QT_QPA_PLATFORM
    QByteArray waylandDisplay;     // WAYLAND_DISPLAY
    QByteArray display;            // DISPLAY
    QByteArray sessionType;        // XDG_SESSION_TYPE
    bool platformArgument = false; // -platform on the command line
};

struct Choice {
    QByteArray qpaPlatform; // empty: leave Qt's own choice alone
    bool mayNotStayOnTop = false;
};

Choice choose(const Environment& environment);

// Reads this process's environment and command line, sets QT_QPA_PLATFORM to the choice and says on
// standard error when the panel may not stay on top. Runs before the application is created.
void chooseForThisSession(int argc, char* argv[]);

} // namespace SessionPlatform
