#pragma once

namespace velatask {

struct AppContext;
class DatePicker;
class FileChooser;

// What the task windows need beyond the program's context: the calendar (a window of a layer
// above this one) and the open-file dialog, both replaceable in tests.
struct EditingContext {
    AppContext& app;
    DatePicker& calendar;
    FileChooser& files;
};

} // namespace velatask
