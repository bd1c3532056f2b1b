#pragma once

#include "Application.h"
#include "CountdownPanel.h"

#include <QTemporaryDir>
#include <QTest>

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

// The whole program as main() assembles it, on a settings file in a temporary folder (holding the given
// lines, if any), with a clock the test moves by hand and a desktop that only records.
class TestProgram {
    QTemporaryDir m_folder; // first, so that it outlives the program

public:
    explicit TestProgram(const QByteArray& settingsLines = {}, bool compositor = false)
    {
        if (!settingsLines.isNull()) {
            QFile file(settingsFile());
            if (file.open(QIODevice::WriteOnly))
                file.write(settingsLines);
        }
        auto fake = std::make_unique<FakePlatform>();
        fake->compositor = compositor;
        platform = fake.get();
        app = std::make_unique<Application>(
            Application::Options{settingsFile(), [this] { return now; }, std::move(fake)});
    }

    QString settingsFile() const { return m_folder.filePath(QStringLiteral("settings.conf")); }
    CountdownPanel& panel() const { return app->panel(); }
    void start()
    {
        app->start();
        QVERIFY(QTest::qWaitForWindowExposed(&panel()));
    }

    QDateTime now{QDate(2026, 12, 6), QTime(9, 30), Qt::UTC};
    FakePlatform* platform;
    std::unique_ptr<Application> app;
};
