#pragma once

namespace velatask {

class IniFile;

// The options of section "Settings", held in memory for the whole run. Two keys are stored
// inverted ("StartUpSchedule", "StartUpActive"), so that a fresh installation shows the schedule
// and runs the scheduler.
struct Settings {
    long historyExpires = 0; // days; 0 = history never expires
    bool removeUncompleted = false;
    bool showScheduleAtStartUp = true;
    bool startUpToDo = false;
    bool schedulerActive = true;
    bool startUpMinimized = false;
    bool fullSchedule = false;
    bool hideToolbar = false; // kept and written back; nothing depends on it
    bool noTray = false;

    static Settings load(const IniFile& ini);
    // Writes the nine keys in their fixed order.
    void save(IniFile& ini) const;

    bool operator==(const Settings&) const = default;
};

} // namespace velatask
