#pragma once

#include "platform/fake/ScriptedUi.h"
#include "settings/IniFile.h"
#include "store/Store.h"
#include "ui/FormWindow.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace velatask {

// A data folder, a settings file and a store with a scripted Ui, for window tests.
class WindowFixture : public ::testing::Test {
protected:
    WindowFixture()
        : ini(QDir(m_dir.path()).filePath(QStringLiteral("Vela.INI"))), store(m_dir.path(), ui) {}

    // Another station on the same data folder.
    Store& otherStation() {
        if (!m_other) {
            m_other = std::make_unique<Store>(m_dir.path(), m_otherUi);
        }
        return *m_other;
    }

    // Runs the form; `actions` runs once it shows. A form still open afterwards is cancelled,
    // so a test never waits on a window.
    static Response runForm(FormWindow& form, const std::function<void(FormWindow&)>& actions) {
        QTimer::singleShot(0, &form, [&form, &actions] {
            actions(form);
            if (form.isVisible()) {
                form.reject();
            }
        });
        return form.run();
    }

    // The titles and the texts of the boxes shown so far.
    QStringList boxTitles() const {
        QStringList titles;
        for (const MessageBoxSpec& box : ui.boxes()) {
            titles << box.title;
        }
        return titles;
    }

    QTemporaryDir m_dir;
    ScriptedUi ui;
    IniFile ini;
    Store store;

private:
    ScriptedUi m_otherUi;
    std::unique_ptr<Store> m_other;
};

} // namespace velatask
