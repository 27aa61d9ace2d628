#include "platform/sdl/gtk_tab_order.hpp"

#include <algorithm>

namespace platform::sdl {
namespace {

bool SameRadioGroup(GtkWidget* a, GtkWidget* b) {
  return GTK_IS_RADIO_BUTTON(a) && GTK_IS_RADIO_BUTTON(b) &&
         g_slist_find(gtk_radio_button_get_group(GTK_RADIO_BUTTON(a)), b) != nullptr;
}

// GTK would go by the members' centres, which the captions' widths make
// crooked here; the template's order goes down the group and round.
void MarkNeighbour(const std::vector<GtkWidget*>& group, GtkWidget* focused, bool forward) {
  const size_t count = group.size();
  const size_t at = static_cast<size_t>(std::find(group.begin(), group.end(), focused) - group.begin());
  GtkWidget* next = group[(at + (forward ? 1 : count - 1)) % count];
  gtk_widget_grab_focus(next);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(next), TRUE);
}

}  // namespace

GtkTabOrder::GtkTabOrder(GtkWidget* container) {
  g_signal_connect(container, "focus", G_CALLBACK(OnFocus), this);
}

void GtkTabOrder::Add(GtkWidget* control) {
  for (std::vector<GtkWidget*>& stop : m_stops) {
    if (SameRadioGroup(stop.front(), control)) {
      stop.push_back(control);
      return;
    }
  }
  m_stops.push_back({control});
}

gboolean GtkTabOrder::OnFocus(GtkWidget* container, GtkDirectionType direction, gpointer self) {
  const auto& stops = static_cast<const GtkTabOrder*>(self)->m_stops;
  GtkWidget* focused = gtk_container_get_focus_child(GTK_CONTAINER(container));
  const auto holdsFocus = [&](const std::vector<GtkWidget*>& stop) {
    return std::find(stop.begin(), stop.end(), focused) != stop.end();
  };
  const auto current = std::find_if(stops.begin(), stops.end(), holdsFocus);
  if (direction != GTK_DIR_TAB_FORWARD && direction != GTK_DIR_TAB_BACKWARD) {
    if (current == stops.end() || !GTK_IS_RADIO_BUTTON(focused)) return FALSE;  // GTK's own arrow moves
    MarkNeighbour(*current, focused, direction == GTK_DIR_DOWN || direction == GTK_DIR_RIGHT);
    return TRUE;
  }
  const int count = static_cast<int>(stops.size());
  const int step = direction == GTK_DIR_TAB_FORWARD ? 1 : -1;
  // Entering from outside starts at the end the Tab comes from.
  const int from = current != stops.end() ? static_cast<int>(current - stops.begin()) : (step > 0 ? -1 : count);
  for (int i = from + step; i >= 0 && i < count; i += step) {
    const std::vector<GtkWidget*>& stop = stops[static_cast<size_t>(i)];
    // GTK enters a group at its marked member only...
    for (GtkWidget* member : stop) {
      if (gtk_widget_child_focus(member, direction)) return TRUE;
    }
    // ...and so never while a hidden member is the marked one.
    if (GTK_IS_RADIO_BUTTON(stop.front()) && gtk_widget_get_mapped(stop.front())) {
      gtk_widget_grab_focus(stop.front());
      return TRUE;
    }
  }
  // Past the last stop: the window wraps round to the first, without GTK's
  // own order having a go.
  g_signal_stop_emission_by_name(container, "focus");
  return FALSE;
}

}  // namespace platform::sdl
