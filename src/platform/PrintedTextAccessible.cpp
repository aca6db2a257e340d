#include "platform/PrintedTextAccessible.h"

#include "platform/PrintedTextView.h"
#include "platform/Surface.h"

#include <QFontMetricsF>

namespace platform {

namespace {

// The line and column of an offset into lines joined by "\n".
std::pair<int, int> lineAndColumn(const QStringList& lines, int offset) {
    int line = 0;
    while (line + 1 < lines.size() && offset > lines[line].size()) {
        offset -= int(lines[line].size()) + 1;
        ++line;
    }
    return {line, offset};
}

} // namespace

PrintedTextAccessible::PrintedTextAccessible(PrintedTextView* view)
    : QAccessibleWidget(view, QAccessible::StaticText) {}

QAccessible::State PrintedTextAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.focusable = false;
    return state;
}

void* PrintedTextAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString PrintedTextAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value)
        return view().text();
    return QAccessibleWidget::text(kind);
}

void PrintedTextAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString PrintedTextAccessible::text(int startOffset, int endOffset) const {
    return view().text().mid(startOffset, endOffset - startOffset);
}

int PrintedTextAccessible::characterCount() const {
    return int(view().text().size());
}

QRect PrintedTextAccessible::characterRect(int offset) const {
    const Surface& surface = view().surface();
    const QStringList& lines = surface.lines();
    if (lines.isEmpty() || offset < 0 || offset >= characterCount())
        return {};
    const auto [line, column] = lineAndColumn(lines, offset);
    const QFontMetricsF metrics(surface.font());
    const QPointF origin = surface.lineOrigins()[std::size_t(line)];
    const QString& text = lines[line];
    const qreal x = origin.x() + metrics.horizontalAdvance(text.left(column));
    const qreal width = column < text.size() ? metrics.horizontalAdvance(text.at(column)) : 1.0;
    const QRectF local(x, origin.y(), width, metrics.height());
    return QRect(view().mapToGlobal(local.topLeft().toPoint()), local.size().toSize());
}

int PrintedTextAccessible::offsetAtPoint(const QPoint& point) const {
    for (int offset = 0; offset < characterCount(); ++offset)
        if (characterRect(offset).contains(point))
            return offset;
    return -1;
}

QString PrintedTextAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = offset;
    *endOffset = offset + 1;
    return {};
}

const PrintedTextView& PrintedTextAccessible::view() const {
    return *static_cast<const PrintedTextView*>(widget());
}

} // namespace platform
