#include "look/ChartLook.h"

#include "look/ChartWindowLayout.h"

#include <QPalette>

namespace zelpo {

namespace {

// A control without a font of its own writes in the window's.
QFont fontOf(const ControlSpec& declared)
{
    return makeFont(declared.font.points > 0 ? declared.font : kChartWindowFont);
}

} // namespace

TwipRect ChartLook::chartPicture(ChartSex chart) const
{
    return chart == ChartSex::Boys ? boysChart : girlsChart;
}

ChartLook chartLook(const QPalette& desktop)
{
    const auto colour = [&desktop](ColourRef declared) { return resolveColour(declared, desktop); };
    const ControlSpec& frame = chartWindowControl("Shape2");
    const ControlSpec& marker = chartWindowControl("sh", 0);
    const ControlSpec& arrow = chartWindowControl("Image2");
    const ControlSpec& heading = chartWindowControl("Label2");
    ChartLook look;
    look.girlsChart = chartWindowControl("Image3").rect;
    look.boysChart = chartWindowControl("Image4").rect;
    look.frame = frame.rect;
    look.frameColour = colour(frame.foreground);
    look.frameBorderPixels = frame.borderPixels;
    look.markerWidth = marker.rect.width;
    look.markerHeight = marker.rect.height;
    look.markerFill = colour(marker.background.value_or(kWindowBackground));
    look.markerOutline = colour(marker.foreground);
    look.markerBorderPixels = marker.borderPixels;
    look.arrowWidth = arrow.rect.width;
    look.arrowHeight = arrow.rect.height;
    look.headingFont = fontOf(heading);
    look.headingBand = colour(heading.background.value_or(kWindowBackground));
    look.headingInk = colour(heading.foreground);
    look.textFont = fontOf(chartWindowControl("Label1", 2));
    return look;
}

ChartGeometry chartGeometry(const ChartLook& look)
{
    return {look.frame, look.markerWidth, look.markerHeight, look.arrowWidth, look.arrowHeight};
}

} // namespace zelpo
