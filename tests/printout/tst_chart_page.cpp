// The printed page as poppler and qpdf read it back: the child, the table on as many sheets as
// it needs, every marker where the chart puts it, and a chart of one size whatever the table.

#include "artwork/ChartArtwork.h"
#include "core/ChartScale.h"
#include "printout/ChartPage.h"
#include "printout/ChartPageLayout.h"
#include "printout/ChartPdfFile.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

const TwipRect frame{3405, 435, 5445, 5625};

// A girl born on 14/02/2021 weighed `weighings` times, a day apart from her 17th day on, and the
// weighing plotted today at 12000 g, not stored.
ChartPageContent girlsPage(int weighings)
{
    ChartPageContent page;
    // The window's labels are measured for Liberation Sans.
    page.headingFont = page.textFont = QFont("Liberation Sans");
    page.headingBand = Qt::darkBlue;
    page.headingInk = Qt::white;
    page.historyNumber = "0004711";
    page.sex = "Mujer";
    page.birthDate = "14/02/2021";
    page.printedOn = "01/06/2023";
    page.chart = zelpo::ChartSex::Girls;
    page.picture = QRectF(QPointF(3300, 300), QSizeF(zelpo::chartPictureSize(page.chart)) * 15);
    page.frame = QRectF(frame.left, frame.top, frame.width, frame.height);
    page.markerFill = page.markerOutline = Qt::red;
    QStringList records{"14/02/2021"};
    for (int day = 17; day < 17 + weighings; ++day)
        records << QString("%1%2")
                       .arg(QDate(2021, 2, 14).addDays(day).toString("dd/MM/yyyy"))
                       .arg(3000 + 7 * day, 10, 10, QChar('0'));
    page.storedWeighings = zelpo::storedHistory(records, page.chart).weighings;
    for (const auto& [days, grams] : {std::pair{837.0, 12000.0}, {17.0, 3119.0}}) {
        const zelpo::MarkerPosition at = zelpo::markerPlacement(frame, 150, 135, days, grams);
        page.markers.append(QRectF(at.left, at.top, 150, 135));
    }
    return page;
}

QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class ChartPageTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

private slots:
    void pageHoldsTheChildTheTableAndEveryMarkerWhereTheChartPutsIt()
    {
        ChartPageContent content = girlsPage(4);
        (*content.storedWeighings)[1].struckOut = "tipeo";
        const QString pdf = m_folder.filePath(QStringLiteral("niña ñ/gráfico 4711.pdf"));
        QDir().mkpath(QFileInfo(pdf).path());
        QVERIFY(!saveChartPdf(pdf, content));

        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        for (const QString expected :
             {"GRAFICO DE ZELPO", "Nº H.Clínica: 0004711", "Sexo: Mujer",
              "F. Nacimiento: 14/02/2021", "Fecha de impresión: 01/06/2023", "Medidas almacenadas",
              "Percentil g/día Estado / Para revisar",
              "03/03/2021 17 0 3119 < P3 — por debajo de P3",
              "06/03/2021 20 0 3140 < P3 +7 por debajo de P3",
              "04/03/2021 18 0 3126 < P3 +7 anulada: tipeo", "Medidas anuladas: 1"})
            QVERIFY2(text.contains(QRegularExpression(
                         QRegularExpression::escape(expected).replace("\\ ", "\\s+"))),
                     qPrintable(expected + " missing from:\n" + text));
        QVERIFY2(!text.contains("almacenada:"), "a stored birth date told though it is the same");
        const QStringList images = run("pdfimages", {"-list", pdf}).split('\n').mid(2);
        QVERIFY2(images.join("").trimmed().isEmpty(), qPrintable(images.join('\n')));

        // Rasterized at 100 dpi, the red of each marker is centred where the chart model puts
        // the weighing, mapped onto the page as the page lays out the chart.
        constexpr double dpi = 100;
        run("pdftoppm", {"-r", "100", "-png", "-singlefile", pdf, m_folder.filePath("page")});
        const QImage page(m_folder.filePath("page.png"));
        QPdfWriter paper(m_folder.filePath("paper.pdf"));
        setUpChartPaper(paper, false);
        const QRectF printable = paper.pageLayout().paintRect(QPageLayout::Point);
        // The chart's place on the page in page units of 1/96 inch, here drawn at 72 dpi.
        const QSizeF picture(zelpo::chartPictureSize(content.chart));
        const ChartPageLayout layout = layOutChartPage(printable.size() * 96 / 72, picture, false,
                                                       int(content.storedWeighings->size()));
        for (const QRectF& marker : content.markers) {
            const QPointF inPicture =
                (marker.center() - content.picture.topLeft()) / kTwipsPerPixel;
            const QPointF expected =
                (printable.topLeft() +
                 (layout.chart.topLeft() + inPicture * layout.chart.width() / picture.width()) *
                     72 / 96) *
                dpi / 72;
            double count = 0, sumX = 0, sumY = 0;
            for (int y = int(expected.y()) - 15; y <= int(expected.y()) + 15; ++y)
                for (int x = int(expected.x()) - 15; x <= int(expected.x()) + 15; ++x) {
                    const QColor c = page.pixelColor(x, y);
                    if (c.red() > 200 && c.green() < 90 && c.blue() < 90)
                        ++count, sumX += x + 0.5, sumY += y + 0.5;
                }
            const QPointF found(sumX / count, sumY / count);
            QVERIFY2((found - expected).manhattanLength() <= 1.0,
                     qPrintable(QDebug::toString(QList<QPointF>{found, expected})));
        }

        // Corrected in the history: its date, labelled as such, beside the date of printing. A
        // weight edited by hand puts a marker far off the chart, and the page still parses.
        content.correctedBirthDate = "20/02/2021";
        content.birthDateCorrectedOn = "07/12/2022";
        content.storedBirthDate = "14/02/2021";
        const zelpo::MarkerPosition far = zelpo::markerPlacement(frame, 150, 135, 17, 1e300);
        content.markers.append(QRectF(far.left, far.top, 150, 135));
        (*content.storedWeighings)[0].grams = 1e300;
        QVERIFY(!saveChartPdf(pdf, content));
        int checked = -1;
        const QString check = run("qpdf", {"--check", pdf}, &checked);
        const QString both = run("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(
            checked == 0 && both.contains("Medidas anuladas: 1") &&
                both.contains(QRegularExpression(
                    "F. Nacimiento: 20/02/2021 +Fecha de impresión: 01/06/2023\\s+Fecha de "
                    "nacimiento corregida el 07/12/2022; almacenada en el archivo: 14/02/2021")),
            qPrintable(check + both));
    }

    void theTableGoesOnOverSheetsAndTheChartKeepsItsSize_data()
    {
        QTest::addColumn<int>("weighings");
        for (int weighings : {1, 107, 108, 205, 1000})
            QTest::addRow("%d", weighings) << weighings;
    }
    void theTableGoesOnOverSheetsAndTheChartKeepsItsSize()
    {
        QFETCH(int, weighings);
        const ChartPageContent content = girlsPage(weighings);
        const QString pdf = m_folder.filePath(QString("%1.pdf").arg(weighings));
        QVERIFY(!saveChartPdf(pdf, content));
        int checked = -1;
        const QString check = run("qpdf", {"--check", pdf}, &checked);
        QVERIFY2(checked == 0, qPrintable(check));

        // Every stored weighing once, in order, across the sheets.
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        QStringList rows;
        static const QRegularExpression row(R"((\d\d/\d\d/\d{4})\s+(\d+)\s+\d+\s+(\d+)\s)");
        for (const QRegularExpressionMatch& match : row.globalMatch(text))
            rows << match.captured(1) + ' ' + match.captured(2) + ' ' + match.captured(3);
        QCOMPARE(rows.size(), weighings);
        std::sort(rows.begin(), rows.end(), [](const QString& a, const QString& b) {
            return a.section(' ', 1, 1).toInt() < b.section(' ', 1, 1).toInt();
        });
        for (int i = 0; i < weighings; ++i)
            QCOMPARE(rows[i], QString("%1 %2 %3")
                                  .arg(QDate(2021, 3, 3).addDays(i).toString("dd/MM/yyyy"))
                                  .arg(17 + i)
                                  .arg(3119 + 7 * i));

        // Each sheet after the first names the child and repeats the column headings.
        const int sheets = run("pdfinfo", {pdf}).section("Pages:", 1).section('\n', 0, 0).toInt();
        QCOMPARE(sheets > 1, weighings > 39);
        for (int sheet = 2; sheet <= sheets; ++sheet) {
            const QString page = run("pdftotext", {"-f", QString::number(sheet), "-l",
                                                   QString::number(sheet), "-layout", pdf, "-"});
            QVERIFY2(
                page.contains(QRegularExpression("Nº H.Clínica: 0004711\\s+Sexo: Mujer\\s+Hoja " +
                                                 QString("%1 de %2").arg(sheet).arg(sheets))) &&
                    page.contains(QRegularExpression("Fecha\\s+Días\\s+Meses\\s+Gramos")),
                qPrintable(page));
        }

        // The chart's words on the first sheet, from its top to the table, lie where they lie
        // with a single weighing, across the sheet's width.
        const QString words = run("pdftotext", {"-f", "1", "-l", "1", "-bbox", pdf, "-"});
        QList<std::pair<QRectF, QString>> boxes;
        static const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*))re");
        for (const QRegularExpressionMatch& match : word.globalMatch(words))
            boxes.append(
                {QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                        QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())),
                 match.captured(5)});
        double tableTop = 1e9;
        for (const auto& [box, text] : boxes)
            if (text == "Medidas")
                tableTop = box.top();
        QRectF chart;
        for (const auto& [box, text] : boxes)
            if (box.top() > 110 && box.bottom() < tableTop)
                chart |= box;
        static QRectF firstChart = chart;
        QCOMPARE(chart, firstChart);
        QVERIFY2(chart.width() > 0.8 * 527, qPrintable(QDebug::toString(chart)));
    }
};

QTEST_MAIN(ChartPageTest)
#include "tst_chart_page.moc"
