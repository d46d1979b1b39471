#include "core/WeighingReading.h"

#include <QTest>

using namespace zelpo;

const QDate birth(2020, 1, 1);

class WeighingReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void placesTheWeighingAmongTheCurves_data();
    void placesTheWeighingAmongTheCurves();
};

void WeighingReadingTest::placesTheWeighingAmongTheCurves_data()
{
    QTest::addColumn<ChartSex>("sex");
    QTest::addColumn<int>("day");
    QTest::addColumn<double>("grams");
    QTest::addColumn<std::optional<EarlierWeighing>>("before");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("gain");
    const auto row = [](const char* name, ChartSex sex, int day, double grams,
                        std::optional<EarlierWeighing> before, const char* band,
                        const char* gain = "—") {
        QTest::newRow(name) << sex << day << grams << before << QString(band) << QString(gain);
    };
    const auto earlier = [](int day, double grams) {
        return std::optional<EarlierWeighing>({birth.addDays(day), grams});
    };
    const ChartSex boy = ChartSex::Boys;
    const ChartSex girl = ChartSex::Girls;
    // At two years (730 days) every curve stands at its tabulated value, e.g. the boys' P50 at
    // 12.6 kg and P75 at 13.6 kg.
    row("boy above P97", boy, 730, 16000, {}, "> P97");
    row("boy P90–P97", boy, 730, 15000, {}, "P90–P97");
    row("boy P75–P90", boy, 730, 14000, {}, "P75–P90");
    row("boy P50–P75, gaining", boy, 730, 13100, earlier(700, 12710), "P50–P75", "+13");
    row("boy P25–P50, losing", boy, 730, 12200, earlier(720, 12410), "P25–P50", "-21");
    row("boy P10–P25, flat", boy, 730, 11400, earlier(700, 11400), "P10–P25", "0");
    row("boy P3–P10, rounded", boy, 730, 10700, earlier(725, 10703), "P3–P10", "-1");
    row("boy below P3, same day", boy, 730, 10000, earlier(730, 9000), "< P3");
    row("girl above P97, rounded", girl, 730, 14800, earlier(727, 14600), "> P97", "+67");
    row("girl P90–P97", girl, 730, 14000, {}, "P90–P97");
    row("girl P75–P90", girl, 730, 13400, {}, "P75–P90");
    row("girl P50–P75", girl, 730, 12500, {}, "P50–P75");
    row("girl P25–P50", girl, 730, 11500, {}, "P25–P50");
    row("girl P10–P25", girl, 730, 10500, {}, "P10–P25");
    row("girl P3–P10", girl, 730, 9800, {}, "P3–P10");
    row("girl below P3, earlier one later", girl, 730, 9000, earlier(740, 9500), "< P3");
    row("1 g over a curve", boy, 730, 12601, {}, "P50");
    row("2 g over a curve", boy, 730, 12602, {}, "P50–P75");
    row("1 g over the highest curve", girl, 730, 14701, {}, "P97");
    row("1 g under 16.1 kg", boy, 1095, 16099, {}, "P75");
    row("on a curve at birth", girl, 0, 3400, {}, "P50");
    // In the first year the girls' chart draws only P97, P50 and P3, the boys' no P90 or P10.
    row("girl at 3 months", girl, 91, 6000, {}, "P50–P97");
    row("boy a day before one year", boy, 364, 12000, {}, "P75–P97");
    row("boy at one year", boy, 365, 12000, {}, "P90–P97");
    row("boy at six years", boy, 2190, 21000, {}, "P50–P75");
    row("past six years", boy, 2191, 21000, {}, "—");
    row("before birth", girl, -1, 3000, {}, "—");
}

void WeighingReadingTest::placesTheWeighingAmongTheCurves()
{
    QFETCH(ChartSex, sex);
    QFETCH(int, day);
    QFETCH(double, grams);
    QFETCH(std::optional<EarlierWeighing>, before);
    QFETCH(QString, band);
    QFETCH(QString, gain);
    const WeighingReading reading = readWeighing(sex, birth, birth.addDays(day), grams, before);
    QCOMPARE(bandText(reading.band), band);
    QCOMPARE(gainText(reading.gramsPerDay), gain);
}

QTEST_APPLESS_MAIN(WeighingReadingTest)
#include "tst_weighing_reading.moc"
