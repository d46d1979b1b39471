#pragma once

#include "forms/TwipControl.h"

#include <memory>

#include <QLabel>

namespace zelpo {

class TextTiles;

// A label of the chart window. Labels also serve as the window's buttons ("?", "Graficar",
// "Fin") and links: they report clicks but never take the keyboard focus, so clicking one never
// makes a text box lose the focus.
class FormLabel : public QLabel, public TwipControl
{
    Q_OBJECT

public:
    explicit FormLabel(QWidget* parent);
    ~FormLabel() override;

    // An auto-size label shows its whole one-line caption even where the substitute font is
    // wider than the original; its twip rectangle keeps the layout's values all the same.
    void setAutoSize(bool autoSize);
    void setCaption(const QString& caption);

    // Labels that serve as buttons or links are shown to assistive technology as buttons.
    void setActsOnClick(bool acts) { m_actsOnClick = acts; }
    bool actsOnClick() const { return m_actsOnClick; }

    // A label whose text changes at every pointer move paints it from characters drawn once,
    // in its font without kerning.
    void setPaintsFromTiles(bool tiles);

signals:
    void clicked();

protected:
    QRect pixelGeometry() const override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_autoSize = false;
    bool m_actsOnClick = false;
    bool m_pressed = false;
    std::unique_ptr<TextTiles> m_tiles;
};

// Exposes the clickable labels to assistive technology as buttons that can be pressed.
void installFormLabelAccessibility();

} // namespace zelpo
