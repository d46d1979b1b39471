// Printing the chart through a CUPS server of the test's own, as a practice's printer takes it:
// a cups-pdf queue that writes what it prints into the test's folder, a queue that rejects jobs,
// and a server that has gone. Where this machine cannot run one, the test says why and is
// reported skipped.

#include "app/ChartOutputs.h"
#include "app/ChartWindowEvents.h"
#include "app/QtOutputDialogs.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"
#include "printout/ChartPdfFile.h"
#include "records/PatientFile.h"
#include "support/FixedClock.h"
#include "support/RecordingAddressOpener.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedOutputDialogs.h"

#include <cstdio>
#include <cups/cups.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace {

constexpr int kSkipped = 77;
const QString printingQueue = QStringLiteral("zelpo-prueba-%1").arg(getpid());
const QString rejectingQueue = QStringLiteral("zelpo-rechaza-%1").arg(getpid());

int freePort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = bind(probe, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                       getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    close(probe);
    return bound ? ntohs(address.sin_port) : 0;
}

bool succeeds(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// cupsd on a port of 127.0.0.1 with its folders, logs and queues in a temporary folder. cups-pdf
// reads a queue's settings only from /etc/cups, so the printing queue's file there is named
// after this process and removed with the server.
class OwnCupsServer
{
public:
    OwnCupsServer()
    {
        const char* needed[] = {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/sbin/cupsreject",
                                "/usr/lib/cups/backend/cups-pdf",
                                "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"};
        for (const char* path : needed)
            if (!QFileInfo::exists(path))
                problem +=
                    QStringLiteral("%1 is missing (cups, cups-bsd, printer-driver-cups-pdf); ")
                        .arg(path);
        if (geteuid() != 0)
            problem += "cups-pdf prints only for a cupsd run as root; ";
        const int port = freePort();
        if (!problem.isEmpty() || port == 0 || !m_folder.isValid())
            return;
        // The filters run as CUPS's own user and must reach the spool and temporary files.
        QFile::setPermissions(m_folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ExeOther |
                                                   QFileDevice::ReadOther | QFileDevice::ExeGroup);
        for (const char* folder :
             {"etc", "ssl", "spool", "cache", "state", "tmp", "log", "printed"})
            QDir(m_folder.path()).mkdir(folder);
        chmod(QFile::encodeName(path("tmp")).constData(), 01777);
        address = QStringLiteral("127.0.0.1:%1").arg(port);
        write("etc/cupsd.conf", "Listen " + address +
                                    "\nLogLevel info\nWebInterface No\nBrowsing No\n"
                                    "DefaultAuthType None\n<Location />\nOrder allow,deny\n"
                                    "Allow all\n</Location>\n<Policy default>\n"
                                    "JobPrivateValues none\n<Limit All>\nOrder deny,allow\n"
                                    "</Limit>\n</Policy>\n");
        write("etc/cups-files.conf",
              QStringLiteral(
                  "ServerRoot %1\nRequestRoot %2\nCacheDir %3\nStateDir %4\nTempDir "
                  "%5\nErrorLog %6/error_log\nAccessLog %6/access_log\nPageLog "
                  "%6/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\nServerKeychain "
                  "%7\nPrintcap %6/printcap\n")
                  .arg(path("etc"), path("spool"), path("cache"), path("state"), path("tmp"),
                       path("log"), path("ssl")));
        m_queueSettings = "/etc/cups/cups-pdf-" + printingQueue + ".conf";
        if (!writeFile(m_queueSettings, QStringLiteral("Out %1\nLog %2\nSpool %3\nGSTmp %3\n")
                                            .arg(printed(), path("log"), path("tmp")))) {
            problem = "/etc/cups cannot be written for cups-pdf's queue settings";
            return;
        }
        m_cupsd.start("/usr/sbin/cupsd",
                      {"-f", "-c", path("etc/cupsd.conf"), "-s", path("etc/cups-files.conf")});
        const QStringList host{"-h", address};
        m_cupsd.waitForStarted();
        bool running = false;
        for (int wait = 0; wait < 100 && !running && m_cupsd.state() == QProcess::Running; ++wait) {
            QThread::msleep(100);
            running = succeeds("lpstat", host + QStringList{"-r"});
        }
        const QStringList driver{"-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"};
        if (!running ||
            !succeeds("lpadmin", host + driver +
                                     QStringList{"-p", printingQueue, "-v",
                                                 "cups-pdf:/" + printingQueue, "-E"}) ||
            !succeeds("lpadmin", host + driver +
                                     QStringList{"-p", rejectingQueue, "-v", "cups-pdf:/", "-E"}) ||
            !succeeds("cupsreject", host + QStringList{rejectingQueue})) {
            problem =
                "cupsd did not start or take its queues: " + m_cupsd.readAll() + contentOfLog();
            return;
        }
        // Qt's print support and this test both ask CUPS through this.
        qputenv("CUPS_SERVER", address.toUtf8());
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
    QString contentOfLog() const
    {
        QFile log(path("log/error_log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

    QString problem; // why no server runs; empty when it does
    QString address;

private:
    void write(const QString& name, const QString& text) { writeFile(path(name), text); }
    static bool writeFile(const QString& path, const QString& text)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
    }

    QTemporaryDir m_folder;
    QProcess m_cupsd;
    QString m_queueSettings;
};

OwnCupsServer* server = nullptr;

// The chart window of a girl with a stored history, printing through the scripted dialogs.
struct PrintingWindow
{
    QTemporaryDir folder;
    PerZelpo window;
    ScriptedMessageService messages;
    FixedClock clock{QDate(2023, 6, 1)};
    RecordingAddressOpener addresses;
    ScriptedOutputDialogs dialogs;
    ChartWindowEvents events{window, {messages, clock, addresses, folder.path()}, [] {}};
    ChartOutputs printing{window, events, {messages, clock, dialogs, folder.path()}};

    PrintingWindow()
    {
        zelpo::GuardarMedida(false, "1027", "14/02/2021", "3950", QDate(2021, 3, 3), folder.path());
        zelpo::GuardarMedida(false, "1027", "14/02/2021", "9800", QDate(2022, 2, 14),
                             folder.path());
        window.Text3()->setText("1027");
        window.Option1(1)->click();
        messages.clear();
    }
};

QImage firstSheet(const QString& pdf)
{
    // Blurred a little, so that the two ways of drawing the same glyphs do not count.
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
        PrintingWindow zelpo;
        zelpo.dialogs.printerToChoose = printingQueue;
        zelpo.printing.printChart();
        QVERIFY2(zelpo.messages.shown().isEmpty(),
                 qPrintable(zelpo.messages.shown().value(0).text));
        cups_job_t* jobs = nullptr;
        const auto finishedJobs = [&jobs] {
            cupsFreeJobs(0, jobs);
            return cupsGetJobs(&jobs, printingQueue.toUtf8().constData(), 0,
                               CUPS_WHICHJOBS_COMPLETED);
        };
        QTRY_VERIFY2_WITH_TIMEOUT(finishedJobs() == 1, qPrintable(server->contentOfLog()), 60000);
        const int count = finishedJobs();
        QCOMPARE(QString::fromUtf8(jobs[0].title), "Zelpo — Historia 0001027 (Mujer)");
        cupsFreeJobs(count, jobs);
        // Poppler reads no text in what cups-pdf writes through Ghostscript, so the printed
        // sheet is compared with the page saved as a PDF: the same chart and table, drawn alike.
        const QDir printed(server->printed());
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("guardado.pdf");
        zelpo.printing.saveChartAsPdf();
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
        // The paper is the queue's own, whatever the page asked for before the dialog.
        succeeds("lpadmin", {"-h", server->address, "-p", printingQueue, "-o", "PageSize=Letter"});
        QPrinter printer(QPrinter::HighResolution);
        setUpChartPaper(printer, false);
        QString offered, chosen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            QLineEdit* file = dialog ? dialog->findChild<QLineEdit*>("filename") : nullptr;
            QComboBox* printers = dialog ? dialog->findChild<QComboBox*>("printers") : nullptr;
            offered = file ? file->text() : "no file box";
            chosen = printers ? printers->currentText() : "no printers box";
            if (dialog)
                dialog->accept();
        });
        QCOMPARE(
            QtOutputDialogs().choosePrinter(nullptr, printer, "/inicio/Documents/0001027M.pdf"),
            PrinterChoice::Chosen);
        QCOMPARE(offered, "/inicio/Documents/0001027M.pdf");
        QCOMPARE(chosen, printingQueue);
        QCOMPARE(printer.printerName(), printingQueue);
        QCOMPARE(printer.outputFileName(), QString());
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    }

    void aQueueThatRejectsJobsOrAServerThatIsGoneIsTold()
    {
        PrintingWindow zelpo;
        zelpo.dialogs.printerToChoose = rejectingQueue;
        zelpo.printing.printChart();
        zelpo.dialogs.printerToChoose = printingQueue;
        zelpo.dialogs.whileOpen = [] { server->stop(); };
        zelpo.printing.printChart();
        QCOMPARE(zelpo.messages.shown().size(), 2);
        QPrinter printer;
        QCOMPARE(QtOutputDialogs().choosePrinter(nullptr, printer, ""), PrinterChoice::NoPrinter);
        QCOMPARE(zelpo.messages.shown()[0].text,
                 "No se pudo imprimir el gráfico en la impresora «" + rejectingQueue +
                     "»:\rla impresora no acepta trabajos en este momento.");
        QCOMPARE(zelpo.messages.shown()[1].text,
                 "No se pudo imprimir el gráfico en la impresora «" + printingQueue +
                     "»:\rel servicio de impresión no responde.");
    }
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    OwnCupsServer cups;
    if (!cups.problem.isEmpty()) {
        std::printf("SKIPPED: no CUPS server of the test's own: %s\n", qPrintable(cups.problem));
        return kSkipped;
    }
    server = &cups;
    PrintingThroughCupsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printing_through_cups.moc"
