#include "app/HelpAndLinks.h"
#include "core/HelpText.h"
#include "core/MakerContact.h"
#include "support/RecordingAddressOpener.h"
#include "support/ScriptedMessageService.h"

#include <QApplication>
#include <QTest>

using namespace zelpo;

class HelpAndLinksTest : public QObject
{
    Q_OBJECT

private slots:
    void helpShowsTwelveCarriageReturnLinesInAnInformationBox();
    void eachLinkClickOpensItsAddressOnceAndARefusalIsSilent();
};

void HelpAndLinksTest::helpShowsTwelveCarriageReturnLinesInAnInformationBox()
{
    ScriptedMessageService messages;
    showHelp(messages);
    QCOMPARE(messages.shown().size(), 1);
    const ScriptedMessageService::ShownMessage& box = messages.shown().first();
    QCOMPARE(box.text, zelpo::helpText());
    QCOMPARE(box.title, QStringLiteral("Información"));
    QVERIFY(box.style == MessageStyle::OkInformation);
    // Lines 4 and 9 empty, lines 5 to 7 keep their trailing blank, no line feed anywhere.
    QCOMPARE(box.text, QStringLiteral("Este programa está diseñado para calcular y alma-\r"
                                      "cenar las tomas de zelpo del paciente hasta los seis\r"
                                      "años de edad.\r"
                                      "\r"
                                      "Si Ud. lo desea, colocando un número de historia \r"
                                      "clínica, el programa almacenará la medida tomada \r"
                                      "y las mostrará cuando ud ingrese nuevamente este \r"
                                      "número.\r"
                                      "\r"
                                      "Es importante colocar correctamente la fecha de\r"
                                      "nacimiento del paciente a fin de que el cálculo\r"
                                      "se realice correctamente.\r"));
}

void HelpAndLinksTest::eachLinkClickOpensItsAddressOnceAndARefusalIsSilent()
{
    const QString web = QString::fromUtf16(kMakerWebAddress);
    const QString mail = "mailto:" + QString::fromUtf16(kMakerMailAddress);
    RecordingAddressOpener addresses;
    openWebLink(addresses);
    openWebLink(addresses);
    openMailLink(addresses);
    QCOMPARE(addresses.opened(), (QStringList{web, web, mail}));

    addresses.setResult(false);
    const QWidgetList windowsBefore = QApplication::topLevelWidgets();
    openMailLink(addresses);
    openWebLink(addresses);
    QCoreApplication::processEvents();
    QCOMPARE(addresses.opened(), (QStringList{web, web, mail, mail, web}));
    QCOMPARE(QApplication::topLevelWidgets(), windowsBefore);
}

QTEST_MAIN(HelpAndLinksTest)
#include "tst_help_and_links.moc"
