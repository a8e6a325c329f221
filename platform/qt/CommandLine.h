#pragma once

#include <QStringList>

#include <optional>

namespace velatask {

// Splits a command line into words the way a POSIX shell does, without running one: blanks
// separate words; single quotes keep everything literally; double quotes keep blanks and let a
// backslash escape only $ ` " \ and newline; a backslash outside quotes keeps the next character.
// Nothing is expanded (no variables, globs or ~). nullopt for an unterminated quote.
namespace CommandLine {

std::optional<QStringList> split(const QString& commandLine);

} // namespace CommandLine

} // namespace velatask
