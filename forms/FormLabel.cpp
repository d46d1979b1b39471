#include "forms/FormLabel.h"

#include "forms/TextTiles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace zelpo {

FormLabel::FormLabel(QWidget* parent) : QLabel(parent), TwipControl(this)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_NoMousePropagation);
    setTextFormat(Qt::PlainText);
}

FormLabel::~FormLabel() = default;

void FormLabel::setPaintsFromTiles(bool tiles)
{
    if (tiles == bool(m_tiles)) {
        return;
    }
    m_tiles = tiles ? std::make_unique<TextTiles>() : nullptr;
    QFont unkerned = font();
    unkerned.setKerning(!tiles);
    setFont(unkerned);
    update();
}

void FormLabel::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    updatePixelGeometry();
}

void FormLabel::setCaption(const QString& caption)
{
    setText(caption);
    if (m_autoSize) {
        updatePixelGeometry();
    }
}

QRect FormLabel::pixelGeometry() const
{
    QRect box = TwipControl::pixelGeometry();
    if (!m_autoSize) {
        return box;
    }
    const QSize needed = sizeHint();
    if (needed.width() > box.width()) {
        const int grow = needed.width() - box.width();
        // A centred caption grows on both sides so that it stays centred on its cell.
        const int leftShift = alignment() & Qt::AlignHCenter ? grow / 2 : 0;
        box.adjust(-leftShift, 0, grow - leftShift, 0);
    }
    if (needed.height() > box.height()) {
        box.setHeight(needed.height());
    }
    return box;
}

void FormLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (m_autoSize && event->type() == QEvent::FontChange) {
        updatePixelGeometry();
    }
}

void FormLabel::paintEvent(QPaintEvent* event)
{
    // Greyed, wrapped or rich text, and scripts the tiles cannot set, take the full layout.
    if (!m_tiles || !isEnabled() || wordWrap() || !TextTiles::canDraw(text())) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    m_tiles->paintLine(painter, contentsRect(), alignment(), text(), font(),
                       palette().color(foregroundRole()), devicePixelRatioF());
}

void FormLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void FormLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

namespace {

class FormLabelAccessible : public QAccessibleWidget
{
public:
    explicit FormLabelAccessible(FormLabel* label) : QAccessibleWidget(label, QAccessible::Button)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name) {
            return label()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && label()->isEnabled()) {
            emit label()->clicked();
        }
    }

private:
    FormLabel* label() const { return static_cast<FormLabel*>(widget()); }
};

QAccessibleInterface* formLabelFactory(const QString& className, QObject* object)
{
    // Keyed on the name the class's meta-object gives, whatever namespace holds it.
    if (className == QLatin1String(FormLabel::staticMetaObject.className()) && object &&
        object->isWidgetType()) {
        auto* label = static_cast<FormLabel*>(object);
        // Only the labels that act on a click are buttons; the others read as plain text.
        if (label->actsOnClick()) {
            return new FormLabelAccessible(label);
        }
    }
    return nullptr;
}

} // namespace

void installFormLabelAccessibility()
{
    QAccessible::installFactory(formLabelFactory);
}

} // namespace zelpo
