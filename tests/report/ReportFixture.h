#pragma once

#include "platform/fake/ScriptedUi.h"
#include "report/Report.h"
#include "report/ReportGenerator.h"
#include "store/Store.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velatask {

// A data folder with a store whose boxes are recorded, and reports generated from it as the
// progress window would, slice by slice.
class ReportFixture : public ::testing::Test {
protected:
    ReportFixture() : store(m_dir.path(), ui) {}

    void addTask(const ScheduleRecord& task) {
        ASSERT_EQ(store.SCH.open(), 0);
        store.SCH.buffer() = task;
        ASSERT_EQ(store.SCH.add(), 0);
        store.SCH.close();
    }

    // The report's document once every record was read; `slices` counts the progress ticks.
    std::unique_ptr<ReportDocument> generate(std::shared_ptr<const Report> report,
                                             int* slices = nullptr) {
        ReportGenerator generator(store, report->source(store), report, PageGeometry());
        EXPECT_TRUE(generator.start());
        int n = 1;
        while (generator.slice(25)) {
            ++n;
        }
        EXPECT_TRUE(generator.finished());
        EXPECT_EQ(generator.percent(), 100);
        if (slices) {
            *slices = n;
        }
        return generator.takeDocument();
    }

    // One printed value of every block, in the report's order.
    static QStringList column(const ReportDocument& doc, int slot) {
        QStringList values;
        for (int b = 0; b < doc.blockCount(); ++b) {
            values << doc.blockValues(b).value(slot);
        }
        return values;
    }

    QTemporaryDir m_dir;
    ScriptedUi ui;
    Store store;
};

} // namespace velatask
