#pragma once

#include <memory>

class QUrl;
class QWidget;

// What the program asks of the desktop beyond plain Qt: floating windows, bringing the slide show
// forward, knowing whether a compositor draws translucency, opening web pages. This base works on any
// platform with what Qt offers; a subclass per window system does the rest. Tests substitute their own.
class PlatformIntegration {
public:
    enum class FloatingRole {
        Panel,  // borderless, never takes the keyboard
        Window, // an ordinary window that the user types into
    };

    PlatformIntegration() = default;
    PlatformIntegration(const PlatformIntegration&) = delete;
    PlatformIntegration& operator=(const PlatformIntegration&) = delete;
    virtual ~PlatformIntegration();

    // The integration for the platform Qt runs on (defined beside the window systems' own).
    static std::unique_ptr<PlatformIntegration> create();

    // Keeps the window above all others, full-screen ones included, and on every workspace. Must run
    // before the window is first shown.
    virtual void makeFloating(QWidget* window, FloatingRole role);

    // Brings a running slide show forward so that it has the keyboard. Does nothing when there is none.
    virtual void activatePresentation();

    // Whether translucent window areas show what lies beneath (and so a drawn shadow looks like one).
    virtual bool hasCompositor() const;

    // Failures are silent: a page that cannot be opened leaves everything as it was.
    virtual void openUrl(const QUrl& url);
};
