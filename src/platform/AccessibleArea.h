#pragma once

#include <QAccessible>
#include <QWidget>

namespace platform {

// An area of a form that assistive technology sees with the given role (a
// chart, a notification...) and that sighted users do not see: it draws
// nothing and takes neither the focus nor the mouse.
class AccessibleArea : public QWidget {
    Q_OBJECT

  public:
    AccessibleArea(QWidget* form, QAccessible::Role role);

    QAccessible::Role role() const { return role_; }

    // For a notification: says the text now, again each time, even the same text.
    void announce(const QString& text);

  private:
    QAccessible::Role role_;
};

} // namespace platform
