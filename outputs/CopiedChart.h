#pragma once

namespace zelpo {

class OutputRunner;

// "Copiar el gráfico": the chart with the history's markers and arrow on the clipboard, as an
// image three times the window's chart, sharp when pasted into a report. No patient file is read
// for it.
void copyChart(OutputRunner& outputs);

} // namespace zelpo
