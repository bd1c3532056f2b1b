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
};

bool isPresentationProgram(const QString& instance, const QString& className);

// The topmost full-screen window of a known presentation program, given the clients from the bottom of
// the stack to the top.
std::optional<quint32> findPresentation(const std::vector<ClientWindow>& bottomToTop);

} // namespace PresentationFinder
