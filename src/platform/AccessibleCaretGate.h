#pragma once

#include <QAccessible>
#include <QHash>
#include <QPointer>

namespace platform {

// Holds back a text box's caret and selection events until the box has had
// the focus once. On a box's first focus Qt 6.4 sends them before the focus
// event; Orca 43 then moves to the box without a word, and the focus event
// that follows is no news to it, so the first Tab into a box was silent.
// Every other event goes on unchanged: to the update handler installed
// before this one, or else to the platform's accessibility bridge.
class AccessibleCaretGate {
  public:
    // Puts the gate in front of what handles accessibility updates now;
    // once only, later calls do nothing.
    static void install();

  private:
    static AccessibleCaretGate& instance();
    static void handle(QAccessibleEvent* event);

    bool holdsBack(const QAccessibleEvent& event) const;
    void remember(QObject* focused);
    void passOn(QAccessibleEvent* event) const;

    QAccessible::UpdateHandler next_ = nullptr;
    // Keyed by address; the pointer tells whether that object still lives,
    // so a new object at a dead one's address starts unfocused.
    QHash<const QObject*, QPointer<const QObject>> focused_;
};

} // namespace platform
