#pragma once

#include "csv/ExportChoice.h"
#include "windows/CsvWindow.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace velatask {

class CsvFieldList;

// "Choose Fields for Export...": the fields to export, in order and each with its picture, the
// header option, then the file and the export itself in a progress window.
class ExportSchedule : public CsvWindow {
    Q_OBJECT
public:
    explicit ExportSchedule(AppContext& ctx, QWidget* parent = nullptr);

    // The save dialog "Export File".
    static QString askExportFile(QWidget* parent);

    CsvFieldList* allFields() const { return m_all; }
    CsvFieldList* exportFields() const { return m_export; }
    QLineEdit* pictureEntry() const { return m_picture; }
    QCheckBox* headerOption() const { return m_header; }
    const ExportChoice& choice() const { return m_choice; }

private:
    void add(int row, int at = -1);
    void remove(int row);
    void shift(bool up);
    void editPicture();
    void dropped(CsvFieldList* from, int row, int at, CsvFieldList* onto);
    void refresh(int allRow, int exportRow);
    void showPicture();
    void ok();
    void runExport(const QString& path);

    ExportChoice m_choice;
    CsvFieldList* m_all = nullptr;
    CsvFieldList* m_export = nullptr;
    QLineEdit* m_picture = nullptr;
    QCheckBox* m_header = nullptr;
};

} // namespace velatask
