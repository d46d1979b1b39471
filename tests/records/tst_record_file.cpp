#include "records/RecordFile.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

MaybeFailure appendOne(const QString& path, const QString& record)
{
    return appendRecords(path, [&record](const QStringList&) { return QStringList{record}; });
}

} // namespace

class RecordFile : public QObject
{
    Q_OBJECT

private slots:
    void readsRecordsTolerantly_data();
    void readsRecordsTolerantly();
    void readsNoMoreThanAnyHistoryHolds();
    void neverLeavesPartOfALine();
};

void RecordFile::readsRecordsTolerantly_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("records");

    const QStringList history{"14/02/2021", "03/03/20210000003950"};
    QTest::newRow("as written") << QByteArray("\"14/02/2021\"\r\n\"03/03/20210000003950\"\r\n")
                                << history;
    QTest::newRow("no final line end")
        << QByteArray("\"14/02/2021\"\r\n\"03/03/20210000003950\"") << history;
    QTest::newRow("line feeds only")
        << QByteArray("\"14/02/2021\"\n\"03/03/20210000003950\"\n") << history;
    QTest::newRow("carriage returns only")
        << QByteArray("\"14/02/2021\"\r\"03/03/20210000003950\"\r") << history;
    QTest::newRow("blank lines")
        << QByteArray("\r\n\"14/02/2021\"\r\n\r\n  \r\n\"03/03/20210000003950\"\r\n\r\n\n")
        << history;
    QTest::newRow("blanks around")
        << QByteArray(" \"14/02/2021\" \r\n\t\"03/03/20210000003950\"\t\r\n") << history;
    QTest::newRow("no quotation marks")
        << QByteArray("14/02/2021\r\n03/03/20210000003950\r\n") << history;
    QTest::newRow("single-byte text")
        << QByteArray("\"a\xf1o\"\r\n") << QStringList{QString::fromUtf8("año")};
    QTest::newRow("UTF-8 text") << QByteArray("\"a\xc3\xb1o\"\r\n")
                                << QStringList{QString::fromUtf8("año")};
}

void RecordFile::readsRecordsTolerantly()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, records);
    QTemporaryDir temp;
    const QString path = temp.filePath("records");
    QVERIFY(writeBytes(path, content));
    const RecordReading reading = readRecords(path);
    QVERIFY2(!reading.failure, qPrintable(reading.failure ? reading.failure->description : ""));
    QCOMPARE(reading.records, records);
}

void RecordFile::readsNoMoreThanAnyHistoryHolds()
{
    QTemporaryDir temp;
    const QString path = temp.filePath("records");
    const QByteArray longest(maxRecordLength, '1');
    QVERIFY(writeBytes(path, "\"14/02/2021\"\r\n" + longest + "\r\n\r" + longest + "1\r\nx\r\n"));
    RecordReading reading = readRecords(path);
    QVERIFY2(reading.failure && reading.failure->code == DataTooLarge &&
                 reading.failure->description.contains("en la línea 4 "),
             "over-long record read");
    QCOMPARE(reading.records, (QStringList{"14/02/2021", QString::fromLatin1(longest)}));

    const QByteArray limit(maxRecordFileSize, '\n');
    QVERIFY(writeBytes(path, limit));
    QVERIFY2(!readRecords(path).failure, "a file at the size limit was refused");
    QVERIFY(writeBytes(path, limit.sliced(24)) && !appendOne(path, "03/03/20210000003950"));
    const MaybeFailure full = appendOne(path, "03/03/20210000003950");
    QVERIFY2(full && full->description.contains("está lleno") && !readRecords(path).failure &&
                 contentOf(path).size() == maxRecordFileSize,
             "a record was appended past the limit of what is read back");

    // 64 GiB, all but the first bytes a hole: refused by its size, never read into memory.
    QVERIFY(writeBytes(path, limit) && QFile(path).resize(qint64(1) << 36));
    reading = readRecords(path);
    QVERIFY2(reading.failure && reading.failure->description.contains("demasiado grande"),
             "a 64 GiB file was read");

    reading = readRecords(temp.filePath("missing"));
    QVERIFY2(reading.failure && reading.failure->code == FileNotFound, "missing file read");
    QVERIFY2(readRecords(temp.path()).failure, "a folder was read as records");
    QVERIFY2(!plainFileExists(temp.path()).ok(), "a folder counts as a plain file");
}

void RecordFile::neverLeavesPartOfALine()
{
    QTemporaryDir temp;
    const QString created = temp.filePath("created");
    const QString existing = temp.filePath("existing");
    QVERIFY(writeBytes(existing, "\"14/02/2021\"\r\n"));
    const MaybeFailure overwrite = createRecordFile(existing, {"01/01/2000"});
    QVERIFY2(overwrite && overwrite->code == FileAlreadyExists, "created over a file");
    const MaybeFailure noFile = appendOne(created, "x");
    QVERIFY2(noFile && noFile->code == FileNotFound && !QFile::exists(created),
             "appending created a file");

    if (QFile::exists("/dev/full")) {
        const MaybeFailure full = appendOne("/dev/full", "03/03/20210000003950");
        QVERIFY2(full && full->description.contains("dispositivo"), "a device was written to");
    }
#ifdef Q_OS_UNIX
    MaybeFailure creating, appending;
    {
        // Room for part of a line, both in a new file and after the existing line.
        const FileSizeLimit limit(20);
        creating = createRecordFile(created, {"03/03/20210000003950"});
        appending = appendOne(existing, "03/03/20210000003950");
    }
    QVERIFY2(appending, "a failed append was reported as written");
    QCOMPARE(contentOf(existing), QByteArray("\"14/02/2021\"\r\n"));
    QVERIFY2(creating && !QFile::exists(created), "a half-made file was left behind");
#endif
}

QTEST_GUILESS_MAIN(RecordFile)
#include "tst_record_file.moc"
