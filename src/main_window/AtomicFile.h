#pragma once

#include <QString>

#include <functional>

class QIODevice;
class QPageSize;
class QPagedPaintDevice;
class QPainter;

namespace main_window {

// A file written whole or not at all: what is written goes to a temporary
// file that replaces the target only when every write succeeded. Each
// function returns false with an Italian reason in *problem.
class AtomicFile {
  public:
    // write says whether it wrote everything.
    using Write = std::function<bool(QIODevice& file)>;
    static bool save(const QString& path, const Write& write, QString* problem);

    // PDF pages of pageSize, drawn by paint in units of 1/dotsPerInch inch
    // from each page's top-left corner; paint asks the device for each page
    // after the first.
    using Paint = std::function<void(QPainter& painter, QPagedPaintDevice& pages)>;
    static bool savePdf(const QString& path, const QPageSize& pageSize, int dotsPerInch,
                        const QString& title, const Paint& paint, QString* problem);
};

} // namespace main_window
