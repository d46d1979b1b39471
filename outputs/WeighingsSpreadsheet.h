#pragma once

namespace zelpo {

class OutputRunner;

// "Exportar las medidas (CSV)…": the open child's history read again, then every stored weighing
// of the child, in the patient file's order, as a Spanish spreadsheet opens it.
void exportWeighings(OutputRunner& outputs);

} // namespace zelpo
