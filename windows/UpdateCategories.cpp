#include "windows/UpdateCategories.h"

#include "store/Procedures.h"
#include "store/Store.h"
#include "ui/ViewFormRecord.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace velatask {
namespace {

FormDeclaration declaration() {
    FormDeclaration d;
    d.section = QStringLiteral("UpdateCategories");
    d.title = QStringLiteral("Update Category");
    d.insertText = QStringLiteral("Adding a Categories Record");
    d.changeText = QStringLiteral("Changing a Categories Record");
    return d;
}

} // namespace

UpdateCategories::UpdateCategories(Store& store, IniFile& ini, Request request, QWidget* parent)
    : FormWindow(store, ini,
                 std::make_unique<ViewFormRecord<CategoryView>>(
                     store, store.CAT, &UpdateCategoriesRecord, &DeleteCategoriesRecord,
                     QStringLiteral("By Category")),
                 request, declaration(), parent) {
    QFormLayout* general = addTab(QStringLiteral("General"));
    m_category = addField(general, QStringLiteral("&Category:"), new QLineEdit);
    m_category->setMinimumWidth(m_category->fontMetrics().averageCharWidth() * 24);
    fields().text(m_category, store.CAT.buffer().Category, CategoryRecord::kCategoryWidth);
    // A blank name would be stored where no list shows it and no form reaches it.
    connect(m_category, &QLineEdit::textChanged, this,
            [this](const QString& text) { okButton()->setEnabled(!text.trimmed().isEmpty()); });
}

void UpdateCategories::opened() {
    // The update procedure keeps a used name from changing; it compares with this one.
    store().setSavedCategory(store().CAT.buffer().Category);
    okButton()->setEnabled(!store().CAT.buffer().Category.trimmed().isEmpty());
}

} // namespace velatask
