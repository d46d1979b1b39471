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
#include "look/ChartLook.h"
#include "look/ChartWindowLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace zelpo;

namespace {

// The names of the controls one row of the layout table declares: "Text1", or "sh(1)" to "sh(107)".
QStringList memberNames(const ControlSpec& declared)
{
    if (declared.index < 0) {
        return {QString::fromLatin1(declared.name)};
    }
    QStringList names;
    for (int i = 0; i < declared.count; ++i) {
        names << QStringLiteral("%1(%2)").arg(declared.name).arg(declared.index + i);
    }
    return names;
}

bool isWindowed(const ControlSpec& declared)
{
    return declared.kind == ControlKind::PushButton || declared.kind == ControlKind::OptionButton ||
           declared.kind == ControlKind::TextBox;
}

// The class of the widget each kind of control is, in the order of `ControlKind`.
const char* const kWidgetClasses[] = {"zelpo::PushButton", "zelpo::OptionButton", "zelpo::TextBox",
                                      "zelpo::FormLabel",  "zelpo::Line",         "zelpo::Shape",
                                      "zelpo::Picture"};

// The colour the window paints for a colour of the layout.
QColor painted(ColourRef colour)
{
    return resolveColour(colour, QApplication::palette());
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

class ChartWindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFormLabelAccessibility(); }

    void everyControlStartsAsDeclared_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        const std::span<const ControlSpec> table = chartWindowControls();
        for (int row = 0; row < int(table.size()); ++row) {
            for (const QString& name : memberNames(table[row])) {
                QTest::newRow(qPrintable(name)) << name << row;
            }
        }
    }

    void everyControlStartsAsDeclared()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        const ControlSpec& declared = chartWindowControls()[row];
        const TwipRect& rect = declared.rect;
        const std::array<float, 4> twips = {rect.left, rect.top, rect.width, rect.height};

        PerZelpo window;
        if (const Marker* member = marker(window, name)) {
            const TwipRect held = member->twipRect();
            QCOMPARE(declared.shapeForm, ShapeForm::Circle);
            QVERIFY((std::array{held.left, held.top, held.width, held.height}) == twips);
            QCOMPARE(!member->isHidden(), declared.visible);
            QCOMPARE(member->fillColour(), painted(*declared.background));
            return;
        }
        QWidget* widget = control(window, name);
        QVERIFY2(widget, qPrintable(name + " is missing"));
        QCOMPARE(widget->metaObject()->className(), kWidgetClasses[int(declared.kind)]);

        const std::array<float, 4> held = heldTwips(widget);
        QVERIFY2(held == twips, qPrintable(QStringLiteral("twips held: %1 %2 %3 %4")
                                               .arg(held[0])
                                               .arg(held[1])
                                               .arg(held[2])
                                               .arg(held[3])));
        if (!qobject_cast<Line*>(widget) && !qobject_cast<Shape*>(widget) &&
            !qobject_cast<Picture*>(widget)) {
            QCOMPARE(shownText(widget), QString::fromUtf16(declared.caption));
        }
        if (auto* box = qobject_cast<TextBox*>(widget)) {
            QCOMPARE(box->maxLength(), declared.maxLength);
        }
        if (auto* option = qobject_cast<OptionButton*>(widget)) {
            QCOMPARE(option->isChecked(), declared.selected);
        }
        QVERIFY2(!widget->isHidden() == declared.visible, declared.visible
                                                              ? "hidden at start, should be shown"
                                                              : "shown at start, should be hidden");
    }

    void theWindowHoldsNothingElseAndStartsReadyForABoy()
    {
        PerZelpo window;
        int declaredControls = 0;
        for (const ControlSpec& declared : chartWindowControls()) {
            declaredControls += declared.count;
        }
        QCOMPARE(controlCount(window), declaredControls);
        QCOMPARE(window.size(),
                 QSize(twipsToPixels(kChartWindowWidth), twipsToPixels(kChartWindowHeight)));
        QVERIFY2(window.Option1(0)->isChecked(), "\"Varón\" is not selected");

        QVERIFY(shownAndActive(window));
        QCOMPARE(QApplication::focusWidget(), window.Text3());
    }

    // The page and the copied chart are drawn in the look, never in the window: it must be the
    // window's.
    void theChartsLookIsTheWindows()
    {
        PerZelpo window;
        const ChartLook look = chartLook(window.palette());
        const auto twips = [](const TwipRect& rect) {
            return std::array{rect.left, rect.top, rect.width, rect.height};
        };
        QCOMPARE(twips(look.girlsChart), twips(window.Image3()->twipRect()));
        QCOMPARE(twips(look.boysChart), twips(window.Image4()->twipRect()));
        QCOMPARE(twips(look.frame), twips(window.Shape2()->twipRect()));
        QCOMPARE(look.frameColour, window.Shape2()->borderColour());
        QCOMPARE(look.frameBorderPixels, window.Shape2()->borderPixels());
        const Marker* marker = window.sh(0);
        QCOMPARE(std::pair(look.markerWidth, look.markerHeight),
                 std::pair(marker->twipWidth(), marker->twipHeight()));
        QCOMPARE(look.markerFill, marker->fillColour());
        QCOMPARE(look.markerOutline, marker->borderColour());
        QCOMPARE(look.markerBorderPixels, marker->borderPixels());
        QCOMPARE(std::pair(look.arrowWidth, look.arrowHeight),
                 std::pair(window.Image2()->twipWidth(), window.Image2()->twipHeight()));
        QCOMPARE(look.headingFont, window.Label2()->font());
        QCOMPARE(look.headingBand, window.Label2()->palette().color(QPalette::Window));
        QCOMPARE(look.headingInk, window.Label2()->palette().color(QPalette::WindowText));
        QCOMPARE(look.textFont, window.Label1(2)->font());
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

    void controlsAreStackedInTheDeclaredOrder()
    {
        PerZelpo window;
        const QObjectList children = window.children();
        // Widgets later among the children are painted over the earlier ones.
        const auto rangeOf = [&](const ControlSpec& declared) {
            QList<qsizetype> at;
            for (const QString& name : memberNames(declared)) {
                at << children.indexOf(stackedChild(window, name));
            }
            return std::pair(*std::min_element(at.begin(), at.end()),
                             *std::max_element(at.begin(), at.end()));
        };
        qsizetype lowestWindowed = children.size();
        qsizetype highestWindowless = -1;
        const ControlSpec* above = nullptr;
        for (const ControlSpec& declared : chartWindowControls()) {
            const auto [low, high] = rangeOf(declared);
            QVERIFY2(low >= 0, declared.name);
            if (isWindowed(declared)) {
                lowestWindowed = std::min(lowestWindowed, low);
                continue;
            }
            highestWindowless = std::max(highestWindowless, high);
            if (above) {
                QVERIFY2(
                    high < rangeOf(*above).first,
                    qPrintable(QStringLiteral("%1 lies above %2").arg(declared.name, above->name)));
            }
            above = &declared;
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
        const auto fill = [](const char* name, int index = -1) {
            return painted(*chartWindowControl(name, index).background);
        };
        const struct
        {
            const char* what;
            QPoint at;
            QColor expected;
        } samples[] = {
            {"status line", window.Label5()->geometry().topRight() + QPoint(-3, 3), fill("Label5")},
            {"title bar", window.Label2()->geometry().topLeft() + QPoint(3, 3), fill("Label2")},
            {"weight box", window.Text1()->geometry().center(), fill("Text1")},
            {"birth-date box, locked", window.Text2()->geometry().center() + QPoint(34, 0),
             fill("Text2")},
            {"marker on the arrow and the line", window.sh(0)->geometry().center(), fill("sh", 0)},
            {"marker on the frame", window.sh(1)->geometry().center(), fill("sh", 1)},
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
