#include "app/FirstPaintReport.h"

#include <cstdio>
#include <memory>

#include <QPainter>
#include <QTest>
#include <QWidget>

using namespace zelpo;

namespace {

// Everything written to a scratch file, read back from its start.
QByteArray contents(std::FILE* file)
{
    std::fflush(file);
    const long end = std::ftell(file);
    std::rewind(file);
    QByteArray bytes(end, '\0');
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    bytes.truncate(qsizetype(read));
    std::fseek(file, 0, SEEK_END);
    return bytes;
}

using ScratchFile = std::unique_ptr<std::FILE, decltype(&std::fclose)>;

ScratchFile scratchFile()
{
    return {std::tmpfile(), &std::fclose};
}

// A control that notes, at its first paint, what the report had written by then.
class Control : public QWidget
{
public:
    Control(QWidget* parent, std::FILE* report) : QWidget(parent), m_report(report) {}
    int paints = 0;
    QByteArray reportAtFirstPaint;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (paints++ == 0) {
            reportAtFirstPaint = contents(m_report);
        }
        QPainter(this).fillRect(rect(), Qt::darkRed);
    }

private:
    std::FILE* m_report;
};

const QByteArray reportLine = QByteArray(kFirstPaintLine) + '\n';

} // namespace

class FirstPaintReportTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qunsetenv(kFirstPaintReportVariable); }
    void writesNothingUnlessAskedWithOne_data();
    void writesNothingUnlessAskedWithOne();
    void writesOneLineOnceTheControlsArePaintedToo();
};

void FirstPaintReportTest::writesNothingUnlessAskedWithOne_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("variable absent") << false << QByteArray();
    QTest::newRow("variable empty") << true << QByteArray();
    QTest::newRow("variable 0") << true << QByteArray("0");
    QTest::newRow("variable a word") << true << QByteArray("yes");
}

void FirstPaintReportTest::writesNothingUnlessAskedWithOne()
{
    QFETCH(bool, set);
    QFETCH(QByteArray, value);
    if (set) {
        qputenv(kFirstPaintReportVariable, value);
    }
    const ScratchFile report = scratchFile();
    QWidget window;
    Control control(&window, report.get());
    QVERIFY2(!reportFirstPaintWhenAsked(window, report.get()),
             "the window is watched though nobody asked");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY2(control.paints > 0, "the window was never painted");
    QCoreApplication::processEvents();
    QCOMPARE(contents(report.get()), QByteArray());
    QVERIFY2(window.findChildren<QObject*>().size() == 1,
             "something was left on the window though nobody asked");
}

void FirstPaintReportTest::writesOneLineOnceTheControlsArePaintedToo()
{
    qputenv(kFirstPaintReportVariable, "1");
    const ScratchFile report = scratchFile();
    QWidget window;
    window.resize(200, 150);
    auto* control = new Control(&window, report.get());
    control->setGeometry(20, 20, 100, 80);
    QVERIFY2(reportFirstPaintWhenAsked(window, report.get()), "the window is not watched");
    QCOMPARE(contents(report.get()), QByteArray());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(contents(report.get()), reportLine);
    QCOMPARE(control->reportAtFirstPaint, QByteArray());

    // Later paints, whole or partial, are not first paints.
    window.repaint();
    control->update();
    QTRY_VERIFY2(control->paints >= 3, "the control was not painted again");
    QCoreApplication::processEvents();
    QCOMPARE(contents(report.get()), reportLine);
}

QTEST_MAIN(FirstPaintReportTest)
#include "tst_first_paint_report.moc"
