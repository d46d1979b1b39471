#include "core/ChartScale.h"
#include "forms/MarkerLayer.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "procedures/ChartView.h"
#include "procedures/HistoryLoader.h"
#include "procedures/HistoryOnChart.h"
#include "support/ScriptedMessageService.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

const QString storedMessage = "Este paciente posee datos almacenados";
const QByteArray exampleFile =
    "\"14/02/2021\"\r\n\"03/03/20210000003950\"\r\n\"10/04/20210000004620\"\r\n";

struct Weighing
{
    double ageDays;
    double grams;
};

// The chart window, shown and active, in a folder of its own that the program takes as its own.
struct Desk
{
    QTemporaryDir folder;
    PerZelpo window;
    ScriptedMessageService messages;
    zelpo::ChildHistory history{folder.path(), childNamedByBoxes(window)};
    ChartView view;
    HistoryOnChart chart{window, history, view};

    Desk()
    {
        QDir::setCurrent(folder.path());
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the chart window did not become active: focus checks will fail");
        // Leftovers of an earlier child, which a load must clear away.
        window.Text2()->setText("01/01/2019");
        history.plotUnstored(QDate(2019, 1, 1), 9000, QDate(2021, 3, 11));
    }
    void load(const QString& number, int sex)
    {
        window.Text3()->setText(number);
        window.Option1(sex)->setChecked(true);
        CargarHistoria(window, history, messages);
    }
    QStringList texts() const
    {
        QStringList shown;
        for (const auto& message : messages.shown())
            shown << message.text;
        return shown;
    }
    // The weighings shown, in marker order, when they are exactly the given ones.
    bool shows(const QList<Weighing>& weighings) const
    {
        const Shape* frame = window.Shape2();
        for (int index = 0; index < 108; ++index) {
            if (index >= weighings.size()) {
                if (!window.sh(index)->isHidden())
                    return false;
                continue;
            }
            const zelpo::MarkerPosition expected = zelpo::markerPlacement(
                {frame->twipLeft(), frame->twipTop(), frame->twipWidth(), frame->twipHeight()}, 150,
                135, weighings[index].ageDays, weighings[index].grams);
            const Marker* marker = window.sh(index);
            // Visible as a control and really on the screen: no marker is left held back.
            if (!marker->isVisible() || marker->twipLeft() != expected.left ||
                marker->twipTop() != expected.top)
                return false;
        }
        return window.Image2()->isHidden();
    }
};

} // namespace

Q_DECLARE_METATYPE(QList<Weighing>)

class HistoryLoaderTest : public QObject
{
    Q_OBJECT

private slots:
    void loadsTheChildOfTheNumberAndSex()
    {
        Desk desk;
        QVERIFY(writeBytes("0004711M.CRV", exampleFile));
        desk.load("4711", 1);
        QCOMPARE(desk.texts(), QStringList{storedMessage});
        QCOMPARE(desk.messages.shown().first().style, MessageStyle::OkInformation);
        QCOMPARE(desk.messages.shown().first().title, QString("Información"));
        QCOMPARE(desk.window.Text2()->text(), QString("14/02/2021"));
        QVERIFY2(!desk.window.Text2()->isEnabled(), "the stored birth date can be edited");
        QVERIFY2(desk.shows({{17, 3950}, {55, 4620}}), "the stored weighings are not shown");
        QCOMPARE(desk.window.sh(0)->twipLeft(), float(3405.0 + 17 * 5445.0 / 2190.0 - 75.0));
        QCOMPARE(desk.window.sh(0)->twipTop(), 5251.875f);
        QCOMPARE(desk.window.sh(1)->twipLeft(), 3466.75f);
        QCOMPARE(desk.window.sh(1)->twipTop(), 5126.25f);
        QVERIFY2(!desk.window.Image3()->isHidden(), "the girls' chart is not shown");
        QCOMPARE(desk.window.Text1()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), desk.window.Text1());

        desk.messages.clear();
        desk.load("abc", 1);
        QCOMPARE(desk.texts(), QStringList{"Debe Ingresar un dato numérico para poder almacenar "
                                           "la información en disco."});
        QCOMPARE(desk.messages.shown().first().style, MessageStyle::Ok);
        QCOMPARE(desk.messages.shown().first().title, QString("Error!"));
        QCOMPARE(desk.window.Text3()->text(), QString());
        QVERIFY2(desk.shows({{17, 3950}, {55, 4620}}), "the refused number changed the chart");
        QCOMPARE(desk.window.Text2()->text(), QString("14/02/2021"));
        QVERIFY(desk.window.Text2()->isEnabled());
        desk.load("4711.9", 1); // a fraction would name child 4711's file
        QCOMPARE(desk.texts().size(), 2);
        QCOMPARE(desk.texts().last(), desk.texts().first());

        desk.messages.clear();
        desk.load("4711", 0);
        QCOMPARE(desk.texts(), QStringList());
        QVERIFY2(desk.shows({}), "the girl's weighings stay on the boy's chart");
        QVERIFY2(desk.window.Image3()->isHidden(), "the girls' chart covers the boys' chart");
        QCOMPARE(desk.window.Text2()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), desk.window.Text2());
    }

    void withoutAPatientFileTheBirthDateIsLeftToType_data()
    {
        QTest::addColumn<QString>("history");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("empty number, only a girl's file 0") << "" << QStringList();
        QTest::newRow("a folder named like the file")
            << "52"
            << QStringList{"Error :  75 --> Error de acceso a la ruta o al archivo: 0000052V.CRV "
                           "no es un archivo de paciente, sino una carpeta."};
        QTest::newRow("1e9, too long for the name")
            << "1e9"
            << QStringList{"Error :  5 --> Argumento no válido: el número de historia clínica "
                           "1e9 no cabe en las siete cifras del nombre del archivo del paciente."};
    }
    void withoutAPatientFileTheBirthDateIsLeftToType()
    {
        QFETCH(QString, history);
        QFETCH(QStringList, messages);
        Desk desk;
        QVERIFY(writeBytes("0000000M.CRV", exampleFile));
        QVERIFY(QDir().mkdir("0000052V.CRV"));
        desk.window.Text2()->setEnabled(false);
        desk.load(history, 0);
        QCOMPARE(desk.texts(), messages);
        for (const auto& message : desk.messages.shown())
            QVERIFY(message.style == MessageStyle::Ok && message.title == "Zelpo");
        QVERIFY2(desk.shows({}), "the chart was not cleared");
        QCOMPARE(desk.window.Text2()->text(), QString());
        QVERIFY(desk.window.Text2()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), desk.window.Text2());
        QCOMPARE(desk.window.Text3()->text(), history);
    }

    void leavingTheHistoryBoxTwiceShowsTheSameHistoryAgain()
    {
        Desk desk;
        QVERIFY(writeBytes("0004711V.CRV", exampleFile));
        QObject::connect(desk.window.Text3(), &TextBox::lostFocus, &desk.window,
                         [&desk] { CargarHistoria(desk.window, desk.history, desk.messages); });
        desk.window.Text3()->setText("4711");
        for (int visit = 1; visit <= 2; ++visit) {
            desk.window.Text3()->setFocus();
            QTest::keyClick(desk.window.Text3(), Qt::Key_Tab);
            QCOMPARE(desk.texts(), QStringList(visit, storedMessage));
            QVERIFY2(desk.shows({{17, 3950}, {55, 4620}}), "the weighings are misplaced");
            QCOMPARE(QApplication::focusWidget(), desk.window.Text1());
        }
    }

    void historiesLongerThanThePoolAreCutAndTold_data()
    {
        QTest::addColumn<int>("weighings");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("107") << 107 << QStringList{storedMessage};
        QTest::newRow("150") << 150
                             << QStringList{storedMessage,
                                            "Error :  340 --> El elemento de la matriz de "
                                            "controles no existe: el gráfico muestra solo las "
                                            "primeras 107 medidas del archivo 0000052V.CRV; las "
                                            "43 medidas restantes no se muestran."};
    }
    void historiesLongerThanThePoolAreCutAndTold()
    {
        QFETCH(int, weighings);
        QFETCH(QStringList, messages);
        Desk desk;
        // The k-th weighing on day k of life, weighing 3000 + 10k grams.
        QByteArray history = "\"01/01/2020\"\r\n";
        QList<Weighing> shown;
        for (int day = 1; day <= weighings; ++day) {
            history += QDate(2020, 1, 1).addDays(day).toString("\"dd/MM/yyyy").toLatin1() +
                       QByteArray::number(3000 + 10 * day).rightJustified(10, '0') + "\"\r\n";
            if (day <= zelpo::markerPoolSize)
                shown.append({double(day), 3000.0 + 10 * day});
        }
        QVERIFY(writeBytes("0000052V.CRV", history));
        desk.load("52", 0);
        QCOMPARE(desk.texts(), messages);
        QVERIFY2(desk.shows(shown), "not exactly the first 107 weighings are shown");
    }

    void damagedRecordsAreToldOnceAndLoadingGoesOn_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("code"); // of the one failure told after the information; 0: none
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QList<Weighing>>("shown");

        const QByteArray birth = "\"14/02/2021\"\r\n";
        const QByteArray first = "\"03/03/20210000003950\"\r\n";
        const QByteArray second = "\"10/04/20210000004620\"\r\n";
        QTest::newRow("only the birth date") << birth << 0 << "14/02/2021" << QList<Weighing>();
        QTest::newRow("no record at all") << QByteArray() << 62 << "" << QList<Weighing>();
        QTest::newRow("first record not a date")
            << "\"hoy\"\r\n" + first << 13 << "" << QList<Weighing>();
        QTest::newRow("weighing without a number") << birth + "\"03/03/2021abcdefghij\"\r\n"
                                                   << 0 << "14/02/2021" << QList<Weighing>{{17, 0}};
        QTest::newRow("bad date: the previous weighing's")
            << birth + first + "\"xx/04/20210000004620\"\r\n"
            << 13 << "14/02/2021" << QList<Weighing>{{17, 3950}, {17, 4620}};
        QTest::newRow("bad date of the first weighing: skipped")
            << birth + "\"03/13/20210000003950\"\r\n" + second << 13 << "14/02/2021"
            << QList<Weighing>{{55, 4620}};
        QTest::newRow("byte-order mark")
            << "\xef\xbb\xbf" + birth + first << 0 << "14/02/2021" << QList<Weighing>{{17, 3950}};
        QTest::newRow("unreadable line: reading ends")
            << birth + first + QByteArray(100, '7') + "\r\n" + second << 7 << "14/02/2021"
            << QList<Weighing>{{17, 3950}};
    }
    void damagedRecordsAreToldOnceAndLoadingGoesOn()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        QFETCH(QString, birthDate);
        QFETCH(QList<Weighing>, shown);
        Desk desk;
        QVERIFY(writeBytes("0004711M.CRV", content));
        // Whatever was plotted before a failure is told stands on the chart behind the message.
        int heldBehindAMessage = 0;
        desk.messages.onShow = [&desk, &heldBehindAMessage] {
            for (int index = 0; index < zelpo::markerPoolSize; ++index) {
                const Marker* marker = desk.window.sh(index);
                heldBehindAMessage += !marker->isHidden() && !marker->isVisible();
            }
        };
        desk.load("4711", 1);
        QCOMPARE(heldBehindAMessage, 0);
        QCOMPARE(desk.messages.shown().size(), code ? 2 : 1);
        const auto& told = desk.messages.shown().last();
        QVERIFY2(!code || (told.text.startsWith(QString("Error :  %1 --> ").arg(code)) &&
                           told.text.contains("0004711M.CRV") && told.style == MessageStyle::Ok &&
                           told.title == "Zelpo"),
                 qPrintable(told.text));
        QCOMPARE(desk.window.Text2()->text(), birthDate);
        QCOMPARE(desk.window.Text2()->isEnabled(), birthDate.isEmpty());
        QVERIFY2(desk.shows(shown), "the weighings shown are not the readable ones");
        QCOMPARE(QApplication::focusWidget(), desk.window.Text1());
    }
};

QTEST_MAIN(HistoryLoaderTest)
#include "tst_history_loader.moc"
