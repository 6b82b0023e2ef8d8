#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/panel_catalog.h"
#include "dialog_templates.h"

// How the command line names panels and controls: by number, by the name
// of the id without its prefix ("epson", "feed-forward"), or by caption.

// "IDD_EPSON" -> "epson"; "IDC_EPSON_FEED_FORWARD" in dialog IDD_EPSON -> "feed-forward".
std::string ShortName(std::string_view symbol, std::string_view dialogSymbol = "");

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
