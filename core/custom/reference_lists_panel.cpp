#include "custom/reference_lists_panel.h"

#include "custom/custom_ids.h"
#include "custom/reference_lists.h"

namespace {

constexpr int kOkId = 1;
// Eleven narrow characters: most byte columns end before it, and the
// longest meaning still fits in the list's width.
constexpr int kTabSpacing = 44;

template <std::size_t N>
std::vector<std::string> Entries(const std::array<const char*, N>& list) {
  return std::vector<std::string>(list.begin(), list.end());
}

}  // namespace

// The list boxes sort the entries themselves.
void ReferenceListsPanel::OnInit(Panel& panel) {
  for (int list : {IDC_REFERENCE_ESCP, IDC_REFERENCE_STAR, IDC_REFERENCE_OKI}) panel.SetListTabStops(list, kTabSpacing);
  panel.FillList(IDC_REFERENCE_ESCP, Entries(kEscpReferenceList));
  panel.FillList(IDC_REFERENCE_STAR, Entries(kStarReferenceList));
  panel.FillList(IDC_REFERENCE_OKI, Entries(kOkiReferenceList));
}

void ReferenceListsPanel::OnCommand(Panel& panel, int controlId) {
  if (controlId == kOkId) panel.EndDialog(0);
}
