#include "look/ChartWindowLayout.h"

#include "core/ChartScale.h"
#include "core/MakerContact.h"

#include <algorithm>
#include <string_view>

#include <QColor>
#include <QPalette>

namespace zelpo {

namespace {

// The sizes and weights the layout was measured with; every text is in the one face.
constexpr FontSpec kText{8.25f};
constexpr FontSpec kTextBold{8.25f, true};
constexpr FontSpec kTextUnderlined{8.25f, false, true};
constexpr FontSpec kCommandText{9.0f};
constexpr FontSpec kLinkText{9.75f, true, true};

constexpr ColourRef kPeach = 0x00C0E0FF;
constexpr ColourRef kLightGrey = 0x00E0E0E0;
constexpr ColourRef kDarkGrey = 0x00404040;
constexpr ColourRef kBlack = 0x00000000;
constexpr ColourRef kWhite = 0x00FFFFFF;
constexpr ColourRef kRed = 0x000000FF;

constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignVCenter;

using K = ControlKind;

const ControlSpec kControls[] = {
    {.name = "Command4",
     .kind = K::PushButton,
     .rect = {2490, 3090, 210, 300},
     .caption = u"..",
     .background = kButtonFace,
     .foreground = kButtonText,
     .font = kText},
    {.name = "Option1",
     .index = 1,
     .kind = K::OptionButton,
     .rect = {1260, 3450, 735, 195},
     .caption = u"Mujer",
     .background = kLightGrey,
     .font = kText},
    {.name = "Option1",
     .index = 0,
     .kind = K::OptionButton,
     .rect = {2010, 3450, 795, 195},
     .caption = u"Varón",
     .selected = true,
     .background = kLightGrey,
     .font = kText},
    {.name = "Text3",
     .kind = K::TextBox,
     .rect = {1845, 3105, 600, 285},
     .caption = u"0",
     .background = kPeach,
     .maxLength = 7,
     .accessibleName = u"Nº H.Clínica"},
    {.name = "Text2",
     .kind = K::TextBox,
     .rect = {705, 4140, 1170, 285},
     .background = kPeach,
     .font = kText,
     .maxLength = 10,
     .accessibleName = u"F. Nacimiento (dd/mm/aaaa)"},
    {.name = "Text1",
     .kind = K::TextBox,
     .rect = {720, 4875, 1155, 285},
     .background = kPeach,
     .font = kText,
     .maxLength = 10,
     .accessibleName = u"Zelpo actual (en Gramos)"},
    {.name = "Label8",
     .kind = K::Label,
     .rect = {3585, 6675, 2265, 195},
     .caption = kMailLinkCaption.data(),
     .font = kTextUnderlined,
     .autoSize = true,
     .actsOnClick = true,
     .handPointer = true},
    {.name = "Line4", .index = 2, .kind = K::Line, .rect = {2430, 5310, 2430, 5610}},
    {.name = "Line4", .index = 1, .kind = K::Line, .rect = {1635, 5310, 1635, 5610}},
    {.name = "Shape1", .kind = K::Shape, .rect = {720, 5295, 2100, 330}},
    {.name = "Line4", .index = 0, .kind = K::Line, .rect = {885, 5310, 885, 5610}},
    {.name = "Command1",
     .kind = K::Label,
     .rect = {975, 5340, 600, 210},
     .caption = u"Graficar",
     .font = kCommandText,
     .alignment = kCentred,
     .autoSize = true,
     .actsOnClick = true},
    {.name = "Command3",
     .kind = K::Label,
     .rect = {2490, 5340, 240, 210},
     .caption = u"Fin",
     .font = kCommandText,
     .alignment = kCentred,
     .autoSize = true,
     .actsOnClick = true},
    {.name = "Command2",
     .kind = K::Label,
     .rect = {660, 5340, 300, 270},
     .caption = u"?",
     .font = kCommandText,
     .alignment = kCentred,
     .actsOnClick = true},
    {.name = "Label6",
     .kind = K::Label,
     .rect = {1575, 6480, 6720, 195},
     .caption = u"Zelpo 1.0 — gráfico de zelpo para el consultorio pediátrico. Uso libre.",
     .font = kText,
     .autoSize = true},
    {.name = "Label5",
     .kind = K::Label,
     .rect = {3390, 210, 5475, 195},
     .background = kBlack,
     .foreground = kWhite,
     .font = kText},
    // The caption of a view closer than the whole chart, above the status line, which the pointer
    // keeps rewriting: the view's name and how many weighings lie past its scales.
    {.name = "Label9",
     .kind = K::Label,
     .rect = {3390, 15, 5475, 195},
     .visible = false,
     .font = kText},
    {.name = "sh",
     .index = 1,
     .count = zelpo::markerCount - 1,
     .kind = K::Shape,
     .rect = {0, 0, 150, 135},
     .visible = false,
     .background = kRed,
     .shapeForm = ShapeForm::Circle},
    {.name = "Shape2", .kind = K::Shape, .rect = {3405, 435, 5445, 5625}, .borderPixels = 3},
    {.name = "Label1",
     .index = 4,
     .kind = K::Label,
     .rect = {1905, 4935, 765, 195},
     .caption = u"en Gramos",
     .font = kText,
     .autoSize = true},
    {.name = "Label1",
     .index = 3,
     .kind = K::Label,
     .rect = {1920, 4185, 900, 195},
     .caption = u"dd/mm/aaaa",
     .font = kText,
     .autoSize = true},
    {.name = "sh",
     .index = 0,
     .kind = K::Shape,
     .rect = {5235, 3525, 150, 135},
     .visible = false,
     .background = kRed,
     .shapeForm = ShapeForm::Circle},
    {.name = "Label1",
     .index = 2,
     .kind = K::Label,
     .rect = {705, 3150, 945, 195},
     .caption = u"Nº H.Clínica :",
     .font = kText,
     .autoSize = true},
    {.name = "Line3", .kind = K::Line, .rect = {8835, 3600, 3435, 3600}, .visible = false},
    {.name = "Line2", .kind = K::Line, .rect = {5310, 465, 5310, 6030}, .visible = false},
    {.name = "Image2",
     .kind = K::Picture,
     .rect = {5295, 3585, 480, 480},
     .visible = false,
     .picture = PictureArt::Arrow,
     .accessibleName = u"Última medida"},
    {.name = "Label4",
     .kind = K::Label,
     .rect = {690, 1815, 2190, 240},
     .caption = kMakerWebAddress,
     .font = kLinkText,
     .autoSize = true,
     .actsOnClick = true,
     .handPointer = true},
    {.name = "Label3",
     .kind = K::Label,
     .rect = {705, 2385, 2130, 855},
     .caption = u"Este gráfico muestra el zelpo del niño y permite verificar el percentilo "
                u"correcto.",
     .font = kText,
     .alignment = Qt::AlignLeft | Qt::AlignTop,
     .wordWrap = true},
    {.name = "Label2",
     .kind = K::Label,
     .rect = {555, 2100, 2400, 210},
     .caption = u"GRAFICO DE ZELPO",
     .background = kDarkGrey,
     .foreground = kWhite,
     .font = kTextBold,
     .alignment = kCentred},
    {.name = "Label1",
     .index = 1,
     .kind = K::Label,
     .rect = {720, 3945, 1020, 195},
     .caption = u"F. Nacimiento ",
     .font = kText,
     .autoSize = true},
    {.name = "Label1",
     .index = 0,
     .kind = K::Label,
     .rect = {720, 4470, 870, 195},
     .caption = u"Zelpo actual ",
     .font = kText,
     .autoSize = true},
    {.name = "Image3",
     .kind = K::Picture,
     .rect = {3090, 375, 5865, 5955},
     .visible = false,
     .picture = PictureArt::GirlsChart,
     .accessibleName = u"Gráfico de zelpo para niñas"},
    {.name = "Image1",
     .kind = K::Picture,
     .rect = {300, 240, 2865, 6270},
     .picture = PictureArt::Panel},
    {.name = "Image4",
     .kind = K::Picture,
     .rect = {3135, 405, 5730, 5925},
     .picture = PictureArt::BoysChart,
     .accessibleName = u"Gráfico de zelpo para varones"},
};

} // namespace

std::span<const ControlSpec> chartWindowControls()
{
    return kControls;
}

const ControlSpec& chartWindowControl(const char* name, int index)
{
    const auto declares = [&](const ControlSpec& control) {
        return std::string_view(control.name) == name &&
               (index < 0 ? control.index < 0
                          : index >= control.index && index < control.index + control.count);
    };
    const auto found = std::ranges::find_if(kControls, declares);
    Q_ASSERT_X(found != std::end(kControls), "chartWindowControl", name);
    return *found;
}

QColor resolveColour(ColourRef colour, const QPalette& desktop)
{
    switch (colour) {
    case kWindowBackground:
        return desktop.color(QPalette::Base);
    case kWindowText:
        return desktop.color(QPalette::WindowText);
    case kButtonFace:
        return desktop.color(QPalette::Button);
    case kButtonText:
        return desktop.color(QPalette::ButtonText);
    default:
        return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    }
}

} // namespace zelpo
