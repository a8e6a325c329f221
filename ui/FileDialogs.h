#pragma once

class QFileDialog;

namespace velatask {

// Makes a file dialog list files without opening them: Qt's own dialog reads a file whose name
// does not tell its type, to choose its icon. Opening and closing a file drops every lock that
// this process holds on it (record locks belong to the process and the file, not to the
// descriptor), and the data file's locks are what tell another program that this one still uses
// the file's log: a dialog that showed the data folder let the next program that closed the file
// delete the log this one went on writing to. A native dialog of the desktop may run in this
// process and read files the same way, so the dialog is Qt's own.
void prepareFileDialog(QFileDialog& dialog);

} // namespace velatask
