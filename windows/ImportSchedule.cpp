#include "windows/ImportSchedule.h"

#include "csv/ImportJob.h"
#include "scheduler/AppContext.h"
#include "store/Store.h"
#include "ui/Accessibility.h"
#include "ui/FileDialogs.h"
#include "windows/CsvFieldList.h"
#include "windows/PictureDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velatask {

namespace {

const QString kFieldFormat = QStringLiteral(
    "42L(1)|M~Import Field~S(75)@s50@40L(1)|M~Picture~S(45)@s30@150L(1)~Value~S(300)@s255@");
const QString kTargetFormat =
    QStringLiteral("65L(1)M~Target Field~S(75)@s50@8C~=~@s1@65L(1)~Import Field~S(75)@s50@");
constexpr int kShownValue = 100;

} // namespace

ImportSchedule* ImportSchedule::open(AppContext& ctx, const FileChooser& chooser, QWidget* parent) {
    auto file = std::make_unique<ImportFile>();
    if (!file->choose(*ctx.store, chooser)) {
        return nullptr;
    }
    return new ImportSchedule(ctx, std::move(file), parent);
}

QString ImportSchedule::askImportFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Import File"));
    prepareFileDialog(dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Import Files (*.csv *.CSV)"), QStringLiteral("All Files (*)")});
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().constFirst()
               : QString();
}

ImportSchedule::ImportSchedule(AppContext& ctx, std::unique_ptr<ImportFile> file, QWidget* parent)
    : CsvWindow(ctx, QStringLiteral("ImportSchedule"), parent), m_file(std::move(file)) {
    setWindowTitle(QStringLiteral("Assign fields for Import..."));
    m_plan.setFields(m_file->fields());

    m_fields = new CsvFieldList(kFieldFormat, this);
    m_targets = new CsvFieldList(kTargetFormat, this);
    auto* fieldsLabel = new QLabel(QStringLiteral("Import Fields"), this);
    fieldsLabel->setBuddy(m_fields);
    auto* targetsLabel = new QLabel(QStringLiteral("Target Fields"), this);
    targetsLabel->setBuddy(m_targets);
    m_recordNumber = new QLabel(this);

    auto* fieldButtons = new QHBoxLayout;
    fieldButtons->addWidget(makeButton(QStringLiteral("&Next"), [this] { next(); }));
    fieldButtons->addWidget(m_recordNumber);
    fieldButtons->addStretch();
    fieldButtons->addWidget(makeButton(QStringLiteral("&Picture"), [this] { editPicture(); }));

    auto* assignButtons = new QVBoxLayout;
    assignButtons->addStretch();
    assignButtons->addWidget(makeButton(QStringLiteral("&Assign"), [this] { assign(); }));
    assignButtons->addWidget(makeButton(QStringLiteral("A&uto"), [this] { autoAssign(); }));
    assignButtons->addWidget(makeButton(QStringLiteral("&Unassign"), [this] { unassign(); }));
    assignButtons->addStretch();

    m_strip = new QCheckBox(QStringLiteral("Strip &header record (field names)"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(fieldsLabel, 0, 0);
    grid->addWidget(targetsLabel, 0, 2);
    grid->addWidget(m_fields, 1, 0);
    grid->addLayout(assignButtons, 1, 1);
    grid->addWidget(m_targets, 1, 2);
    grid->addLayout(fieldButtons, 2, 0);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 2);

    layOut(grid, m_strip, [this] { ok(); });

    connect(m_targets, &QTreeWidget::itemDoubleClicked, this, [this] { assign(); });
    setKeyboardOrder({m_fields, button(QStringLiteral("&Next")), button(QStringLiteral("&Picture")),
                      button(QStringLiteral("&Assign")), button(QStringLiteral("A&uto")),
                      button(QStringLiteral("&Unassign")), m_targets, m_strip});
    refresh(0, 0);
    Accessibility::nameControls(this);
    m_recordNumber->setAccessibleName(QStringLiteral("Rec#"));
}

void ImportSchedule::refresh(int fieldRow, int targetRow) {
    const QStringList values = m_file->values();
    QList<QStringList> fields;
    for (int f = 0; f < m_plan.fieldCount(); ++f) {
        QString value = values.value(f).left(kShownValue);
        value.replace(QLatin1Char('\n'), QLatin1Char(' '));
        fields << QStringList{ImportPlan::fieldName(f), m_plan.typeWord(f), value};
    }
    QList<QStringList> targets;
    for (int t = 0; t < ScheduleField::kCount; ++t) {
        const int f = m_plan.assignment(t);
        targets << QStringList{ScheduleField::all()[size_t(t)].nameText(),
                               f == ImportPlan::kNone ? QString() : QStringLiteral("="),
                               f == ImportPlan::kNone ? QString() : ImportPlan::fieldName(f)};
    }
    m_fields->setRows(fields, fieldRow);
    m_targets->setRows(targets, targetRow);
    m_recordNumber->setText(QStringLiteral("Rec# %1").arg(m_file->recordNumber()));
}

void ImportSchedule::next() {
    if (!m_file->next()) {
        QApplication::beep();
    }
    refresh(m_fields->currentRow(), m_targets->currentRow());
}

void ImportSchedule::editPicture() {
    const int row = m_fields->currentRow();
    if (row < 0) {
        return;
    }
    if (auto picture = PictureDialog::ask(*context().ui, m_plan.picture(row), this)) {
        m_plan.setPicture(row, *picture);
        refresh(row, m_targets->currentRow());
    }
}

void ImportSchedule::assign() {
    const int target = m_targets->currentRow();
    m_plan.assign(target, m_fields->currentRow());
    refresh(m_fields->currentRow(), target);
}

void ImportSchedule::autoAssign() {
    m_plan.autoAssign(m_file->values());
    refresh(m_fields->currentRow(), m_targets->currentRow());
}

void ImportSchedule::unassign() {
    const int target = m_targets->currentRow();
    m_plan.unassign(target);
    refresh(m_fields->currentRow(), target);
}

void ImportSchedule::ok() {
    if (!m_plan.anyAssigned()) {
        context().ui->message(QStringLiteral("You must select one or more fields to import."),
                              QStringLiteral("No Fields Selected for Import!"), Ui::Exclamation);
        return;
    }
    runImport();
    frameWidget()->close();
}

void ImportSchedule::runImport() {
    ImportJob job(*context().store, m_file->reader(), m_file->size(), m_plan);
    job.commitAtPace();
    if (!job.start(m_strip->isChecked())) {
        return;
    }
    runInProgressWindow(QStringLiteral("Importing Records"), job);
}

} // namespace velatask
