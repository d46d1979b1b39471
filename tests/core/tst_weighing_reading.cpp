#include "core/Plausibility.h"
#include "core/ReviewSignal.h"
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
    void readsABabyBornEarlyAtItsCorrectedAge_data();
    void readsABabyBornEarlyAtItsCorrectedAge();
    void questionsAnImplausibleWeighing_data();
    void questionsAnImplausibleWeighing();
    void signalsWhatThereIsToReview_data();
    void signalsWhatThereIsToReview();
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

void WeighingReadingTest::readsABabyBornEarlyAtItsCorrectedAge_data()
{
    QTest::addColumn<QString>("gestation");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("corrected"); // the corrected age as the tooltip gives it, or none
    QTest::addColumn<QString>("band");      // of a girl of 2500 g
    const auto row = [](const char* name, const char* gestation, int day, const char* corrected,
                        const char* band = "") {
        QTest::newRow(name) << gestation << day << corrected << band;
    };
    // Born at 31+6 (223 days) 57 days before the due date, corrected to two years; at 32+0, to one.
    row("31+6, corrected to 729 days", "31+6", 786, "729 días (23 meses)");
    row("31+6, corrected to 730: no more", "31+6", 787, "");
    row("32+0, corrected to 364 days", "32+0", 420, "364 días (11 meses)");
    row("32+0, corrected to 365: no more", "32+0", 421, "");
    row("36+6, 22 days early", "36+6", 300, "278 días (9 meses)");
    row("37+0, at term", "37+0", 300, "");
    row("30+0 before term", "30", 30, "-40 días ·", "antes del término");
    row("the girl born at 30+0, read at 30 days", "30", 100, "30 días (0 meses)", "< P3");
    row("the girl born at 30+2, read at 32 days", " 30 + 2 ", 100, "32 días (1 mes)", "< P3");
    row("the same girl born at term", "", 100, "", "< P3");
}

void WeighingReadingTest::readsABabyBornEarlyAtItsCorrectedAge()
{
    QFETCH(QString, gestation);
    QFETCH(int, day);
    QFETCH(QString, corrected);
    QFETCH(QString, band);
    const std::optional<GestationalAge> born = GestationalAge::fromText(gestation);
    QCOMPARE(born.has_value(), !gestation.isEmpty());
    const WeighingReading reading =
        readWeighing(ChartSex::Girls, birth, birth.addDays(day), 2500, {}, born);
    const QString tooltip = weighingTooltip(birth.addDays(day), 2500, reading);
    QVERIFY2(corrected.isEmpty() ? !tooltip.contains("corregida")
                                 : tooltip.contains(" · edad corregida " + corrected),
             qPrintable(tooltip));
    QVERIFY(band.isEmpty() || reading.band == band);
    for (const char* none : {"21+6", "45+0", "30+7", "30+", "+2", "treinta", ""})
        QVERIFY2(!GestationalAge::fromText(QString(none)), none);
    QCOMPARE(GestationalAge::fromText(u"22")->text(), "22+0");
    QCOMPARE(GestationalAge::fromText(u"44+6")->days(), 314);
}

void WeighingReadingTest::questionsAnImplausibleWeighing_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<double>("grams");
    QTest::addColumn<std::optional<EarlierWeighing>>("latest");
    QTest::addColumn<QString>("question");  // none when the weighing is plausible
    QTest::addColumn<QString>("gestation"); // none: born at term
    const auto row = [](const char* name, int day, double grams,
                        std::optional<EarlierWeighing> latest, const QString& sentences = {},
                        const char* gestation = "") {
        QTest::newRow(name) << day << grams << latest
                            << (sentences.isEmpty() ? sentences : sentences + "\n¿Es correcta?")
                            << QString(gestation);
    };
    const auto daysAgo = [](int days, double grams) {
        return std::optional<EarlierWeighing>({QDate(2026, 12, 7).addDays(-days), grams});
    };
    // A girl at 731 days: P3 at 9505.6 g, P97 at 14708.4 g.
    const auto [lowest, highest] = *outermostCurvesAt(ChartSex::Girls, 731);
    const QString below("La medida de %1 g %2 queda muy por debajo de la curva más baja del "
                        "gráfico (P3: %3 g).");
    const QString above("La medida de %1 g a los 731 días queda muy por encima de la curva más "
                        "alta del gráfico (P97: 14708 g).");
    const QString faster(
        "La medida de %1 g supone una ganancia de %2 g/día desde la anterior (12000 g, del %3).");
    row("at 70 % of the lowest curve", 731, lowest.grams * 0.7, {});
    row("just under 70 %", 731, lowest.grams * 0.7 - 0.001, {},
        below.arg("6653", "a los 731 días", "9506"));
    row("at 130 % of the highest curve", 731, highest.grams * 1.3, {});
    row("just over 130 %", 731, highest.grams * 1.3 + 0.001, {}, above.arg("19120"));
    row("at six years", 2190, 11000, {}, below.arg("11000", "a los 2190 días", "15900"));
    row("a day old", 1, 1000, {}, below.arg("1000", "con 1 día", "2914"));
    row("before birth, off the chart", -1, 3000, {},
        "La medida queda fuera del gráfico: la fecha de nacimiento es posterior al día de la "
        "medida, 07/12/2026.");
    row("past six years, off the chart", 2191, 21000, {},
        "La medida a los 2191 días queda fuera del gráfico: la edad pasa de los seis años que "
        "abarca (2190 días).");
    row("no earlier weighing", 731, 12000, {});
    row("a loss of 10 %", 731, 10800, daysAgo(3, 12000));
    row("a loss just over 10 %", 731, 10799, daysAgo(3, 12000),
        "La medida de 10799 g es un 10,01 % menor que la anterior (12000 g, del 04/12/2026).");
    row("a loss of 10.3 %", 731, 10764, daysAgo(3, 12000),
        "La medida de 10764 g es un 10,3 % menor que la anterior (12000 g, del 04/12/2026).");
    row("a gain of 10 % at 400 g a day", 731, 13200, daysAgo(3, 12000));
    row("over 10 % at 100 g a day", 731, 13300, daysAgo(13, 12000));
    row("over 10 % just over 100 g a day", 731, 13301, daysAgo(13, 12000),
        faster.arg("13301", "100,1", "24/11/2026"));
    row("the same day, 10 % up", 731, 13200, daysAgo(0, 12000));
    row("the same day, just over 10 % up", 731, 13201, daysAgo(0, 12000),
        "La medida de 13201 g es un 10,01 % mayor que la anterior (12000 g, del 07/12/2026).");
    row("both, as one question", 731, 21000.9, daysAgo(12, 12000),
        above.arg("21000") + "\n" + faster.arg("21000", "750", "25/11/2026"));
    // A girl born at 30+0 is measured against the curves at her corrected age: 2500 g at 100
    // days is 2500 g at 30 days, and before her due date against her latest weighing alone.
    row("2500 g at 100 days, born at term", 100, 2500, {},
        below.arg("2500", "a los 100 días", "4332"));
    row("2500 g at 100 days, born at 30+0", 100, 2500, {}, {}, "30+0");
    row("1500 g at 100 days, born at 30+0", 100, 1500, {},
        below.arg("1500", "a los 30 días de edad corregida", "3324"), "30+0");
    row("before term, against the latest", 30, 1000, daysAgo(10, 1500),
        "La medida de 1000 g es un 33 % menor que la anterior (1500 g, del 27/11/2026).", "30+0");
}

void WeighingReadingTest::questionsAnImplausibleWeighing()
{
    QFETCH(int, day);
    QFETCH(double, grams);
    QFETCH(std::optional<EarlierWeighing>, latest);
    QFETCH(QString, question);
    QFETCH(QString, gestation);
    const QStringList asked = implausibility(ChartSex::Girls, day, grams, {2026, 12, 7}, latest,
                                             GestationalAge::fromText(gestation));
    QCOMPARE(asked.isEmpty() ? QString() : plausibilityQuestion(asked), question);
}

void WeighingReadingTest::signalsWhatThereIsToReview_data()
{
    QTest::addColumn<ChartSex>("sex");
    QTest::addColumn<QString>("gestation"); // none: born at term
    QTest::addColumn<QString>("weighings"); // day from birth:grams, "x" when struck out
    QTest::addColumn<QString>("texts");     // each weighing's signal, joined by "|"
    QTest::addColumn<QString>("position");  // the last weighing's, or none
    const auto row = [](const char* name, const char* weighings, const QString& texts,
                        const char* position, ChartSex sex = ChartSex::Girls,
                        const char* gestation = "") {
        QTest::newRow(name) << sex << QString(gestation) << QString(weighings) << texts
                            << QString(position);
    };
    // A girl born on 01/01/2023; at 365 and 730 days (12 and 24 months) the curves stand at their
    // tabulated values.
    const QString fell("bajó %1 de percentil desde el %2");
    row("worked example", "0:3400 365:9700 730:10000", "||" + fell.arg("2 espacios", "01/01/2024"),
        "-1.453");
    row("worked example at 10600 g", "0:3400 365:9700 730:10600", "||", "-0.978");
    row("fall rounded down, just at 2", "0:3400 730:10132",
        "|" + fell.arg("2 espacios", "01/01/2023"), "-1.340");
    row("fall just under 2", "0:3400 730:10133", "|", "-1.339");
    row("first just under P10: 1 space", "365:7898 730:12100 1095:13100",
        "||" + fell.arg("1 espacio", "31/12/2024"), "-0.674");
    row("first on P10: 2 spaces", "365:7900 730:12100 1095:13100", "||", "-0.674");
    row("first on P90: 2 spaces", "365:10700 730:11400", "|" + fell.arg("2 espacios", "01/01/2024"),
        "-0.429");
    row("first just over P90: 3 spaces", "365:10702 730:11400", "|", "-0.429");
    row("the latest of two highest", "0:3400 365:9400 730:10000",
        "||" + fell.arg("2 espacios", "01/01/2024"), "-1.453");
    row("above P97 stands on it", "0:5000 730:11000", "|" + fell.arg("3 espacios", "01/01/2023"),
        "-0.674");
    row("below P3 stands on it", "0:3400 730:9000",
        "|" + fell.arg("2 espacios", "01/01/2023") + "; por debajo de P3", "-1.881");
    row("above P97", "730:16000", "", "1.881");
    row("girl at birth, three lines", "0:3150", "", "-0.941");
    row("boy at birth, five lines", "0:3150", "", "-0.590", ChartSex::Boys);
    row("before birth", "-1:3000", "", "");
    row("past six years", "2191:21000", "", "");
    row("lost 11.4 %", "0:4000 10:3544", "|perdió el 11,4 % del peso al nacer", "-0.243");
    row("lost 10.0 %", "0:3500 5:3150", "|perdió el 10,0 % del peso al nacer", "-1.256");
    row("lost just under 10 %", "0:3500 5:3151", "|", "-1.252");
    row("back to birth weight at 21 days", "0:4000 21:4000", "|", "0.222");
    row("under it at 21 days", "0:4000 21:3999",
        "|no ha recuperado el peso al nacer a las 3 semanas", "0.220");
    row("under it at 42 days, fallen", "0:4000 42:3999",
        "|no ha recuperado el peso al nacer a las 3 semanas; " +
            fell.arg("2 espacios", "01/01/2023"),
        "-0.723");
    row("under it at 43 days", "0:4000 43:3999", "|" + fell.arg("2 espacios", "01/01/2023"),
        "-0.765");
    row("no birth weight", "5:3200 10:2800", "|por debajo de P3", "-1.881");
    row("a struck-out weighing no longer counts", "0:3400 365:9700x 730:10000",
        "||" + fell.arg("2 espacios", "01/01/2023"), "-1.453");
    row("a struck-out weighing is not signalled", "0:3400 730:9000x", "|", "-1.881");
    row("the birth weight struck out", "0:3400x 0:3000 5:2650",
        "||perdió el 11,7 % del peso al nacer; por debajo de P3", "-1.881");
    // Born at 30+0, 70 days early: read at her corrected age, nothing before it reaches 0.
    row("born at 30+0", "0:1400 10:1250 50:1300 70:3400 435:7300",
        "|perdió el 10,7 % del peso al nacer|||" + fell.arg("2 espacios", "12/03/2023"), "-1.881",
        ChartSex::Girls, "30+0");
}

void WeighingReadingTest::signalsWhatThereIsToReview()
{
    QFETCH(ChartSex, sex);
    QFETCH(QString, gestation);
    QFETCH(QString, weighings);
    QFETCH(QString, texts);
    QFETCH(QString, position);
    const QDate born(2023, 1, 1);
    QList<ReviewedWeighing> history;
    for (const QString& weighing : weighings.split(' ')) {
        const QDate date = born.addDays(weighing.section(':', 0, 0).toInt());
        const double grams = weighing.section(':', 1).remove('x').toDouble();
        const WeighingReading reading =
            readWeighing(sex, born, date, grams, {}, GestationalAge::fromText(gestation));
        history.append(reviewedWeighing(date, grams, weighing.endsWith('x'), reading));
    }
    QCOMPARE(reviewSignals(born, history).join('|'), texts);
    const std::optional<PercentilePosition> last = history.last().position;
    QCOMPARE(last ? QString::number(last->score, 'f', 3) : QString(), position);
    // A weighing plotted but not stored reads against the state the others leave.
    ReviewState before(born);
    for (const ReviewedWeighing& weighing : history.first(history.size() - 1))
        before.take(weighing);
    QCOMPARE(before.signalOf(history.last()), texts.section('|', -1));
}

QTEST_APPLESS_MAIN(WeighingReadingTest)
#include "tst_weighing_reading.moc"
