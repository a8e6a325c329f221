#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

namespace velatask {

// "Enter Upper Limit": the lower and upper limits of a range, as text of up to 20 characters.
// A limit that `valid` refuses keeps the dialog open with that entry selected.
class UpperLimitDialog : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<bool(const QString&)>;

    UpperLimitDialog(const QString& lower, const QString& upper, Check valid,
                     QWidget* parent = nullptr);

    QString lower() const;
    QString upper() const;
    QLineEdit* lowerEdit() const { return m_lower; }
    QLineEdit* upperEdit() const { return m_upper; }

    void accept() override;

private:
    QLineEdit* m_lower = nullptr;
    QLineEdit* m_upper = nullptr;
    Check m_valid;
};

} // namespace velatask
