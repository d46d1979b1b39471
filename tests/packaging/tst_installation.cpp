#include "artwork/IconArtwork.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The value of `key` in the desktop entry's lines; empty when missing.
QString entryValue(const QStringList& lines, const QString& key)
{
    for (const QString& line : lines) {
        if (line.startsWith(key + u'=')) {
            return line.mid(key.size() + 1);
        }
    }
    return QString();
}

// The program named by an Exec value that is one quoted path, undoing the desktop entry's two
// levels of escaping; empty when the value is not of that form.
QString programOfExec(const QString& exec)
{
    if (exec.size() < 2 || !exec.startsWith(u'"') || !exec.endsWith(u'"')) {
        return QString();
    }
    QString unescaped;
    const QString inner = exec.mid(1, exec.size() - 2).replace(QStringLiteral("\\\\"), "\\");
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == u'\\' && i + 1 < inner.size()) {
            ++i;
        } else if (inner[i] == u'%' && i + 1 < inner.size() && inner[i + 1] == u'%') {
            ++i;
        }
        unescaped.append(inner[i]);
    }
    return unescaped;
}

} // namespace

class Installation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void putsTheProgramInBin();
    void installsTheIconDrawnByTheProgram_data();
    void installsTheIconDrawnByTheProgram();
    void installsAValidDesktopEntryNamingTheInstalledProgram();
    void installedProgramStartsAndStoresNothing();

private:
    // A space and a dollar in the folder's name check that the desktop entry quotes its path.
    QTemporaryDir m_prefix{QDir::tempPath() + QStringLiteral("/zelpo install $XXXXXX")};
    QString m_installLog;
};

void Installation::initTestCase()
{
    QVERIFY2(m_prefix.isValid(), qPrintable(m_prefix.errorString()));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(CMAKE_COMMAND),
                  {"--install", QStringLiteral(BUILD_DIR), "--prefix", m_prefix.path()});
    QVERIFY2(install.waitForFinished(60000), "cmake --install did not finish in a minute");
    m_installLog = QString::fromLocal8Bit(install.readAll());
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             qPrintable("cmake --install failed:\n" + m_installLog));
}

void Installation::putsTheProgramInBin()
{
    const QFileInfo program(m_prefix.filePath("bin/zelpo"));
    QVERIFY2(program.isFile() && program.isExecutable(),
             qPrintable("no executable bin/zelpo; the installation said:\n" + m_installLog));
}

void Installation::installsTheIconDrawnByTheProgram_data()
{
    QTest::addColumn<int>("size");
    for (int size : {48, 128, 256}) {
        QTest::addRow("%dx%d", size, size) << size;
    }
}

void Installation::installsTheIconDrawnByTheProgram()
{
    QFETCH(int, size);
    const QString path =
        m_prefix.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/zelpo.png").arg(size));
    QImage installed;
    QVERIFY2(installed.load(path, "PNG"), qPrintable("no readable PNG at " + path));
    QCOMPARE(installed.size(), QSize(size, size));
    QVERIFY2(installed.hasAlphaChannel(), "the icon lost its transparent background");
    // The very picture the running program uses as its window icon, pixel for pixel.
    const QImage drawn = zelpo::renderIconImage(size).convertToFormat(QImage::Format_ARGB32);
    QVERIFY2(installed.convertToFormat(QImage::Format_ARGB32) == drawn,
             "the installed icon is not the program's own drawing");
}

void Installation::installsAValidDesktopEntryNamingTheInstalledProgram()
{
    const QString path = m_prefix.filePath("share/applications/zelpo.desktop");
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable("no " + path));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
    QCOMPARE(entryValue(lines, "Type"), QStringLiteral("Application"));
    QCOMPARE(entryValue(lines, "Name"), QStringLiteral("Zelpo"));
    // Found by Qt's freedesktop.org look-up, the installation's share folder not among the data's.
    qputenv("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    const QString icon = entryValue(lines, "Icon");
    QVERIFY2(!QIcon::fromTheme(icon).pixmap(48).isNull(), qPrintable("no icon " + icon));
    QVERIFY2(entryValue(lines, "Categories").split(u';').contains("MedicalSoftware"),
             qPrintable("categories: " + entryValue(lines, "Categories")));
    QVERIFY2(!entryValue(lines, "Comment").isEmpty(), "the entry has no comment");
    const QString exec = entryValue(lines, "Exec");
    QCOMPARE(programOfExec(exec), QFileInfo(m_prefix.filePath("bin/zelpo")).absoluteFilePath());

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty()) {
        QSKIP("desktop-file-validate is missing: install the test packages with scripts/setup.sh "
              "--tests");
    }
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {path});
    QVERIFY(validate.waitForFinished(30000));
    // Hints only suggest more categories; errors and warnings are faults of the entry.
    const QByteArray report = validate.readAll();
    QVERIFY2(validate.exitCode() == 0 && !report.contains(": error: ") &&
                 !report.contains(": warning: "),
             "desktop-file-validate objects:\n" + report);
}

void Installation::installedProgramStartsAndStoresNothing()
{
    const QString programDir = m_prefix.filePath("bin");
    QTemporaryDir elsewhere;
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.setWorkingDirectory(elsewhere.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    // The program says when its window has first been painted, as it tells the benchmark.
    environment.insert("ZELPO_REPORT_FIRST_PAINT", "1");
    program.setProcessEnvironment(environment);
    program.start(QDir(programDir).filePath("zelpo"));
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    bool painted = false;
    while (!painted && (program.canReadLine() || program.waitForReadyRead(60000))) {
        painted = program.readLine() == "first-paint\n";
    }
    const int exitCode = program.state() == QProcess::Running ? 0 : program.exitCode();
    program.kill();
    program.waitForFinished(10000);
    QVERIFY2(painted, qPrintable(QStringLiteral("the installed program ended, exit code %1, or "
                                                "never painted its window")
                                     .arg(exitCode)));

    QCOMPARE(QDir(programDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"zelpo"});
    QVERIFY2(QDir(elsewhere.path()).isEmpty(),
             "starting the program wrote into its working folder");
}

QTEST_MAIN(Installation)
#include "tst_installation.moc"
