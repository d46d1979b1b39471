#include "forms/Fondo.h"
#include "forms/FormLabel.h"
#include "forms/Line.h"
#include "forms/MarkerLayer.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/PushButton.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace zelpo;

namespace {

enum class CaptionCheck { Exact, Prefix, SomeText, NoCaption };

// The chart window as it was designed, from the topmost control down, written out again here so
// that a slip in the program's own table shows up.
struct DesignedControl
{
    const char* name;
    int firstIndex; // -1: a single control
    int members;
    const char* kind;
    float left, top, width, height; // lines: X1, Y1, X2, Y2
    const char16_t* caption;
    CaptionCheck check;
    bool shown;
};

using C = CaptionCheck;

const DesignedControl kDesign[] = {
    {"Command4", -1, 1, "PushButton", 2490, 3090, 210, 300, u"..", C::Exact, true},
    {"Option1", 1, 1, "OptionButton", 1260, 3450, 735, 195, u"Mujer", C::Exact, true},
    {"Option1", 0, 1, "OptionButton", 2010, 3450, 795, 195, u"Varón", C::Exact, true},
    {"Text3", -1, 1, "TextBox", 1845, 3105, 600, 285, u"0", C::Exact, true},
    {"Text2", -1, 1, "TextBox", 705, 4140, 1170, 285, u"", C::Exact, true},
    {"Text1", -1, 1, "TextBox", 720, 4875, 1155, 285, u"", C::Exact, true},
    {"Label8", -1, 1, "FormLabel", 3585, 6675, 2265, 195, u"e-mail : ", C::Prefix, true},
    {"Line4", 2, 1, "Line", 2430, 5310, 2430, 5610, u"", C::NoCaption, true},
    {"Line4", 1, 1, "Line", 1635, 5310, 1635, 5610, u"", C::NoCaption, true},
    {"Shape1", -1, 1, "Shape", 720, 5295, 2100, 330, u"", C::NoCaption, true},
    {"Line4", 0, 1, "Line", 885, 5310, 885, 5610, u"", C::NoCaption, true},
    {"Command1", -1, 1, "FormLabel", 975, 5340, 600, 210, u"Graficar", C::Exact, true},
    {"Command3", -1, 1, "FormLabel", 2490, 5340, 240, 210, u"Fin", C::Exact, true},
    {"Command2", -1, 1, "FormLabel", 660, 5340, 300, 270, u"?", C::Exact, true},
    {"Label6", -1, 1, "FormLabel", 1575, 6480, 6720, 195, u"", C::SomeText, true},
    {"Label5", -1, 1, "FormLabel", 3390, 210, 5475, 195, u"", C::Exact, true},
    {"sh", 1, 107, "Marker", 0, 0, 150, 135, u"", C::NoCaption, false},
    {"Shape2", -1, 1, "Shape", 3405, 435, 5445, 5625, u"", C::NoCaption, true},
    {"Label1", 4, 1, "FormLabel", 1905, 4935, 765, 195, u"en Gramos", C::Exact, true},
    {"Label1", 3, 1, "FormLabel", 1920, 4185, 900, 195, u"dd/mm/aaaa", C::Exact, true},
    {"sh", 0, 1, "Marker", 5235, 3525, 150, 135, u"", C::NoCaption, false},
    {"Label1", 2, 1, "FormLabel", 705, 3150, 945, 195, u"Nº H.Clínica :", C::Exact, true},
    {"Line3", -1, 1, "Line", 8835, 3600, 3435, 3600, u"", C::NoCaption, false},
    {"Line2", -1, 1, "Line", 5310, 465, 5310, 6030, u"", C::NoCaption, false},
    {"Image2", -1, 1, "Picture", 5295, 3585, 480, 480, u"", C::NoCaption, false},
    {"Label4", -1, 1, "FormLabel", 690, 1815, 2190, 240, u"", C::SomeText, true},
    {"Label3", -1, 1, "FormLabel", 705, 2385, 2130, 855,
     u"Este gráfico muestra el zelpo del niño y permite verificar el percentilo correcto.",
     C::Exact, true},
    {"Label2", -1, 1, "FormLabel", 555, 2100, 2400, 210, u"GRAFICO DE ZELPO", C::Exact, true},
    {"Label1", 1, 1, "FormLabel", 720, 3945, 1020, 195, u"F. Nacimiento ", C::Exact, true},
    {"Label1", 0, 1, "FormLabel", 720, 4470, 870, 195, u"Zelpo actual ", C::Exact, true},
    {"Image3", -1, 1, "Picture", 3090, 375, 5865, 5955, u"", C::NoCaption, false},
    {"Image1", -1, 1, "Picture", 300, 240, 2865, 6270, u"", C::NoCaption, true},
    {"Image4", -1, 1, "Picture", 3135, 405, 5730, 5925, u"", C::NoCaption, true},
};

QStringList memberNames(const DesignedControl& control)
{
    if (control.firstIndex < 0) {
        return {QString::fromLatin1(control.name)};
    }
    QStringList names;
    for (int i = 0; i < control.members; ++i) {
        names << QStringLiteral("%1(%2)").arg(control.name).arg(control.firstIndex + i);
    }
    return names;
}

bool isWindowed(const DesignedControl& control)
{
    return qstrcmp(control.kind, "PushButton") == 0 || qstrcmp(control.kind, "OptionButton") == 0 ||
           qstrcmp(control.kind, "TextBox") == 0;
}

QWidget* control(const PerZelpo& window, const QString& name)
{
    return window.findChild<QWidget*>(name);
}

// The weighing markers are no widgets: "sh(5)" is marker 5 of the pool; -1 for any other name.
int markerIndex(const QString& name)
{
    static const QRegularExpression member(QStringLiteral("^sh\\((\\d+)\\)$"));
    const QRegularExpressionMatch match = member.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

Marker* marker(const PerZelpo& window, const QString& name)
{
    const int index = markerIndex(name);
    return index < 0 ? nullptr : window.sh(index);
}

void show(const PerZelpo& window, const QString& name)
{
    if (Marker* shown = marker(window, name)) {
        shown->show();
    } else {
        control(window, name)->show();
    }
}

// A control's place in the stacking is that of the window's child that paints it: a marker's is
// its layer's.
QWidget* stackedChild(const PerZelpo& window, const QString& name)
{
    const int index = markerIndex(name);
    for (auto* layer : window.findChildren<MarkerLayer*>()) {
        if (index >= layer->firstIndex() && index < layer->firstIndex() + layer->count()) {
            return layer;
        }
    }
    return control(window, name);
}

// The window's controls: its widgets, and the markers its layers paint.
qsizetype controlCount(const PerZelpo& window)
{
    qsizetype count = 0;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        auto* layer = qobject_cast<MarkerLayer*>(child);
        count += layer ? layer->count() : 1;
    }
    return count;
}

// Left, top, width, height, or a line's two ends, exactly as the control holds them.
std::array<float, 4> heldTwips(QWidget* widget)
{
    if (auto* line = qobject_cast<Line*>(widget)) {
        return {line->x1(), line->y1(), line->x2(), line->y2()};
    }
    const TwipRect rect = dynamic_cast<const TwipControl&>(*widget).twipRect();
    return {rect.left, rect.top, rect.width, rect.height};
}

// Sets one twip property and reads back the value held and the pixel coordinate or size that
// followed it.
std::pair<float, int> setAndReadBack(const PerZelpo& window, const QString& name,
                                     const QString& property, float value)
{
    if (Marker* member = marker(window, name)) {
        const int field = QStringList{"left", "top", "width", "height"}.indexOf(property);
        TwipRect rect = member->twipRect();
        std::array<float*, 4>{&rect.left, &rect.top, &rect.width, &rect.height}[field][0] = value;
        member->setTwipRect(rect);
        const TwipRect held = member->twipRect();
        const QRect pixels = member->geometry();
        return {std::array{held.left, held.top, held.width, held.height}[field],
                std::array{pixels.x(), pixels.y(), pixels.width(), pixels.height()}[field]};
    }
    QWidget* widget = control(window, name);
    if (auto* line = qobject_cast<Line*>(widget)) {
        const bool x = property == QLatin1String("x1");
        line->setEnds(x ? value : line->x1(), x ? line->y1() : value, line->x2(), line->y2());
        return x ? std::pair(line->x1(), line->x()) : std::pair(line->y1(), line->y());
    }
    auto& twips = dynamic_cast<TwipControl&>(*widget);
    if (property == QLatin1String("left")) {
        twips.setTwipLeft(value);
        return {twips.twipLeft(), widget->x()};
    }
    if (property == QLatin1String("top")) {
        twips.setTwipTop(value);
        return {twips.twipTop(), widget->y()};
    }
    TwipRect rect = twips.twipRect();
    (property == QLatin1String("width") ? rect.width : rect.height) = value;
    twips.setTwipRect(rect);
    return property == QLatin1String("width") ? std::pair(twips.twipWidth(), widget->width())
                                              : std::pair(twips.twipHeight(), widget->height());
}

QString shownText(QWidget* widget)
{
    if (auto* label = qobject_cast<FormLabel*>(widget)) {
        return label->text();
    }
    if (auto* box = qobject_cast<TextBox*>(widget)) {
        return box->text();
    }
    return qobject_cast<QAbstractButton*>(widget)->text();
}

QPoint pixelOf(QPointF twips)
{
    return (twips / kTwipsPerPixel).toPoint();
}

QString describe(const QColor& colour)
{
    return QStringLiteral("(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

bool near(const QColor& a, const QColor& b)
{
    constexpr int tolerance = 8;
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Whether some pixel inside a control's box is near white: its text, for a dark label.
bool hasWhiteInk(const QImage& image, QRect box)
{
    const qreal ratio = image.devicePixelRatio();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (image.pixelColor(QPoint(x, y) * ratio).lightness() > 200) {
                return true;
            }
        }
    }
    return false;
}

QColor pixelColour(const QImage& image, QPoint at)
{
    return image.pixelColor(at * image.devicePixelRatio());
}

// The lightness of the darkest pixel inside a text box, frame left out: its text.
int darkestInk(const QImage& image, QRect box)
{
    int darkest = 255;
    for (int y = box.top() + 3; y <= box.bottom() - 3; ++y)
        for (int x = box.left() + 3; x <= box.right() - 3; ++x)
            darkest = std::min(darkest, pixelColour(image, QPoint(x, y)).lightness());
    return darkest;
}

bool shownAndActive(QWidget& window)
{
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

Q_DECLARE_METATYPE(CaptionCheck)

class ChartWindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFormLabelAccessibility(); }

    void everyControlStartsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(kDesign)); ++row) {
            for (const QString& name : memberNames(kDesign[row])) {
                QTest::newRow(qPrintable(name)) << name << row;
            }
        }
    }

    void everyControlStartsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        const DesignedControl& designed = kDesign[row];
        const QString caption = QString::fromUtf16(designed.caption);

        PerZelpo window;
        const std::array<float, 4> twips = {designed.left, designed.top, designed.width,
                                            designed.height};
        if (const Marker* member = marker(window, name)) {
            const TwipRect rect = member->twipRect();
            QCOMPARE(QByteArray(designed.kind), "Marker");
            QVERIFY((std::array{rect.left, rect.top, rect.width, rect.height}) == twips);
            QCOMPARE(!member->isHidden(), designed.shown);
            QCOMPARE(member->fillColour(), QColor(Qt::red));
            return;
        }
        QWidget* widget = control(window, name);
        QVERIFY2(widget, qPrintable(name + " is missing"));
        QCOMPARE(QByteArray(widget->metaObject()->className()),
                 "zelpo::" + QByteArray(designed.kind));

        const std::array<float, 4> held = heldTwips(widget);
        QVERIFY2(held == twips, qPrintable(QStringLiteral("twips held: %1 %2 %3 %4")
                                               .arg(held[0])
                                               .arg(held[1])
                                               .arg(held[2])
                                               .arg(held[3])));

        switch (designed.check) {
        case CaptionCheck::Exact:
            QCOMPARE(shownText(widget), caption);
            break;
        case CaptionCheck::Prefix:
            QVERIFY2(shownText(widget).startsWith(caption) &&
                         shownText(widget).size() > caption.size(),
                     qPrintable(shownText(widget)));
            break;
        case CaptionCheck::SomeText:
            QVERIFY2(!shownText(widget).trimmed().isEmpty(), "the caption is empty");
            break;
        case CaptionCheck::NoCaption:
            break;
        }
        QVERIFY2(!widget->isHidden() == designed.shown, designed.shown
                                                            ? "hidden at start, should be shown"
                                                            : "shown at start, should be hidden");
    }

    void theWindowHoldsNothingElseAndStartsReadyForABoy()
    {
        PerZelpo window;
        int designedControls = 0;
        for (const DesignedControl& designed : kDesign) {
            designedControls += designed.members;
        }
        QCOMPARE(controlCount(window), designedControls);
        QCOMPARE(window.size(), QSize(627, 460));
        QVERIFY2(window.Option1(0)->isChecked(), "\"Varón\" is not selected");
        QVERIFY2(!window.Option1(1)->isChecked(), "\"Mujer\" is selected");
        QCOMPARE(window.Text3()->maxLength(), 7);
        QCOMPARE(window.Text2()->maxLength(), 10);
        QCOMPARE(window.Text1()->maxLength(), 10);

        QVERIFY(shownAndActive(window));
        QCOMPARE(QApplication::focusWidget(), window.Text3());
    }

    void twipValuesAreHeldExactlyAndPixelsFollow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("property");
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("pixelsFollow");
        const auto add = [](const char* tag, const char* name, const char* property, float value,
                            bool pixelsFollow = true) {
            QTest::newRow(tag) << QString::fromLatin1(name) << QString::fromLatin1(property)
                               << value << pixelsFollow;
        };
        add("marker left", "sh(0)", "left", 4237.5f);
        add("marker top", "sh(5)", "top", 3372.27f);
        add("marker width", "sh(0)", "width", 367.5f);
        add("marker height", "sh(0)", "height", 1e-3f);
        add("arrow left", "Image2", "left", 367.5f);
        add("arrow top, far above", "Image2", "top", -123456.7f);
        add("auto-size label width", "Command1", "width", 1234.56f, false);
        add("vertical line X1", "Line2", "x1", 367.5f);
        add("horizontal line Y1", "Line3", "y1", 3372.27f);
    }

    void twipValuesAreHeldExactlyAndPixelsFollow()
    {
        QFETCH(QString, name);
        QFETCH(QString, property);
        QFETCH(float, value);
        QFETCH(bool, pixelsFollow);

        PerZelpo window;
        const auto [held, pixel] = setAndReadBack(window, name, property, value);
        QVERIFY2(held == value, qPrintable(QStringLiteral("set %1, read back %2")
                                               .arg(double(value), 0, 'g', 9)
                                               .arg(double(held), 0, 'g', 9)));
        if (pixelsFollow) {
            // Every control starts on whole pixels, so a size in pixels follows its twips too.
            const double expected = value / kTwipsPerPixel;
            QVERIFY2(std::abs(pixel - expected) <= 0.5,
                     qPrintable(QStringLiteral("%1 px for %2 px").arg(pixel).arg(expected)));
        }
    }

    void controlsAreStackedInTheDesignedOrder()
    {
        PerZelpo window;
        const QObjectList children = window.children();
        // Widgets later among the children are painted over the earlier ones.
        const auto rangeOf = [&](const DesignedControl& designed) {
            QList<qsizetype> at;
            for (const QString& name : memberNames(designed)) {
                at << children.indexOf(stackedChild(window, name));
            }
            return std::pair(*std::min_element(at.begin(), at.end()),
                             *std::max_element(at.begin(), at.end()));
        };
        qsizetype lowestWindowed = children.size();
        qsizetype highestWindowless = -1;
        const DesignedControl* above = nullptr;
        for (const DesignedControl& designed : kDesign) {
            const auto [low, high] = rangeOf(designed);
            QVERIFY2(low >= 0, designed.name);
            if (isWindowed(designed)) {
                lowestWindowed = std::min(lowestWindowed, low);
                continue;
            }
            highestWindowless = std::max(highestWindowless, high);
            if (above) {
                QVERIFY2(
                    high < rangeOf(*above).first,
                    qPrintable(QStringLiteral("%1 lies above %2").arg(designed.name, above->name)));
            }
            above = &designed;
        }
        QVERIFY2(lowestWindowed > highestWindowless,
                 "a windowless control lies above a text box, option or button");
    }

    void tabEntersTheOptionPairAtTheSelectedSex_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addRow("Varón") << 0;
        QTest::addRow("Mujer") << 1;
    }

    void tabEntersTheOptionPairAtTheSelectedSex()
    {
        QFETCH(int, selected);
        PerZelpo window;
        window.Option1(selected)->setChecked(true);
        QVERIFY(shownAndActive(window));
        const QList<QWidget*> order = {window.Command4(), window.Option1(selected), window.Text2(),
                                       window.Text1(), window.Text3()};
        QCOMPARE(QApplication::focusWidget(), window.Text3());
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(QApplication::focusWidget() == next,
                     qPrintable(
                         QStringLiteral("focus went to %1 instead of %2")
                             .arg(QApplication::focusWidget()->objectName(), next->objectName())));
        }
    }

    void clickingACommandLeavesTheFocusWhereItWas_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("focused");
        const auto add = [](const char* tag, const char* command, const char* focused) {
            QTest::newRow(tag) << QString::fromLatin1(command) << QString::fromLatin1(focused);
        };
        add("? from the weight", "Command2", "Text1");
        add("Graficar from the weight", "Command1", "Text1");
        add("Graficar from the history number", "Command1", "Text3");
        add("Fin from the birth date", "Command3", "Text2");
    }

    void clickingACommandLeavesTheFocusWhereItWas()
    {
        QFETCH(QString, command);
        QFETCH(QString, focused);
        PerZelpo window;
        QVERIFY(shownAndActive(window));
        auto* box = qobject_cast<TextBox*>(control(window, focused));
        box->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), box);

        auto* label = qobject_cast<FormLabel*>(control(window, command));
        QSignalSpy clicks(label, &FormLabel::clicked);
        QSignalSpy leaving(box, &TextBox::lostFocus);
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(leaving.count(), 0);
    }

    void thePointerPassesThroughMarkersFrameAndLines_data()
    {
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QPointF>("twips");
        QTest::addColumn<QString>("under");
        const QPointF markerCentre(5235 + 75, 3525 + 67);
        QTest::newRow("marker") << QStringList{"sh(0)"} << markerCentre << "Image4";
        QTest::newRow("marker on the girls' chart")
            << QStringList{"sh(0)", "Image3"} << markerCentre << "Image3";
        QTest::newRow("frame's left edge") << QStringList{} << QPointF(3405, 3000) << "Image4";
        QTest::newRow("frame's top edge") << QStringList{} << QPointF(6000, 435) << "Image4";
        QTest::newRow("vertical cross-hair")
            << QStringList{"Line2"} << QPointF(5310, 1500) << "Image4";
        QTest::newRow("horizontal cross-hair on the girls' chart")
            << QStringList{"Line3", "Image3"} << QPointF(6000, 3600) << "Image3";
        QTest::newRow("arrow") << QStringList{"Image2"} << QPointF(5295 + 300, 3585 + 300)
                               << "Image2";
        QTest::newRow("marker on the arrow")
            << QStringList{"Image2", "sh(0)"} << QPointF(5340, 3600) << "Image2";
        QTest::newRow("status line over the girls' chart")
            << QStringList{"Image3"} << QPointF(4000, 390) << "Label5";
        QTest::newRow("girls' chart over the panel")
            << QStringList{"Image3"} << QPointF(3120, 1500) << "Image3";
        QTest::newRow("weight box over the panel")
            << QStringList{} << QPointF(1000, 5000) << "Text1";
    }

    void thePointerPassesThroughMarkersFrameAndLines()
    {
        QFETCH(QStringList, shown);
        QFETCH(QPointF, twips);
        QFETCH(QString, under);
        PerZelpo window;
        for (const QString& name : shown) {
            show(window, name);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* found = window.childAt(pixelOf(twips));
        QVERIFY2(found, "nothing under the pointer");
        QCOMPARE(found->objectName(), under);
        QCOMPARE(QApplication::widgetAt(window.mapToGlobal(pixelOf(twips))), found);
    }

    void movingOverAMarkerReachesTheChartInItsOwnTwips()
    {
        PerZelpo window;
        window.sh(0)->show();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy chart(window.Image4(), &Picture::mouseMoved);
        QSignalSpy bareWindow(&window, &PerZelpo::mouseMoved);

        const QPoint markerCentre = window.sh(0)->geometry().center();
        QTest::mouseMove(window.windowHandle(), markerCentre);
        QTRY_VERIFY2(!chart.isEmpty(), "the chart picture did not see the pointer");
        const QPoint inChart = markerCentre - window.Image4()->pos();
        QCOMPARE(chart.last().at(0).toFloat(), float(inChart.x() * 15));
        QCOMPARE(chart.last().at(1).toFloat(), float(inChart.y() * 15));
        QCOMPARE(bareWindow.count(), 0);
    }

    void onlyTheLinksShowTheHandPointer()
    {
        PerZelpo window;
        QList<QWidget*> pointed = {&window};
        for (auto* label : window.findChildren<FormLabel*>()) {
            pointed << label;
        }
        for (auto* picture : window.findChildren<Picture*>()) {
            pointed << picture;
        }
        for (QWidget* widget : pointed) {
            const bool link = widget == window.Label4() || widget == window.Label8();
            QVERIFY2(widget->cursor().shape() == (link ? Qt::PointingHandCursor : Qt::ArrowCursor),
                     qPrintable(widget->objectName()));
        }
    }

    void typingStopsAtTheBoxLimit_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("kept");
        QTest::newRow("history number") << QStringLiteral("Text3") << QStringLiteral("1234567");
        QTest::newRow("birth date") << QStringLiteral("Text2") << QStringLiteral("14/02/2021");
        QTest::newRow("weight") << QStringLiteral("Text1") << QStringLiteral("1234567890");
    }

    void typingStopsAtTheBoxLimit()
    {
        QFETCH(QString, box);
        QFETCH(QString, kept);
        PerZelpo window;
        auto* text = qobject_cast<TextBox*>(control(window, box));
        text->clear();
        QTest::keyClicks(text, kept + QStringLiteral("98765"));
        QCOMPARE(text->text(), kept);
        // A number copied from a spreadsheet cell comes with its line end, which stays out.
        QGuiApplication::clipboard()->setText(QStringLiteral("4711\r\n"));
        text->selectAll();
        text->paste();
        QCOMPARE(text->text(), QStringLiteral("4711"));
    }

    void assistiveTechnologyReadsNamesAndPresses()
    {
        PerZelpo window;
        const std::pair<TextBox*, FormLabel*> namedBy[] = {{window.Text3(), window.Label1(2)},
                                                           {window.Text2(), window.Label1(1)},
                                                           {window.Text1(), window.Label1(0)}};
        for (const auto& [box, label] : namedBy) {
            const QString caption =
                label->text().remove(QRegularExpression(QStringLiteral("[\\s:]+$")));
            const QString name =
                QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
            QVERIFY2(name.startsWith(caption),
                     qPrintable(box->objectName() + " is called " + name));
        }

        QAccessibleInterface* plot = QAccessible::queryAccessibleInterface(window.Command1());
        QCOMPARE(plot->role(), QAccessible::Button);
        QCOMPARE(plot->text(QAccessible::Name), QStringLiteral("Graficar"));
        QSignalSpy clicks(window.Command1(), &FormLabel::clicked);
        QVERIFY(plot->actionInterface());
        plot->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.count(), 1);

        window.Label5()->setText(QStringLiteral("Zelpo: 3950 g"));
        QCOMPARE(QAccessible::queryAccessibleInterface(window.Label5())->text(QAccessible::Name),
                 QStringLiteral("Zelpo: 3950 g"));

        window.Text2()->setEnabled(false);
        QVERIFY(QAccessible::queryAccessibleInterface(window.Text2())->state().disabled);
        QVERIFY(!QAccessible::queryAccessibleInterface(window.Text1())->state().disabled);
    }

    void controlsPaintTheirColoursAndMarkersLieOnTop()
    {
        PerZelpo window;
        window.Label5()->setText(QStringLiteral("Zelpo: 88888 g"));
        // A loaded history locks the birth date; the box must look locked.
        window.Text2()->setText(QStringLiteral("14/02/2021"));
        window.Text2()->setEnabled(false);
        // The marker sits on the frame's left edge, a second one on the arrow and the vertical
        // cross-hair line.
        window.sh(0)->show();
        window.sh(1)->setTwipRect({3405 - 75, 3000, 150, 135});
        window.sh(1)->show();
        window.Image2()->show();
        window.Line2()->show();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage image = window.grab().toImage();

        const QColor windowText = window.palette().color(QPalette::WindowText);
        const struct
        {
            const char* what;
            QPoint at;
            QColor expected;
        } samples[] = {
            {"status line", window.Label5()->geometry().topRight() + QPoint(-3, 3), Qt::black},
            {"title bar", window.Label2()->geometry().topLeft() + QPoint(3, 3), QColor(64, 64, 64)},
            {"weight box", window.Text1()->geometry().center(), QColor(255, 224, 192)},
            {"birth-date box, locked", window.Text2()->geometry().center() + QPoint(34, 0),
             QColor(255, 224, 192)},
            {"marker on the arrow and the line", window.sh(0)->geometry().center(), Qt::red},
            {"marker on the frame", window.sh(1)->geometry().center(), Qt::red},
            {"line on the arrow", QPoint(window.Line2()->x(), window.Image2()->y() + 20),
             windowText},
        };
        for (const auto& sample : samples) {
            const QColor seen = pixelColour(image, sample.at);
            QVERIFY2(near(seen, sample.expected),
                     qPrintable(QStringLiteral("%1 is %2, not %3")
                                    .arg(sample.what, describe(seen), describe(sample.expected))));
        }
        const int lockedInk = darkestInk(image, window.Text2()->geometry());
        QVERIFY2(lockedInk > 90 && lockedInk < 230, "the locked birth date is not drawn grey");
        QVERIFY2(hasWhiteInk(image, window.Label5()->geometry()), "status line text is not white");
        QVERIFY2(hasWhiteInk(image, window.Label2()->geometry()), "title text is not white");
    }

    void theBackdropIsBlackAndFrameless()
    {
        Fondo fondo;
        QVERIFY(fondo.windowFlags().testFlag(Qt::FramelessWindowHint));
        const QImage image = fondo.grab().toImage();
        QCOMPARE(pixelColour(image, QPoint(10, 10)), QColor(Qt::black));
        QCOMPARE(pixelColour(image, fondo.rect().center()), QColor(Qt::black));
    }
};

QTEST_MAIN(ChartWindowLayoutTest)
#include "tst_chart_window_layout.moc"
