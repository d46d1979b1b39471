#include "app/DialogMessageService.h"

#include "forms/FixedWindowHints.h"

#include <QMessageBox>
#include <QPushButton>

namespace zelpo {

namespace {

// The program's texts break lines with a carriage return alone; Qt only breaks on "\n".
QString withDisplayLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QMessageBox::Icon iconFor(MessageStyle style)
{
    switch (style) {
    case MessageStyle::OkStop:
        return QMessageBox::Critical;
    case MessageStyle::YesNoQuestion:
        return QMessageBox::Question;
    case MessageStyle::OkInformation:
        return QMessageBox::Information;
    case MessageStyle::YesNoExclamation:
        return QMessageBox::Warning;
    case MessageStyle::Ok:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

DialogMessageService::DialogMessageService(QWidget* parent) : m_parent(parent)
{}

MessageAnswer DialogMessageService::show(const QString& text, MessageStyle style,
                                         const QString& title)
{
    QMessageBox box(m_parent.data());
    box.setWindowTitle(title.isEmpty() ? QString::fromUtf16(kApplicationTitle) : title);
    box.setIcon(iconFor(style));
    box.setTextFormat(Qt::PlainText);
    box.setText(withDisplayLineBreaks(text));
    keepWindowFixed(box);

    const bool question =
        style == MessageStyle::YesNoQuestion || style == MessageStyle::YesNoExclamation;
    if (!question) {
        QPushButton* accept = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
        box.setDefaultButton(accept);
        box.setEscapeButton(accept);
        box.exec();
        return MessageAnswer::Ok;
    }

    // A doubt defaults to No; Alt+S answers Sí without leaving the keyboard.
    const bool doubt = style == MessageStyle::YesNoExclamation;
    QPushButton* yes =
        box.addButton(doubt ? QStringLiteral("&Sí") : QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no =
        box.addButton(doubt ? QStringLiteral("&No") : QStringLiteral("No"), QMessageBox::NoRole);
    // A doubt about what was typed defaults to not going on with it.
    box.setDefaultButton(doubt ? no : yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace zelpo
