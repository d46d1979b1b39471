#pragma once

#include "core/Twips.h"
#include "look/LayoutFont.h"

#include <cstdint>
#include <optional>
#include <span>

#include <Qt>

class QColor;
class QPalette;

namespace zelpo {

// Colours as the layout writes them: &H00BBGGRR, or one of the desktop's system colours.
using ColourRef = std::uint32_t;
inline constexpr ColourRef kWindowBackground = 0x80000005;
inline constexpr ColourRef kWindowText = 0x80000008;
inline constexpr ColourRef kButtonFace = 0x8000000F;
inline constexpr ColourRef kButtonText = 0x80000012;
QColor resolveColour(ColourRef colour, const QPalette& desktop);

enum class ControlKind { PushButton, OptionButton, TextBox, Label, Line, Shape, Picture };
enum class ShapeForm { Rectangle, Circle };
enum class PictureArt { None, GirlsChart, BoysChart, Panel, Arrow };

// One control of the chart window as the layout declares it.
struct ControlSpec
{
    const char* name;
    int index = -1; // position in its control array; -1 for a single control
    int count = 1;  // consecutive array members declared alike, from `index` on
    ControlKind kind = ControlKind::Label;
    // Left, top, width, height in twips; for a line its end points X1, Y1, X2, Y2.
    TwipRect rect;
    const char16_t* caption = u"";
    bool visible = true;
    bool selected = false;               // option buttons
    std::optional<ColourRef> background; // nothing: transparent
    ColourRef foreground = kWindowText;
    FontSpec font; // no size: the window's font
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool autoSize = false;
    bool wordWrap = false;
    bool actsOnClick = false; // a label serving as a button or a link
    bool handPointer = false;
    int maxLength = 0; // text boxes; 0: no limit
    ShapeForm shapeForm = ShapeForm::Rectangle;
    int borderPixels = 1; // shapes
    PictureArt picture = PictureArt::None;
    const char16_t* accessibleName = nullptr;
};

// The chart window's controls from the topmost to the lowest: among labels, pictures, shapes and
// lines, one listed earlier lies above the ones after it; text boxes, option buttons and the push
// button lie above them all.
std::span<const ControlSpec> chartWindowControls();

// The control `name`, or member `index` of the control array `name`, as the layout declares it.
const ControlSpec& chartWindowControl(const char* name, int index = -1);

// The chart window's client area and font.
inline constexpr float kChartWindowWidth = 9405;
inline constexpr float kChartWindowHeight = 6900;
inline constexpr FontSpec kChartWindowFont{8.25f, true};

// The keyboard focus order; the option pair is entered at its selected button.
inline constexpr const char* kTabOrder[] = {"Text3",      "Command4", "Option1(1)",
                                            "Option1(0)", "Text2",    "Text1"};

} // namespace zelpo
