#pragma once

namespace zelpo {

class OutputRunner;

// "Guardar el gráfico como PDF…": the open child's history read again, the save dialog, then the
// page as a PDF file.
void saveChartAsPdf(OutputRunner& outputs);

// The save dialog and the PDF of the history as last read, without reading it again.
void savePdf(OutputRunner& outputs);

} // namespace zelpo
