#pragma once
// Page geometry of printed documents. A document carries its page: its page size is
// the whole sheet and its root frame's margins are the page margins, both in the
// layout's pixels (LayoutDpi() per inch).
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

class QTextDocument;
class QPagedPaintDevice;

struct PageSetup {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{15, 15, 15, 15};  // left, top, right, bottom
};

// Dots per inch at which a document without a paint device is laid out.
qreal LayoutDpi();
void ApplyPage(QTextDocument &document, const PageSetup &page);
// The printer page layout (size, orientation, margins in mm) a document asks for.
QPageLayout PageLayoutOf(const QTextDocument &document);
// Paints the document's pages on the device. The device's page layout decides paper
// and margins; when it differs from the document's own page, a copy of the document is
// laid out on the device's printable area. No page numbers are added.
void PaintDocument(const QTextDocument &document, QPagedPaintDevice *device);
