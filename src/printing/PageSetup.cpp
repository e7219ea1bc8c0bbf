#include "printing/PageSetup.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPagedPaintDevice>

namespace quillet::printing {

void SetUpPage(QPagedPaintDevice& device, Paper paper) {
    device.setPageLayout(QPageLayout(PageSizeOf(paper), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Millimeter));
}

double UnitsPerMm(const QPaintDevice& device) { return device.logicalDpiX() / 25.4; }

}  // namespace quillet::printing
