#include "procedures/HoverReadout.h"

#include "core/Readout.h"
#include "forms/FormLabel.h"
#include "forms/Line.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"

namespace zelpo {

namespace {

// The label repaints on every new text; the pointer often moves without changing a field.
void setReadoutText(FormLabel& label, const QString& text)
{
    if (label.text() != text) {
        label.setCaption(text);
    }
}

} // namespace

void showReadout(PerZelpo& window, float x, float y, ChartPicture picture)
{
    const Shape& frameShape = *window.Shape2();
    const TwipRect frame = frameShape.twipRect();
    const Picture& source = picture == ChartPicture::Image3 ? *window.Image3() : *window.Image4();
    const zelpo::PointerOffsets offsets =
        picture == ChartPicture::Image3 ? zelpo::image3PointerOffsets : zelpo::image4PointerOffsets;
    const zelpo::CrossHair at = zelpo::crossHairAt(frame, x, y, offsets, source.twipRect());

    // Both ends of a line move in one step, so only its old and new strips are repainted and
    // never the stretch of chart between them.
    Line& vertical = *window.Line2();
    Line& horizontal = *window.Line3();
    vertical.setEnds(at.x, vertical.y1(), at.x, vertical.y2());
    horizontal.setEnds(horizontal.x1(), at.y, horizontal.x2(), at.y);
    horizontal.show();
    vertical.show();

    // The numbers describe where the lines really stand, read back from them.
    const zelpo::Readout readout = zelpo::readoutOfCrossHair(frame, vertical.x1(), horizontal.y1());
    const zelpo::Result<QString> caption = zelpo::readoutCaption(readout);
    setReadoutText(*window.Label5(), caption.ok() ? caption.value() : QString());
}

void hideReadout(PerZelpo& window)
{
    window.Line2()->hide();
    window.Line3()->hide();
    setReadoutText(*window.Label5(), QString());
}

} // namespace zelpo
