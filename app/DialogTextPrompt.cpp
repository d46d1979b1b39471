#include "app/DialogTextPrompt.h"

#include "forms/FixedWindowHints.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>

namespace zelpo {

DialogTextPrompt::DialogTextPrompt(QWidget* parent) : m_parent(parent)
{}

std::optional<QString> DialogTextPrompt::ask(const QString& title, const QString& label,
                                             const QString& text, int maxLength)
{
    QInputDialog dialog(m_parent.data());
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(text);
    dialog.setOkButtonText(QStringLiteral("Aceptar"));
    dialog.setCancelButtonText(QStringLiteral("Cancelar"));
    keepWindowFixed(dialog);
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        edit->setMaxLength(maxLength);
    }
    // Nothing but blanks is no answer.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* accept = buttons->button(QDialogButtonBox::Ok);
        const auto allow = [accept](const QString& typed) {
            accept->setEnabled(!typed.trimmed().isEmpty());
        };
        QObject::connect(&dialog, &QInputDialog::textValueChanged, accept, allow);
        allow(text);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.textValue().trimmed().isEmpty()) {
        return std::nullopt;
    }
    return dialog.textValue().trimmed();
}

} // namespace zelpo
