#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/panel_catalog.h"
#include "dialog_templates.h"

// How the command line names panels and controls: by number, by the name
// of the id without its prefix ("epson", "feed-forward"), or by caption.

// "IDD_EPSON" -> "epson".
std::string PanelName(const DialogTemplate& dialog);
// The control's id name without "IDC_" and the word all the dialog's names
// start with: IDC_EPSON_FEED_FORWARD -> "feed-forward"; IDOK -> "ok".
std::string ControlName(const DialogTemplate& dialog, const ControlTemplate& control);

struct PanelRef {
  const PanelEntry* entry = nullptr;
  const DialogTemplate* dialog = nullptr;
  const char* menuPath = "";
};

// Every panel of the catalog with its template, in catalog order.
std::vector<PanelRef> Panels();

// The panel with this name; otherwise nothing, with `error` saying why.
const PanelRef* FindPanel(const std::vector<PanelRef>& panels, std::string_view name, std::string& error);

// The control of a panel with this name.
const ControlTemplate* FindControl(const PanelRef& panel, std::string_view name, std::string& error);
