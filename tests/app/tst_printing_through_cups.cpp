// Printing the chart through a CUPS server of the test's own, as a practice's printer takes it:
// a cups-pdf queue writing into the test's folder, a queue that rejects jobs, and a server that
// has gone. A machine that cannot run one reports the test skipped and says why.

#include "PrintableWindow.h"
#include "app/QtOutputDialogs.h"
#include "outputs/PdfChart.h"
#include "outputs/PrintedChart.h"
#include "printout/ChartPdfFile.h"
#include "support/TestFiles.h"

#include <cstdio>
#include <cups/cups.h>
#include <netinet/in.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QTest>
#include <QTimer>

using namespace zelpo;

namespace {

const QString printingQueue = QStringLiteral("zelpo-prueba-%1").arg(getpid());
const QString rejectingQueue = QStringLiteral("zelpo-rechaza-%1").arg(getpid());

bool succeeds(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
}

// cupsd on a free port of 127.0.0.1 with its settings, spool and logs in a temporary folder.
// cups-pdf reads a queue's settings only from /etc/cups: the printing queue's file there is
// named after this process and goes with the server.
class OwnCupsServer
{
public:
    OwnCupsServer()
    {
        for (const char* path : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/sbin/cupsreject",
                                 "/usr/lib/cups/backend/cups-pdf", kDriver})
            if (!QFileInfo::exists(path))
                problem += QStringLiteral("%1 is missing; ").arg(path);
        if (geteuid() != 0)
            problem += "cups-pdf prints only for a cupsd run as root; ";
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        const int probe = socket(AF_INET, SOCK_STREAM, 0);
        if (bind(probe, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            problem += "no free port on 127.0.0.1; ";
        close(probe);
        if (!problem.isEmpty())
            return;
        m_address = QStringLiteral("127.0.0.1:%1").arg(ntohs(address.sin_port));
        // The filters run as CUPS's own user: they must reach the spool and temporary files.
        chmod(QFile::encodeName(m_folder.path()).constData(), 0755);
        for (const char* folder : {"ssl", "spool", "cache", "state", "tmp", "log", "printed"})
            QDir(m_folder.path()).mkdir(folder);
        chmod(QFile::encodeName(path("tmp")).constData(), 01777);
        writeText(path("cupsd.conf"), "Listen " + m_address +
                                          "\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                          "<Policy default>\nJobPrivateValues none\n<Limit All>\n"
                                          "Order deny,allow\n</Limit>\n</Policy>\n");
        writeText(path("cups-files.conf"),
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir "
                                 "%1/state\nTempDir %1/tmp\nServerKeychain %1/ssl\nErrorLog "
                                 "%1/log/error_log\nAccessLog %1/log/access_log\nPageLog "
                                 "%1/log/page_log\nPrintcap %1/log/printcap\n")
                      .arg(m_folder.path()));
        m_queueSettings = "/etc/cups/cups-pdf-" + printingQueue + ".conf";
        if (!writeText(m_queueSettings, QStringLiteral("Out %1\nLog %2\nSpool %3\nGSTmp %3\n")
                                            .arg(printed(), path("log"), path("tmp")))) {
            problem = "/etc/cups cannot be written for cups-pdf's queue settings";
            return;
        }
        m_cupsd.start("/usr/sbin/cupsd",
                      {"-f", "-c", path("cupsd.conf"), "-s", path("cups-files.conf")});
        const QStringList host{"-h", m_address};
        // Ready once it says so; ended, it never will. lpstat ends well either way.
        const auto answers = [&] {
            return outputOf("lpstat", host + QStringList{"-r"}).startsWith("scheduler is running");
        };
        const bool running =
            m_cupsd.waitForStarted() &&
            QTest::qWaitFor([&] { return m_cupsd.state() != QProcess::Running || answers(); },
                            30000) &&
            m_cupsd.state() == QProcess::Running;
        const auto addQueue = [&](const QString& queue, const QString& device) {
            return succeeds("lpadmin",
                            host + QStringList{"-p", queue, "-v", device, "-P", kDriver, "-E"});
        };
        if (!running || !addQueue(printingQueue, "cups-pdf:/" + printingQueue) ||
            !addQueue(rejectingQueue, "cups-pdf:/") ||
            !succeeds("cupsreject", host + QStringList{rejectingQueue})) {
            problem = "cupsd did not start or take its queues: " + m_cupsd.readAll() + log();
            return;
        }
        // Qt's print support and this test both reach CUPS through this.
        qputenv("CUPS_SERVER", m_address.toUtf8());
    }
    ~OwnCupsServer()
    {
        stop();
        if (!m_queueSettings.isEmpty())
            QFile::remove(m_queueSettings);
    }
    void stop()
    {
        m_cupsd.terminate();
        m_cupsd.waitForFinished(10000);
    }
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QString printed() const { return path("printed"); }
    QString log() const { return QString::fromUtf8(contentOf(path("log/error_log"))); }
    // Sets a queue's default, as a practice's administrator would.
    bool setDefault(const QString& queue, const QString& option)
    {
        return succeeds("lpadmin", {"-h", m_address, "-p", queue, "-o", option});
    }

    QString problem; // why no server runs; empty when it does

private:
    static constexpr const char* kDriver = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
    QTemporaryDir m_folder;
    QProcess m_cupsd;
    QString m_address, m_queueSettings;
};

OwnCupsServer* server = nullptr;

// Rendered small and a little blurred, so that two ways of drawing the same glyphs match.
QImage firstSheet(const QString& pdf)
{
    QProcess::execute("pdftoppm", {"-r", "100", "-gray", "-singlefile", "-png", pdf, pdf});
    const QImage sheet(pdf + ".png");
    return sheet.scaled(sheet.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

class PrintingThroughCupsTest : public QObject
{
    Q_OBJECT

private slots:
    void aJobArrivesNamedWithTheChartAndTheTable()
    {
        PrintableWindow zelpo;
        zelpo.messages.clear();
        zelpo.dialogs.printerToChoose = printingQueue;
        printChart(zelpo.outputs);
        QVERIFY2(zelpo.messages.shown().isEmpty(), qPrintable(zelpo.messages.shown()[0].text));
        cups_job_t* jobs = nullptr;
        int count = 0;
        const auto finishedJobs = [&] {
            cupsFreeJobs(count, jobs);
            count = cupsGetJobs(&jobs, qPrintable(printingQueue), 0, CUPS_WHICHJOBS_COMPLETED);
            return count;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(finishedJobs() == 1, qPrintable(server->log()), 60000);
        const QString title = QString::fromUtf8(jobs[0].title);
        cupsFreeJobs(count, jobs);
        QCOMPARE(title, "Zelpo — Historia 0004711 (Mujer)");

        // Poppler reads no text in what cups-pdf writes through Ghostscript: the printed sheet
        // is compared with the page saved as a PDF, the same chart and table drawn alike.
        const QDir printed(server->printed());
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("guardado.pdf");
        saveChartAsPdf(zelpo.outputs);
        const QImage sheet = firstSheet(printed.filePath(printed.entryList({"*.pdf"}).value(0)));
        const QImage saved = firstSheet(zelpo.dialogs.pathToChoose);
        QCOMPARE(sheet.size(), saved.size());
        int differing = 0, inked = 0;
        for (int y = 0; y < saved.height(); ++y)
            for (int x = 0; x < saved.width(); ++x) {
                differing += std::abs(qGray(sheet.pixel(x, y)) - qGray(saved.pixel(x, y))) > 64;
                inked += qGray(saved.pixel(x, y)) < 128;
            }
        QVERIFY2(inked > 1000 && differing < inked / 50,
                 qPrintable(QString("%1 of %2").arg(differing).arg(inked)));
    }

    void theDialogOffersTheChildsFileAndKeepsToThePrinterAndItsPaper()
    {
        QVERIFY(server->setDefault(printingQueue, "PageSize=Letter"));
        QPrinter printer(QPrinter::HighResolution);
        setUpChartPaper(printer, false);
        QString offered, chosen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            auto* file = dialog ? dialog->findChild<QLineEdit*>("filename") : nullptr;
            auto* printers = dialog ? dialog->findChild<QComboBox*>("printers") : nullptr;
            offered = file ? file->text() : "no file box";
            chosen = printers ? printers->currentText() : "no printer box";
            if (dialog)
                dialog->accept();
        });
        QCOMPARE(
            QtOutputDialogs().choosePrinter(nullptr, printer, "/inicio/Documents/0004711M.pdf"),
            PrinterChoice::Chosen);
        QCOMPARE(offered, "/inicio/Documents/0004711M.pdf");
        QCOMPARE(chosen, printingQueue);
        QCOMPARE(printer.printerName(), printingQueue);
        QCOMPARE(printer.outputFileName(), QString());
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    }

    void aQueueThatRejectsJobsOrAServerThatIsGoneIsTold()
    {
        PrintableWindow zelpo;
        zelpo.messages.clear();
        zelpo.dialogs.printerToChoose = rejectingQueue;
        printChart(zelpo.outputs);
        zelpo.dialogs.printerToChoose = printingQueue;
        zelpo.dialogs.whileOpen = [] { server->stop(); };
        printChart(zelpo.outputs);
        const QString failed = "No se pudo imprimir el gráfico en la impresora «%1»:\r%2.";
        QCOMPARE(zelpo.messages.shown().size(), 2);
        QCOMPARE(zelpo.messages.shown()[0].text,
                 failed.arg(rejectingQueue, "la impresora no acepta trabajos en este momento"));
        QCOMPARE(zelpo.messages.shown()[1].text,
                 failed.arg(printingQueue, "el servicio de impresión no responde"));
        QPrinter printer;
        QCOMPARE(QtOutputDialogs().choosePrinter(nullptr, printer, ""), PrinterChoice::NoPrinter);
    }
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The free port found may be taken by another test's process before cupsd binds it: a new
    // server on a new port is tried before the test gives up.
    std::optional<OwnCupsServer> cups;
    for (int attempt = 0; attempt < 3 && (!cups || !cups->problem.isEmpty()); ++attempt)
        cups.emplace();
    if (!cups->problem.isEmpty()) {
        std::printf("SKIPPED: no CUPS server of the test's own: %s\n",
                    cups->problem.toUtf8().toPercentEncoding(" :;,./()'-_").constData());
        return 77; // SKIP_RETURN_CODE
    }
    server = &*cups;
    PrintingThroughCupsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printing_through_cups.moc"
