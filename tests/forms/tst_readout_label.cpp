#include "forms/FormLabel.h"
#include "look/LayoutFont.h"

#include <QApplication>
#include <QImage>
#include <QTest>

using namespace zelpo;

namespace {

// The readout's look: white text on black in the window's small sans serif.
struct Lit
{
    int left = -1;
    int right = -1;
    int top = -1;
    int bottom = -1;
    int pixels = 0;
};

Lit litPixels(const QImage& image)
{
    Lit lit;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 64) {
                continue;
            }
            ++lit.pixels;
            lit.left = lit.left < 0 ? x : std::min(lit.left, x);
            lit.right = std::max(lit.right, x);
            lit.top = lit.top < 0 ? y : std::min(lit.top, y);
            lit.bottom = std::max(lit.bottom, y);
        }
    }
    return lit;
}

struct ReadoutLabel
{
    FormLabel label{nullptr};

    ReadoutLabel(bool tiles, Qt::Alignment alignment)
    {
        QPalette palette = label.palette();
        palette.setColor(QPalette::Window, Qt::black);
        palette.setColor(QPalette::WindowText, Qt::white);
        label.setPalette(palette);
        label.setAutoFillBackground(true);
        QFont font = makeFont({8.25f});
        font.setKerning(false);
        label.setFont(font);
        label.setAlignment(alignment);
        label.setPaintsFromTiles(tiles);
        label.setTwipRect({0, 0, 5475, 195});
    }
    QImage showing(const QString& text)
    {
        label.setCaption(text);
        return label.grab().toImage();
    }
};

} // namespace

class ReadoutLabelTest : public QObject
{
    Q_OBJECT

private slots:
    void tilesLookLikeTheLabelsOwnText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        const QString readout = "Zelpo : 12.345 gramos    Edad : 1.234 dias. (40,5 meses.)";
        QTest::newRow("readout") << readout << left;
        QTest::newRow("readout centred") << readout << int(Qt::AlignCenter);
        QTest::newRow("readout at the right") << readout << int(Qt::AlignRight | Qt::AlignTop);
        QTest::newRow("digits only") << "0123456789" << left;
        QTest::newRow("accented letters") << "Atención: ñandú" << left;
        QTest::newRow("combining mark: full layout") << QString("Cafe\u0301 12") << left;
    }
    void tilesLookLikeTheLabelsOwnText()
    {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        const Lit tiled = litPixels(ReadoutLabel(true, Qt::Alignment(alignment)).showing(text));
        const Lit own = litPixels(ReadoutLabel(false, Qt::Alignment(alignment)).showing(text));
        QVERIFY2(own.pixels > 0, "the label's own text drew nothing");
        QVERIFY2(std::abs(tiled.left - own.left) <= 1 && std::abs(tiled.right - own.right) <= 1,
                 qPrintable(QString("text spans columns %1-%2, the label's own %3-%4")
                                .arg(tiled.left)
                                .arg(tiled.right)
                                .arg(own.left)
                                .arg(own.right)));
        QCOMPARE(tiled.top, own.top);
        QCOMPARE(tiled.bottom, own.bottom);
        QVERIFY2(
            std::abs(tiled.pixels - own.pixels) * 10 <= own.pixels,
            qPrintable(
                QString("%1 lit pixels, the label's own %2").arg(tiled.pixels).arg(own.pixels)));
    }

    void aShorterTextLeavesNothingOfTheLongerOne()
    {
        ReadoutLabel readout(true, Qt::AlignLeft | Qt::AlignVCenter);
        readout.showing("Zelpo : 12.345 gramos    Edad : 1.234 dias. (40,5 meses.)");
        const Lit shorter = litPixels(readout.showing("Zelpo : 7"));
        const Lit expected = litPixels(ReadoutLabel(false, Qt::AlignLeft).showing("Zelpo : 7"));
        QVERIFY2(shorter.right <= expected.right + 1, "part of the earlier text is still shown");
        QVERIFY2(litPixels(readout.showing(QString())).pixels == 0, "the cleared label shows text");
    }
};

QTEST_MAIN(ReadoutLabelTest)
#include "tst_readout_label.moc"
