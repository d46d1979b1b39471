#pragma once

#include "core/TextPrompt.h"

#include <QPointer>
#include <QWidget>

namespace zelpo {

// The text a person types: a modal QInputDialog with Spanish captions, whose "Aceptar" stays
// off until something is typed.
class DialogTextPrompt final : public TextPrompt
{
public:
    explicit DialogTextPrompt(QWidget* parent = nullptr);

    std::optional<QString> ask(const QString& title, const QString& label, const QString& text,
                               int maxLength) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace zelpo
