#pragma once

#include <QPageRanges>
#include <QString>

// Where and how a print run goes, as Qt's print dialog chooses it.
struct PrintChoice
{
    // The printer; empty: the system's default, or a PDF file chosen with
    // the save chooser when no printer is installed.
    QString printerName;
    // A PDF file to write instead of a printer (the dialog's print to file).
    QString outputFile;
    int copies = 1;
    bool collate = true;
    // The pages of the run to print, counted from 1; empty: every page.
    QPageRanges pages;
};

// What the print dialog opens with.
struct PrintSetupRequest
{
    QString title;
    PrintChoice initial;
    int pageCount = 1;
    int currentPage = 1;
};
