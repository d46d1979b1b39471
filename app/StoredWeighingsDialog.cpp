#include "app/StoredWeighingsDialog.h"

#include "core/Clock.h"
#include "core/Conversions.h"
#include "core/MessageService.h"
#include "core/TextPrompt.h"
#include "history/ChildHistory.h"
#include "history/StoredWeighingsModel.h"
#include "procedures/WaitCursor.h"
#include "records/AppliedCorrections.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace zelpo {

namespace {

QString birthDateLine(const zelpo::ChildHistory& history)
{
    const std::optional<QDate> stored = history.fileBirthDate();
    const QString fileDate = stored ? zelpo::dateText(*stored) : QStringLiteral("sin fecha");
    if (const auto& correction = history.birthDateCorrection()) {
        return QStringLiteral("Fecha de nacimiento: %1 (corregida el %2; almacenada %3)")
            .arg(zelpo::dateText(correction->date), zelpo::dateText(correction->correctedOn),
                 fileDate);
    }
    return QStringLiteral("Fecha de nacimiento: %1").arg(fileDate);
}

} // namespace

StoredWeighingsDialog::StoredWeighingsDialog(zelpo::ChildHistory& history,
                                             CorrectionServices services, QWidget* parent)
    : QDialog(parent), m_history(history), m_services(services), m_birthDate(new QLabel(this)),
      m_table(new QTableView(this)),
      m_strikeOut(new QPushButton(QStringLiteral("&Anular la medida…"), this)),
      m_restore(new QPushButton(QStringLiteral("&Restituir la medida"), this))
{
    setWindowTitle(QStringLiteral("Medidas almacenadas — Historia %1 (%2)")
                       .arg(history.key().historyNumber(), sexName(history.key().chart())));
    auto* model = new zelpo::StoredWeighingsModel(history, this);
    m_table->setModel(model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setAccessibleName(QStringLiteral("Medidas almacenadas"));
    m_birthDate->setBuddy(m_table);

    auto* correctDate = new QPushButton(QStringLiteral("Corregir la &fecha de nacimiento…"), this);
    auto* gestation = new QPushButton(QStringLiteral("Edad &gestacional al nacer…"), this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_strikeOut, QDialogButtonBox::ActionRole);
    buttons->addButton(m_restore, QDialogButtonBox::ActionRole);
    buttons->addButton(correctDate, QDialogButtonBox::ActionRole);
    buttons->addButton(gestation, QDialogButtonBox::ActionRole);
    QPushButton* close =
        buttons->addButton(QStringLiteral("&Cerrar"), QDialogButtonBox::RejectRole);
    for (QPushButton* button : {m_strikeOut, m_restore, correctDate, gestation, close}) {
        button->setAutoDefault(false);
    }
    connect(m_strikeOut, &QPushButton::clicked, this, &StoredWeighingsDialog::strikeOut);
    connect(m_restore, &QPushButton::clicked, this, &StoredWeighingsDialog::restore);
    connect(correctDate, &QPushButton::clicked, this, &StoredWeighingsDialog::correctBirthDate);
    connect(gestation, &QPushButton::clicked, this,
            &StoredWeighingsDialog::recordGestationalAge);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_birthDate);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(720, 480);

    // A change of the history renews the whole table: the weighing worked on stays the current
    // one, wherever another desk's weighings have put its row.
    connect(model, &QAbstractItemModel::modelReset, this, [this, model] {
        const int row = m_currentRecord ? model->rowOf(*m_currentRecord) : -1;
        if (row >= 0) {
            m_table->selectRow(row);
        }
        showState();
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, model](const QModelIndex& current) {
                if (current.isValid()) {
                    m_currentRecord = model->data(current, zelpo::StoredWeighingsModel::RecordRole)
                                          .value<qsizetype>();
                }
                showState();
            });
    if (model->rowCount() > 0) {
        m_table->selectRow(model->rowCount() - 1);
    }
    m_table->setFocus();
    showState();
}

const zelpo::StoredWeighing* StoredWeighingsDialog::selected() const
{
    const QModelIndex current = m_table->currentIndex();
    const auto& weighings = m_history.stored().weighings;
    return current.isValid() && current.row() < weighings.size() ? &weighings[current.row()]
                                                                 : nullptr;
}

void StoredWeighingsDialog::showState()
{
    m_birthDate->setText(birthDateLine(m_history));
    const zelpo::StoredWeighing* weighing = selected();
    m_strikeOut->setEnabled(weighing && weighing->struckOut.isEmpty());
    m_restore->setEnabled(weighing && !weighing->struckOut.isEmpty());
}

std::optional<QString> StoredWeighingsDialog::askReason(const QString& title)
{
    const std::optional<QString> typed = m_services.prompt.ask(
        title,
        QStringLiteral("Motivo (de 1 a %1 caracteres, sin %2), por ejemplo \"error de tipeo\":")
            .arg(zelpo::maxCorrectionReasonLength)
            .arg(QString::fromUtf8(zelpo::unkeptReasonCharacters)),
        QString(), int(zelpo::maxCorrectionReasonLength));
    // What the record cannot hold is left out: a reason of nothing else is no reason.
    if (typed && zelpo::keptReason(*typed).isEmpty()) {
        m_services.messages.show(QStringLiteral("Debe escribir el motivo: de 1 a %1 caracteres, "
                                                "sin %2.")
                                     .arg(zelpo::maxCorrectionReasonLength)
                                     .arg(QString::fromUtf8(zelpo::unkeptReasonCharacters)),
                                 MessageStyle::OkStop, QStringLiteral("Error"));
        return std::nullopt;
    }
    return typed;
}

void StoredWeighingsDialog::tellIfFailed(const zelpo::MaybeFailure& failure, const QString& what)
{
    if (failure) {
        m_services.messages.show(
            QStringLiteral("No se pudo %1.\r%2").arg(what, failure->description),
            MessageStyle::OkStop);
        return;
    }
    emit corrected();
}

void StoredWeighingsDialog::strikeOut()
{
    const zelpo::StoredWeighing* weighing = selected();
    if (!weighing || !weighing->struckOut.isEmpty()) {
        return;
    }
    const qsizetype record = weighing->record;
    const QString question = QStringLiteral("¿Anular la medida de %1 g del %2? Seguirá en el "
                                            "archivo y en esta tabla, marcada como anulada.")
                                 .arg(QString::number(weighing->grams, 'f', 0), weighing->date);
    const std::optional<QString> reason = askReason(QStringLiteral("Anular la medida"));
    if (!reason ||
        m_services.messages.show(question, MessageStyle::YesNoQuestion) != MessageAnswer::Yes) {
        return;
    }
    tellIfFailed(
        m_history.strikeOut(record, *reason, m_services.clock.today(), WaitCursor().whileWaiting()),
        QStringLiteral("anular la medida"));
}

void StoredWeighingsDialog::restore()
{
    const zelpo::StoredWeighing* weighing = selected();
    if (!weighing || weighing->struckOut.isEmpty()) {
        return;
    }
    tellIfFailed(
        m_history.restore(weighing->record, m_services.clock.today(), WaitCursor().whileWaiting()),
        QStringLiteral("restituir la medida"));
}

void StoredWeighingsDialog::correctBirthDate()
{
    const QString title = QStringLiteral("Corregir la fecha de nacimiento");
    const std::optional<QDate> current = m_history.stored().birthDate;
    const std::optional<QString> typed =
        m_services.prompt.ask(title, QStringLiteral("Fecha de nacimiento (dd/mm/aaaa):"),
                              current ? zelpo::dateText(*current) : QString(), 10);
    if (!typed) {
        return;
    }
    // Read as the birth-date box reads it.
    const std::optional<QDate> birthDate = zelpo::dateValue(*typed);
    if (!birthDate) {
        m_services.messages.show(QStringLiteral("Error, debe escribir correctamente la fecha de "
                                                "nacimiento (dd/mm/aaaa)."),
                                 MessageStyle::OkStop, QStringLiteral("Error"));
        return;
    }
    // Every age counts from it: a birth after today or after a stored weighing is no birth date.
    if (const std::optional<QString> refusal = zelpo::birthDateCorrectionRefusal(
            *birthDate, m_services.clock.today(), m_history.records())) {
        m_services.messages.show(*refusal +
                                     QStringLiteral(" No se corrige la fecha de nacimiento."),
                                 MessageStyle::OkStop, QStringLiteral("Error"));
        return;
    }
    if (const std::optional<QString> reason = askReason(title)) {
        tellIfFailed(m_history.correctBirthDate(*birthDate, *reason, m_services.clock.today(),
                                                WaitCursor().whileWaiting()),
                     QStringLiteral("corregir la fecha de nacimiento"));
    }
}

void StoredWeighingsDialog::recordGestationalAge()
{
    const QString title = QStringLiteral("Edad gestacional al nacer");
    const std::optional<GestationalAge>& recorded = m_history.stored().gestation;
    const std::optional<QString> typed = m_services.prompt.ask(
        title,
        QStringLiteral("Semanas y días al nacer, de 22+0 a 44+6 (por ejemplo 30+2, o 30 para "
                       "30+0); 37+0 o más si nació a término:"),
        recorded ? recorded->text() : QString(), GestationalAge::longestText);
    if (!typed) {
        return;
    }
    const std::optional<GestationalAge> gestation = GestationalAge::fromText(*typed);
    if (!gestation) {
        m_services.messages.show(QStringLiteral("Error, debe escribir la edad gestacional al "
                                                "nacer en semanas y días, de 22+0 a 44+6 (por "
                                                "ejemplo 30+2)."),
                                 MessageStyle::OkStop, QStringLiteral("Error"));
        return;
    }
    tellIfFailed(m_history.recordGestationalAge(*gestation, m_services.clock.today(),
                                                WaitCursor().whileWaiting()),
                 QStringLiteral("anotar la edad gestacional al nacer"));
}

} // namespace zelpo
