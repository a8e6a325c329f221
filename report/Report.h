#pragma once

#include "report/ReportLayout.h"
#include "report/ReportSource.h"

#include <memory>

namespace velatask {

class Store;

// One of the program's printed reports: its look and the records it reads.
class Report : public ReportLayout {
public:
    virtual std::unique_ptr<ReportSource> source(Store& store) const = 0;
};

} // namespace velatask
