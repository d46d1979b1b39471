#include "app/DialogMessageService.h"
#include "app/QtTranslation.h"
#include "forms/TextBox.h"

#include <memory>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zelpo;

// What the box looked like while open; checked only after it has closed, so that a failed check
// never leaves a modal box waiting for a click.
struct OpenBox
{
    bool found = false;
    int icon = -1;
    QString title, text, defaultCaption;
    QStringList captions;
    bool plainText = false, hasParent = false;
};

// Looks at and answers the next modal box from inside its own event loop: clicks the button
// captioned `press`, or presses Escape when `press` is empty.
static std::shared_ptr<OpenBox> answerNextBox(const QString& press)
{
    auto seen = std::make_shared<OpenBox>();
    QTimer::singleShot(0, [seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        *seen = {true,
                 box->icon(),
                 box->windowTitle(),
                 box->text(),
                 {},
                 {},
                 box->textFormat() == Qt::PlainText,
                 box->parentWidget() != nullptr};
        if (box->defaultButton())
            seen->defaultCaption = box->defaultButton()->text();
        QAbstractButton* toClick = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            seen->captions.append(button->text());
            if (button->text() == press)
                toClick = button;
        }
        seen->captions.sort();
        if (press.isEmpty())
            QTest::keyClick(box, Qt::Key_Escape);
        else if (toClick)
            toClick->click();
        else
            box->done(0);
    });
    return seen;
}

class MessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(installQtSpanish(), "Qt's Spanish translation is missing"); }

    void aTextBoxMenuIsInSpanishToo()
    {
        TextBox box(nullptr);
        const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        QStringList captions;
        for (const QAction* action : menu->actions())
            captions << action->text().section(u'\t', 0, 0).remove(u'&');
        // Qt's Spanish translation calls Delete "Borrar".
        QCOMPARE(captions.join(u'|'),
                 "Deshacer|Rehacer||Cortar|Copiar|Pegar|Borrar||Seleccionar todo");
    }

    void eachStyleShowsItsIconCaptionsAndAnswer_data()
    {
        QTest::addColumn<MessageStyle>("style");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("press"); // empty: Escape
        QTest::addColumn<int>("icon");
        QTest::addColumn<MessageAnswer>("answer");
        const MessageStyle okStyles[] = {MessageStyle::Ok, MessageStyle::OkStop,
                                         MessageStyle::OkInformation};
        const int okIcons[] = {QMessageBox::NoIcon, QMessageBox::Critical,
                               QMessageBox::Information};
        for (int i = 0; i < 3; ++i) {
            QTest::addRow("ok style %d, clicked", i)
                << okStyles[i] << "Aviso"
                << "Aceptar" << okIcons[i] << MessageAnswer::Ok;
            QTest::addRow("ok style %d, escape", i)
                << okStyles[i] << QString() << QString() << okIcons[i] << MessageAnswer::Ok;
        }
        const int question = QMessageBox::Question;
        const MessageStyle yesNo = MessageStyle::YesNoQuestion;
        QTest::newRow("yes") << yesNo << QString() << "Sí" << question << MessageAnswer::Yes;
        QTest::newRow("no") << yesNo << "Borrar"
                            << "No" << question << MessageAnswer::No;
        QTest::newRow("escape") << yesNo << "Borrar" << QString() << question << MessageAnswer::No;
    }
    void eachStyleShowsItsIconCaptionsAndAnswer()
    {
        QFETCH(MessageStyle, style);
        QFETCH(QString, title);
        QFETCH(QString, press);
        QFETCH(int, icon);
        QFETCH(MessageAnswer, answer);

        DialogMessageService service(nullptr);
        const auto seen = answerNextBox(press);
        QCOMPARE(service.show(QStringLiteral("¿Seguro?"), style, title), answer);
        QVERIFY2(seen->found, "no modal QMessageBox was open");
        QCOMPARE(seen->icon, icon);
        QCOMPARE(seen->title, title.isEmpty() ? QStringLiteral("Zelpo") : title);
        const bool question = style == MessageStyle::YesNoQuestion;
        QCOMPARE(seen->captions, question ? QStringList({"No", "Sí"}) : QStringList{"Aceptar"});
        QCOMPARE(seen->defaultCaption, question ? QStringLiteral("Sí") : QStringLiteral("Aceptar"));
    }

    void carriageReturnsBreakLinesAndTextStaysPlain()
    {
        DialogMessageService service(nullptr);
        const auto seen = answerNextBox(QStringLiteral("Aceptar"));
        service.show(QStringLiteral("Peso: <b>12</b>\rFecha\r\nFin\r"), MessageStyle::Ok);
        QCOMPARE(seen->text, QStringLiteral("Peso: <b>12</b>\nFecha\nFin\n"));
        QVERIFY2(seen->plainText, "markup in the text must show as typed");
    }

    void aParentDeletedBeforehandLeavesAFreeStandingBox()
    {
        auto* window = new QWidget;
        DialogMessageService service(window);
        auto withParent = answerNextBox(QStringLiteral("Aceptar"));
        service.show(QStringLiteral("uno"), MessageStyle::OkInformation);
        QVERIFY2(withParent->hasParent, "the box should belong to its window");

        delete window;
        auto orphan = answerNextBox(QStringLiteral("Sí"));
        QCOMPARE(service.show(QStringLiteral("dos"), MessageStyle::YesNoQuestion),
                 MessageAnswer::Yes);
        QVERIFY2(orphan->found && !orphan->hasParent, "a deleted window became the parent");
    }
};

QTEST_MAIN(MessageBoxTest)
#include "tst_message_box.moc"
