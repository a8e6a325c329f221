#pragma once

#include <QDialog>

namespace velatask {

class IniFile;

// The About box: the program's name, version and purpose.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(IniFile& ini, const QString& version, QWidget* parent = nullptr);
    void done(int result) override;

private:
    IniFile& m_ini;
};

} // namespace velatask
