#pragma once

#include <QLatin1String>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// Which window is the running slide show, decided from what the window manager tells about its clients.
namespace PresentationFinder {

// A presentation program as each desktop names it: by its X11 WM_CLASS (instance, and the start of the
// class, since some programs put their version there), or by a bundle identifier where the desktop has
// those.
struct Program {
    QLatin1String instance;
    QLatin1String classPrefix;
    QLatin1String bundleIdentifier;
};

inline constexpr std::array<Program, 3> KnownPrograms{{
    // LibreOffice Impress's slide show, with the gtk3 and with the generic window plugin.
    {QLatin1String("soffice"), QLatin1String("Soffice"), {}},
    {QLatin1String("libreoffice"), QLatin1String("LibreOffice "), {}},
    {{}, {}, QLatin1String("com.microsoft.Powerpoint")},
}};

struct ClientWindow {
    quint32 id = 0;
    QString instance;
    QString className;
    bool fullScreen = false;
    bool ours = false; // one of this program's own windows
};

bool isPresentationProgram(const QString& instance, const QString& className);

// Presenters show slides full screen from many programs (PDF viewers, browsers, office suites), so the
// window that had the keyboard last while full screen tells more than any list of programs. Given what
// was remembered so far and the window that has just become active, returns what to remember now.
quint32 rememberActive(quint32 remembered, const ClientWindow& active);

// The window to hand the keyboard back to, given the clients from the bottom of the stack to the top:
// the remembered window while it is still there and full screen, else the topmost full-screen window of
// a known presentation program.
std::optional<quint32> findPresentation(const std::vector<ClientWindow>& bottomToTop, quint32 remembered = 0);

} // namespace PresentationFinder
