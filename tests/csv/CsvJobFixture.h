#pragma once

#include "RandomTask.h"
#include "tests/store/StoreTestBase.h"

#include "csv/ExportJob.h"
#include "csv/ImportFile.h"
#include "csv/ImportJob.h"
#include "store/Transaction.h"
#include "store/UseCount.h"

namespace velatask {

// A data folder with tasks in it, and the export and import run to their end as the progress
// window runs them, a slice of 25 at a time.
class CsvJobFixture : public StoreTestBase {
protected:
    static constexpr int kSlice = 25;

    static QList<ExportField> allFields() {
        QList<ExportField> fields;
        for (int i = 0; i < ScheduleField::kCount; ++i) {
            fields.append({i, ScheduleField::all()[size_t(i)].pictureText()});
        }
        return fields;
    }

    QString csvPath(const char* name = "tasks.csv") const {
        return QDir(m_dir.path()).filePath(QString::fromLatin1(name));
    }

    // Adds `count` random tasks numbered from 1.
    void addRandomTasks(int count, unsigned draw = 14) {
        RandomTask random(draw);
        ASSERT_EQ(store().SCH.open(), 0);
        Transaction tx(store());
        ASSERT_EQ(tx.begin(), 0);
        for (int i = 1; i <= count; ++i) {
            ScheduleRecord r = random.next();
            r.ID = i;
            ASSERT_EQ(addTask(store().SCH, r), 0);
        }
        ASSERT_EQ(tx.commit(), 0);
        store().SCH.close();
    }

    ExportJob::Step runExport(const QList<ExportField>& fields, bool header, const QString& path) {
        ExportJob job(store(), fields, header);
        if (!job.start(path)) {
            return ExportJob::Step::Stopped;
        }
        ExportJob::Step step;
        while ((step = job.step(kSlice)) == ExportJob::Step::More) {
        }
        job.finish();
        return step;
    }

    // Imports a file with "A&uto" on its first line; `slices` limits the slices run.
    ImportJob::Step runImport(const QString& path, bool stripHeader, int slices = -1) {
        ImportFile file;
        EXPECT_TRUE(file.open(path));
        ImportPlan plan;
        plan.setFields(file.fields());
        plan.autoAssign(file.values());
        ImportJob job(store(), file.reader(), file.size(), plan);
        EXPECT_TRUE(job.start(stripHeader));
        ImportJob::Step step = ImportJob::Step::More;
        for (int i = 0; i != slices && step == ImportJob::Step::More; ++i) {
            step = job.step(kSlice);
        }
        return step;
    }

    int taskCount() {
        UseCount open(store().SCH);
        int n = 0;
        store().SCH.setStart(ScheduleKey::KeyID);
        while (store().SCH.next() == 0) {
            ++n;
        }
        return n;
    }
};

} // namespace velatask
