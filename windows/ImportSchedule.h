#pragma once

#include "csv/ImportFile.h"
#include "csv/ImportPlan.h"
#include "windows/CsvWindow.h"

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

namespace velatask {

class CsvFieldList;

// "Assign fields for Import...": the fields of the chosen file's lines, the Schedule fields that
// take them, and the import itself in a progress window.
class ImportSchedule : public CsvWindow {
    Q_OBJECT
public:
    // Asks for the file until one opens and holds text; nullptr when the user cancels.
    static ImportSchedule* open(AppContext& ctx, const FileChooser& chooser,
                                QWidget* parent = nullptr);
    // The open dialog "Import File".
    static QString askImportFile(QWidget* parent);

    ImportSchedule(AppContext& ctx, std::unique_ptr<ImportFile> file, QWidget* parent = nullptr);

    CsvFieldList* importFields() const { return m_fields; }
    CsvFieldList* targetFields() const { return m_targets; }
    QLabel* recordNumber() const { return m_recordNumber; }
    QCheckBox* stripHeader() const { return m_strip; }
    const ImportPlan& plan() const { return m_plan; }

private:
    void next();
    void editPicture();
    void assign();
    void autoAssign();
    void unassign();
    void refresh(int fieldRow, int targetRow);
    void ok();
    void runImport();

    std::unique_ptr<ImportFile> m_file;
    ImportPlan m_plan;
    CsvFieldList* m_fields = nullptr;
    CsvFieldList* m_targets = nullptr;
    QLabel* m_recordNumber = nullptr;
    QCheckBox* m_strip = nullptr;
};

} // namespace velatask
