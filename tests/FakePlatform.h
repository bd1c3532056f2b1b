#pragma once

#include "app/PlatformIntegration.h"

#include <QList>
#include <QUrl>
#include <QWidget>

#include <stdexcept>

// Records what the program asks of the desktop instead of doing it.
class FakePlatform : public PlatformIntegration {
public:
    void makeFloating(QWidget* window, FloatingRole role) override
    {
        floated.append({window, role, window->isVisible()});
        PlatformIntegration::makeFloating(window, role);
    }
    void activatePresentation() override
    {
        ++activations;
        if (failActivation)
            throw std::runtime_error("no presentation running");
    }
    bool hasCompositor() const override { return compositor; }
    void openUrl(const QUrl& url) override { opened.append(url); }

    struct Floated {
        QWidget* window;
        FloatingRole role;
        bool wasVisible;
    };
    QList<Floated> floated;
    int activations = 0;
    bool failActivation = false;
    bool compositor = false;
    QList<QUrl> opened;
};
