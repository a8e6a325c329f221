#include "report/BandBuilder.h"
#include "report/BandPainter.h"
#include "report/ReportDocument.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

// A block of two rows around a memo, as the schedule reports have.
class MemoLayout : public ReportLayout {
public:
    QString title() const override { return QStringLiteral("Test"); }
    BandTemplate detail(const ReportStyle& style, qreal width) const override {
        BandBuilder b(style, width);
        b.labelled(QStringLiteral("Name"), 0, width);
        b.memo(QStringLiteral("Message"), 1);
        b.check(QStringLiteral("Disabled"), 2);
        b.rule();
        return b.finish();
    }
};

PageGeometry paper(QPageSize::PageSizeId size, QPageLayout::Orientation orientation,
                   qreal marginMm) {
    return PageGeometry(QPageLayout(QPageSize(size), orientation,
                                    QMarginsF(marginMm, marginMm, marginMm, marginMm),
                                    QPageLayout::Millimeter));
}

// Every block on exactly one page, in order, and no page holding more than its body.
void expectWellPaged(const ReportDocument& doc) {
    int next = 0;
    for (int page = 0; page < doc.pageCount(); ++page) {
        const auto [first, last] = doc.blocksOn(page);
        EXPECT_EQ(first, next) << "page " << page;
        EXPECT_LT(first, last) << "page " << page << " is empty";
        qreal used = 0;
        for (int b = first; b < last; ++b) {
            used += doc.blockHeight(b);
        }
        EXPECT_LE(used, doc.bodyHeight() + 0.01) << "page " << page;
        if (page + 1 < doc.pageCount()) {
            // Greedy: the next page's first block did not fit on this one.
            EXPECT_GT(used + doc.blockHeight(last), doc.bodyHeight()) << "page " << page;
        }
        next = last;
    }
    EXPECT_EQ(next, doc.blockCount());
}

} // namespace

TEST(ReportLayout, BlocksAreNeverSplitAcrossPagesOnAnyPaper) {
    const struct {
        const char* name;
        PageGeometry geometry;
    } papers[] = {
        {"A4", paper(QPageSize::A4, QPageLayout::Portrait, 15)},
        {"Letter", paper(QPageSize::Letter, QPageLayout::Portrait, 12.7)},
        {"A4 landscape", paper(QPageSize::A4, QPageLayout::Landscape, 10)},
        {"A5 wide margins", paper(QPageSize::A5, QPageLayout::Portrait, 30)},
    };
    ReportDocument doc(std::make_shared<MemoLayout>(), papers[0].geometry);
    // Memos of 0 to 1000 characters, some with line breaks, make blocks of many heights.
    for (int i = 0; i < 300; ++i) {
        QString memo = QString(QStringLiteral("word ")).repeated(i * 37 % 200);
        if (i % 7 == 0) {
            memo += QStringLiteral("\r\nline\nline\n");
        }
        doc.addBlock({QStringLiteral("Task %1").arg(i), memo, i % 2 ? QStringLiteral("1") : ""});
    }
    for (const auto& p : papers) {
        SCOPED_TRACE(p.name);
        doc.setGeometry(p.geometry);
        EXPECT_GT(doc.pageCount(), 3);
        expectWellPaged(doc);
    }
}

TEST(ReportLayout, LongMemosMakeTallerBlocksAndAPageOfTextIsCutToThePage) {
    ReportDocument doc(std::make_shared<MemoLayout>(), PageGeometry());
    EXPECT_EQ(doc.pageCount(), 1) << "a report without records still has its page";
    EXPECT_EQ(doc.blocksOn(0), std::make_pair(0, 0));
    doc.addBlock({QStringLiteral("short"), QString(), QString()});
    doc.addBlock({QStringLiteral("long"), QString(QLatin1Char('x')).repeated(1000), QString()});
    doc.addBlock({QStringLiteral("lines"), QStringLiteral("a\n").repeated(1000), QString()});
    EXPECT_EQ(doc.blockHeight(0), doc.detail().height);
    EXPECT_GT(doc.blockHeight(1), doc.blockHeight(0) + 3 * doc.style().lineHeight())
        << "a word longer than the line wraps anywhere";
    EXPECT_EQ(doc.blockHeight(2), float(doc.bodyHeight()));
    EXPECT_EQ(doc.pageCount(), 2);
    expectWellPaged(doc);
}

TEST(ReportLayout, ItemsOfARowNeverOverlapAndWrapWhenTheRowIsFull) {
    const ReportStyle style;
    const struct {
        qreal width;
        int rows;
    } cases[] = {{100000, 1}, {2500, 0}, {900, 3}}; // 0: whatever the font needs
    for (const auto& c : cases) {
        BandBuilder b(style, c.width);
        for (const char* caption : {"Warn if not run on specified date",
                                    "Give option to skip before performing", "Disabled"}) {
            b.check(QLatin1String(caption), 0);
        }
        const BandTemplate band = b.finish();
        for (size_t i = 0; i < band.items.size(); ++i) {
            const QRectF& r = band.items[i].rect;
            EXPECT_TRUE(r.right() <= c.width || r.left() == 0) << c.width << ": " << i;
            for (size_t j = i + 1; j < band.items.size(); ++j) {
                EXPECT_FALSE(r.intersects(band.items[j].rect)) << c.width << ": " << i << " " << j;
            }
        }
        if (c.rows > 0) {
            EXPECT_DOUBLE_EQ(band.height, c.rows * style.lineHeight()) << c.width;
        }
    }
}

TEST(ReportLayout, CheckBoxesAreDrawnAsBoxesTickedOrEmpty) {
    const ReportStyle style;
    auto darkPixels = [&](bool ticked) {
        QImage image(400, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(0.25, 0.25);
        BandPainter(painter, style)
            .paintCheck(QRectF(40, 40, 400, style.lineHeight()), ticked, QString());
        painter.end();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dark += qGray(image.pixel(x, y)) < 160;
            }
        }
        return dark;
    };
    const int empty = darkPixels(false);
    EXPECT_GT(empty, 4 * int(style.checkSize() * 0.25) - 8) << "the outline of the box";
    EXPECT_GT(darkPixels(true), empty + 5) << "the tick inside it";
}
