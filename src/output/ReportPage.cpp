#include "ReportPage.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

namespace {
constexpr qreal kMmPerInch = 25.4;
}

qreal LayoutDpi()
{
    // The text layout converts points with the primary screen's logical resolution.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return qRound(screen->logicalDotsPerInchY());
    return 96;
}

void ApplyPage(QTextDocument &document, const PageSetup &page)
{
    const qreal px = LayoutDpi() / kMmPerInch;
    QSizeF mm = QPageSize(page.size).size(QPageSize::Millimeter);
    if (page.orientation == QPageLayout::Landscape)
        mm.transpose();
    document.setPageSize(mm * px);
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setLeftMargin(page.marginsMm.left() * px);
    frame.setTopMargin(page.marginsMm.top() * px);
    frame.setRightMargin(page.marginsMm.right() * px);
    frame.setBottomMargin(page.marginsMm.bottom() * px);
    document.rootFrame()->setFrameFormat(frame);
}

QPageLayout PageLayoutOf(const QTextDocument &document)
{
    const qreal mmPerPx = kMmPerInch / LayoutDpi();
    QSizeF mm = document.pageSize() * mmPerPx;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    if (mm.width() > mm.height()) {
        mm.transpose();
        orientation = QPageLayout::Landscape;
    }
    if (mm.isEmpty())
        mm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const QTextFrameFormat frame = document.rootFrame()->frameFormat();
    const QMarginsF margins(frame.leftMargin() * mmPerPx, frame.topMargin() * mmPerPx,
                            frame.rightMargin() * mmPerPx, frame.bottomMargin() * mmPerPx);
    return QPageLayout(QPageSize(mm, QPageSize::Millimeter), orientation, margins,
                       QPageLayout::Millimeter);
}

namespace {

// Draws each page's printable area (the page inside its margins) onto a page of the device.
void paintPages(const QTextDocument &document, QPagedPaintDevice *device)
{
    QPainter painter(device);
    if (!painter.isActive())
        return;
    const QTextFrameFormat frame = document.rootFrame()->frameFormat();
    const QSizeF page = document.pageSize();
    const QRectF content(frame.leftMargin(), frame.topMargin(),
                         page.width() - frame.leftMargin() - frame.rightMargin(),
                         page.height() - frame.topMargin() - frame.bottomMargin());
    const qreal dpi = LayoutDpi();
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            device->newPage();
        painter.save();
        painter.scale(device->logicalDpiX() / dpi, device->logicalDpiY() / dpi);
        const QRectF view = content.translated(0, i * page.height());
        painter.translate(-view.topLeft());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();
    }
}

}  // namespace

void PaintDocument(const QTextDocument &document, QPagedPaintDevice *device)
{
    const QSizeF paint = device->pageLayout().paintRect(QPageLayout::Inch).size() * LayoutDpi();
    const QTextFrameFormat frame = document.rootFrame()->frameFormat();
    const QSizeF content(document.pageSize().width() - frame.leftMargin() - frame.rightMargin(),
                         document.pageSize().height() - frame.topMargin() - frame.bottomMargin());
    if (qAbs(content.width() - paint.width()) < 0.5 && qAbs(content.height() - paint.height()) < 0.5) {
        // The device asks for the document's own page: its layout serves as it is.
        paintPages(document, device);
        return;
    }
    // Another paper, orientation or margins: lay a copy out on the device's printable area.
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDefaultFont(document.defaultFont());
    QTextFrameFormat bare = copy->rootFrame()->frameFormat();
    bare.setLeftMargin(0);
    bare.setTopMargin(0);
    bare.setRightMargin(0);
    bare.setBottomMargin(0);
    copy->rootFrame()->setFrameFormat(bare);
    copy->setPageSize(paint);
    paintPages(*copy, device);
}
