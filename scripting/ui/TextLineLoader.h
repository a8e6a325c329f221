#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

namespace velatask {

// Reads a text file line by line in batches, for a list that fills while a progress window runs.
// Each line becomes at most kLineWidth characters, whatever the file holds: the rest of a longer
// line is skipped, bytes that are not UTF-8 are read as Latin-1, tabs are expanded and other
// control characters shown as U+FFFD.
class TextLineLoader {
public:
    static constexpr int kLineWidth = 255;
    static constexpr qint64 kBatchBytes = 20000;

    enum class Opened { Ok, CannotOpen, Empty };

    Opened open(const QString& path);
    // The error text when open() answered CannotOpen.
    QString errorText() const { return m_errorText; }

    // Appends lines until the lines of this batch amount to kBatchBytes or more, or the file ends.
    void readBatch(QStringList& lines);
    bool atEnd() const { return m_atEnd; }
    // Bytes read * 100 / file size, at most 100.
    int percent() const;
    void close();

    // One line of the file as the list shows it.
    static QString decodeLine(const QByteArray& bytes);

private:
    // Reads one line, keeping no more of it than a displayed line can need; the bytes consumed.
    qint64 readLine(QByteArray& kept);

    QFile m_file;
    qint64 m_size = 0;
    qint64 m_read = 0;
    bool m_atEnd = true;
    QString m_errorText;
};

} // namespace velatask
