#include "app/PresentationFinder.h"

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
    QTest::addColumn<Stack>("bottomToTop");
    QTest::addColumn<quint32>("expected"); // 0: nothing to activate

    const auto window = [](quint32 id, const char* instance, const char* className, bool fullScreen) {
        return ClientWindow{id, QString::fromLatin1(instance), QString::fromLatin1(className), fullScreen};
    };
    const ClientWindow gtkShow = window(1, "soffice", "Soffice", true);
    const ClientWindow genShow = window(2, "libreoffice", "LibreOffice 7.4", true);
    const ClientWindow editor = window(3, "libreoffice", "libreoffice-impress", false);
    const ClientWindow fullScreenEditor = window(4, "libreoffice", "libreoffice-impress", true);
    const ClientWindow terminal = window(5, "xterm", "XTerm", true);
    const ClientWindow windowedShow = window(6, "soffice", "Soffice", false);

    QTest::newRow("nothing runs") << Stack{} << 0u;
    QTest::newRow("gtk3 slide show") << Stack{editor, gtkShow} << 1u;
    QTest::newRow("generic plugin slide show") << Stack{genShow, editor} << 2u;
    QTest::newRow("topmost of two wins") << Stack{gtkShow, terminal, genShow} << 2u;
    QTest::newRow("other full-screen programs are not slide shows") << Stack{terminal} << 0u;
    QTest::newRow("a full-screen editor is not a slide show") << Stack{fullScreenEditor} << 0u;
    QTest::newRow("a slide show in a window is not presenting") << Stack{windowedShow, editor} << 0u;
    QTest::newRow("prefix of the class only") << Stack{window(7, "libreoffice", "LibreOffice", true)} << 0u;
}

void TestPresentationFinder::findPresentation()
{
    QFETCH(Stack, bottomToTop);
    QFETCH(quint32, expected);
    QCOMPARE(PresentationFinder::findPresentation(bottomToTop).value_or(0u), expected);
}

QTEST_GUILESS_MAIN(TestPresentationFinder)
#include "tst_PresentationFinder.moc"
