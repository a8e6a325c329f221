#pragma once

#include "ui/FormWindow.h"

class QLineEdit;

namespace velatask {

// "Update Category": the form of one category name. The store refuses a name that differs from
// another only in letter case, and a rename or deletion while tasks use the name.
class UpdateCategories : public FormWindow {
    Q_OBJECT
public:
    UpdateCategories(Store& store, IniFile& ini, Request request, QWidget* parent = nullptr);

    QLineEdit* category() const { return m_category; }

protected:
    void opened() override;

private:
    QLineEdit* m_category = nullptr;
};

} // namespace velatask
