#pragma once

#include "core/OutputDialogs.h"

namespace zelpo {

// The dialogs a person sees: Qt's print dialog, and Qt's own save dialog, which takes a whole
// path typed into its name box; both speak the language of Qt's installed translations.
class QtOutputDialogs final : public OutputDialogs
{
public:
    QString chooseSavePath(QWidget* parent, const SaveChoice& choice) override;
    PrinterChoice choosePrinter(QWidget* parent, QPrinter& printer,
                                const QString& proposedFile) override;
};

} // namespace zelpo
