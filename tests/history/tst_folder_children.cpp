// The children of the program's folder listed as the chart window reads each of them: a folder
// with children at term and born early, a weighing struck out, a damaged file, corrections
// without their patient file and a file another desk holds, read on worker threads.

#include "history/ChildHistory.h"
#include "history/FolderChildrenFilter.h"
#include "history/FolderChildrenModel.h"
#include "history/FolderReading.h"
#include "support/GirlsHistory.h"
#include "support/TestFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

Q_DECLARE_METATYPE(zelpo::FolderColumn)

static const QDate today(2025, 6, 1);

class FolderChildrenTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    OtherDesk m_otherDesk{STORE_HELPER};
    FolderChildrenModel m_model;

    bool readFolder()
    {
        FolderReading reading(m_folder.path(), today);
        connect(&reading, &FolderReading::rowsRead, &m_model, &FolderChildrenModel::take);
        QSignalSpy done(&reading, &FolderReading::finished);
        m_model.beginReading();
        reading.start();
        if (!done.wait(60000))
            return false;
        m_model.endReading();
        return true;
    }
    QStringList cells(const QString& fileName) const
    {
        for (int row = 0; row < m_model.rowCount(); ++row) {
            if (m_model.row(row).fileName != fileName)
                continue;
            QStringList shown;
            for (int column = 0; column < m_model.columnCount(); ++column)
                shown << m_model.index(row, column).data().toString();
            return shown;
        }
        return {};
    }
    bool write(const QString& name, const QByteArray& bytes)
    {
        return writeBytes(m_folder.filePath(name), bytes);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(write("0004711M.CRV", girlsPatientFile()));
        QVERIFY(write("0002025M.CRV", "\"01/01/2025\"\r\n\"11/04/20250000002500\"\r\n"));
        QVERIFY(write("0002025M.COR", "\"G|0000|01/01/2025|12/04/2025|30+2\"\r\n"));
        QVERIFY(write("0000052V.CRV", "\"29/10/2022\"\r\n\"28/04/20240000010800\"\r\n"
                                      "\"28/10/20240000013100\"\r\n\"20/05/20250000001200\"\r\n"));
        QVERIFY(
            write("0000052V.COR", "\"A|0003|20/05/20250000001200|21/05/2025|error de tipeo\"\r\n"));
        QVERIFY(write("0000099V.CRV", "\"01/01/2024\"\r\n\"" + QByteArray(100, 'x') + "\"\r\n"));
        QVERIFY(write("0000077M.COR", "\"A|0001|01/03/20250000003000|02/03/2025|de otro\"\r\n"));
        QVERIFY(write("0000300V.CRV", "\"01/01/2024\"\r\n\"01/03/20250000011000\"\r\n"));
        QVERIFY(write("copia.CRV", girlsPatientFile()));
        QVERIFY(m_otherDesk.hold(m_folder.filePath("0000300V.CRV")));
        QVERIFY(readFolder());
    }

    void eachChildReadsAsTheChartShowsIt_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("shown");
        // The cells of each row, apart by "|".
        const auto row = [](const char* file, const QString& cells) {
            QTest::newRow(file) << QString(file) << cells.split(u'|');
        };
        row("0004711M.CRV", "0004711|Mujer|14/02/2021|4 años 3 meses|14/02/2022|9800|P50–P75|+6|"
                            "bajó 2 espacios de percentil desde el 16/04/2021|1203|");
        // Born at 30+2, read at her corrected age.
        row("0002025M.CRV", "0002025|Mujer|01/01/2025|2 meses (corregida)|11/04/2025|2500|< P3|—|"
                            "por debajo de P3|51|");
        // The latest weighing struck out: the one before it stands.
        row("0000052V.CRV",
            "0000052|Varón|29/10/2022|2 años 7 meses|28/10/2024|13100|P50–P75|+13||216|");
        row("0000099V.CRV", "0000099|Varón|01/01/2024|1 año 5 meses|—|—|—|—||—|El archivo "
                            "0000099V.CRV contiene en la línea 2 un registro demasiado largo para "
                            "ser una historia clínica.");
        row("0000077M.COR", "0000077|Mujer|—|—|—|—|—|—||—|El archivo de correcciones "
                            "0000077M.COR está en la carpeta sin el archivo de paciente "
                            "0000077M.CRV: sus correcciones se escribieron para otro archivo y no "
                            "se aplican, y no se crea 0000077M.CRV a su lado. El consultorio debe "
                            "retirarlo de la carpeta del programa.");
        row("0000300V.CRV", "0000300|Varón|—|—|—|—|—|—||—|en uso en otro puesto");
        row("copia.CRV", "||—|—|—|—|—|—||—|El nombre del archivo copia.CRV no es el de un archivo "
                         "de paciente (siete cifras, V o M y .CRV): no se lee.");
    }
    void eachChildReadsAsTheChartShowsIt()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, shown);
        QCOMPARE(cells(file), shown);
        QCOMPARE(m_model.rowCount(), 7);
    }

    void columnsSortNumbersAsNumbersAndDatesAsDates_data()
    {
        QTest::addColumn<FolderColumn>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QStringList>("sorted");
        const QStringList none(4, "—");
        QTest::newRow("history down")
            << FolderColumn::History << Qt::DescendingOrder
            << QStringList{"0004711", "0002025", "0000300", "0000099", "0000077", "0000052", ""};
        QTest::newRow("grams") << FolderColumn::Grams << Qt::AscendingOrder
                               << none + QStringList{"2500", "9800", "13100"};
        QTest::newRow("last weighed")
            << FolderColumn::Weighed << Qt::AscendingOrder
            << none + QStringList{"14/02/2022", "28/10/2024", "11/04/2025"};
        QTest::newRow("birth down")
            << FolderColumn::Birth << Qt::DescendingOrder
            << QStringList{"01/01/2025", "01/01/2024", "29/10/2022", "14/02/2021", "—", "—", "—"};
        QTest::newRow("age, corrected")
            << FolderColumn::Age << Qt::AscendingOrder
            << QString("—|—|—|2 meses (corregida)|1 año 5 meses|2 años 7 meses|4 años 3 meses")
                   .split(u'|');
        QTest::newRow("band") << FolderColumn::Band << Qt::AscendingOrder
                              << none + QStringList{"< P3", "P50–P75", "P50–P75"};
        QTest::newRow("days unweighed down") << FolderColumn::DaysUnweighed << Qt::DescendingOrder
                                             << QStringList{"1203", "216", "51"} + none;
    }
    void columnsSortNumbersAsNumbersAndDatesAsDates()
    {
        QFETCH(FolderColumn, column);
        QFETCH(Qt::SortOrder, order);
        QFETCH(QStringList, sorted);
        FolderChildrenFilter shown;
        shown.setSourceModel(&m_model);
        const int section = int(std::find(folderColumns.begin(), folderColumns.end(), column) -
                                folderColumns.begin());
        shown.sort(section, order);
        QStringList cells;
        for (int row = 0; row < shown.rowCount(); ++row)
            cells << shown.index(row, section).data().toString();
        QCOMPARE(cells, sorted);
    }

    void filtersKeepTheChildrenAskedFor_data()
    {
        QTest::addColumn<QString>("historyStart");
        QTest::addColumn<bool>("onlyForReview");
        QTest::addColumn<int>("shown");
        QTest::newRow("every child") << "" << false << 7;
        QTest::newRow("4711 typed as the file writes it") << "0004711" << false << 1;
        QTest::newRow("starting with 20") << " 20" << false << 1;
        QTest::newRow("starting with 0") << "00" << false << 7;
        QTest::newRow("no such number") << "8" << false << 0;
        QTest::newRow("only those to review") << "" << true << 2;
        QTest::newRow("to review, starting with 2") << "2" << true << 1;
    }
    void filtersKeepTheChildrenAskedFor()
    {
        QFETCH(QString, historyStart);
        QFETCH(bool, onlyForReview);
        QFETCH(int, shown);
        FolderChildrenFilter filter;
        filter.setSourceModel(&m_model);
        filter.setHistoryStart(historyStart);
        filter.setOnlyForReview(onlyForReview);
        QCOMPARE(filter.rowCount(), shown);
    }

    void rowsFollowTheFilesAsTheyChange()
    {
        // The other desk done, the file is read at the next reading.
        QVERIFY(m_otherDesk.release());
        // The child open in the chart window follows what is stored for it there.
        ChildHistory chart(m_folder.path(), {"0", false});
        m_model.follow(chart, today);
        chart.load({"4711", false});
        QVERIFY(chart.store(QDate(2021, 2, 14), 16000.4, today).ok());
        QCOMPARE(cells("0004711M.CRV").mid(4, 6),
                 QStringList({"01/06/2025", "16000", "P25–P50", "+5",
                              "bajó 3 espacios de percentil desde el 16/04/2021", "0"}));
        // Another desk stores, a file is taken out of the folder: the next reading shows both.
        QVERIFY(appendBytes(m_folder.filePath("0000052V.CRV"), "\"30/05/20250000014000\"\r\n"));
        QVERIFY(QFile::remove(m_folder.filePath("copia.CRV")));
        QVERIFY(readFolder());
        QCOMPARE(m_model.rowCount(), 6);
        QCOMPARE(cells("0000052V.CRV").mid(4, 7),
                 QStringList({"30/05/2025", "14000", "P50–P75", "+4", "", "2", ""}));
        QCOMPARE(cells("0000300V.CRV").mid(2, 4),
                 QStringList({"01/01/2024", "1 año 5 meses", "01/03/2025", "11000"}));
    }
};

QTEST_GUILESS_MAIN(FolderChildrenTest)
#include "tst_folder_children.moc"
