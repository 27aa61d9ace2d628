// Tab through a GTK container in the order its controls were added, as the
// dialog's template lists them, rather than GTK's top-to-bottom sort.
#pragma once

#include <gtk/gtk.h>

#include <vector>

namespace platform::sdl {

// Each control is a stop of its own, except that a radio group is one stop:
// Tab enters it at its marked member (at its first while none shown is
// marked) and leaves it next; the arrows mark the next or previous member,
// round from the last to the first. Members left out (hidden) are skipped.
class GtkTabOrder {
 public:
  // The order must outlive the container's focus handling.
  explicit GtkTabOrder(GtkWidget* container);
  GtkTabOrder(const GtkTabOrder&) = delete;
  GtkTabOrder& operator=(const GtkTabOrder&) = delete;

  void Add(GtkWidget* control);

 private:
  static gboolean OnFocus(GtkWidget* container, GtkDirectionType direction, gpointer self);

  std::vector<std::vector<GtkWidget*>> m_stops;
};

}  // namespace platform::sdl
