#include "settings/WindowPosition.h"

#include "settings/IniFile.h"
#include "settings/WindowGeometry.h"

namespace velatask {

void SaveWindowPosition(IniFile& ini, const QString& section, WindowGeometry& window) {
    const QString maximised = window.isMaximized() ? QStringLiteral("Yes") : QStringLiteral("No");
    window.unmaximise();
    if (window.isIconised()) {
        return;
    }
    const QRect r = window.normalRect();
    ini.write(section, QStringLiteral("Maximize"), maximised);
    ini.writeNumber(section, QStringLiteral("XPosit"), r.x());
    ini.writeNumber(section, QStringLiteral("YPosit"), r.y());
    ini.writeNumber(section, QStringLiteral("Width"), r.width());
    ini.writeNumber(section, QStringLiteral("Height"), r.height());
}

void RestoreWindowPosition(const IniFile& ini, const QString& section, WindowGeometry& window) {
    const long x = ini.readNumber(section, QStringLiteral("XPosit"));
    if (x == 0) {
        return;
    }
    if (!window.isMaximized()) {
        const long y = ini.readNumber(section, QStringLiteral("YPosit"));
        if (y != 0) {
            if (window.isResizable()) {
                const long w = ini.readNumber(section, QStringLiteral("Width"));
                const long h = ini.readNumber(section, QStringLiteral("Height"));
                if (w != 0 && h != 0) {
                    window.setRect(QRect(int(x), int(y), int(w), int(h)));
                }
            } else {
                window.setPosition(QPoint(int(x), int(y)));
            }
        }
    }
    if (ini.read(section, QStringLiteral("Maximize")) == QLatin1String("Yes")) {
        window.maximise();
    } else {
        window.unmaximise();
    }
}

void ResetSavedWindowSettings(IniFile& ini) {
    static const char* const kSections[] = {
        "BrowseSchedule",   "Main",           "About",           "Calendar",
        "ViewToDo",         "UpdateTodo",     "Setup",           "AddProgramWizard",
        "AddMessageWizard", "BrowseTodo",     "UpdateSchedule",  "UpdateScripting",
        "ViewScriptKeys",   "AddScripting",   "ShowMessage",     "SystemInfo",
        "AddTaskWizard",    "SpecialEventWizard"};
    static const char* const kKeys[] = {"Maximize", "XPosit",    "YPosit",    "Width",
                                        "Height",   "?Browse:1", "?Browse:2", "WindowScaled"};
    for (const char* section : kSections) {
        for (const char* key : kKeys) {
            ini.write(QLatin1String(section), QLatin1String(key), QString());
        }
    }
}

} // namespace velatask
