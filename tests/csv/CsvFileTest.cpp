#include "csv/CsvFieldReader.h"
#include "csv/CsvInputFile.h"
#include "csv/CsvOutputFile.h"
#include "csv/CsvRecordReader.h"
#include "csv/CsvText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/store/StoreTestBase.h" // readable texts in failures

#include <gtest/gtest.h>

#include <random>

using namespace velatask;

namespace {

class CsvFileTest : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("f%1.csv").arg(++m_files));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    // The records of a file, and the bytes they account for.
    QStringList records(const QByteArray& bytes, qint64* total = nullptr) {
        CsvInputFile file;
        EXPECT_TRUE(file.open(write(bytes))) << file.error().message().toStdString();
        CsvRecordReader reader(file);
        QStringList out;
        QString r;
        qint64 n = 0;
        qint64 sum = 0;
        while (reader.read(r, n)) {
            out << r;
            sum += n;
        }
        EXPECT_LE(sum, bytes.size()); // blank lines at the end count for no record
        if (total) {
            *total = sum;
        }
        return out;
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

TEST_F(CsvFileTest, LineEndsAndEncodings) {
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"a,1\nb,2\n", {"a,1", "b,2"}},
        {"a,1\r\nb,2\r\n", {"a,1", "b,2"}},
        {"a,1\r\nb,2", {"a,1", "b,2"}},                           // no line end at the end
        {"\"caf\xC3\xA9\"\n", {QStringLiteral("\"caf\u00E9\"")}}, // UTF-8
        {"\"caf\xE9\"\n\"\xC3\xA9\"\n",
         {QStringLiteral("\"caf\u00E9\""), QStringLiteral("\"\u00C3\u00A9\"")}},
        {"\xEF\xBB\xBF\"x\"\n", {"\"x\""}}, // byte order mark
        {"\n \r\na\n\n", {"a"}},            // blank lines hold no record
    };
    for (const auto& c : cases) {
        EXPECT_EQ(records(c.bytes), c.lines) << c.bytes.toStdString();
    }
}

TEST_F(CsvFileTest, QuotedLineBreaksJoinLinesUnlessTheQuoteNeverCloses) {
    EXPECT_EQ(records("1,\"two\r\nlines\",3\n4\n"), (QStringList{"1,\"two\nlines\",3", "4"}));
    EXPECT_EQ(records("\"a \"\"q\"\"\nb\"\n"), (QStringList{"\"a \"\"q\"\"\nb\""}));
    // Never closed: each line stands alone.
    EXPECT_EQ(records("1,\"open,2\n3,4\n5\n"), (QStringList{"1,\"open,2", "3,4", "5"}));
    // Closing only past the line limit: the first line stands alone too.
    const QByteArray filler(CsvText::kMaxLine, 'x');
    EXPECT_EQ(records("\"a\n" + filler + "\n\"b\n").size(), 3);
}

// The record reader and the field reader agree on where a quote is left open: a line joins the
// next exactly when its last field is a quoted one without its closing quote.
TEST_F(CsvFileTest, LinesJoinExactlyWhenTheFieldReaderFindsAQuoteOpen) {
    std::mt19937 random(14);
    const char alphabet[] = {'"', ',', 'a', ' '};
    int open = 0;
    for (int i = 0; i < 400; ++i) {
        QByteArray line;
        for (int n = int(random() % 12); n > 0; --n) {
            line += alphabet[random() % sizeof alphabet];
        }
        if (line.trimmed().isEmpty()) {
            continue; // a blank line holds no record
        }
        const QString text = QString::fromLatin1(line);
        CsvFieldReader fields(text);
        CsvField f;
        bool closed = true;
        while (fields.next(f)) {
            closed = f.closed;
        }
        open += closed ? 0 : 1;
        // The next line closes a quote left open, or else stands alone.
        const QStringList expected =
            closed ? QStringList{text, "\""} : QStringList{text + QStringLiteral("\n\"")};
        ASSERT_EQ(records(line + "\n\"\n"), expected) << line.toStdString();
    }
    EXPECT_GT(open, 50) << "too few open quotes to tell anything";
}

// Lines that run past the end of a piece that the file is read in (64 KiB).
TEST_F(CsvFileTest, LinesAcrossTheReadBuffer) {
    for (const qsizetype width : {1000, 4095, 4096, 15999}) {
        QByteArray bytes;
        QStringList expected;
        for (int i = 0; bytes.size() < 200000; ++i) {
            const QByteArray line = QByteArray::number(i) + ",\"" +
                                    QByteArray(width - 4, 'x').replace(0, 2, "\xC3\xA9") + "\"";
            bytes += line + (i % 2 ? "\r\n" : "\n");
            expected << QString::fromUtf8(line);
        }
        ASSERT_EQ(records(bytes), expected) << width;
    }
    // A two-byte letter cut by the end of the first piece.
    QByteArray bytes;
    QStringList expected;
    while (65535 - bytes.size() > 15000) {
        bytes += QByteArray(15000, 'x') + "\n";
        expected << QString(15000, QLatin1Char('x'));
    }
    const qsizetype before = 65535 - bytes.size();
    bytes += QByteArray(before, 'y') + "\xC3\xA9z\n";
    expected << QString(before, QLatin1Char('y')) + QStringLiteral("\u00E9z");
    EXPECT_EQ(records(bytes), expected);
}

TEST_F(CsvFileTest, BadInputIsCutOrRefused) {
    // A line of a million characters is cut; the next line still reads.
    qint64 total = 0;
    const QStringList lines = records(QByteArray(1000000, 'y') + "\nnext\n", &total);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].size(), CsvText::kMaxLine);
    EXPECT_EQ(lines[1], QStringLiteral("next"));
    // One huge quoted field without its closing quote.
    const QStringList quoted = records("\"" + QByteArray(3000000, ',') + "\n");
    ASSERT_EQ(quoted.size(), 1);
    EXPECT_EQ(quoted[0].size(), CsvText::kMaxLine);

    CsvInputFile file;
    EXPECT_FALSE(file.open(write(QByteArray("PK\x03\x04\0\0binary", 12))));
    EXPECT_EQ(file.error().text, QStringLiteral("Not a text file"));
    EXPECT_FALSE(file.open(m_dir.filePath(QStringLiteral("missing.csv"))));
    EXPECT_NE(file.error().code, 0);

    ASSERT_TRUE(file.open(write(" \r\n\t\n")));
    EXPECT_FALSE(file.hasText());
    ASSERT_TRUE(file.open(write("")));
    EXPECT_FALSE(file.hasText());
    ASSERT_TRUE(file.open(write(" x\n")));
    EXPECT_TRUE(file.hasText());
}

TEST_F(CsvFileTest, WriterReportsFailuresAndKeepsWhatItCouldNotWrite) {
    CsvOutputFile out;
    EXPECT_FALSE(out.create(m_dir.filePath(QStringLiteral("no/such/folder/x.csv"))));
    EXPECT_FALSE(out.error().ok());
    EXPECT_FALSE(out.error().text.isEmpty());

    if (QFile::exists(QStringLiteral("/dev/full"))) {
        ASSERT_TRUE(out.create(QStringLiteral("/dev/full")));
        ASSERT_TRUE(out.open());
        EXPECT_TRUE(out.writeLine(QStringLiteral("\"a\",1"))); // still in the buffer
        EXPECT_FALSE(out.flush());
        EXPECT_EQ(out.error().message(),
                  QStringLiteral("Error #%1 - No space left on device").arg(out.error().code));
        EXPECT_FALSE(out.close());
    }

    const QString path = write("old contents that go\n");
    ASSERT_TRUE(out.create(path));
    ASSERT_TRUE(out.open());
    EXPECT_TRUE(out.writeLine(QStringLiteral("\"\u00E9\",1")));
    EXPECT_TRUE(out.close());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\"\xC3\xA9\",1\n"));
}

} // namespace
