#pragma once

#include "core/MessageService.h"

#include <QPointer>
#include <QWidget>

namespace zelpo {

// The message boxes a person sees: modal QMessageBoxes with Spanish captions whatever the
// system language.
class DialogMessageService final : public MessageService
{
public:
    explicit DialogMessageService(QWidget* parent = nullptr);

    MessageAnswer show(const QString& text, MessageStyle style,
                       const QString& title = QString()) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace zelpo
