#include "app/StartUp.h"
#include "app/ZelpoProgram.h"
#include "core/Centring.h"
#include "forms/FormLabel.h"
#include "forms/PerZelpo.h"

#include <cmath>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zelpo;

namespace {

// Whether the chart window's outer frame stands centred on the screen, to the nearest pixel.
bool centredOnScreen(const PerZelpo& window)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window.frameGeometry();
    const double leftGap = frame.left() - screen.left();
    const double topGap = frame.top() - screen.top();
    return std::abs(leftGap - (screen.width() - frame.width()) / 2.0) <= 0.5 &&
           std::abs(topGap - (screen.height() - frame.height()) / 2.0) <= 0.5;
}

QString canonical(const QString& directory)
{
    return QFileInfo(directory).canonicalFilePath();
}

// Runs the application's event loop after `act` has run inside it, until the loop ends; false
// when it is still running after a limit that only a program that never ends reaches, however
// busy the machine.
bool eventLoopEndsAfter(const std::function<void()>& act)
{
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(30000);
    QTimer::singleShot(0, act);
    QCoreApplication::exec();
    return !timedOut;
}

} // namespace

class StartUpTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFormLabelAccessibility();
        m_startDirectory = QDir::currentPath();
    }

    void cleanup() { QDir::setCurrent(m_startDirectory); }

    void centredPositionKeepsHalvesAndGoesNegative_data()
    {
        QTest::addColumn<float>("screen");
        QTest::addColumn<float>("window");
        QTest::addColumn<float>("position");
        QTest::newRow("half a twip kept") << 15360.0f << 9525.0f << 2917.5f;
        QTest::newRow("both halves fractional") << 15361.0f << 9524.0f << 2918.5f;
        QTest::newRow("quarters") << 100.5f << 1.0f << 49.75f;
        QTest::newRow("fractional sizes") << 11520.0f << 7365.5f << 2077.25f;
        QTest::newRow("window as wide as the screen") << 9525.0f << 9525.0f << 0.0f;
        QTest::newRow("window taller than the screen") << 6000.0f << 7000.5f << -500.25f;
        QTest::newRow("no screen at all") << 0.0f << 7455.0f << -3727.5f;
    }

    void centredPositionKeepsHalvesAndGoesNegative()
    {
        QFETCH(float, screen);
        QFETCH(float, window);
        QFETCH(float, position);
        const float centred = centredPosition(screen, window);
        QVERIFY2(centred == position, qPrintable(QStringLiteral("%1 instead of %2")
                                                     .arg(double(centred), 0, 'g', 9)
                                                     .arg(double(position), 0, 'g', 9)));
    }

    void theProgramDirectoryBecomesCurrent()
    {
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        QVERIFY(makeProgramDirectoryCurrent());
        QCOMPARE(canonical(QDir::currentPath()), canonical(QCoreApplication::applicationDirPath()));
    }

    void loadingTheChartWindowCentresItAndMovesToTheProgramDirectory()
    {
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        PerZelpo window;
        window.move(0, 0);
        loadChartWindow(window);
        QVERIFY2(centredOnScreen(window), "the chart window is not centred");
        QCOMPARE(canonical(QDir::currentPath()), canonical(QCoreApplication::applicationDirPath()));
    }

    void theShownChartWindowStaysCentredWithItsFrame()
    {
        ZelpoProgram program;
        program.start();
        PerZelpo& window = program.chartWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(window.isModal(), "the chart window does not block the backdrop");
        QTRY_VERIFY2(centredOnScreen(window), "the chart window is not centred by its frame");
    }

    void closingTheChartWindowEndsTheProgram()
    {
        ZelpoProgram program;
        program.start();
        PerZelpo& window = program.chartWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(eventLoopEndsAfter([&window] { window.close(); }),
                 "the program kept running after the chart window closed");
    }

    void finEndsTheProgram()
    {
        ZelpoProgram program;
        program.start();
        PerZelpo& window = program.chartWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(
            eventLoopEndsAfter([&window] { QTest::mouseClick(window.Command3(), Qt::LeftButton); }),
            "the program kept running after \"Fin\"");
    }

private:
    QString m_startDirectory;
};

QTEST_MAIN(StartUpTest)
#include "tst_start_up.moc"
