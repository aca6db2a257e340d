#pragma once

#include <QAccessibleWidget>

namespace platform {

class PrintedTextView;

// The accessible face of a PrintedTextView: read-only static text, with the
// lines and the screen position of every character.
class PrintedTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit PrintedTextAccessible(PrintedTextView* view);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return cursor_; }
    void setCursorPosition(int position) override { cursor_ = position; }
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  private:
    const PrintedTextView& view() const;

    int cursor_ = 0;
};

} // namespace platform
