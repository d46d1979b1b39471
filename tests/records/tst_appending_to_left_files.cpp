#include "records/PatientFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

const QString patientFileName = QStringLiteral("0004711M.CRV");
const QByteArray storedLine = "\"10/04/20210000004620\"\r\n";

} // namespace

// Files an editor, a cut-off copy or another program left behind: storing a weighing adds to
// their end and nothing else, and the weighing reads back whole as the last record.
class AppendingToLeftFiles : public QObject
{
    Q_OBJECT

private slots:
    void storingAddsAWholeRecordAfterAnyLastLine_data();
    void storingAddsAWholeRecordAfterAnyLastLine();
};

void AppendingToLeftFiles::storingAddsAWholeRecordAfterAnyLastLine_data()
{
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<QByteArray>("added");
    QTest::addColumn<QStringList>("recordsBefore"); // the records that must still read as before

    const QStringList history{"14/02/2021", "03/03/20210000003950"};
    QTest::newRow("as the program writes it")
        << QByteArray("\"14/02/2021\"\r\n\"03/03/20210000003950\"\r\n") << storedLine << history;
    QTest::newRow("last line without its line end")
        << QByteArray("\"14/02/2021\"\r\n\"03/03/20210000003950\"") << "\r\n" + storedLine
        << history;
    QTest::newRow("one line without any line end")
        << QByteArray("\"14/02/2021\"") << "\r\n" + storedLine << QStringList{"14/02/2021"};
    QTest::newRow("line feeds only")
        << QByteArray("\"14/02/2021\"\n\"03/03/20210000003950\"\n") << storedLine << history;
    QTest::newRow("ends in a carriage return")
        << QByteArray("\"14/02/2021\"\r\n\"03/03/20210000003950\"\r") << "\r\n" + storedLine
        << history;
    // An emptied file has lost its birth date: it gets the one typed now, before the weighing.
    QTest::newRow("empty") << QByteArray() << "\"01/01/2020\"\r\n" + storedLine
                           << QStringList{"01/01/2020"};
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xef\xbb\xbf\"14/02/2021\"\r\n") << storedLine << QStringList{"14/02/2021"};
    QTest::newRow("ends in blanks")
        << QByteArray("\"14/02/2021\"\r\n  \t") << "\r\n" + storedLine << QStringList{"14/02/2021"};
}

void AppendingToLeftFiles::storingAddsAWholeRecordAfterAnyLastLine()
{
    QFETCH(QByteArray, left);
    QFETCH(QByteArray, added);
    QFETCH(QStringList, recordsBefore);

    QTemporaryDir temp;
    const QDir folder(temp.path());
    QFile file(folder.filePath(patientFileName));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(left) == left.size());
    file.close();

    const Result<FiledWeighing> filed =
        GuardarMedida(patientFileName, QDate(2020, 1, 1), 4620, QDate(2021, 4, 10), folder);
    QVERIFY2(filed.ok(), qPrintable(filed.ok() ? QString() : filed.failure().description));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), left + added);

    const RecordReading reading = readPatientRecords(patientFileName, folder);
    QVERIFY2(!reading.failure, qPrintable(reading.failure ? reading.failure->description : ""));
    QCOMPARE(reading.records, recordsBefore + QStringList{"10/04/20210000004620"});
}

QTEST_GUILESS_MAIN(AppendingToLeftFiles)
#include "tst_appending_to_left_files.moc"
