#include "printout/ChartPage.h"

#include "artwork/ArrowArtwork.h"
#include "artwork/ChartArtwork.h"
#include "artwork/Outlines.h"
#include "core/Twips.h"
#include "core/WeighingReading.h"
#include "printout/ChartPageLayout.h"

#include <algorithm>
#include <iterator>

#include <QPagedPaintDevice>
#include <QPainter>

namespace zelpo {

namespace {

// Page units are the window's pixels: 96 to the inch.
constexpr double kUnitsPerInch = 96;

int tableRows(const ChartPageContent& content)
{
    return content.storedWeighings ? static_cast<int>(content.storedWeighings->size()) : -1;
}

QSizeF pictureSize(const ChartPageContent& content)
{
    return QSizeF(zelpo::chartPictureSize(content.chart));
}

QFont sized(QFont font, int pixels, bool bold = false)
{
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(false);
    return font;
}

void paintHeading(QPainter& painter, const ChartPageLayout& layout, const ChartPageContent& content)
{
    painter.fillRect(layout.heading, content.headingBand);
    painter.setPen(content.headingInk);
    painter.setFont(sized(content.headingFont, ChartPageLayout::kHeadingPixels, true));
    painter.drawText(layout.heading, Qt::AlignCenter, QStringLiteral("GRAFICO DE ZELPO"));
}

// The line under the child's data that tells which birth date is which; empty when the page
// shows the patient file's own.
QString birthDateNote(const ChartPageContent& content)
{
    if (!content.birthDateCorrectedOn.isEmpty()) {
        return QStringLiteral("Fecha de nacimiento corregida el %1; almacenada en el archivo: %2 "
                              "(las edades de la tabla se cuentan desde la corregida)")
            .arg(content.birthDateCorrectedOn, content.storedBirthDate);
    }
    if (!content.storedBirthDate.isEmpty()) {
        return QStringLiteral("Fecha de nacimiento almacenada: %1 (las edades de la tabla se "
                              "cuentan desde ella)")
            .arg(content.storedBirthDate);
    }
    return {};
}

// Each text held to its own place, so that a long one never runs under its neighbour.
void drawFitted(QPainter& painter, const QRectF& place, const QString& text)
{
    painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, int(place.width())));
}

void paintChildData(QPainter& painter, const ChartPageLayout& layout,
                    const ChartPageContent& content)
{
    painter.setPen(Qt::black);
    painter.setFont(sized(content.textFont, ChartPageLayout::kDataPixels));
    const QString shown =
        content.correctedBirthDate.isEmpty() ? content.birthDate : content.correctedBirthDate;
    const QString birth = shown.isEmpty() ? QStringLiteral("sin fecha") : shown;
    const QString lines[2][2] = {{QStringLiteral("Nº H.Clínica: ") + content.historyNumber,
                                  QStringLiteral("Sexo: ") + content.sex},
                                 {QStringLiteral("F. Nacimiento: ") + birth,
                                  QStringLiteral("Fecha de impresión: ") + content.printedOn}};
    const QString note = birthDateNote(content);
    const QRectF box = layout.childData;
    const double lineHeight = box.height() / (note.isEmpty() ? 2 : 3);
    for (int line = 0; line < 2; ++line) {
        for (int column = 0; column < 2; ++column) {
            drawFitted(painter,
                       QRectF(box.left() + column * box.width() / 2, box.top() + line * lineHeight,
                              box.width() / 2, lineHeight),
                       lines[line][column]);
        }
    }
    if (!note.isEmpty()) {
        drawFitted(painter, QRectF(box.left(), box.top() + 2 * lineHeight, box.width(), lineHeight),
                   note);
    }
}

} // namespace

void paintChartPicture(QPainter& painter, const QRectF& target, const ChartPageContent& content)
{
    const QSizeF picture = pictureSize(content);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / picture.width(), target.height() / picture.height());
    painter.setClipRect(QRectF(QPointF(0, 0), picture));
    zelpo::paintChart(painter, content.chart);

    painter.translate(-content.picture.topLeft() / kTwipsPerPixel);
    const auto pixels = [](const QRectF& twips) {
        return QRectF(twips.topLeft() / kTwipsPerPixel, twips.size() / kTwipsPerPixel);
    };
    // A weighing edited by hand may put its marker light-years off the chart: clipped away, it
    // would still write coordinates past what a PDF reader can parse, and the page would be lost.
    const QRectF shown(content.picture.topLeft() / kTwipsPerPixel, picture);
    const auto onThePicture = [&](const QRectF& twips) { return pixels(twips).intersects(shown); };
    // Stacked as on the window: the arrow lowest, the markers over the frame.
    if (content.arrow && onThePicture(*content.arrow)) {
        painter.save();
        painter.translate(pixels(*content.arrow).topLeft());
        zelpo::paintArrow(painter);
        painter.restore();
    }
    // The shapes' outlines as on the window: a wide one reaches outside its rectangle.
    const auto outline = [&pixels](const QRectF& twips, int borderPixels) {
        const int spill = zelpo::outlineSpill(borderPixels);
        return zelpo::outlineLine(pixels(twips).adjusted(-spill, -spill, spill, spill),
                                  borderPixels);
    };
    painter.setPen(zelpo::outlinePen(content.frameColour, content.frameBorderPixels));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline(content.frame, content.frameBorderPixels));

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(zelpo::outlinePen(content.markerOutline, content.markerBorderPixels));
    painter.setBrush(content.markerFill);
    for (const QRectF& marker : content.markers) {
        if (onThePicture(marker)) {
            painter.drawEllipse(zelpo::markerCircle(outline(marker, content.markerBorderPixels)));
        }
    }
    painter.restore();
}

QImage chartImage(const ChartPageContent& content, int scale)
{
    QImage image(pictureSize(content).toSize() * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintChartPicture(painter, QRectF(image.rect()), content);
    return image;
}

namespace {

// The table's part on one sheet: its title, then each block's headings and rows.
void paintTable(QPainter& painter, const ChartTableSheet& part, bool continued,
                const ChartPageContent& content)
{
    painter.setPen(Qt::black);
    painter.setFont(sized(content.textFont, ChartPageLayout::kDataPixels, true));
    painter.drawText(
        QRectF(part.table.topLeft(), QSizeF(part.table.width(), ChartPageLayout::kTitleHeight)),
        Qt::AlignLeft | Qt::AlignTop,
        continued ? QStringLiteral("Medidas almacenadas (continuación)")
                  : QStringLiteral("Medidas almacenadas"));
    const QList<zelpo::StoredWeighing>& weighings = *content.storedWeighings;
    // One line of a block: the date on the left, the numbers right-aligned in their columns, the
    // state on the right, a long reason cut to its column (the spreadsheet keeps it whole).
    constexpr int columns = std::size(ChartPageLayout::kColumnRights) + 2;
    static_assert(columns == weighingColumns.size(), "every column of a weighing has its place");
    const auto paintLine = [&painter](const QRectF& line, const QString(&cells)[columns]) {
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, cells[0]);
        for (int column = 0; column + 2 < columns; ++column) {
            QRectF cell = line;
            cell.setRight(line.left() + line.width() * ChartPageLayout::kColumnRights[column]);
            painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, cells[column + 1]);
        }
        QRectF state = line;
        state.setLeft(line.left() + line.width() * ChartPageLayout::kStateLeft);
        painter.drawText(state, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(cells[columns - 1], Qt::ElideRight,
                                                          int(state.width())));
    };
    for (int blockIndex = 0; blockIndex < part.blocks; ++blockIndex) {
        const QRectF block = part.block(blockIndex);
        const QRectF first(block.topLeft(), QSizeF(block.width(), ChartPageLayout::kRowHeight));
        painter.setFont(sized(content.textFont, ChartPageLayout::kTablePixels, true));
        QString titles[columns];
        std::transform(weighingColumns.cbegin(), weighingColumns.cend(), titles,
                       weighingColumnTitle);
        paintLine(first, titles);
        painter.setFont(sized(content.textFont, ChartPageLayout::kTablePixels));
        for (int row = 0; row < part.rowsPerBlock; ++row) {
            const qsizetype index = part.firstRow + qsizetype(blockIndex) * part.rowsPerBlock + row;
            if (index >= part.firstRow + part.rows) {
                break;
            }
            QString cells[columns];
            std::transform(weighingColumns.cbegin(), weighingColumns.cend(), cells,
                           [&weighing = weighings[index]](WeighingColumn column) {
                               return weighingCell(weighing, column, bandText(QString()));
                           });
            paintLine(first.translated(0, (row + 1) * ChartPageLayout::kRowHeight), cells);
        }
    }
    const qsizetype struckOut = std::count_if(
        weighings.cbegin(), weighings.cend(),
        [](const zelpo::StoredWeighing& weighing) { return !weighing.struckOut.isEmpty(); });
    if (struckOut > 0 && part.firstRow + part.rows == weighings.size()) {
        painter.setFont(sized(content.textFont, ChartPageLayout::kTablePixels, true));
        const QRectF below = part.block(0);
        painter.drawText(QRectF(below.left(), part.table.bottom(), part.table.width(),
                                ChartPageLayout::kRowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Medidas anuladas: %1").arg(struckOut));
    }
}

// What opens each sheet after the first, so that a loose sheet still names its child.
void paintChildLine(QPainter& painter, const ChartPageLayout& layout, int sheet,
                    const ChartPageContent& content)
{
    painter.setPen(Qt::black);
    painter.setFont(sized(content.textFont, ChartPageLayout::kDataPixels));
    painter.drawText(
        layout.childLine, Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Nº H.Clínica: %1    Sexo: %2").arg(content.historyNumber, content.sex));
    painter.drawText(layout.childLine, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Hoja %1 de %2").arg(sheet + 1).arg(layout.sheetCount()));
}

} // namespace

bool paintChartPage(QPainter& painter, QPagedPaintDevice& device, const ChartPageContent& content)
{
    const double unitsToDevice = device.logicalDpiX() / kUnitsPerInch;
    // The painter starts at the printable area's corner.
    const QSizeF printable = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    const ChartPageLayout layout =
        layOutChartPage(printable / unitsToDevice, pictureSize(content),
                        !birthDateNote(content).isEmpty(), tableRows(content));
    painter.save();
    painter.scale(unitsToDevice, unitsToDevice);
    paintHeading(painter, layout, content);
    paintChildData(painter, layout, content);
    paintChartPicture(painter, layout.chart, content);
    bool sheetStarted = true;
    for (int part = 0; sheetStarted && part < layout.tableSheets.size(); ++part) {
        const int sheet = layout.sheetOfTablePart(part);
        sheetStarted = sheet == 0 || device.newPage();
        if (sheetStarted) {
            if (sheet > 0) {
                paintChildLine(painter, layout, sheet, content);
            }
            paintTable(painter, layout.tableSheets[part], part > 0, content);
        }
    }
    painter.restore();
    return sheetStarted;
}

} // namespace zelpo
