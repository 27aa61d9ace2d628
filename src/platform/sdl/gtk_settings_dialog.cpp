#include "platform/sdl/gtk_settings_dialog.hpp"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/sdl/gtk_tab_order.hpp"
#include "ui/settings_form.hpp"

namespace platform::sdl {
namespace {

constexpr const char* kProgramName = "kestrova-settings";
// A proportional Japanese Gothic face at the template's 9 points, found through fontconfig.
constexpr const char* kStyle =
    "* { font-family: IPAPGothic, IPAGothic, \"Noto Sans CJK JP\", sans-serif; font-size: 9pt; }\n"
    "button, entry { min-height: 0; min-width: 0; padding: 0 2px; }\n"
    "radio { min-height: 0; min-width: 0; margin: 0 2px 0 0; }\n";

struct Choices {
  int32_t& fullScreen;
  int32_t& keyboard;
};

struct Binding {
  Choices* choices;
  const DialogCommand* command;
};

// Dialog units to pixels, from the font as the template's own system does it.
struct DialogUnits {
  int baseX;
  int baseY;
  int X(int units) const { return (units * baseX + 2) / 4; }  // rounded
  int Y(int units) const { return (units * baseY + 4) / 8; }
};

DialogUnits MeasureDialogUnits(GtkWidget* widget) {
  PangoLayout* layout = gtk_widget_create_pango_layout(widget, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  return DialogUnits{(width / 26 + 1) / 2, height};
}

gboolean DrawSpin(GtkWidget* widget, cairo_t* cr, gpointer) {
  GtkStyleContext* style = gtk_widget_get_style_context(widget);
  const double width = gtk_widget_get_allocated_width(widget);
  const double half = gtk_widget_get_allocated_height(widget) / 2.0;
  const double arrow = std::min(width, half) - 2;
  for (int i = 0; i < 2; ++i) {
    gtk_render_background(style, cr, 0, i * half, width, half);
    gtk_render_frame(style, cr, 0, i * half, width, half);
    gtk_render_arrow(style, cr, i == 0 ? 0 : G_PI, (width - arrow) / 2, i * half + (half - arrow) / 2, arrow);
  }
  return FALSE;
}

GtkWidget* MakeWidget(const DialogControl& control, const char* caption, GSList*& group) {
  switch (control.kind) {
    case ControlKind::DefaultButton:
    case ControlKind::Button:
      return gtk_button_new_with_label(caption);
    case ControlKind::GroupBox:
      return gtk_frame_new(caption);
    case ControlKind::Radio: {
      GtkWidget* radio = gtk_radio_button_new_with_label(group, caption);
      group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(radio));
      return radio;
    }
    case ControlKind::Text: {
      GtkWidget* label = gtk_label_new(caption);
      gtk_label_set_xalign(GTK_LABEL(label), 0);
      gtk_label_set_yalign(GTK_LABEL(label), 0);
      return label;
    }
    case ControlKind::Spin: {
      GtkWidget* spin = gtk_drawing_area_new();
      gtk_style_context_add_class(gtk_widget_get_style_context(spin), GTK_STYLE_CLASS_BUTTON);
      g_signal_connect(spin, "draw", G_CALLBACK(DrawSpin), nullptr);
      return spin;
    }
    case ControlKind::Edit: {
      GtkWidget* entry = gtk_entry_new();
      gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
      gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
      gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
      return entry;
    }
  }
  return nullptr;
}

// GTK also "clicks" the member a click turns off; only the one turned on counts.
void OnCommand(GtkToggleButton* button, gpointer data) {
  if (!gtk_toggle_button_get_active(button)) return;
  const auto* binding = static_cast<const Binding*>(data);
  Apply(*binding->command, binding->choices->fullScreen, binding->choices->keyboard);
}

void OnClose(GtkButton*, gpointer loop) { g_main_loop_quit(static_cast<GMainLoop*>(loop)); }

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer loop) {
  g_main_loop_quit(static_cast<GMainLoop*>(loop));
  return TRUE;  // destroyed by the caller once the loop has ended
}

gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer loop) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  g_main_loop_quit(static_cast<GMainLoop*>(loop));
  return TRUE;
}

void InstallStyle() {
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, kStyle, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
}

}  // namespace

void RunGtkSettingsDialog(int32_t& fullScreen, int32_t& keyboard, const Translator& texts) {
  // Stay in the C locale: the game's text and number handling must not
  // depend on the user's language settings.
  gtk_disable_setlocale();
  if (g_get_prgname() == nullptr) g_set_prgname(kProgramName);
  if (!gtk_init_check(nullptr, nullptr)) {
    std::fprintf(stderr, texts.Translate("kestrova: warning: no display for the settings dialog; keeping %s and %s\n"),
                 texts.Translate(fullScreen ? "full screen" : "window mode"),
                 texts.Translate(keyboard ? "keyboard" : "joystick"));
    return;
  }
  InstallStyle();

  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), texts.Translate(kSettingsForm.caption));
  gtk_window_set_type_hint(GTK_WINDOW(window), GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_modal(GTK_WINDOW(window), TRUE);
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), loop);
  g_signal_connect(window, "key-press-event", G_CALLBACK(OnKey), loop);

  const DialogUnits units = MeasureDialogUnits(window);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_widget_set_size_request(fixed, units.X(kSettingsForm.clientWidth), units.Y(kSettingsForm.clientHeight));
  gtk_container_add(GTK_CONTAINER(window), fixed);
  GtkTabOrder tabOrder(fixed);

  Choices choices{fullScreen, keyboard};
  std::vector<Binding> bindings;
  bindings.reserve(kSettingsForm.commands.size());
  GSList* group = nullptr;
  GtkWidget* okButton = nullptr;
  for (const DialogControl& control : kSettingsForm.controls) {
    if (control.startsGroup) group = nullptr;
    GtkWidget* widget = MakeWidget(control, texts.Translate(control.caption), group);
    gtk_widget_set_size_request(widget, units.X(control.box.width), units.Y(control.box.height));
    gtk_fixed_put(GTK_FIXED(fixed), widget, units.X(control.box.x), units.Y(control.box.y));
    tabOrder.Add(widget);
    if (control.kind == ControlKind::DefaultButton || control.kind == ControlKind::Button) {
      g_signal_connect(widget, "clicked", G_CALLBACK(OnClose), loop);
    }
    if (control.kind == ControlKind::DefaultButton) okButton = widget;
    if (const DialogCommand* command = CommandFor(kSettingsForm, control.id)) {
      bindings.push_back(Binding{&choices, command});
      g_signal_connect(widget, "toggled", G_CALLBACK(OnCommand), &bindings.back());
    }
    if (control.kind == ControlKind::Radio && group != nullptr && g_slist_length(group) == 1) {
      // A radio group always has one active member: a hidden one, so that
      // the dialog opens with none marked.
      GtkWidget* hidden = gtk_radio_button_new(group);
      group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(hidden));
      gtk_widget_set_no_show_all(hidden, TRUE);
      gtk_fixed_put(GTK_FIXED(fixed), hidden, 0, 0);
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(hidden), TRUE);
    }
  }
  gtk_widget_set_can_default(okButton, TRUE);
  gtk_window_set_default(GTK_WINDOW(window), okButton);

  gtk_widget_show_all(window);
  // Both only once shown: focused before, OK would hold the focus without its
  // container knowing (the first Tab would just come back to it), and mapping
  // hides the focus until the first key.
  gtk_window_set_focus(GTK_WINDOW(window), okButton);
  gtk_window_set_focus_visible(GTK_WINDOW(window), TRUE);
  g_main_loop_run(loop);
  gtk_widget_destroy(window);
  g_main_loop_unref(loop);
  // Let GTK finish with its windows before SDL takes the display again.
  while (gtk_events_pending()) gtk_main_iteration();
}

}  // namespace platform::sdl
