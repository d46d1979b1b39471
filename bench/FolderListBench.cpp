#include "bench/FolderListBench.h"

#include "app/FolderChildrenWindow.h"
#include "forms/PerZelpo.h"
#include "history/ChildHistory.h"
#include "procedures/ChartView.h"
#include "support/FixedClock.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedOutputDialogs.h"

#include <sys/resource.h>

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (QByteArray line; !(line = status.readLine()).isEmpty();) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
        }
    }
    return 0;
}

double processorMs()
{
    rusage used{};
    getrusage(RUSAGE_SELF, &used);
    const auto ms = [](const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; };
    return ms(used.ru_utime) + ms(used.ru_stime);
}

// Children born a day apart, each weighed every 30 days from 10 days old, gaining 150 g a time;
// every tenth has its third weighing struck out.
bool fillFolder(const QString& folder, int children, int weighings)
{
    const QDate firstBirth(2019, 1, 1);
    for (int child = 1; child <= children; ++child) {
        const QDate birth = firstBirth.addDays(child % 2000);
        const QString name = QStringLiteral("%1").arg(child, 7, 10, QLatin1Char('0'));
        const QString sex = child % 2 ? QStringLiteral("M") : QStringLiteral("V");
        QByteArray records =
            '"' + birth.toString(QStringLiteral("dd/MM/yyyy")).toLatin1() + "\"\r\n";
        QByteArray struck;
        for (int weighing = 1; weighing <= weighings; ++weighing) {
            const QByteArray record =
                birth.addDays(10 + 30 * weighing)
                    .toString(QStringLiteral("dd/MM/yyyy"))
                    .toLatin1() +
                QByteArray::number(3000 + 150 * weighing).rightJustified(10, '0');
            records += '"' + record + "\"\r\n";
            if (weighing == 3) {
                struck = "\"A|0003|" + record + "|01/06/2025|error de tipeo\"\r\n";
            }
        }
        QFile patient(folder + u'/' + name + sex + QStringLiteral(".CRV"));
        if (!patient.open(QIODevice::WriteOnly) || patient.write(records) != records.size()) {
            return false;
        }
        QFile corrections(folder + u'/' + name + sex + QStringLiteral(".COR"));
        if (child % 10 == 0 && (!corrections.open(QIODevice::WriteOnly) ||
                                corrections.write(struck) != struck.size())) {
            return false;
        }
    }
    return true;
}

} // namespace

FolderListFigures measureFolderList(int children, int weighings)
{
    FolderListFigures figures;
    QTemporaryDir folder;
    if (!fillFolder(folder.path(), children, weighings)) {
        figures.problem = QStringLiteral("the folder of children could not be written");
        return figures;
    }
    zelpo::PerZelpo chart;
    zelpo::ChildHistory history(folder.path(), {});
    ScriptedMessageService messages;
    FixedClock clock(QDate(2025, 6, 1));
    ScriptedOutputDialogs dialogs;
    zelpo::ChartView view;
    chart.show();
    if (!QTest::qWaitForWindowExposed(&chart)) {
        figures.problem = QStringLiteral("the chart window was never shown");
        return figures;
    }
    zelpo::FolderChildrenWindow list(
        chart, {messages, clock, dialogs, history, [] { return false; }, view});
    const QAbstractItemModel* rows = list.findChild<QTableView*>()->model();

    // The chart window's event loop ticks as often as it can; each gap between two ticks is time
    // it could not answer the pointer.
    QElapsedTimer sinceTick;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(1);
    const double memoryBefore = residentMiB();
    int tick = 0;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        figures.longestTickGapMs =
            std::max(figures.longestTickGapMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
        // Reading the process's status takes time of its own: every twentieth tick.
        if (++tick % 20 == 0) {
            figures.memoryAddedMiB = std::max(figures.memoryAddedMiB, residentMiB() - memoryBefore);
        }
    });
    QElapsedTimer elapsed;
    const double processorBefore = processorMs();
    // An event loop of its own, which never sleeps as the test library's waits do.
    QEventLoop untilShown;
    QObject::connect(rows, &QAbstractItemModel::rowsInserted, [&] {
        if (figures.firstRowsMs == 0) {
            figures.firstRowsMs = elapsed.nsecsElapsed() / 1e6;
        }
        if (rows->rowCount() == children) {
            untilShown.quit();
        }
    });
    QTimer::singleShot(60000, &untilShown, &QEventLoop::quit);
    ticks.start();
    sinceTick.start();
    elapsed.start();
    list.bringToFront();
    untilShown.exec();
    if (rows->rowCount() != children) {
        figures.problem = QStringLiteral("the list showed %1 of %2 children within a minute")
                              .arg(rows->rowCount())
                              .arg(children);
    }
    figures.wholeListMs = elapsed.nsecsElapsed() / 1e6;
    figures.processorMs = processorMs() - processorBefore;
    ticks.stop();
    return figures;
}
