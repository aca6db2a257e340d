#pragma once

#include "form/Document.h"

#include <QString>

class QPainter;
class QPrinter;

namespace main_window {

// Any document of the form layer on paper, all text and vector lines: a PDF
// file of A4 pages, or a printer's own paper. Each page is laid out within
// what A4 and US Letter both hold, so that it prints whole on either. The
// calculation sheet is one such document; it is the same page from the
// window and from the command line.
class PrintedDocument {
  public:
    // One page, in points from the top-left corner of its paper.
    static void paint(const form::Page& page, QPainter& painter);

    // Written whole or not at all, a page of the document to an A4 page;
    // false with an Italian reason in *problem.
    static bool savePdf(const form::Document& document, const QString& path, QString* problem);
    // On the printer as set up, a page on each sheet of its paper, at its
    // resolution, shrunk only where the paper is smaller than a page may be;
    // false with an Italian reason in *problem.
    static bool print(const form::Document& document, QPrinter& printer, QString* problem);
};

} // namespace main_window
