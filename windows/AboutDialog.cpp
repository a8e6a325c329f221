#include "windows/AboutDialog.h"

#include "resources/Resources.h"
#include "settings/qt/WidgetGeometry.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velatask {

AboutDialog::AboutDialog(IniFile& ini, const QString& version, QWidget* parent)
    : QDialog(parent), m_ini(ini) {
    setWindowTitle(tr("About Velatask"));
    setWindowIcon(resourceIcon(QStringLiteral("CLOCK.ICO")));
    auto* picture = new QLabel(this);
    picture->setPixmap(resourceIcon(QStringLiteral("CLOCK.ICO")).pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(
        tr("<h2>Velatask</h2><p>Version %1</p>"
           "<p>A desktop task scheduler: it shows messages, starts programs, sounds alarms and "
           "plays scripts into other programs when their tasks fall due.</p>")
            .arg(version),
        this);
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    WidgetGeometry::restore(this, m_ini, QStringLiteral("About"));
}

void AboutDialog::done(int result) {
    WidgetGeometry::save(this, m_ini, QStringLiteral("About"));
    QDialog::done(result);
}

} // namespace velatask
