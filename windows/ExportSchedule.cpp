#include "windows/ExportSchedule.h"

#include "csv/ExportJob.h"
#include "scheduler/AppContext.h"
#include "store/Store.h"
#include "ui/Accessibility.h"
#include "ui/FileDialogs.h"
#include "windows/CsvFieldList.h"
#include "windows/PictureDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velatask {

namespace {

const QString kAllFormat = QStringLiteral("200L(1)~All Fields~@s50@");
const QString kExportFormat = QStringLiteral("200L(1)~Export Fields~@s50@");

QString nameOf(int field) {
    return ScheduleField::all()[size_t(field)].nameText();
}

} // namespace

ExportSchedule::ExportSchedule(AppContext& ctx, QWidget* parent)
    : CsvWindow(ctx, QStringLiteral("ExportSchedule"), parent) {
    setWindowTitle(QStringLiteral("Choose Fields for Export..."));
    setFileChooser([this] { return askExportFile(this); });

    m_all = new CsvFieldList(kAllFormat, this);
    m_export = new CsvFieldList(kExportFormat, this);
    m_all->setDragPartner(m_export);
    m_export->setDragPartner(m_all);
    auto* allLabel = new QLabel(QStringLiteral("All Fields"), this);
    allLabel->setBuddy(m_all);
    auto* exportLabel = new QLabel(QStringLiteral("Export Fields"), this);
    exportLabel->setBuddy(m_export);

    auto* buttons = new QVBoxLayout;
    const auto addButton = [&](const QString& text, const std::function<void()>& handler) {
        buttons->addWidget(makeButton(text, handler));
    };
    addButton(QStringLiteral("&Add ->"), [this] { add(m_all->currentRow()); });
    addButton(QStringLiteral("&Remove"), [this] { remove(m_export->currentRow()); });
    addButton(QStringLiteral("Shift &Up"), [this] { shift(true); });
    addButton(QStringLiteral("Shift &Down"), [this] { shift(false); });
    buttons->addSpacing(fontMetrics().height());
    addButton(QStringLiteral("&Picture"), [this] { editPicture(); });
    buttons->addStretch();

    m_picture = new QLineEdit(this);
    m_picture->setReadOnly(true);
    m_picture->setMaximumWidth(fontMetrics().averageCharWidth() * 34);
    auto* pictureLabel = new QLabel(QStringLiteral("Picture"), this);
    pictureLabel->setBuddy(m_picture);
    m_header = new QCheckBox(QStringLiteral("Include &header record with field names"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(allLabel, 0, 0);
    grid->addWidget(exportLabel, 0, 2);
    grid->addWidget(m_all, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(m_export, 1, 2);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(pictureLabel);
    pictureRow->addWidget(m_picture);
    pictureRow->addStretch();
    grid->addLayout(pictureRow, 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    layOut(grid, m_header, [this] { ok(); });

    connect(m_all, &CsvFieldList::dropped, this,
            [this](CsvFieldList* from, int row, int at) { dropped(from, row, at, m_all); });
    connect(m_export, &CsvFieldList::dropped, this,
            [this](CsvFieldList* from, int row, int at) { dropped(from, row, at, m_export); });
    connect(m_export, &QTreeWidget::currentItemChanged, this, [this] { showPicture(); });
    connect(m_all, &QTreeWidget::itemDoubleClicked, this, [this] { add(m_all->currentRow()); });
    connect(m_export, &QTreeWidget::itemDoubleClicked, this,
            [this] { remove(m_export->currentRow()); });

    // Keyboard order: the lists with the buttons between them, then the rest down the window.
    setKeyboardOrder({m_all, button(QStringLiteral("&Add ->")), button(QStringLiteral("&Remove")),
                      button(QStringLiteral("Shift &Up")), button(QStringLiteral("Shift &Down")),
                      button(QStringLiteral("&Picture")), m_export, m_picture, m_header});
    refresh(0, 0);
    Accessibility::nameControls(this);
}

QString ExportSchedule::askExportFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Export File"));
    prepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(
        {QStringLiteral("Export Files (*.csv *.CSV)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().constFirst()
               : QString();
}

void ExportSchedule::refresh(int allRow, int exportRow) {
    QList<QStringList> all;
    for (const int f : m_choice.available()) {
        all << QStringList{nameOf(f)};
    }
    QList<QStringList> chosen;
    for (const ExportField& f : m_choice.chosen()) {
        chosen << QStringList{nameOf(f.field)};
    }
    m_all->setRows(all, qMax(0, allRow));
    m_export->setRows(chosen, qMax(0, exportRow));
    showPicture();
}

void ExportSchedule::showPicture() {
    const int row = m_export->currentRow();
    m_picture->setText(row >= 0 && row < m_choice.chosen().size() ? m_choice.chosen()[row].picture
                                                                  : QString());
}

void ExportSchedule::add(int row, int at) {
    const int landed = m_choice.add(row, at);
    if (landed >= 0) {
        refresh(row, landed);
    }
}

void ExportSchedule::remove(int row) {
    const int landed = m_choice.remove(row);
    if (landed >= 0) {
        refresh(landed, row);
    }
}

void ExportSchedule::shift(bool up) {
    const int row = m_export->currentRow();
    const int landed = up ? m_choice.shiftUp(row) : m_choice.shiftDown(row);
    if (landed >= 0) {
        refresh(m_all->currentRow(), landed);
    }
}

void ExportSchedule::editPicture() {
    const int row = m_export->currentRow();
    if (row < 0) {
        return;
    }
    if (auto picture = PictureDialog::ask(*context().ui, m_choice.chosen()[row].picture, this)) {
        m_choice.setPicture(row, *picture);
        showPicture();
    }
}

void ExportSchedule::dropped(CsvFieldList* from, int row, int at, CsvFieldList* onto) {
    if (from == m_all && onto == m_export) {
        add(row, at);
    } else if (from == m_export && onto == m_all) {
        remove(row);
    }
}

void ExportSchedule::ok() {
    if (m_choice.chosen().isEmpty()) {
        context().ui->message(QStringLiteral("You must select one or more fields to export."),
                              QStringLiteral("No Fields Selected for Export!"), Ui::Exclamation);
        return;
    }
    const QString path = chooseFile();
    if (!path.isEmpty()) {
        runExport(path);
    }
    frameWidget()->close();
}

void ExportSchedule::runExport(const QString& path) {
    ExportJob job(*context().store, m_choice.chosen(), m_header->isChecked());
    if (!job.start(path)) {
        return;
    }
    runInProgressWindow(QStringLiteral("Exporting Records"), job);
    job.finish();
}

} // namespace velatask
