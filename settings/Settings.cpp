#include "settings/Settings.h"

#include "settings/IniFile.h"

namespace velatask {
namespace {

const QString kSection = QStringLiteral("Settings");

bool flag(const IniFile& ini, const char* key) {
    return ini.readNumber(kSection, QLatin1String(key)) != 0;
}

// An inverted key holds 1 - flag: only a stored 1 turns the option off.
bool invertedFlag(const IniFile& ini, const char* key) {
    return 1 - ini.readNumber(kSection, QLatin1String(key)) != 0;
}

} // namespace

Settings Settings::load(const IniFile& ini) {
    Settings s;
    s.historyExpires = ini.readNumber(kSection, QStringLiteral("HistoryExpires"));
    s.removeUncompleted = flag(ini, "RemoveUncompleted");
    s.showScheduleAtStartUp = invertedFlag(ini, "StartUpSchedule");
    s.startUpToDo = flag(ini, "StartUpToDo");
    s.schedulerActive = invertedFlag(ini, "StartUpActive");
    s.startUpMinimized = flag(ini, "StartUpMinimized");
    s.fullSchedule = flag(ini, "FullSchedule");
    s.hideToolbar = flag(ini, "HideToolbar");
    s.noTray = flag(ini, "NoTray");
    return s;
}

void Settings::save(IniFile& ini) const {
    ini.writeNumber(kSection, QStringLiteral("HistoryExpires"), historyExpires);
    ini.writeNumber(kSection, QStringLiteral("RemoveUncompleted"), removeUncompleted ? 1 : 0);
    ini.writeNumber(kSection, QStringLiteral("StartUpSchedule"), showScheduleAtStartUp ? 0 : 1);
    ini.writeNumber(kSection, QStringLiteral("StartUpToDo"), startUpToDo ? 1 : 0);
    ini.writeNumber(kSection, QStringLiteral("StartUpActive"), schedulerActive ? 0 : 1);
    ini.writeNumber(kSection, QStringLiteral("StartUpMinimized"), startUpMinimized ? 1 : 0);
    ini.writeNumber(kSection, QStringLiteral("FullSchedule"), fullSchedule ? 1 : 0);
    ini.writeNumber(kSection, QStringLiteral("HideToolbar"), hideToolbar ? 1 : 0);
    ini.writeNumber(kSection, QStringLiteral("NoTray"), noTray ? 1 : 0);
}

} // namespace velatask
