#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

namespace velatask {

class Ui;

// "Enter Picture...": the picture of an export or import field, which must begin with "@".
class PictureDialog : public QDialog {
    Q_OBJECT
public:
    PictureDialog(Ui& ui, const QString& picture, QWidget* parent = nullptr);

    // The new picture, or nothing when cancelled.
    static std::optional<QString> ask(Ui& ui, const QString& picture, QWidget* parent);

    QString picture() const;
    QLineEdit* entry() const { return m_entry; }

    void accept() override;

private:
    Ui& m_ui;
    QLineEdit* m_entry = nullptr;
};

} // namespace velatask
