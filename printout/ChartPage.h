#pragma once

#include "core/ChartScale.h"
#include "core/PercentileCurves.h"
#include "records/StoredWeighings.h"

#include <optional>

#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

class QImage;
class QPagedPaintDevice;
class QPainter;

namespace zelpo {

// Everything the printed page shows, taken from the chart window's look and the open child's
// history at the moment of printing. Rectangles are in the window's twips.
struct ChartPageContent
{
    QFont headingFont; // the window's heading label, with its colours
    QColor headingBand;
    QColor headingInk;
    QFont textFont;        // the window's own labels
    QString historyNumber; // "0004711", or "sin número"
    QString sex;           // "Varón" or "Mujer"
    QString birthDate;     // dd/mm/yyyy; empty when none is known
    // From the open child's history, dd/mm/yyyy: the birth date as corrected, which the page then
    // shows as the birth date, and the day it was corrected; both empty when it never was.
    QString correctedBirthDate;
    QString birthDateCorrectedOn;
    // The patient file's own birth date, dd/mm/yyyy, when it was corrected since.
    QString storedBirthDate;
    QString printedOn; // dd/mm/yyyy
    zelpo::ChartSex chart = zelpo::ChartSex::Boys;
    // The ages and weights the chart spans in the view the window shows, and that view's name
    // for the page's title ("Primeros dos años"); empty for the whole chart.
    zelpo::ChartSpans spans = zelpo::wholeChart;
    QString viewName;
    QRectF picture; // the chart picture of that sex
    QRectF frame;
    QColor frameColour;
    int frameBorderPixels = 1;
    QList<QRectF> markers; // every visible marker
    // For a baby born early, each marker drawn at the corrected age with a small hollow mark where
    // the age from birth would have put it, joined to it by a thin line: the mark's rectangle and
    // the marker's.
    QList<std::pair<QRectF, QRectF>> birthAgeMarks;
    // The amber rings of the weighings to review, in twips, beneath their markers.
    QList<QRectF> reviewRings;
    QColor markerFill;
    QColor markerOutline;
    int markerBorderPixels = 1;
    std::optional<QRectF> arrow; // the newest-point arrow when it shows
    // The stored weighings when the history number names a patient file, in these columns.
    std::optional<QList<zelpo::StoredWeighing>> storedWeighings;
    QList<WeighingColumn> tableColumns = weighingColumns(false);
    // The gestational age at birth of a baby born early, whose ages are corrected.
    std::optional<GestationalAge> gestation;
};

// Paints the page on `device`, whose painter is `painter`, at the device's own resolution, on as
// many sheets as the table needs, each in the printable area of the device's paper: the chart
// is drawn by the window's artwork as vectors and text, never copied from pixels. Printing and
// the PDF file both paint through this. False when the device would not start another sheet.
bool paintChartPage(QPainter& painter, QPagedPaintDevice& device, const ChartPageContent& content);

// The chart picture with the frame, the markers and the arrow laid over it as on the window,
// scaled into `target`, as the page shows it.
void paintChartPicture(QPainter& painter, const QRectF& target, const ChartPageContent& content);

// The same as an image `scale` times the window's chart picture, e.g. for the clipboard.
QImage chartImage(const ChartPageContent& content, int scale);

} // namespace zelpo
