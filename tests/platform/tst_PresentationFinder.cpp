#include "PresentationFinder.h"

#include <QTest>

using PresentationFinder::ClientWindow;

using Stack = std::vector<ClientWindow>;
Q_DECLARE_METATYPE(Stack)

class TestPresentationFinder : public QObject {
    Q_OBJECT

private slots:
    void findPresentation_data();
    void findPresentation();
};

void TestPresentationFinder::findPresentation_data()
{
    QTest::addColumn<Stack>("activated"); // as each window was when it got the keyboard, oldest first
    QTest::addColumn<Stack>("bottomToTop");
    QTest::addColumn<quint32>("expected"); // 0: nothing to activate

    const auto window = [](quint32 id, const char* instance, const char* className, bool fullScreen,
                           bool ours = false) {
        return ClientWindow{id, QString::fromLatin1(instance), QString::fromLatin1(className), fullScreen, ours};
    };
    // A slide show known by its window class, for when no remembered window is left.
    const ClientWindow gtkShow = window(1, "soffice", "Soffice", true);
    const ClientWindow pdfViewer = window(10, "pdfpc", "Pdfpc", true);
    const ClientWindow browser = window(11, "Navigator", "firefox-esr", true);
    const ClientWindow mail = window(12, "mail", "Mail", false);
    const ClientWindow pdfViewerWindowed = window(10, "pdfpc", "Pdfpc", false);
    const ClientWindow ownSettings = window(13, "presenter-countdown", "presenter-countdown", false, true);
    const ClientWindow ownFullScreen = window(14, "presenter-countdown", "presenter-countdown", true, true);
    QTest::newRow("any program's full-screen window gets the keyboard back")
        << Stack{pdfViewer, mail} << Stack{pdfViewer, mail} << 10u;
    QTest::newRow("the last of two full-screen windows wins")
        << Stack{pdfViewer, browser, mail} << Stack{browser, pdfViewer, mail} << 11u;
    QTest::newRow("the remembered window wins over a known program")
        << Stack{pdfViewer} << Stack{pdfViewer, gtkShow} << 10u;
    QTest::newRow("our own windows are not remembered")
        << Stack{pdfViewer, ownSettings, ownFullScreen} << Stack{pdfViewer, ownFullScreen} << 10u;
    QTest::newRow("a window that was active before going full screen is not remembered")
        << Stack{pdfViewerWindowed, mail} << Stack{mail, pdfViewer} << 0u;
    QTest::newRow("a remembered window that closed falls back to the known programs")
        << Stack{pdfViewer} << Stack{gtkShow, mail} << 1u;
    QTest::newRow("a remembered window that left full screen falls back to the known programs")
        << Stack{pdfViewer} << Stack{pdfViewerWindowed, gtkShow} << 1u;
    QTest::newRow("a remembered window that left full screen is not activated")
        << Stack{pdfViewer} << Stack{pdfViewerWindowed, mail} << 0u;
}

void TestPresentationFinder::findPresentation()
{
    QFETCH(Stack, activated);
    QFETCH(Stack, bottomToTop);
    QFETCH(quint32, expected);
    quint32 remembered = 0;
    for (const ClientWindow& window : activated)
        remembered = PresentationFinder::rememberActive(remembered, window);
    QCOMPARE(PresentationFinder::findPresentation(bottomToTop, remembered).value_or(0u), expected);
}

QTEST_GUILESS_MAIN(TestPresentationFinder)
#include "tst_PresentationFinder.moc"
