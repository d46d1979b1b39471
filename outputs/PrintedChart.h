#pragma once

namespace zelpo {

class OutputRunner;

// "Imprimir el gráfico…": the open child's history read again, the print dialog, then the page's
// sheets on the chosen printer as a job named after the child, or in the file chosen, saying
// where; a printer whose queue does not take the job is named and told. With no printer, the PDF
// is offered.
void printChart(OutputRunner& outputs);

} // namespace zelpo
