#pragma once

#include "Application.h"
#include "CountdownPanel.h"

#include <QTemporaryDir>
#include <QTest>

// The whole program as main() assembles it, on a settings file in a temporary folder (holding the given
// bytes, if any) and with a clock the test moves by hand. The desktop is the offscreen platform's.
class TestProgram {
    QTemporaryDir m_folder; // first, so that it outlives the program

public:
    explicit TestProgram(const QByteArray& settings = {})
    {
        if (!settings.isNull()) {
            QFile file(settingsFile());
            if (file.open(QIODevice::WriteOnly))
                file.write(settings);
        }
        app = std::make_unique<Application>(Application::Options{settingsFile(), [this] { return now; }, nullptr});
    }

    QString settingsFile() const { return m_folder.filePath(QStringLiteral("settings.conf")); }
    CountdownPanel& panel() const { return app->panel(); }
    void start()
    {
        app->start();
        QVERIFY(QTest::qWaitForWindowExposed(&panel()));
    }

    QDateTime now{QDate(2026, 12, 6), QTime(9, 30), Qt::UTC};
    std::unique_ptr<Application> app;
};
