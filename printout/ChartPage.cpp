#include "printout/ChartPage.h"

#include "artwork/ArrowArtwork.h"
#include "artwork/ChartArtwork.h"
#include "artwork/Outlines.h"
#include "core/Twips.h"
#include "core/WeighingReading.h"
#include "printout/ChartPageLayout.h"

#include <algorithm>
#include <iterator>

#include <QHash>
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

// The table's columns, with the corrected age's for a baby born early.
const TableColumns& tableLayout(const ChartPageContent& content)
{
    return content.tableColumns.contains(WeighingColumn::CorrectedDays) ? kCorrectedAgeColumns
                                                                        : kAgeColumns;
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
    const QString heading = QStringLiteral("GRAFICO DE ZELPO");
    painter.drawText(layout.heading, Qt::AlignCenter,
                     content.viewName.isEmpty()
                         ? heading
                         : QStringLiteral("%1 — %2").arg(heading, content.viewName));
}

// The lines under the child's data: which birth date is which, when the birth date was corrected
// since the patient file was made, and the gestational age of a baby born early.
QStringList dataNotes(const ChartPageContent& content)
{
    QStringList notes;
    if (!content.birthDateCorrectedOn.isEmpty()) {
        notes.append(QStringLiteral("Fecha de nacimiento corregida el %1; almacenada en el "
                                    "archivo: %2 (las edades de la tabla se cuentan desde la "
                                    "corregida)")
                         .arg(content.birthDateCorrectedOn, content.storedBirthDate));
    }
    if (content.gestation) {
        notes.append(QStringLiteral("Edad gestacional al nacer: %1 semanas (edad corregida hasta "
                                    "los %2 meses)")
                         .arg(content.gestation->text())
                         .arg(content.gestation->correctedUntilMonths()));
    }
    return notes;
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
    const QStringList notes = dataNotes(content);
    const QRectF box = layout.childData;
    const double lineHeight = box.height() / double(2 + notes.size());
    for (int line = 0; line < 2; ++line) {
        for (int column = 0; column < 2; ++column) {
            drawFitted(painter,
                       QRectF(box.left() + column * box.width() / 2, box.top() + line * lineHeight,
                              box.width() / 2, lineHeight),
                       lines[line][column]);
        }
    }
    for (qsizetype line = 0; line < notes.size(); ++line) {
        drawFitted(painter,
                   QRectF(box.left(), box.top() + (2 + line) * lineHeight, box.width(), lineHeight),
                   notes[line]);
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
    zelpo::paintChart(painter, content.chart, content.spans);

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

    // The rings of the weighings to review and the marks of the ages from birth lie beneath the
    // markers.
    for (const QRectF& ring : content.reviewRings) {
        if (onThePicture(ring)) {
            paintReviewRing(painter, pixels(ring));
        }
    }
    for (const auto& [mark, marker] : content.birthAgeMarks) {
        if (onThePicture(mark) || onThePicture(marker)) {
            paintBirthAgeMark(painter, pixels(mark), pixels(marker).center(), content.markerFill);
        }
    }
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
    const QList<WeighingColumn>& columns = content.tableColumns;
    const TableColumns& places = tableLayout(content);
    // One line of a block: the date on the left, the numbers right-aligned in their columns, then
    // the state and what there is to review sharing the rest, since a weighing struck out has
    // nothing to review, a long text cut to it (the spreadsheet keeps it whole). A long history
    // repeats the same few texts to review: each is cut once.
    QHash<QString, QString> cut;
    const auto paintLine = [&painter, &places, &cut](const QRectF& line, const QStringList& cells) {
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, cells.first());
        const qsizetype numbers = std::min(qsizetype(places.rights.size()) + 1, cells.size());
        for (qsizetype column = 1; column < numbers; ++column) {
            QRectF cell = line;
            cell.setRight(line.left() + line.width() * places.rights[column - 1]);
            painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, cells[column]);
        }
        QString text;
        for (const QString& cell : cells.sliced(numbers)) {
            if (!cell.isEmpty()) {
                text = text.isEmpty() ? cell : text + QStringLiteral(" / ") + cell;
            }
        }
        QRectF state = line;
        state.setLeft(line.left() + line.width() * places.stateLeft);
        auto shown = cut.find(text);
        if (shown == cut.end()) {
            shown = cut.insert(
                text, painter.fontMetrics().elidedText(text, Qt::ElideRight, int(state.width())));
        }
        painter.drawText(state, Qt::AlignLeft | Qt::AlignVCenter, *shown);
    };
    QStringList titles;
    for (WeighingColumn column : columns) {
        titles.append(weighingColumnTitle(column));
    }
    for (int blockIndex = 0; blockIndex < part.blocks; ++blockIndex) {
        const QRectF block = part.block(blockIndex);
        const QRectF first(block.topLeft(), QSizeF(block.width(), ChartPageLayout::kRowHeight));
        painter.setFont(sized(content.textFont, ChartPageLayout::kTablePixels, true));
        paintLine(first, titles);
        painter.setFont(sized(content.textFont, ChartPageLayout::kTablePixels));
        for (int row = 0; row < part.rowsPerBlock; ++row) {
            const qsizetype index = part.firstRow + qsizetype(blockIndex) * part.rowsPerBlock + row;
            if (index >= part.firstRow + part.rows) {
                break;
            }
            QStringList cells;
            for (WeighingColumn column : columns) {
                cells.append(weighingCell(weighings[index], column, bandText(QString())));
            }
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
                        int(dataNotes(content).size()), tableRows(content), tableLayout(content));
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
