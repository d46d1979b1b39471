#pragma once

#include "core/ChartScale.h"

#include <array>
#include <vector>

#include <QWidget>

namespace zelpo {

class FormLabel;
class Line;
class Marker;
class MarkerLayer;
class OptionButton;
class Picture;
class PushButton;
class Shape;
class TextBox;

// The chart window: the data-entry panel on the left, the weight-for-age chart on the right.
// It is built from the window layout; the controls keep the layout's names, and every
// behaviour is wired to their events from outside.
class PerZelpo : public QWidget
{
    Q_OBJECT

public:
    explicit PerZelpo(QWidget* owner = nullptr);

    TextBox* Text1() const { return m_text1; }
    TextBox* Text2() const { return m_text2; }
    TextBox* Text3() const { return m_text3; }
    OptionButton* Option1(int index) const { return m_option1.at(index); }
    PushButton* Command4() const { return m_command4; }
    FormLabel* Command1() const { return m_command1; }
    FormLabel* Command2() const { return m_command2; }
    FormLabel* Command3() const { return m_command3; }
    FormLabel* Label1(int index) const { return m_label1.at(index); }
    FormLabel* Label2() const { return m_label2; }
    FormLabel* Label3() const { return m_label3; }
    FormLabel* Label4() const { return m_label4; }
    FormLabel* Label5() const { return m_label5; }
    FormLabel* Label6() const { return m_label6; }
    FormLabel* Label8() const { return m_label8; }
    // The caption of the chart's view when closer than the whole chart; hidden on the whole chart.
    FormLabel* Label9() const { return m_label9; }
    Picture* Image1() const { return m_image1; }
    Picture* Image2() const { return m_image2; }
    Picture* Image3() const { return m_image3; }
    Picture* Image4() const { return m_image4; }
    Shape* Shape1() const { return m_shape1; }
    Shape* Shape2() const { return m_shape2; }
    Marker* sh(int index) const { return m_sh.at(index); }
    Line* Line2() const { return m_line2; }
    Line* Line3() const { return m_line3; }
    Line* Line4(int index) const { return m_line4.at(index); }

    // The sex chosen: "Varón" is Option1(0) and "Mujer" Option1(1); one of the pair is always
    // selected.
    bool varonSelected() const;

    // The markers moved, shown or hidden while held are repainted together once released.
    void holdMarkerRepaints(bool held);

    // The chart pictures `Image3` and `Image4` drawn over `spans`: the built-in charts for the
    // whole chart; for a closer view, its charts drawn at the screen's resolution the first time
    // each is shown, and kept.
    void showChartOver(ChartSpans spans);

    // The window's outer size, caption and border included, in twips.
    float outerTwipWidth() const;
    float outerTwipHeight() const;
    // Moves the window's outer top-left corner to a position on the screen in twips.
    void setOuterTwipPosition(float left, float top);

signals:
    // The pointer moved over the bare window: position in twips from the client area's corner.
    void mouseMoved(float x, float y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // The user closed the window with its close box.
    void closed();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void bindControls();
    void setTabOrder();

    TextBox* m_text1 = nullptr;
    TextBox* m_text2 = nullptr;
    TextBox* m_text3 = nullptr;
    std::array<OptionButton*, 2> m_option1{};
    PushButton* m_command4 = nullptr;
    FormLabel* m_command1 = nullptr;
    FormLabel* m_command2 = nullptr;
    FormLabel* m_command3 = nullptr;
    std::array<FormLabel*, 5> m_label1{};
    FormLabel* m_label2 = nullptr;
    FormLabel* m_label3 = nullptr;
    FormLabel* m_label4 = nullptr;
    FormLabel* m_label5 = nullptr;
    FormLabel* m_label6 = nullptr;
    FormLabel* m_label8 = nullptr;
    FormLabel* m_label9 = nullptr;
    Picture* m_image1 = nullptr;
    Picture* m_image2 = nullptr;
    Picture* m_image3 = nullptr;
    Picture* m_image4 = nullptr;
    Shape* m_shape1 = nullptr;
    Shape* m_shape2 = nullptr;
    std::array<Marker*, zelpo::markerCount> m_sh{};
    Line* m_line2 = nullptr;
    Line* m_line3 = nullptr;
    std::array<Line*, 3> m_line4{};
    std::vector<MarkerLayer*> m_markerLayers;
};

} // namespace zelpo
