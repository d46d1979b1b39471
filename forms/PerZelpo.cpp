#include "forms/PerZelpo.h"

#include "artwork/ArrowArtwork.h"
#include "artwork/ChartArtwork.h"
#include "artwork/ChartPictures.h"
#include "artwork/PanelArtwork.h"
#include "forms/FormLabel.h"
#include "forms/Line.h"
#include "forms/MarkerLayer.h"
#include "forms/OptionButton.h"
#include "forms/Picture.h"
#include "forms/PushButton.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"
#include "look/ChartWindowLayout.h"
#include "pictures/BuiltPictures.h"

#include <cmath>
#include <ranges>
#include <utility>

#include <QCloseEvent>
#include <QMouseEvent>

namespace zelpo {

namespace {

QString controlName(const char* name, int index)
{
    const QString base = QString::fromLatin1(name);
    return index < 0 ? base : QStringLiteral("%1(%2)").arg(base).arg(index);
}

Picture::Artwork artworkFor(PictureArt art)
{
    // The charts and the panel were drawn when the program was built, for the usual screen
    // densities.
    const auto chart = [](zelpo::ChartSex sex) -> Picture::Artwork {
        return {[sex](QPainter& painter) { zelpo::paintChart(painter, sex); },
                [sex](qreal pixelRatio) { return zelpo::builtChart(sex, pixelRatio); }};
    };
    switch (art) {
    case PictureArt::GirlsChart:
        return chart(zelpo::ChartSex::Girls);
    case PictureArt::BoysChart:
        return chart(zelpo::ChartSex::Boys);
    case PictureArt::Panel:
        return {zelpo::paintPanel, zelpo::builtPanel};
    case PictureArt::Arrow:
        return zelpo::paintArrow;
    case PictureArt::None:
        break;
    }
    return [](QPainter&) {};
}

// The charts and the panel backdrop paint their whole rectangle; only the arrow lets the window
// show through.
bool coversEveryPixel(PictureArt art)
{
    return art == PictureArt::GirlsChart || art == PictureArt::BoysChart ||
           art == PictureArt::Panel;
}

void applyColours(QWidget* widget, const ControlSpec& declared, QPalette::ColorRole fillRole,
                  QPalette::ColorRole inkRole)
{
    QPalette palette = widget->palette();
    if (declared.background) {
        palette.setColor(fillRole, resolveColour(*declared.background, palette));
        widget->setAutoFillBackground(true);
    }
    // A disabled control keeps the desktop's disabled text colour, so that it looks disabled.
    const QColor ink = resolveColour(declared.foreground, palette);
    palette.setColor(QPalette::Active, inkRole, ink);
    palette.setColor(QPalette::Inactive, inkRole, ink);
    widget->setPalette(palette);
}

template <typename Control>
void placeControl(Control* control, const ControlSpec& declared)
{
    control->setTwipRect(declared.rect);
}

// A control in its declared font from the start: a caption set before it would be laid out, and
// a label's size worked out, once more in the new font.
template <typename Control, typename... Arguments>
Control* makeControl(const ControlSpec& declared, Arguments&&... arguments)
{
    auto* control = new Control(std::forward<Arguments>(arguments)...);
    if (declared.font.points > 0) {
        control->setFont(makeFont(declared.font));
    }
    return control;
}

QWidget* createControl(QWidget* window, const ControlSpec& declared)
{
    const QString caption = QString::fromUtf16(declared.caption);
    switch (declared.kind) {
    case ControlKind::PushButton: {
        auto* button = makeControl<PushButton>(declared, window);
        button->setText(caption);
        applyColours(button, declared, QPalette::Button, QPalette::ButtonText);
        placeControl(button, declared);
        return button;
    }
    case ControlKind::OptionButton: {
        auto* option = makeControl<OptionButton>(declared, window);
        option->setText(caption);
        option->setChecked(declared.selected);
        applyColours(option, declared, QPalette::Window, QPalette::WindowText);
        placeControl(option, declared);
        return option;
    }
    case ControlKind::TextBox: {
        auto* box = makeControl<TextBox>(declared, window);
        box->setMaxLength(declared.maxLength);
        box->setText(caption);
        applyColours(box, declared, QPalette::Base, QPalette::Text);
        box->setAutoFillBackground(false);
        box->setAccessibleName(QString::fromUtf16(declared.accessibleName));
        placeControl(box, declared);
        return box;
    }
    case ControlKind::Label: {
        auto* label = makeControl<FormLabel>(declared, window);
        label->setAlignment(declared.alignment);
        label->setWordWrap(declared.wordWrap);
        label->setActsOnClick(declared.actsOnClick);
        label->setAutoSize(declared.autoSize);
        applyColours(label, declared, QPalette::Window, QPalette::WindowText);
        placeControl(label, declared);
        label->setCaption(caption);
        return label;
    }
    case ControlKind::Line: {
        auto* line = makeControl<Line>(declared, window);
        line->setColour(resolveColour(declared.foreground, line->palette()));
        line->setEnds(declared.rect.left, declared.rect.top, declared.rect.width,
                      declared.rect.height);
        return line;
    }
    case ControlKind::Shape: {
        auto* shape = makeControl<Shape>(declared, window, declared.borderPixels);
        shape->setBorderColour(resolveColour(declared.foreground, shape->palette()));
        if (declared.background) {
            shape->setFillColour(resolveColour(*declared.background, shape->palette()));
        }
        placeControl(shape, declared);
        return shape;
    }
    case ControlKind::Picture: {
        auto* picture = makeControl<Picture>(declared, window, artworkFor(declared.picture));
        picture->setOpaque(coversEveryPixel(declared.picture));
        placeControl(picture, declared);
        return picture;
    }
    }
    return nullptr;
}

template <typename Control>
Control* childControl(const QWidget* window, const char* name, int index = -1)
{
    auto* control = window->findChild<Control*>(controlName(name, index));
    Q_ASSERT_X(control, "PerZelpo", name);
    return control;
}

template <typename Control, std::size_t N>
void findArray(const QWidget* window, const char* name, std::array<Control*, N>& members)
{
    for (std::size_t i = 0; i < N; ++i) {
        members[i] = childControl<Control>(window, name, static_cast<int>(i));
    }
}

} // namespace

PerZelpo::PerZelpo(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("perZelpo"));
    setWindowTitle(QString());
    setFixedSize(twipsToPixels(kChartWindowWidth), twipsToPixels(kChartWindowHeight));
    setFont(makeFont(kChartWindowFont));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, resolveColour(kWindowBackground, palette));
    setPalette(palette);
    setAutoFillBackground(true);
    setMouseTracking(true);

    buildControls();
    bindControls();
    setTabOrder();
    m_text3->setFocus();
}

void PerZelpo::buildControls()
{
    // Created from the lowest to the topmost, so that each lies over the ones made before it.
    std::vector<QWidget*> windowed;
    for (const ControlSpec& declared : std::views::reverse(chartWindowControls())) {
        // A group of weighing markers is painted by one sheet at the group's place.
        if (declared.kind == ControlKind::Shape && declared.shapeForm == ShapeForm::Circle) {
            m_markerLayers.push_back(new MarkerLayer(this, declared));
            continue;
        }
        for (int member = declared.count - 1; member >= 0; --member) {
            QWidget* control = createControl(this, declared);
            const int index = declared.index < 0 ? -1 : declared.index + member;
            control->setObjectName(controlName(declared.name, index));
            if (declared.handPointer) {
                control->setCursor(Qt::PointingHandCursor);
            }
            if (!declared.visible) {
                control->hide();
            }

            const bool isWindowed = declared.kind == ControlKind::PushButton ||
                                    declared.kind == ControlKind::OptionButton ||
                                    declared.kind == ControlKind::TextBox;
            if (isWindowed) {
                windowed.push_back(control);
            }
        }
    }
    for (QWidget* control : windowed) {
        control->raise();
    }
}

void PerZelpo::bindControls()
{
    m_text1 = childControl<TextBox>(this, "Text1");
    m_text2 = childControl<TextBox>(this, "Text2");
    m_text3 = childControl<TextBox>(this, "Text3");
    findArray(this, "Option1", m_option1);
    m_command4 = childControl<PushButton>(this, "Command4");
    m_command1 = childControl<FormLabel>(this, "Command1");
    m_command2 = childControl<FormLabel>(this, "Command2");
    m_command3 = childControl<FormLabel>(this, "Command3");
    findArray(this, "Label1", m_label1);
    m_label2 = childControl<FormLabel>(this, "Label2");
    m_label3 = childControl<FormLabel>(this, "Label3");
    m_label4 = childControl<FormLabel>(this, "Label4");
    m_label5 = childControl<FormLabel>(this, "Label5");
    m_label6 = childControl<FormLabel>(this, "Label6");
    m_label8 = childControl<FormLabel>(this, "Label8");
    m_label9 = childControl<FormLabel>(this, "Label9");
    m_image1 = childControl<Picture>(this, "Image1");
    m_image2 = childControl<Picture>(this, "Image2");
    m_image3 = childControl<Picture>(this, "Image3");
    m_image4 = childControl<Picture>(this, "Image4");
    m_shape1 = childControl<Shape>(this, "Shape1");
    m_shape2 = childControl<Shape>(this, "Shape2");
    for (MarkerLayer* layer : m_markerLayers) {
        for (int index = layer->firstIndex(); index < layer->firstIndex() + layer->count();
             ++index) {
            m_sh.at(index) = layer->marker(index);
        }
    }
    m_line2 = childControl<Line>(this, "Line2");
    m_line3 = childControl<Line>(this, "Line3");
    findArray(this, "Line4", m_line4);

    // The readout follows the pointer over the chart and changes at every move.
    m_label5->setPaintsFromTiles(true);

    // The chart pictures and the left panel follow the pointer; the arrow only swallows it.
    for (Picture* picture : {m_image1, m_image3, m_image4}) {
        picture->setReportsPointer(true);
    }
}

void PerZelpo::setTabOrder()
{
    QWidget* previous = nullptr;
    for (const char* name : kTabOrder) {
        QWidget* next = childControl<QWidget>(this, name);
        if (previous) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
    }
}

bool PerZelpo::varonSelected() const
{
    return m_option1[0]->isChecked();
}

void PerZelpo::holdMarkerRepaints(bool held)
{
    for (MarkerLayer* layer : m_markerLayers) {
        held ? layer->holdRepaints() : layer->releaseRepaints();
    }
}

void PerZelpo::showChartOver(ChartSpans spans)
{
    for (const auto& [picture, sex] :
         {std::pair(m_image3, ChartSex::Girls), std::pair(m_image4, ChartSex::Boys)}) {
        if (spans == wholeChart) {
            picture->showInstead({});
            continue;
        }
        picture->showInstead([sex, spans, size = picture->size()](qreal pixelRatio) {
            return chartPicture(sex, spans, size, pixelRatio);
        });
    }
}

float PerZelpo::outerTwipWidth() const
{
    return static_cast<float>(frameGeometry().width()) * kTwipsPerPixel;
}

float PerZelpo::outerTwipHeight() const
{
    return static_cast<float>(frameGeometry().height()) * kTwipsPerPixel;
}

void PerZelpo::setOuterTwipPosition(float left, float top)
{
    move(twipsToPixels(left), twipsToPixels(top));
}

void PerZelpo::mouseMoveEvent(QMouseEvent* event)
{
    const TwipPoint at = pointerTwips(event->position());
    emit mouseMoved(at.x, at.y, event->buttons(), event->modifiers());
}

void PerZelpo::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

} // namespace zelpo
