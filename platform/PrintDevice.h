#pragma once

#include <QString>

class QPainter;

// What a print run needs of a printer: a job of pages of one size, a
// painter in page twips for the page being composed, and one call that
// completes each page.
class PrintDevice
{
public:
    struct Job
    {
        QString title;
        // The designed page, upright, in twips.
        double pageWidth = 0;
        double pageHeight = 0;
        bool landscape = false;
        // Pages of one copy; 0: not known when the job starts (a batch
        // reading one document at a time), EndDoc ends the job after its
        // last page.
        int pageCount = 0;
        // The printer; empty: the system's default (a PDF file when no
        // printer is installed).
        QString printerName;
        // A PDF file to write instead of a printer.
        QString outputFile;
        int copies = 1;
        bool collate = true;
    };

    virtual ~PrintDevice() = default;
    // Opens the job; false when the user cancelled it (nothing is printed
    // and nothing is reported). Throws RuntimeError when it cannot open.
    virtual bool StartDoc(const Job &job) = 0;
    // Draws on the page being composed, in twips of the designed page.
    virtual QPainter &painter() = 0;
    // Completes the current page; completing the last page of a job of
    // known length ends the job. Throws RuntimeError on failure.
    virtual void EndPage() = 0;
    // Ends a job whose page count was not known, after its last page.
    // Throws RuntimeError when its output cannot be completed.
    virtual void EndDoc() {}

    // Once the job is open: the printer the pages land on, empty when they
    // go to a PDF file. A printer's calibration applies there only.
    virtual QString printerName() const = 0;
    // Once the job is open: the device makes the job's copies itself;
    // otherwise the run sends the pages once for each copy (and the job
    // holds that many times its page count).
    virtual bool makesCopies() const = 0;
};
