#pragma once

#include <QPageLayout>
#include <QRectF>

namespace velatask {

// A printed page in layout units: the paper and the part of it that is printed on (inside the
// margins of the page setup).
struct PageGeometry {
    QPageLayout layout;

    PageGeometry() : PageGeometry(defaultLayout()) {}
    explicit PageGeometry(const QPageLayout& pageLayout) : layout(pageLayout) {}

    QSizeF paperSize() const;
    // Relative to the paper's top left corner.
    QRectF printRect() const;

    bool operator==(const PageGeometry& other) const { return layout == other.layout; }

    // A4 portrait with margins of 15 mm.
    static QPageLayout defaultLayout();
};

} // namespace velatask
