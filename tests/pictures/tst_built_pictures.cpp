#include "artwork/ChartArtwork.h"
#include "artwork/DrawnArtwork.h"
#include "artwork/IconArtwork.h"
#include "artwork/PanelArtwork.h"
#include "pictures/BuiltPictures.h"
#include "pictures/WindowIcon.h"

#include <algorithm>

#include <QPainter>
#include <QTest>

using namespace zelpo;

class BuiltPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void picturesBuiltIntoTheProgramAreWhatTheArtworkDrawsNow_data();
    void picturesBuiltIntoTheProgramAreWhatTheArtworkDrawsNow();
    void windowIconOffersItsBuiltSizesAndDrawsAnyOther_data();
    void windowIconOffersItsBuiltSizesAndDrawsAnyOther();
};

void BuiltPicturesTest::picturesBuiltIntoTheProgramAreWhatTheArtworkDrawsNow_data()
{
    QTest::addColumn<QImage>("built");
    QTest::addColumn<QImage>("drawn");
    // At one device pixel to the logical one the charts are built with the reference drawing,
    // every 0.05 month of each curve; at the other densities the window opens at, the boys' chart
    // as a picture draws it for the screen.
    const auto chart = [](ChartSex sex, qreal ratio, ChartDrawing drawing) {
        return drawArtwork(chartPictureSize(sex), ratio, true,
                           [=](QPainter& painter) { paintChart(painter, sex, drawing); });
    };
    QTest::newRow("girls' chart") << builtChart(ChartSex::Girls)
                                  << chart(ChartSex::Girls, 1, ChartDrawing::Reference);
    QTest::newRow("boys' chart") << builtChart(ChartSex::Boys)
                                 << chart(ChartSex::Boys, 1, ChartDrawing::Reference);
    for (const qreal ratio : {1.25, 1.5, 2.0})
        QTest::addRow("boys' chart at %g", ratio)
            << builtChart(ChartSex::Boys, ratio)
            << chart(ChartSex::Boys, ratio, ChartDrawing::ForTheDevice);
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0})
        QTest::addRow("panel at %g", ratio)
            << builtPanel(ratio) << drawArtwork(kPanelPictureSize, ratio, true, paintPanel);
    for (const int side : kBuiltIconSizes)
        QTest::addRow("icon %d", side) << builtIcon(side) << windowIconImage(side);
}

void BuiltPicturesTest::picturesBuiltIntoTheProgramAreWhatTheArtworkDrawsNow()
{
    QFETCH(QImage, built);
    QFETCH(QImage, drawn);
    QCOMPARE(built.format(), drawn.format());
    QCOMPARE(built.devicePixelRatio(), drawn.devicePixelRatio());
    QVERIFY2(built == drawn,
             "the picture built into the program differs from the artwork's drawing");
}

void BuiltPicturesTest::windowIconOffersItsBuiltSizesAndDrawsAnyOther_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("32") << 32;
    QTest::newRow("48") << 48;
}

void BuiltPicturesTest::windowIconOffersItsBuiltSizesAndDrawsAnyOther()
{
    QFETCH(int, size);
    // An offered size is the one built in; any other is drawn at that size, not scaled from a
    // neighbour, and a request that is not square gets the largest square that fits.
    const QIcon icon = zelpoIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
    for (const QSize asked : {QSize(size, size), QSize(size + 1, size + 1), QSize(size + 9, size)})
        QCOMPARE(icon.pixmap(asked).toImage(),
                 windowIconImage(std::min(asked.width(), asked.height())));
}

QTEST_MAIN(BuiltPicturesTest)
#include "tst_built_pictures.moc"
