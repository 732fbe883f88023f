#pragma once

#include "PrintDevice.h"

#include <QList>
#include <QPainter>
#include <QPointF>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class RecordingPaintSurface;

// A printer (or, without a name, a PDF file) for tests: records the job,
// the texts and the number of lines and pictures drawn on each page, the shapes drawn with their place and
// size, and every call in order ("StartDoc", "text:<t>", "EndPage"). It can
// refuse to complete page n, or stand for a job the user cancelled.
class RecordingPrintDevice : public PrintDevice
{
public:
    struct Page
    {
        QStringList texts;
        // Where each text's baseline starts, in page twips.
        QList<QPointF> positions;
        int lines = 0;
        int images = 0;
        // Lines, rectangles and pictures in the order drawn, in page twips:
        // "line x1,y1 x2,y2 w=<pen width>", "rect x,y wxh w=<pen width>",
        // "image x,y wxh".
        QStringList shapes;
    };

    RecordingPrintDevice();
    ~RecordingPrintDevice() override;

    bool StartDoc(const Job &job) override;
    QPainter &painter() override;
    void EndPage() override;
    void EndDoc() override;
    QString printerName() const override { return printer; }
    bool makesCopies() const override { return copiesMadeByPrinter; }

    // Settings of the fake.
    // The printer it stands for; empty: it stands for a PDF file.
    QString printer;
    bool copiesMadeByPrinter = true;
    bool cancel = false;
    int failOnEndPage = 0; // 1-based; 0 never fails
    // Runs at each page-completing call, before it completes (1-based page).
    std::function<void(int)> onEndPage;

    // What was recorded.
    Job job;
    int startDocs = 0;
    int endPageCalls = 0;
    int endDocCalls = 0;
    std::vector<Page> completed;
    Page current;
    QStringList log;

private:
    std::unique_ptr<RecordingPaintSurface> m_surface;
    QPainter m_painter;
};
