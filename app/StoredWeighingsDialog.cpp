#include "app/StoredWeighingsDialog.h"

#include "core/Conversions.h"
#include "history/ChildHistory.h"
#include "history/StoredWeighingsModel.h"

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
    : QDialog(parent), m_history(history), m_services(services),
      m_model(new StoredWeighingsModel(history, this)), m_birthDate(new QLabel(this)),
      m_table(new QTableView(this)),
      m_strikeOut(new QPushButton(QStringLiteral("&Anular la medida…"), this)),
      m_restore(new QPushButton(QStringLiteral("&Restituir la medida"), this))
{
    setWindowTitle(QStringLiteral("Medidas almacenadas — Historia %1 (%2)")
                       .arg(history.key().historyNumber(), sexName(history.key().chart())));
    m_table->setModel(m_model);
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
    connect(m_strikeOut, &QPushButton::clicked, this, [this] { onSelected(strikeOutWeighing); });
    connect(m_restore, &QPushButton::clicked, this, [this] { onSelected(restoreWeighing); });
    connect(correctDate, &QPushButton::clicked, this,
            [this] { correctBirthDate(m_history, m_services); });
    connect(gestation, &QPushButton::clicked, this,
            [this] { recordGestationalAge(m_history, m_services); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_birthDate);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(720, 480);

    // A change of the history renews the whole table: the weighing worked on stays the current
    // one, wherever another desk's weighings have put its row.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        const int row = m_currentRecord ? m_model->rowOf(*m_currentRecord) : -1;
        if (row >= 0) {
            m_table->selectRow(row);
        }
        showState();
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (const zelpo::StoredWeighing* weighing = m_model->weighingAt(current)) {
                    m_currentRecord = weighing->record;
                }
                showState();
            });
    if (m_model->rowCount() > 0) {
        m_table->selectRow(m_model->rowCount() - 1);
    }
    m_table->setFocus();
    showState();
}

const zelpo::StoredWeighing* StoredWeighingsDialog::selected() const
{
    return m_model->weighingAt(m_table->currentIndex());
}

void StoredWeighingsDialog::showState()
{
    m_birthDate->setText(birthDateLine(m_history));
    const zelpo::StoredWeighing* weighing = selected();
    m_strikeOut->setEnabled(weighing && weighing->struckOut.isEmpty());
    m_restore->setEnabled(weighing && !weighing->struckOut.isEmpty());
}

void StoredWeighingsDialog::onSelected(void (*command)(ChildHistory&, const StoredWeighing&,
                                                       CorrectionServices))
{
    if (const zelpo::StoredWeighing* weighing = selected()) {
        command(m_history, *weighing, m_services);
    }
}

} // namespace zelpo
