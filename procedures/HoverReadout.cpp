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

// The age and weight where the cross-hair lines stand, on the frame spanning `spans`.
void writeReadout(PerZelpo& window, const TwipRect& frame, ChartSpans spans)
{
    const zelpo::Readout readout =
        zelpo::readoutOfCrossHair(frame, window.Line2()->x1(), window.Line3()->y1(), spans);
    const zelpo::Result<QString> caption = zelpo::readoutCaption(readout);
    setReadoutText(*window.Label5(), caption.ok() ? caption.value() : QString());
}

} // namespace

void showReadout(PerZelpo& window, float x, float y, ChartPicture picture, ChartSpans spans)
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
    writeReadout(window, frame, spans);
}

void rereadReadout(PerZelpo& window, ChartSpans spans)
{
    if (!window.Line2()->isHidden()) {
        writeReadout(window, window.Shape2()->twipRect(), spans);
    }
}

void hideReadout(PerZelpo& window)
{
    window.Line2()->hide();
    window.Line3()->hide();
    setReadoutText(*window.Label5(), QString());
}

} // namespace zelpo
