#include "app/FolderChildrenWindow.h"

#include "core/Clock.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "history/FolderChildrenFilter.h"
#include "history/FolderChildrenModel.h"
#include "history/FolderReading.h"
#include "look/ChartLook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace zelpo {

FolderChildrenWindow::FolderChildrenWindow(PerZelpo& chart, OutputServices services)
    : QDialog(&chart), m_chart(chart), m_history(services.history), m_clock(services.clock),
      m_dialogs(services.dialogs), m_outputs(chartLook(chart.palette()), this, services),
      m_model(new FolderChildrenModel(this)), m_filter(new FolderChildrenFilter(this)),
      m_historyStart(new QLineEdit(this)),
      m_onlyForReview(new QCheckBox(QStringLiteral("Solo para &revisar"), this)),
      m_sortBy(new QComboBox(this)), m_table(new QTableView(this)),
      m_progress(new QProgressBar(this)), m_showing(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Niños de la carpeta — Zelpo"));
    m_model->follow(m_history, m_clock.today());
    m_filter->setSourceModel(m_model);

    auto* historyLabel = new QLabel(QStringLiteral("&Historia:"), this);
    historyLabel->setBuddy(m_historyStart);
    m_historyStart->setAccessibleName(QStringLiteral("Historia"));
    m_historyStart->setAccessibleDescription(
        QStringLiteral("Muestra los niños cuyo número de historia empieza por las cifras "
                       "escritas"));
    m_historyStart->setMaxLength(7);
    m_historyStart->setClearButtonEnabled(true);
    auto* sortLabel = new QLabel(QStringLiteral("&Ordenar por:"), this);
    sortLabel->setBuddy(m_sortBy);
    m_sortBy->setAccessibleName(QStringLiteral("Ordenar por"));
    m_sortBy->setAccessibleDescription(
        QStringLiteral("Elegir de nuevo la misma columna invierte el orden"));
    for (FolderColumn column : folderColumns) {
        m_sortBy->addItem(folderColumnTitle(column));
    }

    m_table->setModel(m_filter);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->setAccessibleName(QStringLiteral("Niños de la carpeta"));
    m_table->verticalHeader()->hide();
    // Thousands of rows of one line each: no row is measured.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder);

    m_progress->setAccessibleName(QStringLiteral("Archivos leídos"));
    m_progress->setFormat(QStringLiteral("%v de %m archivos"));
    m_progress->setRange(0, 0);
    m_showing->setSingleShot(true);
    m_showing->setInterval(showEveryMilliseconds);
    connect(m_showing, &QTimer::timeout, this, [this] {
        if (!m_unshown.isEmpty()) {
            showReadRows();
        }
    });

    auto* refresh = new QPushButton(QStringLiteral("&Actualizar"), this);
    refresh->setToolTip(QStringLiteral("Vuelve a leer la carpeta (F5)"));
    auto* exportButton = new QPushButton(QStringLiteral("&Exportar la lista (CSV)…"), this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(refresh, QDialogButtonBox::ActionRole);
    buttons->addButton(exportButton, QDialogButtonBox::ActionRole);
    QPushButton* close =
        buttons->addButton(QStringLiteral("&Cerrar"), QDialogButtonBox::RejectRole);
    // Enter belongs to the table, where it opens the child.
    for (QPushButton* button : {refresh, exportButton, close}) {
        button->setAutoDefault(false);
    }

    auto* filters = new QHBoxLayout;
    filters->addWidget(historyLabel);
    filters->addWidget(m_historyStart);
    filters->addWidget(m_onlyForReview);
    filters->addStretch();
    filters->addWidget(sortLabel);
    filters->addWidget(m_sortBy);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_table);
    layout->addWidget(m_progress);
    layout->addWidget(buttons);
    resize(980, 520);

    connect(m_historyStart, &QLineEdit::textChanged, m_filter,
            &FolderChildrenFilter::setHistoryStart);
    // Enter in the box goes to the rows it left, where Enter opens the child.
    connect(m_historyStart, &QLineEdit::returnPressed, this, [this] {
        m_table->setFocus();
        if (!m_table->currentIndex().isValid() && m_filter->rowCount() > 0) {
            m_table->selectRow(0);
        }
    });
    connect(m_onlyForReview, &QCheckBox::toggled, m_filter,
            &FolderChildrenFilter::setOnlyForReview);
    connect(m_sortBy, &QComboBox::activated, this, &FolderChildrenWindow::sortBy);
    connect(m_table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, m_sortBy,
            [this](int column) { m_sortBy->setCurrentIndex(column); });
    connect(m_table, &QAbstractItemView::activated, this, &FolderChildrenWindow::openChild);
    connect(refresh, &QPushButton::clicked, this, &FolderChildrenWindow::readFolder);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &FolderChildrenWindow::readFolder);
    connect(exportButton, &QPushButton::clicked, this, &FolderChildrenWindow::exportList);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

FolderChildrenWindow::~FolderChildrenWindow() = default;

void FolderChildrenWindow::bringToFront()
{
    if (!isVisible()) {
        placeBesideChart();
        show();
        readFolder();
        m_table->setFocus();
    }
    raise();
    activateWindow();
}

void FolderChildrenWindow::placeBesideChart()
{
    if (std::exchange(m_placed, true) || !m_chart.screen()) {
        return;
    }
    // Beside the chart window where the screen has room; over it, centred, where it has none.
    const QRect chart = m_chart.frameGeometry();
    const QRect screen = m_chart.screen()->availableGeometry();
    const int width = frameGeometry().width();
    if (chart.right() + width < screen.right()) {
        move(chart.right() + 1, chart.top());
    } else if (chart.left() - width > screen.left()) {
        move(chart.left() - width, chart.top());
    }
}

void FolderChildrenWindow::readFolder()
{
    // The reading before is stopped first: two never fill the list at once.
    m_reading.reset();
    const QDir& folder = m_history.patientFolder();
    m_read = {QDateTime::currentDateTime(), folder.absolutePath(), 0, 0};
    m_reading = std::make_unique<FolderReading>(folder, m_clock.today());
    connect(m_reading.get(), &FolderReading::listed, this, [this](int files) {
        m_read.files = files;
        m_progress->setRange(0, std::max(files, 1));
        m_progress->setValue(0);
        m_progress->setFormat(files == 0 ? QStringLiteral("La carpeta no tiene archivos de "
                                                          "pacientes")
                                         : QStringLiteral("%v de %m archivos"));
    });
    connect(m_reading.get(), &FolderReading::rowsRead, this,
            [this](const QList<FolderChildRow>& rows, int filesRead) {
                m_unshown += rows;
                m_read.filesRead = std::max(m_read.filesRead, filesRead);
                if (!m_showing->isActive()) {
                    showReadRows();
                }
            });
    connect(m_reading.get(), &FolderReading::finished, this, [this] {
        showReadRows();
        m_model->endReading();
    });
    m_unshown.clear();
    m_showing->stop();
    m_progress->setRange(0, 0);
    m_model->beginReading();
    m_reading->start();
}

void FolderChildrenWindow::showReadRows()
{
    m_model->take(std::exchange(m_unshown, {}));
    m_progress->setValue(m_read.filesRead);
    if (!std::exchange(m_columnsSized, true)) {
        m_table->resizeColumnsToContents();
    }
    m_showing->start();
}

void FolderChildrenWindow::done(int result)
{
    m_reading.reset();
    m_showing->stop();
    m_unshown.clear();
    QDialog::done(result);
}

void FolderChildrenWindow::openChild(const QModelIndex& index)
{
    const std::optional<ChildKey>& child = m_model->row(m_filter->mapToSource(index).row()).child;
    if (!child) {
        return;
    }
    // As the user would: the number typed, the sex chosen, which looks the child up.
    m_chart.Text3()->setText(child->historyText);
    m_chart.raise();
    m_chart.activateWindow();
    m_chart.Option1(child->varon ? 0 : 1)->click();
}

void FolderChildrenWindow::sortBy(int column)
{
    const QHeaderView* header = m_table->horizontalHeader();
    // Chosen again, the column sorts the other way, as a second click on its title does.
    const bool again = header->sortIndicatorSection() == column &&
                       header->sortIndicatorOrder() == Qt::AscendingOrder;
    m_table->sortByColumn(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void FolderChildrenWindow::exportList()
{
    QList<FolderChildRow> shown;
    shown.reserve(m_filter->rowCount());
    for (int row = 0; row < m_filter->rowCount(); ++row) {
        shown.append(m_model->row(m_filter->mapToSource(m_filter->index(row, 0)).row()));
    }
    exportFolderList(m_outputs, m_dialogs, this, folderListCsv(m_read, shown));
}

} // namespace zelpo
