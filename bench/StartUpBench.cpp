#include "bench/StartUpBench.h"

#include "app/FirstPaintReport.h"

#include <atomic>
#include <thread>
#include <vector>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace zelpo;

namespace {

using namespace std::chrono_literals;

constexpr auto kLaunchTimeout = 20s;
// A started program still settles after its first paint (the window manager frames the chart
// window and it is centred again); the memory is read once that is over.
constexpr auto kSettleTime = 300ms;

struct Launch
{
    LaunchCost cost{};
    QString problem;
};

// The peak resident set size, VmHWM, of a running process.
double peakMemoryMiB(qint64 pid, QString& problem)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("cannot read %1").arg(status.fileName());
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            const QByteArray kib = line.mid(6).trimmed().split(' ').value(0);
            return kib.toDouble() / 1024.0;
        }
    }
    problem = QStringLiteral("no VmHWM in %1").arg(status.fileName());
    return 0;
}

// What a program that failed said last, often the reason.
QString lastErrorLine(QProcess& process)
{
    const QByteArray said = process.readAllStandardError().trimmed();
    return QString::fromLocal8Bit(said.mid(said.lastIndexOf('\n') + 1));
}

Launch launchOnce(const QString& program, const QString& folder, double screenScale)
{
    Launch launch;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kFirstPaintReportVariable), QStringLiteral("1"));
    // At a scale of 1 the variable is left out, as on a desktop that scales nothing.
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    if (screenScale != 1) {
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(screenScale));
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);

    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    const QDeadlineTimer deadline(kLaunchTimeout);
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(int(deadline.remainingTime()))) {
            launch.problem = QStringLiteral("%1 gave no first-paint line (%2; %3)")
                                 .arg(program, process.errorString(), lastErrorLine(process));
            process.kill();
            process.waitForFinished();
            return launch;
        }
    }
    launch.cost.firstPaintMs = double(clock.nsecsElapsed()) / 1e6;
    const QByteArray line = process.readLine().trimmed();
    if (line != kFirstPaintLine) {
        launch.problem = QStringLiteral("%1 wrote \"%2\" instead of the first-paint line")
                             .arg(program, QString::fromLocal8Bit(line));
    }
    std::this_thread::sleep_for(kSettleTime);
    launch.cost.peakMemoryMiB = peakMemoryMiB(process.processId(), launch.problem);
    if (process.state() != QProcess::Running) {
        launch.problem = QStringLiteral("%1 ended on its own after its first paint").arg(program);
    }
    process.kill();
    process.waitForFinished();
    return launch;
}

} // namespace

StartUpSamples measureStartUp(const StartUpPrograms& programs, double screenScale, int runs)
{
    StartUpSamples samples;
    std::vector<std::pair<QString, QList<LaunchCost>*>> launched{
        {programs.zelpo, &samples.zelpo},
        {programs.minimal, &samples.minimal},
        {programs.textWindow, &samples.textWindow}};
    if (!programs.earlier.isEmpty()) {
        launched.emplace_back(programs.earlier, &samples.earlier);
    }
    // The programs may look for patient files in their folder; they get an empty one of their own.
    const QTemporaryDir folder;
    for (int run = -1; run < runs; ++run) {
        for (const auto& [program, costs] : launched) {
            const Launch launch = launchOnce(program, folder.path(), screenScale);
            if (!launch.problem.isEmpty()) {
                samples.problem = launch.problem;
                return samples;
            }
            if (run >= 0) {
                costs->append(launch.cost);
            }
        }
    }
    return samples;
}

QList<double> measureBusyStartUp(const QString& zelpoProgram, double screenScale, int runs,
                                 QString& problem)
{
    const QTemporaryDir folder;
    std::atomic_bool spinning = true;
    std::vector<std::jthread> spinners;
    for (unsigned core = 0; core < std::max(1u, std::thread::hardware_concurrency()); ++core) {
        spinners.emplace_back([&spinning] {
            while (spinning.load(std::memory_order_relaxed)) {
            }
        });
    }
    QList<double> times;
    for (int run = 0; run < runs && problem.isEmpty(); ++run) {
        const Launch launch = launchOnce(zelpoProgram, folder.path(), screenScale);
        problem = launch.problem;
        times.append(launch.cost.firstPaintMs);
    }
    spinning = false;
    return problem.isEmpty() ? times : QList<double>{};
}
